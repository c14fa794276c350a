#include "shell/CDlgInputPwd.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/CDevNameEdit.h"

CDlgInputPwd::CDlgInputPwd(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("输入密码"));
    field_ = new CDevNameEdit;
    field_->setEchoMode(QLineEdit::Password);
    field_->setMinimumWidth(220);
    auto* label = new QLabel(tr("密码"));
    label->setBuddy(field_);

    auto* form = new QFormLayout;
    form->addRow(label, field_);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(14);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setSizeGripEnabled(false);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    field_->setFocus();
}

QString CDlgInputPwd::password() const { return field_->text(); }

bool CDlgInputPwd::Ask(QWidget* parent, QString& password) {
    CDlgInputPwd dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    password = dialog.password();
    return true;
}
