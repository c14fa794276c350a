#include "snap/SnapRecord.h"

#include <cstring>

namespace radlink::snap {

namespace {

#define SNAP_FIELD(number, field) PropertyField{number, offsetof(SnapRecord, field), sizeof(SnapRecord::field)}

constexpr PropertyField kProperties[] = {
    SNAP_FIELD(1, MAC),         SNAP_FIELD(2, NETID),   SNAP_FIELD(3, CHANNAL), SNAP_FIELD(4, BAUD),
    SNAP_FIELD(5, DEVPARITY),   SNAP_FIELD(6, DEVDATABIT), SNAP_FIELD(7, RSV14), SNAP_FIELD(8, SPTIME),
    SNAP_FIELD(9, SPCHAR),      SNAP_FIELD(10, SPEN),   SNAP_FIELD(11, DRATE),  SNAP_FIELD(12, TXPOWER),
    SNAP_FIELD(13, WORKMOD),    SNAP_FIELD(14, ENSRC),  SNAP_FIELD(15, DSTADR), SNAP_FIELD(16, ENROUT),
    SNAP_FIELD(17, EN485),      SNAP_FIELD(18, ENUPD),  SNAP_FIELD(19, SSTRONG), SNAP_FIELD(20, VER),
    SNAP_FIELD(21, SNAPVER),
};

#undef SNAP_FIELD

constexpr size_t kNetIdOffset = offsetof(SnapRecord, NETID);

// The fields tile the record without gaps or overlaps, in property order.
constexpr bool TilesRecord() {
    size_t next = 0;
    for (const auto& p : kProperties) {
        if (p.offset != next) return false;
        next += p.width;
    }
    return next == kRecordSize;
}
static_assert(TilesRecord(), "property table must cover the record field by field");

void PutNetIdBigEndian(uint8_t* bytes, uint16_t netId) {
    bytes[kNetIdOffset] = static_cast<uint8_t>(netId >> 8);
    bytes[kNetIdOffset + 1] = static_cast<uint8_t>(netId & 0xFF);
}

}  // namespace

const PropertyField* FindProperty(int number) {
    for (const auto& p : kProperties)
        if (p.number == number) return &p;
    return nullptr;
}

bool GetProperty(const SnapRecord& record, int number, void* out) {
    const PropertyField* field = FindProperty(number);
    if (!field) return false;
    std::memcpy(out, reinterpret_cast<const uint8_t*>(&record) + field->offset, field->width);
    return true;
}

bool SetProperty(SnapRecord& record, int number, const void* in) {
    const PropertyField* field = FindProperty(number);
    if (!field) return false;
    std::memcpy(reinterpret_cast<uint8_t*>(&record) + field->offset, in, field->width);
    return true;
}

SnapRecord RecordFromWire(std::span<const uint8_t, kRecordSize> wire) {
    SnapRecord record;
    std::memcpy(&record, wire.data(), kRecordSize);
    record.NETID = static_cast<uint16_t>(wire[kNetIdOffset] << 8 | wire[kNetIdOffset + 1]);
    return record;
}

std::array<uint8_t, kRecordSize> RecordToWire(const SnapRecord& record) {
    std::array<uint8_t, kRecordSize> wire;
    std::memcpy(wire.data(), &record, kRecordSize);
    PutNetIdBigEndian(wire.data(), record.NETID);
    return wire;
}

bool SameIdentity(const SnapRecord& a, const SnapRecord& b) { return std::memcmp(&a, &b, kIdentitySize) == 0; }

}  // namespace radlink::snap
