#include "tools/CDlgUpgradeOrlnet.h"

#include <cstddef>
#include <cstring>

namespace {

// Offsets 0 to 78 are what the module's write command stores; the rest it reports only.
constexpr int kWrittenBytes = 79;

struct Settable {
    int property;
    size_t offset;
};

// The properties a write sets, by record offset.
constexpr Settable kSettable[] = {
    {1, offsetof(OrlnetConfig, deviceName)},
    {2, offsetof(OrlnetConfig, password)},
    {4, offsetof(OrlnetConfig, deviceType)},
    {5, offsetof(OrlnetConfig, channel)},
    {6, offsetof(OrlnetConfig, panId)},
    {7, offsetof(OrlnetConfig, netAddress)},
    {11, offsetof(OrlnetConfig, airRate)},
    {12, offsetof(OrlnetConfig, txPower)},
    {15, offsetof(OrlnetConfig, baudIndex)},
    {16, offsetof(OrlnetConfig, dataBits)},
    {17, offsetof(OrlnetConfig, parity)},
    {18, offsetof(OrlnetConfig, stopBits)},
    {19, offsetof(OrlnetConfig, routeTableLifetime)},
    {20, offsetof(OrlnetConfig, tempRouteLifetime)},
    {21, offsetof(OrlnetConfig, routeQueryTimeout)},
    {22, offsetof(OrlnetConfig, dataAccessTimeout)},
    {23, offsetof(OrlnetConfig, shortPathResendTime)},
    {24, offsetof(OrlnetConfig, shortPathRetryCount)},
    {25, offsetof(OrlnetConfig, minSignal)},
    {26, offsetof(OrlnetConfig, bestSignal)},
    {27, offsetof(OrlnetConfig, routeRetryTime)},
    {28, offsetof(OrlnetConfig, routeRetryCount)},
};

}  // namespace

CDlgUpgradeOrlnet::CDlgUpgradeOrlnet(const ShellContext& context, QWidget* parent)
    : UpgradeDialog(context, QStringLiteral("ORLNET"), RADLINK_ORLNET_UpdateWithProgress, parent) {}

QByteArray CDlgUpgradeOrlnet::readConfiguration(int index) {
    OrlnetConfig record{};
    const int read =
        index < 0 ? QVZB_ORLNET_GetPropertyAll(&record) : QVZB_ORLNET_GetRemoteDevPropertyAll(&record, index);
    if (read != 1) return {};
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

bool CDlgUpgradeOrlnet::writeConfiguration(int index, const QByteArray& bytes) {
    if (bytes.size() != static_cast<qsizetype>(sizeof(OrlnetConfig))) return false;
    // The module is read first: the write carries the bytes no property sets as the module has them now.
    if ((index < 0 ? QVZB_ORLNET_LoadInfo() : QVZB_ORLNET_LoadRemoteDevInfoAll(index)) != 1) return false;
    const auto* record = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (const Settable& s : kSettable) {
        if (index < 0) QVZB_ORLNET_SetProperty(s.property, record + s.offset, 16);
        else QVZB_ORLNET_SetRemoteDevProperty(index, s.property, record + s.offset, 16);
    }
    return (index < 0 ? QVZB_ORLNET_SubmitInfo() : QVZB_ORLNET_SubmitRemoteDevInfoAll(index)) == 1;
}

int CDlgUpgradeOrlnet::configurationBytes() const { return kWrittenBytes; }
