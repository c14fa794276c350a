#include "orlnet/OrlnetFrames.h"

#include <algorithm>
#include <numeric>

#include "core/Bytes.h"

namespace radlink::orlnet {

namespace {

constexpr bool yes = true, no = false;
constexpr uint32_t kAny = 1024;  // room for any answer, so that one longer than expected is seen as such

// The command table, in the order of Op.
// code, frame, addressed, block check, pause, capacity, reads, sends, resend pause, lengths, zero byte, echo end
constexpr CommandRule kRules[] = {
    {0xD1, Frame::Direct, no, no, 0, 88, 1, 1, 0, {88, 0}, -1, 4},
    {0xD2, Frame::Direct, no, no, 100, kAny, 1, 1, 0, {5, 0}, 4, 0},
    {0xD3, Frame::Direct, no, no, 0, kAny, 1, 1, 0, {5, 0}, 4, 0},
    {0xD4, Frame::Direct, no, no, 100, 13, 4, 1, 0, {13, 0}, -1, 4},
    {0xDC, Frame::Routed, yes, no, 100, 13, 4, 1, 0, {13, 0}, -1, 4},
    {0xD5, Frame::PerTarget, yes, no, 100, kAny, 4, 1, 0, {88, 92}, -1, 0},
    {0xD5, Frame::PerTarget, yes, no, 0, kAny, 4, 1, 0, {0, 0}, -1, 0},
    {0xD6, Frame::Direct, yes, no, 0, kAny, 1, 1, 0, {7, 0}, 6, 0},
    {0xD6, Frame::PerTarget, yes, no, 100, kAny, 1, 1, 0, {7, 0}, 6, 0},
    {0xD7, Frame::PerTarget, yes, yes, 100, kAny, 1, 3, 100, {9, 0}, 8, 8},
    {0xD7, Frame::PerTarget, yes, yes, 10, kAny, 1, 3, 100, {9, 0}, 8, 8},
    {0xD8, Frame::PerTarget, yes, no, 0, kAny, 1, 1, 0, {9, 0}, 8, 0},
    {0xD9, Frame::PerTarget, yes, no, 400, 0, 0, 1, 0, {0, 0}, -1, 0},
    {0xDA, Frame::Direct, yes, no, 100, kAny, 1, 1, 0, {9, 0}, 8, 0},
    {0xDB, Frame::PerTarget, yes, no, 0, kAny, 1, 1, 0, {9, 0}, 8, 0},
    {0xDD, Frame::Routed, yes, no, 0, kAny, 1, 1, 0, {7, 0}, 6, 0},
    {0xD1, Frame::Network, yes, no, 100, 4, 1, 1, 0, {0, 0}, -1, 0},
    {0xD2, Frame::Network, yes, no, 100, kAny, 1, 1, 0, {0, 0}, -1, 0},
    {0xD3, Frame::Network, yes, no, 100, kAny, 1, 1, 0, {0, 0}, -1, 0},
    {0xD5, Frame::Network, no, no, 0, 0, 0, 1, 0, {0, 0}, -1, 0},
};
static_assert(std::size(kRules) == static_cast<size_t>(Op::LedBroadcast) + 1);

constexpr size_t kRouteHead = 5;  // A5, length, command, 16-bit address: the route record follows

void Append(Bytes& to, std::span<const uint8_t> bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

}  // namespace

const CommandRule& Rule(Op op) { return kRules[static_cast<size_t>(op)]; }

Bytes BuildFrame(Op op, Target target, std::span<const uint8_t> payload) {
    const CommandRule& rule = Rule(op);
    Bytes frame;
    if (rule.frame == Frame::Network) {
        frame = {0xA5, 0, rule.code};
        if (rule.addressed) Append(frame, BigEndian16Bytes(target.address));
        Append(frame, payload);
        frame[1] = static_cast<uint8_t>(frame.size() - 2);
        frame.push_back(0x5A);
        return frame;
    }
    const bool routed = rule.frame == Frame::Routed || (rule.frame == Frame::PerTarget && target.viaRoute);
    frame = {static_cast<uint8_t>(routed ? 0xAC : 0xAB), 0xBC, 0xCD, rule.code};
    if (rule.addressed) Append(frame, BigEndian16Bytes(target.address));
    Append(frame, payload);
    frame.push_back(rule.blockCheck
                        ? std::accumulate(frame.begin() + 6, frame.end(), uint8_t{0},
                                          [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a ^ b); })
                        : std::accumulate(frame.begin(), frame.end(), uint8_t{0},
                                          [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + b); }));
    return frame;
}

bool Accepts(const CommandRule& rule, std::span<const uint8_t> request, std::span<const uint8_t> answer,
             size_t expectLength) {
    if (answer.empty()) return false;
    if (expectLength != 0) {
        if (answer.size() != expectLength) return false;
    } else if (rule.lengths[0] != 0 && answer.size() != rule.lengths[0] && answer.size() != rule.lengths[1]) {
        return false;
    }
    if (rule.zeroAt >= 0 && (answer.size() <= static_cast<size_t>(rule.zeroAt) || answer[rule.zeroAt] != 0))
        return false;
    if (rule.echoEnd != 0) {
        if (answer.size() < rule.echoEnd || request.size() < rule.echoEnd) return false;
        if (!std::equal(request.begin() + 3, request.begin() + static_cast<std::ptrdiff_t>(rule.echoEnd),
                        answer.begin() + 3))
            return false;
    }
    return true;
}

int ParseRouteAnswer(std::span<const uint8_t> answer, uint8_t code, OrlnetRoute& route) {
    if (answer.size() < 3) return 0;
    if (answer[2] != code) return answer[2] > 1 ? answer[2] : 0;  // 0 and 1 are no status codes
    // The record runs from byte 5 to the frame's final byte (at 2 + length), within what arrived.
    const size_t end = std::min(answer.size(), size_t{2} + answer[1]);
    if (end < kRouteHead + 4) return 0;
    uint8_t raw[sizeof(OrlnetRoute)] = {};
    std::copy(answer.begin() + kRouteHead, answer.begin() + static_cast<std::ptrdiff_t>(std::min(end, kRouteHead + sizeof raw)),
              raw);
    const std::span<const uint8_t> wire(raw);
    route = OrlnetRoute{};
    route.weakestSignal = static_cast<signed char>(raw[0]);
    route.weakestNodeId = BigEndian16At(wire, 1);
    route.hopCount = std::min<uint8_t>(raw[3], 20);
    for (size_t i = 0; i < route.hopCount; ++i) route.hops[i] = BigEndian16At(wire, 4 + 2 * i);
    return 1;
}

}  // namespace radlink::orlnet
