#include "cel/CelFrames.h"

#include <algorithm>
#include <numeric>

#include "core/Bytes.h"

namespace radlink::cel {

namespace {

constexpr uint8_t kConfigLead[3] = {0xAB, 0xBC, 0xCD};
constexpr uint8_t kIoLead[3] = {0xDE, 0xDF, 0xEF};

void PutWord(Bytes& out, uint16_t v) {
    const auto bytes = BigEndian16Bytes(v);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

Bytes Header(const uint8_t (&lead)[3], uint8_t command) { return Bytes{lead[0], lead[1], lead[2], command}; }

Bytes WithSum(Bytes frame) {
    frame.push_back(SumCheck(frame));
    return frame;
}

bool StatusAt(std::span<const uint8_t> reply, size_t length) {
    return reply.size() == length && reply[length - 1] == 0;
}

}  // namespace

uint8_t SumCheck(std::span<const uint8_t> bytes) {
    return static_cast<uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

uint8_t XorCheck(std::span<const uint8_t> bytes) {
    uint8_t x = 0;
    for (uint8_t b : bytes) x ^= b;
    return x;
}

Bytes ShortFrame(ConfigCommand command, std::span<const uint8_t> parameters) {
    Bytes frame = Header(kConfigLead, command);
    frame.insert(frame.end(), parameters.begin(), parameters.end());
    return WithSum(std::move(frame));
}

Bytes AddressedFrame(ConfigCommand command, uint16_t address, std::span<const uint8_t> parameters) {
    Bytes frame = Header(kConfigLead, command);
    PutWord(frame, address);
    frame.insert(frame.end(), parameters.begin(), parameters.end());
    return WithSum(std::move(frame));
}

Bytes ControlFrame(ConfigCommand command, uint16_t address, uint16_t controlWord) {
    return AddressedFrame(command, address, BigEndian16Bytes(controlWord));
}

Bytes UpgradeBlockFrame(uint16_t address, int64_t position, std::span<const uint8_t, kUpgradeBlockData> data) {
    Bytes frame = Header(kConfigLead, kUpgradeBlock);
    PutWord(frame, address);
    PutWord(frame, static_cast<uint16_t>(position));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(XorCheck(std::span(frame).subspan(6)));
    return frame;
}

Bytes IoFrame(IoCommand command, uint16_t address, std::span<const uint8_t> parameters) {
    Bytes frame = Header(kIoLead, command);
    PutWord(frame, address);
    frame.insert(frame.end(), parameters.begin(), parameters.end());
    return frame;
}

bool AcceptLocalConfig(std::span<const uint8_t> reply) {
    return reply.size() > 3 && reply[3] == kReadLocalConfig && VariantForReplyLength(reply.size()) != nullptr;
}

bool AcceptRemoteConfig(std::span<const uint8_t> reply) {
    return reply.size() >= kMinConfigReply && std::equal(kConfigLead, kConfigLead + 3, reply.begin());
}

bool AcceptTuningAck(std::span<const uint8_t> reply) { return StatusAt(reply, 5); }
bool AcceptWriteAck(std::span<const uint8_t> reply) { return StatusAt(reply, 7); }
bool AcceptControlAck(std::span<const uint8_t> reply) { return StatusAt(reply, 9); }

bool AcceptSearchAnswer(std::span<const uint8_t> reply) {
    return reply.size() == kSearchAnswerLength && reply[3] == kSearch;
}

bool AcceptUpgradeBlockAck(std::span<const uint8_t> reply, uint16_t address, int64_t position) {
    uint8_t b[9] = {};
    std::copy_n(reply.begin(), std::min<size_t>(reply.size(), sizeof b), b);
    return b[3] == kUpgradeBlock && BigEndian16At(b, 4) == address && BigEndian16At(b, 6) == position && b[8] == 0;
}

bool AcceptIoAck(std::span<const uint8_t> reply) { return reply.size() == 7; }
bool AcceptAdReply(std::span<const uint8_t> reply) { return reply.size() == 8; }

}  // namespace radlink::cel
