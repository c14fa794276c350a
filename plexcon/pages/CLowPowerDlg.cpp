#include "pages/CLowPowerDlg.h"

#include "controls/CTerminalEdit.h"
#include "shell/CPanViewCel.h"

CLowPowerDlg::CLowPowerDlg(CPanViewCel* panel)
    : CelConfigPage(panel, {false, false, tr("操作失败..."), {25, 26, 27}, {25, 26, 27}}) {
    sleepTime_ = new CTerminalEdit(panel->op());
    receiveDelay_ = new CTerminalEdit(panel->op());
    forwardDelay_ = new CTerminalEdit(panel->op());
    addField(0, 0, tr("休眠时间(ms)"), sleepTime_);
    addField(1, 0, tr("接收延时(ms)"), receiveDelay_);
    addField(2, 0, tr("转发延时(ms)"), forwardDelay_);
}

void CLowPowerDlg::fill(const CelRecord& r) {
    sleepTime_->setText(QString::number(r.sleepTimeMs));
    receiveDelay_->setText(QString::number(r.receiveDelayMs));
    forwardDelay_->setText(QString::number(r.forwardDelayMs));
}

void CLowPowerDlg::collect(CelRecord& r) {
    r.sleepTimeMs = static_cast<unsigned short>(sleepTime_->text().toUInt() & 0xFFFF);
    r.receiveDelayMs = static_cast<unsigned short>(receiveDelay_->text().toUInt() & 0xFFFF);
    r.forwardDelayMs = static_cast<unsigned short>(forwardDelay_->text().toUInt() & 0xFFFF);
}
