#include "pages/CelConfigPage.h"

#include <QPushButton>

#include <cstddef>
#include <cstring>

#include "pages/VnetAccess.h"
#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"
#include "shell/ModuleText.h"

using Icon = Operator::Icon;

namespace {

constexpr size_t kPasswordWidth = sizeof(CelRecord::password);

struct PropertyPlace {
    int property;
    size_t offset;
    unsigned int width;
};

constexpr PropertyPlace kPlaces[] = {
    {1, offsetof(CelRecord, deviceName), 16},      {2, offsetof(CelRecord, password), 16},
    {4, offsetof(CelRecord, deviceType), 1},       {5, offsetof(CelRecord, channel), 1},
    {6, offsetof(CelRecord, panId), 2},            {7, offsetof(CelRecord, netAddress), 2},
    {8, offsetof(CelRecord, macAddress), 8},       {9, offsetof(CelRecord, dstNetAddress), 2},
    {10, offsetof(CelRecord, dstMacAddress), 8},   {11, offsetof(CelRecord, airRate), 1},
    {12, offsetof(CelRecord, txPower), 1},         {13, offsetof(CelRecord, retryCount), 1},
    {14, offsetof(CelRecord, retryInterval), 1},   {15, offsetof(CelRecord, baudIndex), 1},
    {16, offsetof(CelRecord, dataBits), 1},        {17, offsetof(CelRecord, parity), 1},
    {18, offsetof(CelRecord, stopBits), 1},        {19, offsetof(CelRecord, sendMode), 1},
    {20, offsetof(CelRecord, sampleRate), 1},      {21, offsetof(CelRecord, compression), 1},
    {22, offsetof(CelRecord, voiceMode), 1},       {23, offsetof(CelRecord, outputVolume), 1},
    {24, offsetof(CelRecord, micVolume), 1},       {25, offsetof(CelRecord, sleepTimeMs), 2},
    {26, offsetof(CelRecord, receiveDelayMs), 2},  {27, offsetof(CelRecord, forwardDelayMs), 2},
};

}  // namespace

unsigned char* CelPropertyBytes(CelRecord& record, int property, unsigned int* width) {
    for (const PropertyPlace& p : kPlaces) {
        if (p.property != property) continue;
        if (width) *width = p.width;
        return reinterpret_cast<unsigned char*>(&record) + p.offset;
    }
    return nullptr;
}

CelConfigPage::CelConfigPage(CPanViewCel* panel, Traits traits)
    : ConfigPageFrame(tr("获取信息"), tr("更改配置")), panel_(panel), traits_(std::move(traits)) {
    connect(getButton(), &QPushButton::clicked, this, &CelConfigPage::getCommand);
    connect(modifyButton(), &QPushButton::clicked, this, &CelConfigPage::modifyCommand);
}

void CelConfigPage::showPortClosed() {
    panel_->op().message(this, tr("操作失败，串口未打开！"), traits_.portClosedErrorIcon ? Icon::Critical : Icon::Plain);
}

int CelConfigPage::read() {
    CelRecord record{};
    if (!panel_->remoteMode()) {
        if (traits_.accessCheckOnLocalRead && vnet::CheckAccess(this, panel_->op()) != vnet::Access::Granted) return 2;
        if (!BusyLibraryCall([&] { return QVZB_CEL_GetPropertyAll(&record); })) return 0;
    } else {
        const int index = panel_->selectedRemote();
        if (index < 0) {
            panel_->op().message(this, CPanViewCel::NoSelectionMessage(), Icon::Critical);
            return 2;
        }
        if (!BusyLibraryCall([&] { return QVZB_CEL_GetRemoteDevPropertyAll(&record, index); })) return 0;
    }
    fill(record);
    update();
    return 1;
}

void CelConfigPage::getCommand() {
    if (!PortIsOpen()) {
        showPortClosed();
        return;
    }
    reportRead(panel_->op(), read(), tr("获取设备信息失败"));
    update();
}

void CelConfigPage::modifyCommand() {
    if (!PortIsOpen()) {
        showPortClosed();
        return;
    }
    CelRecord record{};
    const bool remote = panel_->remoteMode();
    const int index = remote ? panel_->selectedRemote() : -1;
    if (!remote) {
        if (!BusyLibraryCall([&] { return QVZB_CEL_GetPropertyAll(&record); })) {
            panel_->op().message(this, tr("获取设备属性失败!"), Icon::Critical);
            return;
        }
    } else {
        if (index < 0) {
            panel_->op().message(this, CPanViewCel::NoSelectionMessage(), Icon::Critical);
            return;
        }
        if (!BusyLibraryCall([&] { return QVZB_CEL_GetRemoteDevPropertyAll(&record, index); })) {
            panel_->op().message(this, tr("获取设备属性失败!"), Icon::Plain);
            return;
        }
    }

    QString entered;
    if (!panel_->op().askPassword(this, entered)) return;
    if (!ModulePasswordMatches(record.password, kPasswordWidth, entered)) {
        panel_->op().message(this, tr("密码错误!操作失败"), Icon::Critical);
        return;
    }

    collect(record);
    const std::vector<int>& order = remote ? traits_.remoteOrder : traits_.localOrder;
    const int submitted = BusyLibraryCall([&] {
        for (int property : order) {
            unsigned int width = 0;
            const unsigned char* bytes = CelPropertyBytes(record, property, &width);
            if (remote) QVZB_CEL_SetRemoteDevProperty(index, property, bytes, width);
            else QVZB_CEL_SetProperty(property, bytes, width);
        }
        return remote ? QVZB_CEL_SubmitRemoteDevInfo(index) : QVZB_CEL_SubmitInfo();
    });
    if (submitted == 1) panel_->op().message(this, tr("修改配置成功"), Icon::Information);
    else panel_->op().message(this, traits_.submitFailed, Icon::Critical);
}
