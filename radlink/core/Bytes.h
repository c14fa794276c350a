// Byte-level helpers the families share: big-endian 16-bit numbers of frames and records, the little-endian
// 32-bit numbers of image headers, and a record seen as its bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace radlink {

// The big-endian 16-bit number at `at`.
inline uint16_t BigEndian16At(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// The bytes of `value`, big-endian.
inline std::array<uint8_t, 2> BigEndian16Bytes(uint16_t value) {
    return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

// The signed little-endian 32-bit number at `at`.
inline int32_t LittleEndian32At(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<int32_t>(uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
                                uint32_t{bytes[at + 3]} << 24);
}

// The 16-bit field at `at` of a record image turned, in place, from wire order (big-endian) to host order, or
// back.
void WireWordToHost(std::span<uint8_t> raw, size_t at);
void HostWordToWire(std::span<uint8_t> raw, size_t at);

// The bytes of a packed record.
template <typename Record>
std::span<const uint8_t, sizeof(Record)> RecordBytes(const Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    return std::span<const uint8_t, sizeof(Record)>(reinterpret_cast<const uint8_t*>(&record), sizeof(Record));
}
template <typename Record>
std::span<uint8_t, sizeof(Record)> RecordBytes(Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    return std::span<uint8_t, sizeof(Record)>(reinterpret_cast<uint8_t*>(&record), sizeof(Record));
}

}  // namespace radlink
