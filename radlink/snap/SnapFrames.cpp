#include "snap/SnapFrames.h"

#include <algorithm>
#include <cstring>

#include "core/Bytes.h"

namespace radlink::snap {

Address AddressOf(const SnapRecord& record) { return {record.MAC[5], record.MAC[6], record.MAC[7]}; }

Bytes RequestFrame(const Address& to, uint8_t operation, uint8_t reg, std::span<const uint8_t> data) {
    Bytes frame(kHeaderSize + data.size());
    auto out = std::copy(kLead.begin(), kLead.end(), frame.begin());
    out = std::copy(to.begin(), to.end(), out);
    *out++ = operation;
    *out++ = reg;
    std::copy(data.begin(), data.end(), out);
    return frame;
}

namespace {

bool LengthAccepted(const ReplyRule& rule, size_t requestSize, size_t size) {
    using Length = ReplyRule::Length;
    switch (rule.length) {
        case Length::NotRead: return true;
        case Length::Exact: return size == rule.count;
        case Length::RequestPlusOne: return size == requestSize + 1;
        case Length::MoreThan: return size > rule.count;
        case Length::AtLeast: return size >= rule.count;
    }
    return false;
}

bool StatusDone(const ReplyRule& rule, std::span<const uint8_t> reply) {
    if (rule.status == ReplyRule::kNoStatus) return true;
    if (reply.empty()) return false;
    size_t at = rule.status == ReplyRule::kLastByte ? reply.size() - 1 : static_cast<size_t>(rule.status);
    return at < reply.size() && reply[at] == 1;
}

bool EchoMatches(std::span<const uint8_t> request, std::span<const uint8_t> reply) {
    return request.size() >= kHeaderSize && reply.size() >= kHeaderSize &&
           std::equal(request.begin(), request.begin() + kHeaderSize, reply.begin());
}

Bytes ValueOf(const ReplyRule& rule, std::span<const uint8_t> reply) {
    const size_t from = std::min(rule.valueFrom, reply.size());
    if (rule.valueSize == ReplyRule::kToEnd) return Bytes(reply.begin() + static_cast<std::ptrdiff_t>(from), reply.end());
    Bytes value(rule.valueSize, 0);
    const size_t present = std::min(rule.valueSize, reply.size() - from);
    std::copy_n(reply.begin() + static_cast<std::ptrdiff_t>(from), present, value.begin());
    return value;
}

}  // namespace

std::optional<Bytes> JudgeReply(const ReplyRule& rule, std::span<const uint8_t> request,
                                std::span<const uint8_t> reply) {
    if (rule.length == ReplyRule::Length::NotRead) return Bytes{};
    if (!LengthAccepted(rule, request.size(), reply.size())) return std::nullopt;
    if (rule.echo && !EchoMatches(request, reply)) return std::nullopt;
    if (!StatusDone(rule, reply)) return std::nullopt;
    return ValueOf(rule, reply);
}

bool IsSearchLead(std::span<const uint8_t> bytes) {
    return bytes.size() == kSearchLeadSize && std::equal(kLead.begin(), kLead.end(), bytes.begin());
}

SnapRecord RecordFromSearchAnswer(std::span<const uint8_t, kSearchBodySize> body, uint8_t rate) {
    constexpr size_t kMacAt = 6, kNetIdAt = 14, kChannelAt = 16;
    SnapRecord record{};
    std::memcpy(record.MAC, body.data() + kMacAt, sizeof record.MAC);
    record.NETID = BigEndian16At(body, kNetIdAt);
    record.CHANNAL = body[kChannelAt];
    record.DRATE = rate;
    return record;
}

}  // namespace radlink::snap
