#include "module/OrlnetFamily.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "module/SearchKeyFields.h"
#include "radlink.h"

namespace cli {

namespace {

std::string DeviceType(int64_t t) {
    switch (t) {
        case 0: return "end device";
        case 1: return "router";
        case 2: return "ORLNET device";
        default: return "unknown";
    }
}
std::string Parity(int64_t p) {
    static const char* const kNames[] = {"none", "odd", "even", "forced 0", "forced 1"};
    return p >= 0 && p < 5 ? kNames[p] : "unknown";
}
std::string Dbm(int64_t v) { return std::to_string(v) + " dBm"; }
std::string Ms(int64_t v) { return std::to_string(v) + " ms"; }

using K = FieldKind;
#define AT(member) offsetof(OrlnetConfig, member), sizeof(OrlnetConfig::member)
const FieldSpec kFields[] = {
    {"deviceName", 1, AT(deviceName), K::Text, nullptr, false, true},
    {"password", 2, AT(password), K::Text, nullptr, true},
    {"deviceType", 4, AT(deviceType), K::Unsigned, DeviceType},
    {"channel", 5, AT(channel), K::Unsigned, ChannelMeaning},
    {"panId", 6, AT(panId), K::Hex},
    {"netAddress", 7, AT(netAddress), K::Hex, nullptr, false, true},
    {"airRate", 11, AT(airRate), K::Unsigned, AirRateMeaning},
    {"txPower", 12, AT(txPower), K::Hex},
    {"baudIndex", 15, AT(baudIndex), K::Unsigned, BaudIndexMeaning},
    {"dataBits", 16, AT(dataBits), K::Unsigned},
    {"parity", 17, AT(parity), K::Unsigned, Parity},
    {"stopBits", 18, AT(stopBits), K::Unsigned},
    {"routeTableLifetime", 19, AT(routeTableLifetime), K::Unsigned},
    {"tempRouteLifetime", 20, AT(tempRouteLifetime), K::Unsigned, Ms},
    {"routeQueryTimeout", 21, AT(routeQueryTimeout), K::Unsigned, Ms},
    {"routeRetryTime", 27, AT(routeRetryTime), K::Unsigned, Ms},
    {"routeRetryCount", 28, AT(routeRetryCount), K::Unsigned},
    {"dataAccessTimeout", 22, AT(dataAccessTimeout), K::Unsigned, Ms},
    {"shortPathResendTime", 23, AT(shortPathResendTime), K::Unsigned, Ms},
    {"shortPathRetryCount", 24, AT(shortPathRetryCount), K::Unsigned},
    {"minSignal", 25, AT(minSignal), K::Signed, Dbm},
    {"bestSignal", 26, AT(bestSignal), K::Signed, Dbm},
    {"runState", 0, AT(runState), K::Hex, RunStateMeaning},
    {"controlWord", 0, AT(controlWord), K::Hex},
    {"firmwareVersion", 0, AT(firmwareVersion), K::Hex, FirmwareMeaning},
};
#undef AT

}  // namespace

std::span<const FieldSpec> OrlnetFamily::fields() const { return kFields; }

bool OrlnetFamily::load(Target target, Bytes& record) {
    OrlnetConfig r{};
    const int ok = target ? QVZB_ORLNET_GetRemoteDevPropertyAll(&r, *target) : QVZB_ORLNET_GetPropertyAll(&r);
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    record.assign(p, p + sizeof r);
    return ok == 1;
}

bool OrlnetFamily::set(Target target, const FieldSpec& field, const Bytes& value) {
    Bytes buffer = value;
    buffer.push_back(0);
    const auto size = static_cast<int>(value.size());
    return (target ? QVZB_ORLNET_SetRemoteDevProperty(*target, field.property, buffer.data(), size)
                   : QVZB_ORLNET_SetProperty(field.property, buffer.data(), size)) == 1;
}

bool OrlnetFamily::submit(Target target) {
    return (target ? QVZB_ORLNET_SubmitRemoteDevInfoAll(*target) : QVZB_ORLNET_SubmitInfo()) == 1;
}

int OrlnetFamily::upgrade(Target target, const std::string& image, Record current, const UpgradeProgress& progress) {
    OrlnetConfig r{};
    std::memcpy(&r, current.data(), std::min(sizeof r, current.size()));
    return RADLINK_ORLNET_UpdateWithProgress(target.value_or(-1), image.c_str(), r.runState, r.netAddress, r.controlWord,
                                         ForwardUpgradeProgress, const_cast<UpgradeProgress*>(&progress));
}

void OrlnetFamily::clearSearch() { QVZB_ORLNET_ClearSearchArr(); }
bool OrlnetFamily::search(int channel, int rate) { return QVZB_ORLNET_SearchDev(channel, rate) == 1; }
int OrlnetFamily::searchCount() { return QVZB_ORLNET_GetSearchDevCount(); }

Json OrlnetFamily::searchEntry(int index) {
    return SearchKeyJson([index](int field, void* out, unsigned size) {
        return QVZB_ORLNET_GetSearchDevProperty(index, field, out, static_cast<int>(size)) == 1;
    });
}

}  // namespace cli
