// The VNET panel's "终端设置" page: the terminals' sleep, online and polling times, read and written with raw
// parameter frames behind the module's access check.
#pragma once

#include <QWidget>

class CPanViewCel;

class CPageDevTerminalVnet : public QWidget {
    Q_OBJECT
public:
    explicit CPageDevTerminalVnet(CPanViewCel* panel);

private:
    CPanViewCel* panel_;
};
