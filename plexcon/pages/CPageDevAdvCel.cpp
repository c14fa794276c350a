#include "pages/CPageDevAdvCel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"
#include "tools/CDlgUpgradeCel.h"

using Icon = Operator::Icon;

CPageDevAdvCel::CPageDevAdvCel(CPanViewCel* panel) : panel_(panel) {
    auto* reset = new QPushButton(tr("恢复出厂设置"));
    upgrade_ = new QPushButton(tr("升级"));
    upgrade_->setEnabled(panel->context().showHidden);
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {reset, upgrade_}) {
        b->setMinimumSize(130, 32);
        row->addWidget(b);
    }
    row->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addLayout(row);
    column->addStretch();
    connect(reset, &QPushButton::clicked, this, &CPageDevAdvCel::factoryReset);
    connect(upgrade_, &QPushButton::clicked, this, &CPageDevAdvCel::upgrade);
}

void CPageDevAdvCel::upgrade() {
    Operator& op = panel_->op();
    if (!PortIsOpen()) {
        op.message(this, tr("操作失败，串口未打开！"), Icon::Critical);
        return;
    }
    // The record gives the address, control word and run state (the module's own, so that one running its
    // normal firmware is switched to its boot loader first); a failed read leaves it zero, and the upgrade then
    // fails at the module.
    CelRecord record{};
    int target = UpgradeDialog::kLocalTarget;
    if (!panel_->remoteMode()) {
        BusyLibraryCall([&] { return QVZB_CEL_GetPropertyAll(&record); });
    } else {
        target = panel_->selectedRemote();
        if (target < 0) {
            op.message(this, CPanViewCel::NoSelectionMessage(), Icon::Critical);
            return;
        }
        BusyLibraryCall([&] { return QVZB_CEL_GetRemoteDevPropertyAll(&record, target); });
    }
    CDlgUpgradeCel dialog(panel_->context(), this);
    dialog.setTarget(target, record.runState, record.netAddress, record.controlWord);
    dialog.exec();
}

void CPageDevAdvCel::factoryReset() {
    Operator& op = panel_->op();
    if (!PortIsOpen()) {
        op.message(this, tr("操作失败，串口未打开！"), Icon::Critical);
        return;
    }
    if (!panel_->remoteMode()) {
        if (BusyLibraryCall([] { return QVZB_CEL_ResetToDefault(); }))
            op.message(this, tr("恢复出厂配置成功"), Icon::Information);
        else
            op.message(this, tr("恢复出厂配置失败，请重新操作"), Icon::Critical);
        return;
    }
    const int index = panel_->selectedRemote();
    if (index < 0) {
        op.message(this, CPanViewCel::NoSelectionMessage(), Icon::Critical);
        return;
    }
    if (!BusyLibraryCall([index] { return QVZB_CEL_LoadRemoteDevInfo(index); })) {
        op.message(this, tr("发送恢复出厂设置命令失败"), Icon::Critical);
        return;
    }
    // A refused reset is reported too: the operator must not take the silence for success.
    if (BusyLibraryCall([index] { return QVZB_CEL_ResetRemoteToDefault(index); }))
        op.message(this, tr("发送恢复出厂设置命令成功"), Icon::Information);
    else
        op.message(this, tr("发送恢复出厂设置命令失败"), Icon::Critical);
}
