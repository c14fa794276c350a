#include "pages/CPageDevTranOrlnet.h"

#include <QComboBox>

#include "pages/PageLists.h"
#include "shell/CPanViewOrlnet.h"

namespace {

constexpr int kFirstPowerCode = 2;

}  // namespace

CPageDevTranOrlnet::CPageDevTranOrlnet(CPanViewOrlnet* panel)
    : OrlnetConfigPage(panel, {tr("获取"), tr("设置"), false, {{56, 2}}, {11, 12}, {11, 12}}) {
    rate_ = MakeList({"250 K", "500 K", "1  M"});
    power_ = MakeList({"0x02: 8     dBm", "0x03: 7     dBm", "0x04: 6     dBm", "0x05: 5     dBm", "0x06: 4     dBm",
                       "0x07: 3     dBm", "0x08: 2     dBm", "0x09: 1     dBm", "0x0A: 0     dBm", "0x0B: -5   dBm",
                       "0x0C: -7   dBm", "0x0D: -10dBm", "0x0E: -15dBm", "0x0F: -20dBm", "0x10: -30dBm",
                       "0x11: -40dBm", "0x12: -50dBm"});
    addField(0, 0, tr("速率"), rate_);
    addField(1, 0, tr("发送功率"), power_);
}

void CPageDevTranOrlnet::fill(const OrlnetConfig& r) {
    SelectEntry(rate_, r.airRate);
    SelectEntry(power_, r.txPower - kFirstPowerCode);
}

void CPageDevTranOrlnet::collect(OrlnetConfig& r) {
    CollectEntry(rate_, r.airRate);
    CollectEntry(power_, r.txPower, kFirstPowerCode);
}
