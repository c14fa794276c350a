// Register frames and the judging of their replies. Pure functions, no I/O.
//
// Request: 5A 5F FA, 3-byte module address, operation (55 read, AA write or command), register, data. The reply
// repeats the request, then carries a status byte (1 = done) and the data of a read. No check bytes; multi-byte
// numbers big-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "snap/SnapRecord.h"

namespace radlink::snap {

using Bytes = std::vector<uint8_t>;
using Address = std::array<uint8_t, 3>;

inline constexpr Address kLocalAddress{0x00, 0x00, 0x00};
inline constexpr Address kBroadcastAddress{0xFF, 0xFF, 0xFF};
inline constexpr std::array<uint8_t, 3> kLead{0x5A, 0x5F, 0xFA};
inline constexpr size_t kHeaderSize = 8;

enum Operation : uint8_t { kRead = 0x55, kWrite = 0xAA };

// A module's address: the last three bytes of its MAC.
Address AddressOf(const SnapRecord& record);

Bytes RequestFrame(const Address& to, uint8_t operation, uint8_t reg, std::span<const uint8_t> data = {});

// When a reply is accepted and which of its bytes are the value.
struct ReplyRule {
    enum class Length : uint8_t { NotRead, Exact, RequestPlusOne, MoreThan, AtLeast };
    static constexpr int kNoStatus = -1;
    static constexpr int kLastByte = -2;
    static constexpr size_t kToEnd = static_cast<size_t>(-1);

    Length length = Length::NotRead;
    size_t count = 0;           // for Exact, MoreThan, AtLeast
    bool echo = false;          // bytes 0-7 repeat the request header
    int status = kNoStatus;     // index of the byte that must be 1, or kLastByte
    size_t valueFrom = 0;
    size_t valueSize = 0;       // kToEnd: the rest of the reply; a fixed size reads missing bytes as 0

    static constexpr ReplyRule NotRead() { return {}; }
    static constexpr ReplyRule Exact(size_t n) { return Sized(Length::Exact, n); }
    static constexpr ReplyRule RequestPlusOne() { return Sized(Length::RequestPlusOne, 0).Status(kLastByte); }
    static constexpr ReplyRule MoreThan(size_t n) { return Sized(Length::MoreThan, n); }
    static constexpr ReplyRule AtLeast(size_t n) { return Sized(Length::AtLeast, n); }
    constexpr ReplyRule Echo() const { ReplyRule r = *this; r.echo = true; return r; }
    constexpr ReplyRule Status(int at) const { ReplyRule r = *this; r.status = at; return r; }
    constexpr ReplyRule Value(size_t from, size_t size = kToEnd) const {
        ReplyRule r = *this; r.valueFrom = from; r.valueSize = size; return r;
    }

private:
    static constexpr ReplyRule Sized(Length l, size_t n) { ReplyRule r; r.length = l; r.count = n; return r; }
};

// The value of an accepted reply (empty when the rule takes none), or nothing when the rule rejects it.
std::optional<Bytes> JudgeReply(const ReplyRule& rule, std::span<const uint8_t> request,
                                std::span<const uint8_t> reply);

// Search answers come as the three lead bytes, then 17 bytes: the rest of the request header, the status byte and
// the module's MAC, NETID (big-endian) and channel index.
inline constexpr size_t kSearchLeadSize = 3;
inline constexpr size_t kSearchBodySize = 17;
bool IsSearchLead(std::span<const uint8_t> bytes);
// A new entry's record: MAC, NETID and CHANNAL from the answer, DRATE the searched rate, every other byte 0.
SnapRecord RecordFromSearchAnswer(std::span<const uint8_t, kSearchBodySize> body, uint8_t rate);

}  // namespace radlink::snap
