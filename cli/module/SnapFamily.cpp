#include "module/SnapFamily.h"

#include <fmt/core.h>

#include <cstddef>
#include <cstring>

#include "radlink.h"

namespace cli {

namespace {

std::string ChannelIndex(int64_t i) { return ChannelMeaning(i + 11); }
std::string Baud(int64_t b) {
    static const int kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    return b >= 1 && b <= 8 ? fmt::format("{} baud", kBauds[b - 1]) : "unknown";
}
std::string Letter(int64_t c) { return c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : ""; }
std::string WorkMode(int64_t c) { return c == 'M' ? "host mode" : c == 'S' ? "slave mode" : "unknown"; }

using K = FieldKind;
#define AT(member) offsetof(SnapRecord, member), sizeof(SnapRecord::member)
const FieldSpec kFields[] = {
    {"MAC", 1, AT(MAC), K::Mac, nullptr, false, true},
    {"NETID", 2, AT(NETID), K::Hex},
    {"CHANNAL", 3, AT(CHANNAL), K::Unsigned, ChannelIndex},
    {"BAUD", 4, AT(BAUD), K::Unsigned, Baud},
    {"DEVPARITY", 5, AT(DEVPARITY), K::Hex, Letter},
    {"DEVDATABIT", 6, AT(DEVDATABIT), K::Unsigned},
    {"RSV14", 7, AT(RSV14), K::Hex},
    {"SPTIME", 8, AT(SPTIME), K::Unsigned},
    {"SPCHAR", 9, AT(SPCHAR), K::Mac},
    {"SPEN", 10, AT(SPEN), K::Unsigned},
    {"DRATE", 11, AT(DRATE), K::Unsigned, AirRateMeaning},
    {"TXPOWER", 12, AT(TXPOWER), K::Hex},
    {"WORKMOD", 13, AT(WORKMOD), K::Hex, WorkMode},
    {"ENSRC", 14, AT(ENSRC), K::Unsigned},
    {"DSTADR", 15, AT(DSTADR), K::Mac},
    {"ENROUT", 16, AT(ENROUT), K::Unsigned},
    {"EN485", 17, AT(EN485), K::Unsigned},
    {"ENUPD", 18, AT(ENUPD), K::Unsigned},
    {"SSTRONG", 0, AT(SSTRONG), K::Unsigned},
    {"VER", 0, AT(VER), K::Mac},
    {"SNAPVER", 0, AT(SNAPVER), K::Mac},
};
#undef AT

}  // namespace

std::span<const FieldSpec> SnapFamily::fields() const { return kFields; }

bool SnapFamily::load(Target target, Bytes& record) {
    SnapRecord r{};
    const int ok = target ? QVZB_SNAP_GetRemoteDevPropertyAll(&r, *target) : QVZB_SNAP_GetPropertyAll(&r);
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    record.assign(p, p + sizeof r);
    return ok == 1;
}

bool SnapFamily::set(Target target, const FieldSpec& field, const Bytes& value) {
    const auto size = static_cast<unsigned>(value.size());
    return (target ? QVZB_SNAP_SetRemoteDevProperty(*target, field.property, value.data(), size)
                   : QVZB_SNAP_SetProperty(field.property, value.data(), size)) == 1;
}

bool SnapFamily::submit(Target target) {
    return (target ? QVZB_SNAP_SubmitRemoteDevInfo(*target) : QVZB_SNAP_SubmitInfo()) == 1;
}

std::optional<std::string> SnapFamily::storedPassword(Target target, Record) {
    char buffer[32] = {};  // the module's 12 (local) or 9 (remote) password bytes, as the SNAP pages fetch them
    if ((target ? QVZB_SNAP_GetRemotePwd(*target, buffer) : QVZB_SNAP_GetLocalPwd(buffer)) != 1) return std::nullopt;
    return std::string(buffer, strnlen(buffer, sizeof buffer - 1));
}

void SnapFamily::clearSearch() { QVZB_SNAP_ClearSearchArr(); }
bool SnapFamily::search(int channel, int rate) { return QVZB_SNAP_SearchDev(channel, rate) == 1; }
int SnapFamily::searchCount() { return QVZB_SNAP_GetSearchDevCount(); }

Json SnapFamily::searchEntry(int index) {
    uint8_t mac[8] = {};
    uint16_t netId = 0;
    uint8_t channel = 0;
    QVZB_SNAP_GetSearchDevProperty(index, 1, mac, sizeof mac);
    QVZB_SNAP_GetSearchDevProperty(index, 2, &netId, sizeof netId);
    QVZB_SNAP_GetSearchDevProperty(index, 3, &channel, sizeof channel);
    std::string macText;
    for (size_t i = 0; i < sizeof mac; ++i) macText += fmt::format("{}{:02x}", i ? ":" : "", mac[i]);
    // SNAP answers carry no rate; the search's rate is added by the caller.
    return Json{{"mac", macText}, {"netId", netId}, {"channel", channel}};
}

}  // namespace cli
