// Request frames of the family, the command table that says how each is answered, and the judges of the answers.
// Pure functions, no I/O.
//
// Configuration frames: AB BC CD (AC BC CD for a module reached over a route), command, [16-bit target address],
// payload, sum of all preceding bytes; the firmware block ends with the exclusive-or of its bytes 6-71 instead.
// Network frames: A5, length (bytes from the command up to the final 5A), command, [16-bit address], payload, 5A.
// Multi-byte numbers are big-endian on the wire.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/SearchKey.h"
#include "radlink.h"

namespace radlink::orlnet {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kRunStateNormal = 0xAA;
inline constexpr size_t kBlockData = 64;
inline constexpr size_t kMaxDataLength = 252;  // the network frame's length byte counts 3 more

// Every exchange the family knows. Some commands appear twice because their pauses or answers differ by use.
enum class Op {
    ReadLocal,     // D1
    SetChannel,    // D2
    SetRate,       // D3
    Search,        // D4
    SearchById,    // DC
    ReadWhole,     // D5, whole record of a remote module
    ReadPart,      // D5 with offset and length
    WriteLocal,    // D6 to the local module
    WriteRemote,   // D6 to a remote module
    BlockRegion1,  // D7
    BlockRegion2,  // D7
    EndUpgrade,    // D8
    Restart,       // D9
    FactoryReset,  // DA
    EnterUpgrade,  // DB
    Led,           // DD
    SendData,      // A5 .. D1 .. 5A
    RouteLocal,    // A5 03 D2 .. 5A
    RouteRemote,   // A5 03 D3 .. 5A
    LedBroadcast,  // A5 02 D5 .. 5A
};

enum class Frame : uint8_t {
    Direct,     // configuration frame, always AB
    PerTarget,  // configuration frame, AC for a module reached over a route
    Routed,     // configuration frame, always AC
    Network,    // A5 ... 5A
};

struct CommandRule {
    uint8_t code;
    Frame frame;
    bool addressed;      // a 16-bit target address follows the command
    bool blockCheck;     // exclusive-or of bytes 6.. instead of the sum
    int pauseMs;         // after sending, before the first read (or before going on when nothing is read)
    uint32_t capacity;   // bytes one read may take; 0: no answer is awaited
    int reads;           // reads of one request before it counts as unanswered
    int sends;           // sends of the same frame before giving up
    int resendPauseMs;   // pause before a frame is sent again
    std::array<uint8_t, 2> lengths;  // answer lengths accepted; {0, 0}: any answer of at least one byte
    int zeroAt;          // answer byte that must be 0; -1: none
    size_t echoEnd;      // the answer repeats request bytes 3 .. echoEnd-1; 0: not checked
};
const CommandRule& Rule(Op op);

// Where a frame goes: the target's network address and whether it is reached over a route.
struct Target {
    uint16_t address = 0;
    bool viaRoute = false;
};

Bytes BuildFrame(Op op, Target target, std::span<const uint8_t> payload = {});

// Whether `answer` answers `request` under `rule`; `expectLength`, when not 0, is the one length accepted.
bool Accepts(const CommandRule& rule, std::span<const uint8_t> request, std::span<const uint8_t> answer,
             size_t expectLength = 0);

// An accepted 13-byte search answer carries the module's key in bytes 4-12: ParseSearchAnswer.

// The verdict on a route answer to `code` (D2 or D3): 1 with `route` filled (host order, at most 20 hops, bytes
// the frame does not carry read 0), 0 for an answer too short to judge or to hold the record's head, else the
// module's status code from byte 2.
int ParseRouteAnswer(std::span<const uint8_t> answer, uint8_t code, OrlnetRoute& route);

}  // namespace radlink::orlnet
