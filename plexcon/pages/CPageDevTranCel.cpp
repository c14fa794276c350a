#include "pages/CPageDevTranCel.h"

#include <QComboBox>
#include <QLabel>

#include "controls/CNumEdit.h"
#include "pages/PageLists.h"
#include "shell/CPanViewCel.h"

CPageDevTranCel::CPageDevTranCel(CPanViewCel* panel)
    : CelConfigPage(panel, {false, true, tr("操作失败..."), {11, 12, 13, 14}, {11, 12, 13, 14}}) {
    rate_ = MakeList({tr("250 K"), tr("500 K"), tr("1  M")});
    rate_->setEnabled(false);
    power_ = MakeList({tr("0x02: 8     dBm"), tr("0x03: 7     dBm"), tr("0x04: 6     dBm"), tr("0x05: 5     dBm"),
                       tr("0x06: 4     dBm"), tr("0x07: 3     dBm"), tr("0x08: 2     dBm"), tr("0x09: 1     dBm"),
                       tr("0x0A: 0     dBm"), tr("0x0B: -5   dBm"), tr("0x0C: -7   dBm"), tr("0x0D: -10dBm"),
                       tr("0x0E: -15dBm"), tr("0x0F: -20dBm"), tr("0x10: -30dBm"), tr("0x11: -40dBm"),
                       tr("0x12: -50dBm")});
    power_->setEnabled(false);
    retryCount_ = new CNumEdit(panel->op());
    retryInterval_ = new CNumEdit(panel->op());
    addField(0, 0, tr("速率"), rate_);
    addField(1, 0, tr("发送功率"), power_);
    addField(2, 0, tr("发送重试次数"), retryCount_);
    addHint(2, 0, tr("输入0-255之间"));
    intervalLabel_ = addField(3, 0, tr("重试间隔时间(单位100ms)"), retryInterval_);
    addHint(3, 0, tr("输入0-255之间"));
}

void CPageDevTranCel::useQuickmeshFields() {
    intervalLabel_->setText(tr("重试间隔时间(单位ms)"));
    power_->setEnabled(true);
    power_->clear();
    power_->addItems({tr("0x00: -32   dbm"), tr("0x01: -20.5 dbm"), tr("0x02: -9    dbm"), tr("0x03: 2.5   dbm")});
    firstPowerCode_ = 0;
}

void CPageDevTranCel::fill(const CelRecord& r) {
    SelectEntry(rate_, r.airRate);
    SelectEntry(power_, r.txPower - firstPowerCode_);
    retryCount_->setText(QString::number(r.retryCount));
    retryInterval_->setText(QString::number(r.retryInterval));
}

void CPageDevTranCel::collect(CelRecord& r) {
    CollectEntry(rate_, r.airRate);
    CollectEntry(power_, r.txPower, firstPowerCode_);
    r.retryCount = static_cast<unsigned char>(retryCount_->text().toUInt() & 0xFF);
    r.retryInterval = static_cast<unsigned char>(retryInterval_->text().toUInt() & 0xFF);
}
