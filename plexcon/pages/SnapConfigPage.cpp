#include "pages/SnapConfigPage.h"

#include <QPushButton>

#include <cstddef>
#include <cstring>

#include "shell/CPanViewSnap.h"
#include "shell/LibraryCall.h"
#include "shell/ModuleText.h"

using Icon = Operator::Icon;

namespace snap {

namespace {

constexpr size_t kPasswordBuffer = 32;

struct PropertyPlace {
    int property;
    size_t offset;
    unsigned int width;
};

constexpr PropertyPlace kPlaces[] = {
    {1, offsetof(SnapRecord, MAC), 8},        {2, offsetof(SnapRecord, NETID), 2},
    {3, offsetof(SnapRecord, CHANNAL), 1},    {4, offsetof(SnapRecord, BAUD), 1},
    {5, offsetof(SnapRecord, DEVPARITY), 1},  {6, offsetof(SnapRecord, DEVDATABIT), 1},
    {7, offsetof(SnapRecord, RSV14), 1},      {8, offsetof(SnapRecord, SPTIME), 1},
    {9, offsetof(SnapRecord, SPCHAR), 2},     {10, offsetof(SnapRecord, SPEN), 1},
    {11, offsetof(SnapRecord, DRATE), 1},     {12, offsetof(SnapRecord, TXPOWER), 1},
    {13, offsetof(SnapRecord, WORKMOD), 1},   {14, offsetof(SnapRecord, ENSRC), 1},
    {15, offsetof(SnapRecord, DSTADR), 3},    {16, offsetof(SnapRecord, ENROUT), 1},
    {17, offsetof(SnapRecord, EN485), 1},     {18, offsetof(SnapRecord, ENUPD), 1},
    {19, offsetof(SnapRecord, SSTRONG), 1},   {20, offsetof(SnapRecord, VER), 5},
    {21, offsetof(SnapRecord, SNAPVER), 3},
};

}  // namespace

unsigned char* PropertyBytes(SnapRecord& record, int property, unsigned int* width) {
    for (const PropertyPlace& p : kPlaces) {
        if (p.property != property) continue;
        if (width) *width = p.width;
        return reinterpret_cast<unsigned char*>(&record) + p.offset;
    }
    return nullptr;
}

bool FetchPassword(int index, QByteArray& password) {
    char buffer[kPasswordBuffer] = {};
    const int done = BusyLibraryCall(
        [&] { return index < 0 ? QVZB_SNAP_GetLocalPwd(buffer) : QVZB_SNAP_GetRemotePwd(index, buffer); });
    password = QByteArray(buffer, static_cast<qsizetype>(strnlen(buffer, kPasswordBuffer - 1)));
    return done != 0;
}

QString NoSelectionMessage() {
    return QObject::tr("你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...");
}

}  // namespace snap

SnapConfigPage::SnapConfigPage(CPanViewSnap* panel, Traits traits)
    : ConfigPageFrame(traits.getCaption, traits.modifyCaption), panel_(panel), traits_(std::move(traits)) {
    connect(getButton(), &QPushButton::clicked, this, &SnapConfigPage::getCommand);
    connect(modifyButton(), &QPushButton::clicked, this, &SnapConfigPage::modifyCommand);
}

int SnapConfigPage::target() {
    if (!panel_->remoteMode()) return -1;
    const int index = panel_->selectedRemote();
    if (index >= 0) return index;
    panel_->op().message(this, snap::NoSelectionMessage(), Icon::Critical);
    return kNoSelection;
}

int SnapConfigPage::read() {
    const int index = target();
    if (index == kNoSelection) return 2;
    SnapRecord record{};
    const int result = BusyLibraryCall([&] {
        return index < 0 ? QVZB_SNAP_GetPropertyAll(&record) : QVZB_SNAP_GetRemoteDevPropertyAll(&record, index);
    });
    fill(record);
    update();
    return result ? 1 : 0;
}

void SnapConfigPage::getCommand() {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("串口未打开"), Icon::Critical);
        return;
    }
    reportRead(panel_->op(), read(), tr("获取设备信息失败..."));
}

void SnapConfigPage::modifyCommand() {
    if (!takeValues()) return;
    if (!PortIsOpen()) {
        panel_->op().message(this, traits_.portClosed.text, traits_.portClosed.icon);
        return;
    }
    const int index = target();
    if (index == kNoSelection) return;
    const bool remote = index >= 0;

    QByteArray password;
    if (!snap::FetchPassword(index, password)) {
        panel_->op().message(this, remote ? tr("操作失败,获取密码失败...") : tr("操作失败，获取密码失败..."),
                             Icon::Critical);
        return;
    }
    if (!panel_->passwordAccepted(traits_.id, remote)) {
        QString entered;
        if (!panel_->op().askPassword(this, entered)) return;
        if (!ModulePasswordMatches(password.constData(), static_cast<size_t>(password.size()), entered)) {
            panel_->op().message(this, tr("操作失败,密码错误..."), Icon::Critical);
            return;
        }
        panel_->acceptPassword(traits_.id, remote);
    }

    SnapRecord record{};
    BusyLibraryCall([&] {
        return remote ? QVZB_SNAP_GetRemoteDevPropertyAll(&record, index) : QVZB_SNAP_GetPropertyAll(&record);
    });
    collect(record);
    const int submitted = BusyLibraryCall([&] {
        for (int property : traits_.properties) {
            unsigned int width = 0;
            const unsigned char* bytes = snap::PropertyBytes(record, property, &width);
            if (remote) QVZB_SNAP_SetRemoteDevProperty(index, property, bytes, width);
            else QVZB_SNAP_SetProperty(property, bytes, width);
        }
        return remote ? QVZB_SNAP_SubmitRemoteDevInfo(index) : QVZB_SNAP_SubmitInfo();
    });
    afterSubmit(index, password);
    if (submitted) {
        if (traits_.id == snap::BasePage && remote) panel_->refreshRemoteList();
        panel_->op().message(this, traits_.done.text, traits_.done.icon);
    } else {
        panel_->op().message(this, traits_.failed.text, traits_.failed.icon);
    }
}
