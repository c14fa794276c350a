// Identity of a remote module as a search answer reports it, in the families whose answers carry one (CEL and
// ORLNET). Two answers with equal keys come from the same module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/ErrorCodes.h"

namespace radlink {

// 16-bit values in host order; compared field by field (all 9 bytes).
struct SearchKey {
    uint16_t word = 0;  // search word
    uint8_t channel = 0;
    uint8_t rate = 0;
    uint16_t panId = 0;
    uint16_t address = 0;
    uint8_t state = 0;
    bool operator==(const SearchKey&) const = default;
};

// The key in bytes 4-12 of a search answer of at least 13 bytes, 16-bit values big-endian there.
SearchKey ParseSearchAnswer(std::span<const uint8_t> answer);

// Copies field `field` of `key` (1 word, 2 channel, 3 rate, 4 PAN ID, 5 address, 6 state) into `out`, host
// order: its width, or 0 with nothing copied for another number.
size_t CopySearchKeyField(const SearchKey& key, int field, void* out);
// The same with the exports' codes: kErrBadSearchKey for another number, then kErrBufferSmall without `out`.
ErrorCode GetSearchKeyField(const SearchKey& key, int field, void* out);

}  // namespace radlink
