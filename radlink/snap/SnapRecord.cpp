#include "snap/SnapRecord.h"

#include <cstring>

#include "core/Bytes.h"
#include "core/PropertyTable.h"

namespace radlink::snap {

namespace {

// A number field, readable and settable.
#define SNAP_FIELD(number, field) \
    PropertySpec{number, offsetof(SnapRecord, field), sizeof(SnapRecord::field), false, true, true}

constexpr PropertySpec kPropertySpecs[] = {
    SNAP_FIELD(1, MAC),         SNAP_FIELD(2, NETID),   SNAP_FIELD(3, CHANNAL), SNAP_FIELD(4, BAUD),
    SNAP_FIELD(5, DEVPARITY),   SNAP_FIELD(6, DEVDATABIT), SNAP_FIELD(7, RSV14), SNAP_FIELD(8, SPTIME),
    SNAP_FIELD(9, SPCHAR),      SNAP_FIELD(10, SPEN),   SNAP_FIELD(11, DRATE),  SNAP_FIELD(12, TXPOWER),
    SNAP_FIELD(13, WORKMOD),    SNAP_FIELD(14, ENSRC),  SNAP_FIELD(15, DSTADR), SNAP_FIELD(16, ENROUT),
    SNAP_FIELD(17, EN485),      SNAP_FIELD(18, ENUPD),  SNAP_FIELD(19, SSTRONG), SNAP_FIELD(20, VER),
    SNAP_FIELD(21, SNAPVER),
};

#undef SNAP_FIELD

constexpr PropertyTable kProperties{kPropertySpecs};

constexpr size_t kNetIdOffset = offsetof(SnapRecord, NETID);

// The fields tile the record without gaps or overlaps, in property order.
constexpr bool TilesRecord() {
    size_t next = 0;
    for (const auto& p : kPropertySpecs) {
        if (p.offset != next) return false;
        next += p.width;
    }
    return next == kRecordSize;
}
static_assert(TilesRecord(), "property table must cover the record field by field");

}  // namespace

bool IsProperty(int number) { return kProperties.Find(number) != nullptr; }

// No texts: the size the caller declared plays no part.
bool GetProperty(const SnapRecord& record, int number, void* out) {
    return kProperties.Get(RecordBytes(record), number, out, PropertyTable::kUndeclaredSize) == kOk;
}

bool SetProperty(SnapRecord& record, int number, const void* in) {
    return kProperties.Set(RecordBytes(record), number, in) == kOk;
}

SnapRecord RecordFromWire(std::span<const uint8_t, kRecordSize> wire) {
    SnapRecord record;
    std::memcpy(&record, wire.data(), kRecordSize);
    WireWordToHost(RecordBytes(record), kNetIdOffset);
    return record;
}

std::array<uint8_t, kRecordSize> RecordToWire(const SnapRecord& record) {
    std::array<uint8_t, kRecordSize> wire;
    std::memcpy(wire.data(), &record, kRecordSize);
    HostWordToWire(wire, kNetIdOffset);
    return wire;
}

bool SameIdentity(const SnapRecord& a, const SnapRecord& b) { return std::memcmp(&a, &b, kIdentitySize) == 0; }

}  // namespace radlink::snap
