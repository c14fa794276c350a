#include "core/SearchKey.h"

#include <cstring>

#include "core/Bytes.h"

namespace radlink {

SearchKey ParseSearchAnswer(std::span<const uint8_t> a) {
    return SearchKey{BigEndian16At(a, 4), a[6], a[7], BigEndian16At(a, 8), BigEndian16At(a, 10), a[12]};
}

size_t CopySearchKeyField(const SearchKey& key, int field, void* out) {
    auto put = [out](auto value) {
        std::memcpy(out, &value, sizeof value);
        return sizeof value;
    };
    switch (field) {
        case 1: return put(key.word);
        case 2: return put(key.channel);
        case 3: return put(key.rate);
        case 4: return put(key.panId);
        case 5: return put(key.address);
        case 6: return put(key.state);
        default: return 0;
    }
}

ErrorCode GetSearchKeyField(const SearchKey& key, int field, void* out) {
    if (field < 1 || field > 6) return kErrBadSearchKey;
    if (!out) return kErrBufferSmall;
    CopySearchKeyField(key, field, out);
    return kOk;
}

}  // namespace radlink
