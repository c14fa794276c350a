#include "core/PropertyTable.h"

#include <algorithm>
#include <cstring>

namespace radlink {

const PropertySpec* PropertyTable::Find(int number) const {
    for (const PropertySpec& p : specs_)
        if (p.number == number) return &p;
    return nullptr;
}

ErrorCode PropertyTable::Get(std::span<const uint8_t> record, int number, void* out, int64_t size) const {
    const PropertySpec* p = Find(number);
    if (!p || !p->readable) return kErrBadProperty;
    if (!out) return kErrBufferSmall;
    const std::span<const uint8_t> field = record.subspan(p->offset, p->width);
    size_t width = p->width;
    if (p->text) {
        const size_t length = strnlen(reinterpret_cast<const char*>(field.data()), kTextWidth);
        if (size <= static_cast<int64_t>(length)) return kErrBufferSmall;
        width = static_cast<size_t>(std::min(static_cast<int64_t>(width), size));  // never past the caller's room
    }
    std::memcpy(out, field.data(), width);
    return kOk;
}

ErrorCode PropertyTable::Set(std::span<uint8_t> record, int number, const void* in) const {
    const PropertySpec* p = Find(number);
    if (!p || !p->settable) return kErrBadProperty;
    if (!in) return kErrBufferSmall;
    const std::span<uint8_t> field = record.subspan(p->offset, p->width);
    if (p->text) {
        const size_t length = strnlen(static_cast<const char*>(in), kTextWidth);
        std::memset(field.data(), 0, kTextWidth);
        std::memcpy(field.data(), in, length);
    } else {
        std::memcpy(field.data(), in, p->width);
    }
    return kOk;
}

}  // namespace radlink
