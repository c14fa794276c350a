#include "pages/CPageDevAdvOrlnet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/OrlnetConfigPage.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

namespace {

constexpr int kNoSelection = -2;
constexpr unsigned char kLocalDevice = 0xFF;
// Reset and upgrade read only the address from a module reached over a route.
const std::vector<orlnet::Span> kAddressSpan = {{36, 2}};

}  // namespace

CPageDevAdvOrlnet::CPageDevAdvOrlnet(CPanViewOrlnet* panel) : panel_(panel) {
    auto* reset = new QPushButton(tr("恢复出厂设置"));
    upgrade_ = new QPushButton(tr("升级"));
    upgrade_->setEnabled(false);
    auto* single = new QPushButton(tr("单点设置LED状态"));
    auto* broadcast = new QPushButton(tr("广播设置LED状态"));

    auto* device = new QGroupBox(tr("设备"));
    auto* deviceRow = new QHBoxLayout(device);
    deviceRow->addWidget(reset);
    deviceRow->addWidget(upgrade_);
    deviceRow->addStretch();

    auto* led = new QGroupBox(tr("LED测试"));
    auto* ledGrid = new QGridLayout(led);
    for (int i = 0; i < 4; ++i) {
        leds_[static_cast<size_t>(i)] = new QCheckBox(QStringLiteral("LED%1").arg(i + 1));
        ledGrid->addWidget(leds_[static_cast<size_t>(i)], 0, i);
    }
    ledGrid->addWidget(single, 1, 0, 1, 2);
    ledGrid->addWidget(broadcast, 1, 2, 1, 2);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addWidget(device);
    column->addWidget(led);
    column->addStretch();

    connect(reset, &QPushButton::clicked, this, &CPageDevAdvOrlnet::factoryResetCommand);
    connect(upgrade_, &QPushButton::clicked, this, &CPageDevAdvOrlnet::upgradeCommand);
    connect(single, &QPushButton::clicked, this, &CPageDevAdvOrlnet::singleLedCommand);
    connect(broadcast, &QPushButton::clicked, this, &CPageDevAdvOrlnet::broadcastLedCommand);
}

void CPageDevAdvOrlnet::setUpgradeOpener(UpgradeOpener opener) {
    upgradeOpener_ = std::move(opener);
    upgrade_->setEnabled(static_cast<bool>(upgradeOpener_));
}

int CPageDevAdvOrlnet::ledMask() const {
    int mask = 0;
    for (size_t i = 0; i < leds_.size(); ++i)
        if (leds_[i]->isChecked()) mask |= 1 << (3 - i);
    return mask;
}

bool CPageDevAdvOrlnet::portOpenOrSay() {
    if (PortIsOpen()) return true;
    panel_->op().message(this, tr("操作失败，串口未打开！"), Icon::Critical);
    return false;
}

int CPageDevAdvOrlnet::target() {
    if (!panel_->remoteMode()) return -1;
    const int index = panel_->selectedRemote();
    if (index >= 0) return index;
    panel_->op().message(this, orlnet::NoSelectionMessage(), Icon::Critical);
    return kNoSelection;
}

void CPageDevAdvOrlnet::factoryResetCommand() {
    if (!portOpenOrSay()) return;
    const int index = target();
    if (index == kNoSelection) return;
    bool loaded = false;
    if (index < 0) {
        loaded = BusyLibraryCall([] { return QVZB_ORLNET_LoadInfo(); }) != 0;
    } else {
        OrlnetConfig record{};
        loaded = orlnet::ReadRecord(index, record, kAddressSpan) == 1;
    }
    if (!loaded) {
        panel_->op().message(this, tr("获取设备信息失败!"), Icon::Critical);
        return;
    }
    const int done = BusyLibraryCall(
        [index] { return index < 0 ? QVZB_ORLNET_ResetToDefault() : QVZB_ORLNET_ResetRemoteToDefault(index); });
    // A refused reset is said too, so that the operator does not take silence for success.
    if (done) panel_->op().message(this, tr("恢复出厂配置成功"), Icon::Information);
    else panel_->op().message(this, tr("恢复出厂配置失败"), Icon::Critical);
}

void CPageDevAdvOrlnet::upgradeCommand() {
    if (!portOpenOrSay()) return;
    const int index = target();
    if (index == kNoSelection) return;
    OrlnetConfig record{};
    orlnet::ReadRecord(index, record, kAddressSpan);  // the dialog takes what the library holds either way
    const UpgradeTarget t{record.controlWord, record.netAddress, record.runState,
                          index < 0 ? kLocalDevice : static_cast<unsigned char>(index)};
    if (upgradeOpener_) upgradeOpener_(this, t);
}

void CPageDevAdvOrlnet::singleLedCommand() {
    if (!portOpenOrSay()) return;
    const int index = target();
    if (index == kNoSelection) return;
    const int mask = ledMask();
    const int done = BusyLibraryCall([index, mask] {
        return index < 0 ? QVZB_ORLNET_TestLEDLocal(mask) : QVZB_ORLNET_TestLEDRemote(mask, index, 0);
    });
    panel_->op().message(this, done ? tr("设置LED状态成功") : tr("设置LED状态失败"), Icon::Information);
}

void CPageDevAdvOrlnet::broadcastLedCommand() {
    if (!portOpenOrSay()) return;
    const int mask = ledMask();
    const int done = BusyLibraryCall([mask] { return QVZB_ORLNET_TestLEDBroadcast(mask); });
    panel_->op().message(this, done ? tr("设置LED状态成功") : tr("设置LED状态失败"), Icon::Information);
}
