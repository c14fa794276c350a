// The "安全设置" page of the CEL panels: changes the configuration password of the local module or of the
// selected remote module.
#pragma once

#include <QByteArray>
#include <QWidget>

#include "radlink.h"

class CDevNameEdit;
class CPanViewCel;
class QPushButton;

class CDlgChangePass : public QWidget {
    Q_OBJECT
public:
    explicit CDlgChangePass(CPanViewCel* panel);

    // "修改密码".
    void changeCommand();

    QPushButton* changeButton() const { return change_; }

protected:
    // Enter and Escape do nothing here: the page is part of the panel, not a dialog of its own.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Reads the module to change into `record`; false once the failure has been reported.
    bool readRecord(bool remote, int index, CelRecord& record);

    CPanViewCel* panel_;
    CDevNameEdit* current_ = nullptr;
    CDevNameEdit* new_ = nullptr;
    CDevNameEdit* confirm_ = nullptr;
    QPushButton* change_ = nullptr;
};
