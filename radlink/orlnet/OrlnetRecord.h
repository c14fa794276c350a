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

using WireImage = std::array<uint8_t, kRecordSize>;

// Property `number` of the record, got and set by the rules of PropertyTable: 1-2 texts, 3 read-only; 8-10, 13
// and 14 are not the family's.
ErrorCode GetProperty(const OrlnetConfig& record, int number, void* out, int size);
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
