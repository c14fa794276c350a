// Shorthands the exported functions share: the error code, the search-list index check, and copies into the
// caller's buffers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

#include "core/ErrorCodes.h"
#include "core/GlobalData.h"

namespace radlink {

// Clear the code on entry, store one on failure.
inline void ClearError() { Globals().lastError = kOk; }
inline int Fail(ErrorCode code) {
    Globals().lastError = code;
    return 0;
}
// 1 for kOk, else 0 with `code` stored.
inline int Result(ErrorCode code) { return code == kOk ? 1 : Fail(code); }

// Entry `index` of the search list of `family` (Globals().cel, .orlnet or .snap), or nullptr after storing code 105.
template <typename Family>
Family* EntryOrFail(Family& family, int index) {
    Family* entry = family.Entry(index);
    if (!entry) Fail(kErrBadIndex);
    return entry;
}

// Copies `record` to the caller's `out`, when it gave one.
template <typename Record>
void CopyRecordOut(Record* out, const Record& record) {
    if (out) std::memcpy(out, &record, sizeof record);
}

// Copies the first bytes of `bytes` into the caller's `out`, at most `room` of them (none when `room` is not
// positive or `out` is null); how many it copied.
inline size_t CopyAtMost(std::span<const uint8_t> bytes, unsigned char* out, int64_t room) {
    const size_t count = out && room > 0 ? std::min(bytes.size(), static_cast<size_t>(room)) : 0;
    std::copy_n(bytes.begin(), count, out);
    return count;
}

}  // namespace radlink
