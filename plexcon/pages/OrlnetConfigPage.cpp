#include "pages/OrlnetConfigPage.h"

#include <QLineEdit>
#include <QPushButton>

#include <cstddef>
#include <cstring>

#include "shell/CPanViewOrlnet.h"
#include "shell/LibraryCall.h"
#include "shell/ModuleText.h"

using Icon = Operator::Icon;

namespace orlnet {

namespace {

struct PropertyPlace {
    int property;
    size_t offset;
    int width;
};

constexpr PropertyPlace kPlaces[] = {
    {1, offsetof(OrlnetConfig, deviceName), 16},         {4, offsetof(OrlnetConfig, deviceType), 1},
    {5, offsetof(OrlnetConfig, channel), 1},             {6, offsetof(OrlnetConfig, panId), 2},
    {7, offsetof(OrlnetConfig, netAddress), 2},          {11, offsetof(OrlnetConfig, airRate), 1},
    {12, offsetof(OrlnetConfig, txPower), 1},            {15, offsetof(OrlnetConfig, baudIndex), 1},
    {16, offsetof(OrlnetConfig, dataBits), 1},           {17, offsetof(OrlnetConfig, parity), 1},
    {18, offsetof(OrlnetConfig, stopBits), 1},           {19, offsetof(OrlnetConfig, routeTableLifetime), 1},
    {20, offsetof(OrlnetConfig, tempRouteLifetime), 2},  {21, offsetof(OrlnetConfig, routeQueryTimeout), 2},
    {22, offsetof(OrlnetConfig, dataAccessTimeout), 2},  {23, offsetof(OrlnetConfig, shortPathResendTime), 1},
    {24, offsetof(OrlnetConfig, shortPathRetryCount), 1}, {25, offsetof(OrlnetConfig, minSignal), 1},
    {26, offsetof(OrlnetConfig, bestSignal), 1},         {27, offsetof(OrlnetConfig, routeRetryTime), 2},
    {28, offsetof(OrlnetConfig, routeRetryCount), 1},
};

}  // namespace

unsigned char* PropertyBytes(OrlnetConfig& record, int property, int* width) {
    for (const PropertyPlace& p : kPlaces) {
        if (p.property != property) continue;
        if (width) *width = p.width;
        return reinterpret_cast<unsigned char*>(&record) + p.offset;
    }
    return nullptr;
}

int ReadRecord(int index, OrlnetConfig& record, const std::vector<Span>& routeSpans) {
    return BusyLibraryCall([&] {
        if (index < 0) return QVZB_ORLNET_GetPropertyAll(&record);
        if (!QVZB_ORLNET_IsRouteDev(index)) return QVZB_ORLNET_GetRemoteDevPropertyAll(&record, index);
        int result = 0;
        for (const Span& s : routeSpans) {
            result = QVZB_ORLNET_LoadRemoteRouteDevInfo(&record, index, s.offset, s.length);
            if (!result) break;
        }
        return result;
    });
}

int SubmitRecord(int index, const std::vector<Span>& routeSpans) {
    return BusyLibraryCall([&] {
        if (index < 0) return QVZB_ORLNET_SubmitInfo();
        if (!QVZB_ORLNET_IsRouteDev(index)) return QVZB_ORLNET_SubmitRemoteDevInfo(index);
        int result = 0;
        for (const Span& s : routeSpans) {
            result = QVZB_ORLNET_SubmitRemoteRouteDevInfo(index, s.offset, s.length);
            if (!result) break;
        }
        return result;
    });
}

QString NoSelectionMessage() {
    return QObject::tr("你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...");
}

}  // namespace orlnet

OrlnetConfigPage::OrlnetConfigPage(CPanViewOrlnet* panel, Traits traits)
    : ConfigPageFrame(traits.getCaption, traits.modifyCaption), panel_(panel), traits_(std::move(traits)) {
    connect(getButton(), &QPushButton::clicked, this, &OrlnetConfigPage::getCommand);
    connect(modifyButton(), &QPushButton::clicked, this, &OrlnetConfigPage::modifyCommand);
}

bool OrlnetConfigPage::takeNumber(const QLineEdit* field, const QString& caption, long min, long max, long& value) {
    bool ok = false;
    const long v = field->text().trimmed().toLong(&ok);
    if (!ok || v < min || v > max) {
        panel_->op().message(this, tr("您的输入有误：%1").arg(caption), Icon::Warning);
        return false;
    }
    value = v;
    return true;
}

void OrlnetConfigPage::showPortClosed() {
    panel_->op().message(this, tr("操作失败，串口未打开！"), traits_.basePage ? Icon::Critical : Icon::Plain);
}

int OrlnetConfigPage::read() {
    int index = -1;
    if (panel_->remoteMode()) {
        index = panel_->selectedRemote();
        if (index < 0) {
            panel_->op().message(this, orlnet::NoSelectionMessage(), Icon::Critical);
            return 2;
        }
    }
    OrlnetConfig record{};
    const int result = orlnet::ReadRecord(index, record, traits_.routeSpans);
    if (result == 1 || !(traits_.basePage && index >= 0)) fill(record);
    update();
    return result == 1 ? 1 : 0;
}

void OrlnetConfigPage::getCommand() {
    if (!PortIsOpen()) {
        showPortClosed();
        return;
    }
    reportRead(panel_->op(), read(), tr("获取设备信息失败"));
    update();
}

bool OrlnetConfigPage::passwordMatches(const OrlnetConfig& record, const QString& entered) const {
    return ModulePasswordMatches(record.password, sizeof record.password, entered);
}

void OrlnetConfigPage::modifyCommand() {
    if (!takeValues()) return;
    if (!PortIsOpen()) {
        showPortClosed();
        return;
    }
    const bool remote = panel_->remoteMode();
    const int index = remote ? panel_->selectedRemote() : -1;
    if (remote && index < 0) {
        panel_->op().message(this, orlnet::NoSelectionMessage(), Icon::Critical);
        return;
    }
    bool& accepted = passwordAccepted_[remote ? 1 : 0];
    OrlnetConfig record{};
    const Icon readFailedIcon = traits_.basePage && !remote ? Icon::Critical : Icon::Plain;
    auto readForModify = [&] {
        if (orlnet::ReadRecord(index, record, traits_.routeSpans) == 1) return true;
        panel_->op().message(this, tr("获取设备属性失败!"), readFailedIcon);
        return false;
    };

    if (traits_.basePage) {
        // The record first, then the password question unless it was answered before.
        if (!readForModify()) return;
        if (!accepted) {
            QString entered;
            if (!panel_->op().askPassword(this, entered)) return;
            if (!passwordMatches(record, entered)) {
                panel_->op().message(this, tr("密码错误!操作失败"), Icon::Critical);
                return;
            }
            accepted = true;
        }
    } else if (!accepted) {
        // The question first, then the record to compare with; once answered, no read at all.
        QString entered;
        if (!panel_->op().askPassword(this, entered)) return;
        if (!readForModify()) return;
        if (!passwordMatches(record, entered)) {
            panel_->op().message(this, tr("密码错误!操作失败"), Icon::Critical);
            return;
        }
        accepted = true;
    }

    collect(record);
    const std::vector<int>& order = remote ? traits_.remoteOrder : traits_.localOrder;
    WithLibrary([&] {
        for (int property : order) {
            int width = 0;
            const unsigned char* bytes = orlnet::PropertyBytes(record, property, &width);
            if (remote) QVZB_ORLNET_SetRemoteDevProperty(index, property, bytes, width);
            else QVZB_ORLNET_SetProperty(property, bytes, width);
        }
        return 0;
    });
    const int submitted = orlnet::SubmitRecord(index, traits_.routeSpans);
    if (submitted == 1) {
        if (traits_.basePage && remote) panel_->refreshRemoteList();
        panel_->op().message(this, tr("修改配置成功"), Icon::Information);
    } else {
        panel_->op().message(this, tr("操作失败..."), Icon::Critical);
    }
}
