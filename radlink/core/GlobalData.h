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

}  // namespace radlink
