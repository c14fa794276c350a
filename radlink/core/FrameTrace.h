// Opt-in record of every exchange on the serial line: monotonic time, direction, bytes and the command the bytes
// name. Started by the RADLINK_TRACE environment variable (a file name; ".pcapng" at its end writes pcapng, any
// other name readable text) at the first exchange, or by RADLINK_SetTrace.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace radlink {

enum class TraceDirection : uint8_t { ToModule = 0, FromModule = 1 };
enum class TraceFormat { Text = 0, Pcapng = 1 };

// Records one block written to or read from the module; nothing when no trace runs.
void TraceBlock(TraceDirection direction, std::span<const uint8_t> bytes);
// Starts a trace into `path` (replacing any running one); false when the file cannot be made.
bool StartTrace(const std::string& path, TraceFormat format);
void StopTrace();

// The command the bytes name ("CEL/ORLNET READ_LOCAL", "SNAP READ 0x05"), from their lead bytes; "" when unknown.
std::string FrameName(std::span<const uint8_t> bytes);

}  // namespace radlink
