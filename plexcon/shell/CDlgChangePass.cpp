#include "shell/CDlgChangePass.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

#include "controls/CDevNameEdit.h"
#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"
#include "shell/ModuleText.h"

using Icon = Operator::Icon;

namespace {

constexpr int kPasswordProperty = 2;
constexpr size_t kPasswordWidth = sizeof(CelRecord::password);

CDevNameEdit* MaskedField() {
    auto* field = new CDevNameEdit;
    field->setEchoMode(QLineEdit::Password);
    field->setMinimumWidth(220);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(0xEE, 0xEE, 0xEE));
    field->setPalette(palette);
    return field;
}

}  // namespace

CDlgChangePass::CDlgChangePass(CPanViewCel* panel) : panel_(panel) {
    current_ = MaskedField();
    new_ = MaskedField();
    confirm_ = MaskedField();
    auto* form = new QFormLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(10);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(tr("当前密码："), current_);
    form->addRow(tr("新密码："), new_);
    form->addRow(tr("确认新密码："), confirm_);

    change_ = new QPushButton(tr("修改密码"));
    change_->setMinimumSize(110, 30);
    connect(change_, &QPushButton::clicked, this, &CDlgChangePass::changeCommand);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(change_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addLayout(form);
    column->addStretch();
    column->addLayout(buttons);
}

void CDlgChangePass::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: event->accept(); return;
        default: QWidget::keyPressEvent(event);
    }
}

bool CDlgChangePass::readRecord(bool remote, int index, CelRecord& record) {
    const int read = remote ? BusyLibraryCall([&] { return QVZB_CEL_GetRemoteDevPropertyAll(&record, index); })
                            : BusyLibraryCall([&] { return QVZB_CEL_GetPropertyAll(&record); });
    if (!read) panel_->op().message(this, tr("获取设备属性失败!"), Icon::Plain);
    return read != 0;
}

void CDlgChangePass::changeCommand() {
    Operator& op = panel_->op();
    if (!PortIsOpen()) {
        op.message(this, tr("操作失败，串口未打开！"), Icon::Plain);
        return;
    }
    if (new_->text() != confirm_->text()) {
        op.message(this, tr("新密码和确认新密码不匹配"), Icon::Critical);
        confirm_->clear();
        return;
    }
    const bool remote = panel_->remoteMode();
    const int index = remote ? panel_->selectedRemote() : -1;
    if (remote && index < 0) {
        op.message(this, CPanViewCel::NoSelectionMessage(), Icon::Critical);
        return;
    }
    CelRecord record{};
    if (!readRecord(remote, index, record)) return;
    if (!ModulePasswordMatches(record.password, kPasswordWidth, current_->text())) {
        op.message(this, tr("请确认当前密码是否正确"), Icon::Critical);
        current_->clear();
        return;
    }

    // 16 bytes of module text, zero-padded; a 16-byte password has no terminating zero.
    char value[kPasswordWidth];
    ToModuleField(new_->text(), value, kPasswordWidth);
    const int submitted = BusyLibraryCall([&] {
        if (remote) {
            QVZB_CEL_SetRemoteDevProperty(index, kPasswordProperty, value, kPasswordWidth);
            return QVZB_CEL_SubmitRemoteDevInfo(index);
        }
        QVZB_CEL_SetProperty(kPasswordProperty, value, kPasswordWidth);
        return QVZB_CEL_SubmitInfo();
    });
    if (submitted == 1) op.message(this, tr("修改配置成功"), Icon::Information);
    else op.message(this, tr("操作失败..."), Icon::Critical);
}
