// "高级设置": factory reset of the module of the current tab, and the firmware upgrade, whose button is enabled
// only when the hidden screens are shown (--show-hidden).
#pragma once

#include <QWidget>

class CPanViewCel;
class QPushButton;

class CPageDevAdvCel : public QWidget {
    Q_OBJECT
public:
    explicit CPageDevAdvCel(CPanViewCel* panel);

    void factoryReset();
    // Reads the module of the current tab and opens CDlgUpgradeCel for it, modally.
    void upgrade();
    QPushButton* upgradeButton() const { return upgrade_; }

private:
    CPanViewCel* panel_;
    QPushButton* upgrade_ = nullptr;
};
