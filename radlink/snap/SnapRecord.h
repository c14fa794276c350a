// The configuration record (38 bytes): its property table, its wire form and the identity of a search-list entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "radlink.h"

namespace radlink::snap {

inline constexpr size_t kRecordSize = 38;
static_assert(sizeof(SnapRecord) == kRecordSize, "SnapRecord must be packed to 38 bytes");

// Properties 1-21 address the record's fields one by one, in order; every one is a number (host order), readable
// and settable.
bool IsProperty(int number);
// Copy the field of property `number` out of / into the record; false for an unknown number.
bool GetProperty(const SnapRecord& record, int number, void* out);
bool SetProperty(SnapRecord& record, int number, const void* in);

// The record as the module sends it (NETID big-endian) and back.
SnapRecord RecordFromWire(std::span<const uint8_t, kRecordSize> wire);
std::array<uint8_t, kRecordSize> RecordToWire(const SnapRecord& record);

// A search-list entry is identified by the first 11 record bytes: MAC, NETID, CHANNAL.
inline constexpr size_t kIdentitySize = 11;
bool SameIdentity(const SnapRecord& a, const SnapRecord& b);

}  // namespace radlink::snap
