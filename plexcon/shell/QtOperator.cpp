#include "shell/QtOperator.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "shell/CDlgInputPwd.h"

namespace {

QMessageBox::Icon BoxIcon(Operator::Icon icon) {
    switch (icon) {
        case Operator::Icon::Information: return QMessageBox::Information;
        case Operator::Icon::Warning: return QMessageBox::Warning;
        case Operator::Icon::Critical: return QMessageBox::Critical;
        case Operator::Icon::Question: return QMessageBox::Question;
        case Operator::Icon::Plain: break;
    }
    return QMessageBox::NoIcon;
}

int RunBox(QWidget* parent, const QString& text, Operator::Icon icon, QMessageBox::StandardButtons buttons) {
    QMessageBox box(BoxIcon(icon), QApplication::applicationDisplayName(), text, buttons, parent);
    // Assistive technology reads the message as the box's description.
    box.setAccessibleDescription(text);
    return box.exec();
}

}  // namespace

void QtOperator::message(QWidget* parent, const QString& text, Icon icon) {
    RunBox(parent, text, icon, QMessageBox::Ok);
}

bool QtOperator::ask(QWidget* parent, const QString& text, Icon icon) {
    return RunBox(parent, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtOperator::askPassword(QWidget* parent, QString& password) { return CDlgInputPwd::Ask(parent, password); }

QString QtOperator::chooseFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtOperator::chooseSaveFile(QWidget* parent, const QString& filter, const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, QString(), suggested, filter);
}
