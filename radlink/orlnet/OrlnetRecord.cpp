#include "orlnet/OrlnetRecord.h"

#include <algorithm>
#include <cstring>

namespace radlink::orlnet {

static_assert(sizeof(OrlnetConfig) == 84 && sizeof(OrlnetRoute) == 44);
static_assert(offsetof(OrlnetConfig, panId) == 34 && offsetof(OrlnetConfig, reserved46) == 46);
static_assert(offsetof(OrlnetConfig, airRate) == 56 && offsetof(OrlnetConfig, baudIndex) == 60);
static_assert(offsetof(OrlnetConfig, dataAccessTimeout) == 73 && offsetof(OrlnetConfig, runState) == 79);
static_assert(offsetof(OrlnetConfig, firmwareVersion) == 82 && offsetof(OrlnetRoute, hops) == 4);

namespace {

constexpr bool S = true, no = false;

// number, offset, width, text, settable (8, 9, 10, 13 and 14 are not the family's)
constexpr std::array<PropertySpec, 23> kProperties{{
    {1, offsetof(OrlnetConfig, deviceName), 16, true, S},
    {2, offsetof(OrlnetConfig, password), 16, true, S},
    {3, offsetof(OrlnetConfig, firmwareVersion), 2, false, no},
    {4, offsetof(OrlnetConfig, deviceType), 1, false, S},
    {5, offsetof(OrlnetConfig, channel), 1, false, S},
    {6, offsetof(OrlnetConfig, panId), 2, false, S},
    {7, offsetof(OrlnetConfig, netAddress), 2, false, S},
    {11, offsetof(OrlnetConfig, airRate), 1, false, S},
    {12, offsetof(OrlnetConfig, txPower), 1, false, S},
    {15, offsetof(OrlnetConfig, baudIndex), 1, false, S},
    {16, offsetof(OrlnetConfig, dataBits), 1, false, S},
    {17, offsetof(OrlnetConfig, parity), 1, false, S},
    {18, offsetof(OrlnetConfig, stopBits), 1, false, S},
    {19, offsetof(OrlnetConfig, routeTableLifetime), 1, false, S},
    {20, offsetof(OrlnetConfig, tempRouteLifetime), 2, false, S},
    {21, offsetof(OrlnetConfig, routeQueryTimeout), 2, false, S},
    {22, offsetof(OrlnetConfig, dataAccessTimeout), 2, false, S},
    {23, offsetof(OrlnetConfig, shortPathResendTime), 1, false, S},
    {24, offsetof(OrlnetConfig, shortPathRetryCount), 1, false, S},
    {25, offsetof(OrlnetConfig, minSignal), 1, false, S},
    {26, offsetof(OrlnetConfig, bestSignal), 1, false, S},
    {27, offsetof(OrlnetConfig, routeRetryTime), 2, false, S},
    {28, offsetof(OrlnetConfig, routeRetryCount), 1, false, S},
}};

// The 16-bit fields: big-endian on the wire, host order in the record.
constexpr std::array<size_t, 9> kWords{
    offsetof(OrlnetConfig, panId),          offsetof(OrlnetConfig, netAddress),
    offsetof(OrlnetConfig, reserved46),     offsetof(OrlnetConfig, tempRouteLifetime),
    offsetof(OrlnetConfig, routeQueryTimeout), offsetof(OrlnetConfig, routeRetryTime),
    offsetof(OrlnetConfig, dataAccessTimeout), offsetof(OrlnetConfig, controlWord),
    offsetof(OrlnetConfig, firmwareVersion)};

uint8_t* BytesOf(OrlnetConfig& r) { return reinterpret_cast<uint8_t*>(&r); }
const uint8_t* BytesOf(const OrlnetConfig& r) { return reinterpret_cast<const uint8_t*>(&r); }

}  // namespace

const PropertySpec* FindProperty(int number) {
    auto it = std::find_if(kProperties.begin(), kProperties.end(),
                           [number](const PropertySpec& p) { return p.number == number; });
    return it == kProperties.end() ? nullptr : &*it;
}

ErrorCode GetProperty(const OrlnetConfig& record, int number, void* out, int size) {
    const PropertySpec* p = FindProperty(number);
    if (!p) return kErrBadProperty;
    const uint8_t* field = BytesOf(record) + p->offset;
    size_t width = p->width;
    if (p->text) {
        const size_t length = strnlen(reinterpret_cast<const char*>(field), kTextWidth);
        if (size <= 0 || static_cast<size_t>(size) <= length) return kErrBufferSmall;
        width = std::min(width, static_cast<size_t>(size));
    }
    std::memcpy(out, field, width);
    return kOk;
}

ErrorCode SetProperty(OrlnetConfig& record, int number, const void* in) {
    const PropertySpec* p = FindProperty(number);
    if (!p || !p->settable) return kErrBadProperty;
    uint8_t* field = BytesOf(record) + p->offset;
    if (p->text) {
        const size_t length = strnlen(static_cast<const char*>(in), kTextWidth);
        std::memset(field, 0, kTextWidth);
        std::memcpy(field, in, length);
    } else {
        std::memcpy(field, in, p->width);
    }
    return kOk;
}

WireImage ToWire(const OrlnetConfig& record) {
    WireImage wire;
    std::memcpy(wire.data(), &record, kRecordSize);
    for (size_t at : kWords) {
        uint16_t v;
        std::memcpy(&v, wire.data() + at, 2);
        wire[at] = static_cast<uint8_t>(v >> 8);
        wire[at + 1] = static_cast<uint8_t>(v);
    }
    return wire;
}

OrlnetConfig FromWire(const WireImage& wire) {
    OrlnetConfig record;
    uint8_t* raw = BytesOf(record);
    std::memcpy(raw, wire.data(), kRecordSize);
    for (size_t at : kWords) {
        const auto v = static_cast<uint16_t>(wire[at] << 8 | wire[at + 1]);
        std::memcpy(raw + at, &v, 2);
    }
    return record;
}

OrlnetConfig FromAnswer(std::span<const uint8_t, kWrittenSize> written, std::span<const uint8_t, kTailSize> tail) {
    return WithSpan(OrlnetConfig{}, 0, written, tail);
}

OrlnetConfig WithSpan(const OrlnetConfig& record, size_t offset, std::span<const uint8_t> span,
                      std::span<const uint8_t, kTailSize> tail) {
    WireImage wire = ToWire(record);
    std::copy(span.begin(), span.end(), wire.begin() + static_cast<std::ptrdiff_t>(offset));
    std::copy(tail.begin(), tail.end(), wire.begin() + kWrittenSize);
    return FromWire(wire);
}

bool ValidSpan(int offset, int length) {
    return offset >= 0 && length >= 0 && offset + length <= static_cast<int>(kWrittenSize);
}

void CopyWritten(OrlnetConfig& to, const OrlnetConfig& from) {
    std::memcpy(BytesOf(to), BytesOf(from), kWrittenSize);
}

}  // namespace radlink::orlnet
