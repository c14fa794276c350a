#include "module/CelFamily.h"

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
        case 2: return "coordinator";
        default: return "unknown";
    }
}
std::string Parity(int64_t p) { return p == 0 ? "none" : p == 1 ? "odd" : p == 2 ? "even" : "unknown"; }
std::string SendMode(int64_t m) { return m == 0 ? "unicast" : m == 1 ? "broadcast" : m == 0x88 ? "none" : "unknown"; }
std::string RetryInterval(int64_t i) { return std::to_string(i * 100) + " ms"; }
std::string Compression(int64_t c) { return c == 0x99 ? "no voice" : ""; }
std::string ProductLine(int64_t w) { return CelProductLine(w); }

using K = FieldKind;
#define AT(member) offsetof(CelRecord, member), sizeof(CelRecord::member)
const FieldSpec kFields[] = {
    {"deviceName", 1, AT(deviceName), K::Text, nullptr, false, true},
    {"password", 2, AT(password), K::Text, nullptr, true},
    {"deviceType", 4, AT(deviceType), K::Unsigned, DeviceType},
    {"channel", 5, AT(channel), K::Unsigned, ChannelMeaning},
    {"panId", 6, AT(panId), K::Hex},
    {"netAddress", 7, AT(netAddress), K::Hex, nullptr, false, true},
    {"macAddress", 8, AT(macAddress), K::Mac, nullptr, false, true},
    {"dstNetAddress", 9, AT(dstNetAddress), K::Hex},
    {"dstMacAddress", 10, AT(dstMacAddress), K::Mac},
    {"airRate", 11, AT(airRate), K::Unsigned, AirRateMeaning},
    {"txPower", 12, AT(txPower), K::Hex},
    {"retryCount", 13, AT(retryCount), K::Unsigned},
    {"retryInterval", 14, AT(retryInterval), K::Unsigned, RetryInterval},
    {"baudIndex", 15, AT(baudIndex), K::Unsigned, BaudIndexMeaning},
    {"dataBits", 16, AT(dataBits), K::Unsigned},
    {"parity", 17, AT(parity), K::Unsigned, Parity},
    {"stopBits", 18, AT(stopBits), K::Unsigned},
    {"sendMode", 19, AT(sendMode), K::Hex, SendMode},
    {"sleepTimeMs", 25, AT(sleepTimeMs), K::Unsigned},
    {"receiveDelayMs", 26, AT(receiveDelayMs), K::Unsigned},
    {"forwardDelayMs", 27, AT(forwardDelayMs), K::Unsigned},
    {"sampleRate", 20, AT(sampleRate), K::Unsigned},
    {"compression", 21, AT(compression), K::Hex, Compression},
    {"voiceMode", 22, AT(voiceMode), K::Unsigned},
    {"outputVolume", 23, AT(outputVolume), K::Unsigned},
    {"micVolume", 24, AT(micVolume), K::Unsigned},
    {"runState", 0, AT(runState), K::Hex, RunStateMeaning},
    {"controlWord", 0, AT(controlWord), K::Unsigned, ProductLine},
    {"firmwareVersion", 0, AT(firmwareVersion), K::Hex, FirmwareMeaning},
};
#undef AT

}  // namespace

std::string CelProductLine(int64_t w) { return w == 1 ? "Quickmesh" : w == 2 ? "VNET" : "unknown"; }

std::span<const FieldSpec> CelFamily::fields() const { return kFields; }

bool CelFamily::load(Target target, Bytes& record) {
    CelRecord r{};
    const int ok = target ? QVZB_CEL_GetRemoteDevPropertyAll(&r, *target) : QVZB_CEL_GetPropertyAll(&r);
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    record.assign(p, p + sizeof r);
    return ok == 1;
}

bool CelFamily::set(Target target, const FieldSpec& field, const Bytes& value) {
    Bytes buffer = value;
    buffer.push_back(0);  // texts: the library copies the field's width from a terminated buffer
    const auto size = static_cast<unsigned>(value.size());
    return (target ? QVZB_CEL_SetRemoteDevProperty(*target, field.property, buffer.data(), size)
                   : QVZB_CEL_SetProperty(field.property, buffer.data(), size)) == 1;
}

bool CelFamily::submit(Target target) {
    return (target ? QVZB_CEL_SubmitRemoteDevInfo(*target) : QVZB_CEL_SubmitInfo()) == 1;
}

int CelFamily::upgrade(Target target, const std::string& image, Record current, const UpgradeProgress& progress) {
    CelRecord r{};
    std::memcpy(&r, current.data(), std::min(sizeof r, current.size()));
    return RADLINK_CEL_UpdateWithProgress(target.value_or(-1), image.c_str(), r.runState, r.netAddress, r.controlWord,
                                         ForwardUpgradeProgress, const_cast<UpgradeProgress*>(&progress));
}

void CelFamily::clearSearch() { QVZB_CEL_ClearSearchArr(); }
bool CelFamily::search(int channel, int rate) { return QVZB_CEL_SearchDev(channel, rate) == 1; }
int CelFamily::searchCount() { return QVZB_CEL_GetSearchDevCount(); }

Json CelFamily::searchEntry(int index) {
    return SearchKeyJson([index](int field, void* out, unsigned size) {
        return QVZB_CEL_GetSearchDevProperty(index, field, out, size) == 1;
    });
}

std::optional<int> CelFamily::restoreEntry(const Json& entry) {
    clearSearch();
    try {
        QVZB_CEL_HandAddDev(entry.at("word").get<int>(), entry.at("channel").get<int>(), entry.at("rate").get<int>(),
                            entry.at("panId").get<int>(), entry.at("address").get<int>(),
                            entry.at("state").get<int>());
    } catch (const Json::exception&) {
        return std::nullopt;
    }
    return searchCount() == 1 ? std::optional<int>(0) : std::nullopt;
}

}  // namespace cli
