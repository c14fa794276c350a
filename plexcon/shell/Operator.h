// The operator as the screens see it: messages with an icon, the password question, file choice. Production
// shows Qt dialogs (QtOperator); tests answer with a scripted operator that records every message.
#pragma once

#include <QString>

class QWidget;

class Operator {
public:
    // Plain: a message box without an icon.
    enum class Icon { Information, Warning, Critical, Question, Plain };

    virtual ~Operator() = default;
    // A message box with one OK button.
    virtual void message(QWidget* parent, const QString& text, Icon icon) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(QWidget* parent, const QString& text, Icon icon) = 0;
    // The configuration password question (CDlgInputPwd); false when the operator cancels.
    virtual bool askPassword(QWidget* parent, QString& password) = 0;
    // An existing file to open, or an empty text when the operator cancels.
    virtual QString chooseFile(QWidget* parent, const QString& filter) = 0;
    // A file to save to (suggested: a name to start from), or an empty text when the operator cancels.
    virtual QString chooseSaveFile(QWidget* parent, const QString& filter, const QString& suggested) = 0;
};
