// "固件升级" for CEL modules, opened from "高级设置" (CPageDevAdvCel).
#pragma once

#include "tools/UpgradeDialog.h"

class CDlgUpgradeCel : public UpgradeDialog {
    Q_OBJECT
public:
    explicit CDlgUpgradeCel(const ShellContext& context, QWidget* parent = nullptr);

protected:
    QByteArray readConfiguration(int index) override;
    bool writeConfiguration(int index, const QByteArray& record) override;
    int configurationBytes() const override;
};
