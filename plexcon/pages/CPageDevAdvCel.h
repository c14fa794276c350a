// "高级设置": factory reset of the module of the current tab. The upgrade button is shown disabled.
#pragma once

#include <QWidget>

class CPanViewCel;
class QPushButton;

class CPageDevAdvCel : public QWidget {
    Q_OBJECT
public:
    explicit CPageDevAdvCel(CPanViewCel* panel);

    void factoryReset();
    QPushButton* upgradeButton() const { return upgrade_; }

private:
    CPanViewCel* panel_;
    QPushButton* upgrade_ = nullptr;
};
