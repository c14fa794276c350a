// What the harnesses share: an input is a selector byte (which judge, for which request) and the bytes a module
// sent. Results are consumed so that no judging or decoding is optimised away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace fuzz {

struct Input {
    uint8_t selector;
    std::span<const uint8_t> answer;
};

inline bool Split(const uint8_t* data, size_t size, Input& in) {
    if (size < 1) return false;
    in = Input{data[0], std::span<const uint8_t>(data + 1, size - 1)};
    return true;
}

// Reads every byte of `value`, as a caller copying it out would.
template <typename T>
void Consume(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    volatile unsigned char sink = 0;
    for (unsigned char b : bytes) sink = static_cast<unsigned char>(sink ^ b);
    (void)sink;
}

}  // namespace fuzz
