// Codes of QVZB_GetLastError.
#pragma once

#include <cstdint>

namespace radlink {

enum ErrorCode : uint32_t {
    kOk = 0,
    kErrBufferSmall = 16,
    kErrBadProperty = 17,
    kErrPortClosed = 101,
    kErrNotLoaded = 102,
    kErrBadSearchKey = 104,
    kErrBadIndex = 105,
};

}  // namespace radlink
