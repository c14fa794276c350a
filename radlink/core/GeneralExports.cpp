// The general functions and the raw channel functions.
#include "core/ExportHelpers.h"
#include "radlink.h"

using namespace radlink;

namespace {
constexpr uint32_t kWriteTimeoutMs = 3000;
}

extern "C" {

RADLINK_API int QVZB_OpenCom(const char* portName, int baud, int byteSize, int parity, int stopBits, int reserved,
                             int rtsControl, int ctsFlow, int dsrFlow, unsigned int readTimeoutMs) {
    ClearError();
    return Globals().channel.Open(portName, baud, byteSize, parity, stopBits, reserved, rtsControl, ctsFlow,
                                  dsrFlow, readTimeoutMs, kWriteTimeoutMs);
}

RADLINK_API int QVZB_CloseCom(void) {
    ClearError();
    Globals().channel.Close();
    return 1;
}

RADLINK_API int QVZB_ComCheckOpen(void) { return Globals().channel.IsOpen() ? 1 : 0; }

RADLINK_API int QVZB_GetLastError(void) { return static_cast<int>(Globals().lastError); }

RADLINK_API int QVZB_ORLNET_Write(const unsigned char* buffer, int length, unsigned int* count, int timeoutHint) {
    ClearError();
    if (count) *count = 0;
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    if (length < 0) return 0;
    return Globals().channel.Write(buffer, static_cast<uint32_t>(length), count, timeoutHint);
}

RADLINK_API int QVZB_ORLNET_Read(unsigned char* buffer, int capacity, unsigned int* count, int timeoutHint) {
    ClearError();
    if (count) *count = 0;
    if (!Globals().channel.IsOpen()) return Fail(kErrPortClosed);
    if (capacity < 0) return 0;
    return Globals().channel.Read(buffer, static_cast<uint32_t>(capacity), count, timeoutHint);
}

}  // extern "C"
