// The configuration record of the family: its property table, the record variants a module reports, the
// conversion between the wire (big-endian, variant-sized configuration area) and the host-order record, and the
// search key of a remote module. Pure data code, no I/O.
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
inline constexpr size_t kTextWidth = 16;
inline constexpr size_t kMinConfigReply = 74;

// One property of the record, addressed by its number.
struct PropertySpec {
    int number;
    size_t offset;
    size_t width;
    bool text;
    bool readable;
    bool settable;
};
const PropertySpec* FindProperty(int number);

// Copies property `number` of `record` into `out` (host order). Text properties need size > text length and copy
// the field (at most `size` bytes); numbers copy their width.
ErrorCode GetProperty(const CelRecord& record, int number, void* out, unsigned size);
// Sets property `number` of `record` from `in`. Text properties take the text up to its first zero byte (at most
// 16 bytes) and zero-pad the field; numbers copy their width.
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

// Identity of a remote module as a search answer reports it. Compared field by field (all 9 bytes).
struct SearchKey {
    uint16_t searchWord = 0;
    uint8_t channel = 0;
    uint8_t rate = 0;
    uint16_t panId = 0;
    uint16_t address = 0;
    uint8_t state = 0;
    bool operator==(const SearchKey&) const = default;
};

// Copies search-key field `field` (1 word, 2 channel, 3 rate, 4 PAN ID, 5 address, 6 state) into `out`.
ErrorCode GetSearchKeyField(const SearchKey& key, int field, void* out);

}  // namespace radlink::cel
