// The configuration password question asked before every write: a masked name field (at most 16 bytes of module
// text), "OK" and "Cancel". It checks nothing itself; the page compares the answer with the module's password.
#pragma once

#include <QDialog>

class QLineEdit;

class CDlgInputPwd : public QDialog {
    Q_OBJECT
public:
    explicit CDlgInputPwd(QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* field() const { return field_; }

    // Runs the question modally; true and the typed text on "OK", false on "Cancel" or the close box.
    static bool Ask(QWidget* parent, QString& password);

private:
    QLineEdit* field_ = nullptr;
};
