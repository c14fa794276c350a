// "固件升级" for ORLNET modules, opened from the ORLNET "高级设置" page.
#pragma once

#include "tools/UpgradeDialog.h"

class CDlgUpgradeOrlnet : public UpgradeDialog {
    Q_OBJECT
public:
    explicit CDlgUpgradeOrlnet(const ShellContext& context, QWidget* parent = nullptr);

protected:
    QByteArray readConfiguration(int index) override;
    bool writeConfiguration(int index, const QByteArray& record) override;
    int configurationBytes() const override;
};
