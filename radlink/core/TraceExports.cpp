// The frame trace's export.
#include "core/FrameTrace.h"
#include "radlink.h"

RADLINK_API int RADLINK_SetTrace(const char* path, int format) {
    if (!path || !*path) {
        radlink::StopTrace();
        return 1;
    }
    if (format != RADLINK_TRACE_TEXT && format != RADLINK_TRACE_PCAPNG) return 0;
    return radlink::StartTrace(path, format == RADLINK_TRACE_PCAPNG ? radlink::TraceFormat::Pcapng
                                                                   : radlink::TraceFormat::Text)
               ? 1
               : 0;
}
