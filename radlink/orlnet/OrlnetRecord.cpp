#include "orlnet/OrlnetRecord.h"

#include <algorithm>
#include <cstring>

#include "core/Bytes.h"
#include "core/PropertyTable.h"

namespace radlink::orlnet {

static_assert(sizeof(OrlnetConfig) == 84 && sizeof(OrlnetRoute) == 44);
static_assert(offsetof(OrlnetConfig, panId) == 34 && offsetof(OrlnetConfig, reserved46) == 46);
static_assert(offsetof(OrlnetConfig, airRate) == 56 && offsetof(OrlnetConfig, baudIndex) == 60);
static_assert(offsetof(OrlnetConfig, dataAccessTimeout) == 73 && offsetof(OrlnetConfig, runState) == 79);
static_assert(offsetof(OrlnetConfig, firmwareVersion) == 82 && offsetof(OrlnetRoute, hops) == 4);

namespace {

constexpr bool G = true, S = true, no = false;

// number, offset, width, text, readable, settable (8, 9, 10, 13 and 14 are not the family's)
constexpr PropertySpec kPropertySpecs[] = {
    {1, offsetof(OrlnetConfig, deviceName), 16, true, G, S},
    {2, offsetof(OrlnetConfig, password), 16, true, G, S},
    {3, offsetof(OrlnetConfig, firmwareVersion), 2, false, G, no},
    {4, offsetof(OrlnetConfig, deviceType), 1, false, G, S},
    {5, offsetof(OrlnetConfig, channel), 1, false, G, S},
    {6, offsetof(OrlnetConfig, panId), 2, false, G, S},
    {7, offsetof(OrlnetConfig, netAddress), 2, false, G, S},
    {11, offsetof(OrlnetConfig, airRate), 1, false, G, S},
    {12, offsetof(OrlnetConfig, txPower), 1, false, G, S},
    {15, offsetof(OrlnetConfig, baudIndex), 1, false, G, S},
    {16, offsetof(OrlnetConfig, dataBits), 1, false, G, S},
    {17, offsetof(OrlnetConfig, parity), 1, false, G, S},
    {18, offsetof(OrlnetConfig, stopBits), 1, false, G, S},
    {19, offsetof(OrlnetConfig, routeTableLifetime), 1, false, G, S},
    {20, offsetof(OrlnetConfig, tempRouteLifetime), 2, false, G, S},
    {21, offsetof(OrlnetConfig, routeQueryTimeout), 2, false, G, S},
    {22, offsetof(OrlnetConfig, dataAccessTimeout), 2, false, G, S},
    {23, offsetof(OrlnetConfig, shortPathResendTime), 1, false, G, S},
    {24, offsetof(OrlnetConfig, shortPathRetryCount), 1, false, G, S},
    {25, offsetof(OrlnetConfig, minSignal), 1, false, G, S},
    {26, offsetof(OrlnetConfig, bestSignal), 1, false, G, S},
    {27, offsetof(OrlnetConfig, routeRetryTime), 2, false, G, S},
    {28, offsetof(OrlnetConfig, routeRetryCount), 1, false, G, S},
};
constexpr PropertyTable kProperties{kPropertySpecs};
static_assert(kProperties.Fits(sizeof(OrlnetConfig)));

// The 16-bit fields: big-endian on the wire, host order in the record.
constexpr std::array<size_t, 9> kWords{
    offsetof(OrlnetConfig, panId),          offsetof(OrlnetConfig, netAddress),
    offsetof(OrlnetConfig, reserved46),     offsetof(OrlnetConfig, tempRouteLifetime),
    offsetof(OrlnetConfig, routeQueryTimeout), offsetof(OrlnetConfig, routeRetryTime),
    offsetof(OrlnetConfig, dataAccessTimeout), offsetof(OrlnetConfig, controlWord),
    offsetof(OrlnetConfig, firmwareVersion)};

}  // namespace

ErrorCode GetProperty(const OrlnetConfig& record, int number, void* out, int size) {
    return kProperties.Get(RecordBytes(record), number, out, size);
}

ErrorCode SetProperty(OrlnetConfig& record, int number, const void* in) {
    return kProperties.Set(RecordBytes(record), number, in);
}

WireImage ToWire(const OrlnetConfig& record) {
    WireImage wire;
    std::memcpy(wire.data(), &record, kRecordSize);
    for (size_t at : kWords) HostWordToWire(wire, at);
    return wire;
}

OrlnetConfig FromWire(const WireImage& wire) {
    OrlnetConfig record;
    std::memcpy(&record, wire.data(), kRecordSize);
    for (size_t at : kWords) WireWordToHost(RecordBytes(record), at);
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
    // Compared without a sum, which would overflow an int near INT_MAX.
    constexpr int kWritten = static_cast<int>(kWrittenSize);
    return offset >= 0 && length >= 0 && offset <= kWritten && length <= kWritten - offset;
}

void CopyWritten(OrlnetConfig& to, const OrlnetConfig& from) {
    std::memcpy(&to, &from, kWrittenSize);
}

}  // namespace radlink::orlnet
