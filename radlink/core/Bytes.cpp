#include "core/Bytes.h"

#include <cstring>

namespace radlink {

void WireWordToHost(std::span<uint8_t> raw, size_t at) {
    const uint16_t v = BigEndian16At(raw, at);
    std::memcpy(raw.data() + at, &v, 2);
}

void HostWordToWire(std::span<uint8_t> raw, size_t at) {
    uint16_t v;
    std::memcpy(&v, raw.data() + at, 2);
    const auto wire = BigEndian16Bytes(v);
    raw[at] = wire[0];
    raw[at + 1] = wire[1];
}

}  // namespace radlink
