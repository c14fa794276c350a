// The library's single global state: the serial channel, the last error code and one protocol object per family.
#pragma once

#include <cstdint>

#include "cel/CCELDev.h"
#include "core/ErrorCodes.h"
#include "orlnet/COrlnetDev.h"
#include "serial/SerialChannel.h"
#include "snap/CSnapDev.h"

namespace radlink {

class CGlobalData {
public:
    CGlobalData();
    virtual ~CGlobalData();
    CGlobalData(const CGlobalData&) = delete;
    CGlobalData& operator=(const CGlobalData&) = delete;

    SerialChannel channel;
    uint32_t lastError = kOk;
    CCELDev cel;
    CSnapDev snap;
    COrlnetDev orlnet;
};

// The one instance, created when the library loads.
CGlobalData& Globals();

// Shorthands for the exports: clear the code on entry, store one on failure.
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

}  // namespace radlink
