// A record's property table: the fields the exports get and set by property number, and the rules they are got
// and set by. Each family keeps its table; the rules are the same for all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

#include "core/ErrorCodes.h"

namespace radlink {

struct PropertySpec {
    int number;
    size_t offset;
    size_t width;
    bool text;  // a zero-terminated text in a field of PropertyTable::kTextWidth bytes
    bool readable;
    bool settable;
};

class PropertyTable {
public:
    static constexpr size_t kTextWidth = 16;
    // The room to pass for a caller that declares none.
    static constexpr int64_t kUndeclaredSize = std::numeric_limits<int64_t>::max();

    constexpr explicit PropertyTable(std::span<const PropertySpec> specs) : specs_(specs) {}

    // Every field lies within a record of `recordSize` bytes, and every text field is kTextWidth bytes wide.
    constexpr bool Fits(size_t recordSize) const {
        for (const PropertySpec& p : specs_)
            if (p.offset + p.width > recordSize || (p.text && p.width != kTextWidth)) return false;
        return true;
    }

    const PropertySpec* Find(int number) const;

    // Copies property `number` of `record` into `out`. kErrBadProperty for a number the table has not or cannot
    // read, then kErrBufferSmall without `out`. A text needs `size` (the room the caller declared) above its
    // length and copies its field, at most `size` bytes; a number copies its width.
    ErrorCode Get(std::span<const uint8_t> record, int number, void* out, int64_t size) const;
    // Sets property `number` of `record` from `in`. kErrBadProperty for a number the table has not or cannot set,
    // then kErrBufferSmall without `in`. A text takes `in` up to its first zero byte (at most kTextWidth bytes) and
    // zero-pads the field; a number copies its width.
    ErrorCode Set(std::span<uint8_t> record, int number, const void* in) const;

private:
    std::span<const PropertySpec> specs_;
};

}  // namespace radlink
