// The configuration record of the family: its properties, the record variants a module reports, and the
// conversion between the wire (big-endian, variant-sized configuration area) and the host-order record. Pure data
// code, no I/O.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/ErrorCodes.h"
#include "radlink.h"

namespace radlink::cel {

using Bytes = std::vector<uint8_t>;

inline constexpr size_t kRecordSize = sizeof(CelRecord);  // 81
inline constexpr size_t kConfigAreaSize = 76;              // offsets 0-75, sent by WRITE_CONFIG
inline constexpr size_t kTailSize = 5;                     // runState, controlWord, firmwareVersion
inline constexpr size_t kMinConfigReply = 74;

// Property `number` of the record, got and set by the rules of PropertyTable: 1-2 texts, 3 read-only, 22-27
// set-only.
ErrorCode GetProperty(const CelRecord& record, int number, void* out, unsigned size);
ErrorCode SetProperty(CelRecord& record, int number, const void* in);

// Record variants, fixed by the length of the module's configuration reply.
struct VariantSpec {
    uint8_t code;          // 70, 71, 64, 65
    size_t replyLength;    // 85, 80, 79, 74
    size_t areaLength;     // configuration bytes the module has: 76, 71, 70, 65
    bool lowPowerWords;    // the three low-power words travel big-endian
    bool noSendMode;       // sendMode forced to 0x88
    bool noVoice;          // compression forced to 0x99
};
const VariantSpec* VariantForReplyLength(size_t length);
const VariantSpec* VariantForCode(uint8_t code);

// The record a configuration reply (header, area, 5-byte tail; at least 74 bytes) carries. The area is what lies
// between the header and the tail (at most 76 bytes); offsets it does not reach read zero. Known lengths apply
// their variant's conversions and forced values.
CelRecord DecodeConfigReply(std::span<const uint8_t> reply);

// The configuration area WRITE_CONFIG sends for `variant`, 16-bit fields big-endian.
Bytes EncodeConfigArea(const CelRecord& record, const VariantSpec& variant);

}  // namespace radlink::cel
