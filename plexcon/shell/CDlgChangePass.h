// The "安全设置" page of the CEL panels: changes the configuration password of the local module or of the
// selected remote module.
#pragma once

#include <QWidget>

class CPanViewCel;

class CDlgChangePass : public QWidget {
    Q_OBJECT
public:
    explicit CDlgChangePass(CPanViewCel* panel);

private:
    CPanViewCel* panel_;
};
