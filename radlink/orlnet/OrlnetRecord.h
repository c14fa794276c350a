// The family's configuration record: its property table, the conversion between the wire image (16-bit fields
// big-endian) and the host-order record, and the spans that part reads and writes address. Pure data code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/ErrorCodes.h"
#include "radlink.h"

namespace radlink::orlnet {

inline constexpr size_t kRecordSize = sizeof(OrlnetConfig);  // 84
inline constexpr size_t kWrittenSize = 79;                   // offsets 0-78 travel in write commands
inline constexpr size_t kTailSize = kRecordSize - kWrittenSize;
inline constexpr size_t kTextWidth = 16;

using WireImage = std::array<uint8_t, kRecordSize>;

// One property of the record, addressed by its number.
struct PropertySpec {
    int number;
    size_t offset;
    size_t width;
    bool text;
    bool settable;
};
const PropertySpec* FindProperty(int number);

// Copies property `number` of `record` into `out`: a text needs size > its length and copies the field (at most
// `size` bytes); a number copies its 1 or 2 bytes in host order.
ErrorCode GetProperty(const OrlnetConfig& record, int number, void* out, int size);
// Sets property `number` of `record` from `in`: a text takes up to its first zero byte (at most 16 bytes) and
// zero-pads the field; a number copies its width.
ErrorCode SetProperty(OrlnetConfig& record, int number, const void* in);

WireImage ToWire(const OrlnetConfig& record);
OrlnetConfig FromWire(const WireImage& wire);

// The record a module reports: written part from `written` (79 bytes), the module-only tail from `tail` (5).
OrlnetConfig FromAnswer(std::span<const uint8_t, kWrittenSize> written, std::span<const uint8_t, kTailSize> tail);
// `record` with the wire bytes `span` put at `offset` of its written part and a new tail. Fields cut by the
// span's ends keep their other byte.
OrlnetConfig WithSpan(const OrlnetConfig& record, size_t offset, std::span<const uint8_t> span,
                      std::span<const uint8_t, kTailSize> tail);

// A span of the written part that part reads and writes may address.
bool ValidSpan(int offset, int length);

// Record bytes 0-78 of `from` replace those of `to`; the tail stays.
void CopyWritten(OrlnetConfig& to, const OrlnetConfig& from);

}  // namespace radlink::orlnet
