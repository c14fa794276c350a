#include "cel/CelRecord.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/Bytes.h"
#include "core/PropertyTable.h"

namespace radlink::cel {

static_assert(sizeof(CelRecord) == 81);
static_assert(offsetof(CelRecord, password) == 16 && offsetof(CelRecord, panId) == 34);
static_assert(offsetof(CelRecord, sendMode) == 64 && offsetof(CelRecord, sleepTimeMs) == 65);
static_assert(offsetof(CelRecord, runState) == 76 && offsetof(CelRecord, firmwareVersion) == 79);

namespace {

constexpr bool G = true, S = true, no = false;

// number, offset, width, text, readable, settable
constexpr PropertySpec kPropertySpecs[] = {
    {1, offsetof(CelRecord, deviceName), 16, true, G, S},
    {2, offsetof(CelRecord, password), 16, true, G, S},
    {3, offsetof(CelRecord, firmwareVersion), 2, false, G, no},
    {4, offsetof(CelRecord, deviceType), 1, false, G, S},
    {5, offsetof(CelRecord, channel), 1, false, G, S},
    {6, offsetof(CelRecord, panId), 2, false, G, S},
    {7, offsetof(CelRecord, netAddress), 2, false, G, S},
    {8, offsetof(CelRecord, macAddress), 8, false, G, S},
    {9, offsetof(CelRecord, dstNetAddress), 2, false, G, S},
    {10, offsetof(CelRecord, dstMacAddress), 8, false, G, S},
    {11, offsetof(CelRecord, airRate), 1, false, G, S},
    {12, offsetof(CelRecord, txPower), 1, false, G, S},
    {13, offsetof(CelRecord, retryCount), 1, false, G, S},
    {14, offsetof(CelRecord, retryInterval), 1, false, G, S},
    {15, offsetof(CelRecord, baudIndex), 1, false, G, S},
    {16, offsetof(CelRecord, dataBits), 1, false, G, S},
    {17, offsetof(CelRecord, parity), 1, false, G, S},
    {18, offsetof(CelRecord, stopBits), 1, false, G, S},
    {19, offsetof(CelRecord, sendMode), 1, false, G, S},
    {20, offsetof(CelRecord, sampleRate), 1, false, G, S},
    {21, offsetof(CelRecord, compression), 1, false, G, S},
    {22, offsetof(CelRecord, voiceMode), 1, false, no, S},
    {23, offsetof(CelRecord, outputVolume), 1, false, no, S},
    {24, offsetof(CelRecord, micVolume), 1, false, no, S},
    {25, offsetof(CelRecord, sleepTimeMs), 2, false, no, S},
    {26, offsetof(CelRecord, receiveDelayMs), 2, false, no, S},
    {27, offsetof(CelRecord, forwardDelayMs), 2, false, no, S},
};
constexpr PropertyTable kProperties{kPropertySpecs};
static_assert(kProperties.Fits(sizeof(CelRecord)));

// code, reply length, area length, low-power words converted, no send mode, no voice
constexpr std::array<VariantSpec, 4> kVariants{{
    {70, 85, 76, false, false, false},
    {71, 80, 71, true, false, true},
    {64, 79, 70, false, true, true},
    {65, 74, 65, false, false, true},
}};

// 16-bit fields that always travel big-endian, and those that do only in the low-power variant.
constexpr std::array<size_t, 3> kAddressWords{offsetof(CelRecord, panId), offsetof(CelRecord, netAddress),
                                              offsetof(CelRecord, dstNetAddress)};
constexpr std::array<size_t, 3> kLowPowerWords{offsetof(CelRecord, sleepTimeMs), offsetof(CelRecord, receiveDelayMs),
                                               offsetof(CelRecord, forwardDelayMs)};
constexpr std::array<size_t, 2> kTailWords{offsetof(CelRecord, controlWord), offsetof(CelRecord, firmwareVersion)};

}  // namespace

ErrorCode GetProperty(const CelRecord& record, int number, void* out, unsigned size) {
    return kProperties.Get(RecordBytes(record), number, out, size);
}

ErrorCode SetProperty(CelRecord& record, int number, const void* in) {
    return kProperties.Set(RecordBytes(record), number, in);
}

const VariantSpec* VariantForReplyLength(size_t length) {
    for (const auto& v : kVariants)
        if (v.replyLength == length) return &v;
    return nullptr;
}

const VariantSpec* VariantForCode(uint8_t code) {
    for (const auto& v : kVariants)
        if (v.code == code) return &v;
    return nullptr;
}

CelRecord DecodeConfigReply(std::span<const uint8_t> reply) {
    CelRecord record{};
    if (reply.size() < kMinConfigReply) return record;
    const std::span<uint8_t> raw = RecordBytes(record);
    constexpr size_t kHeader = 4;
    const size_t area = std::min(kConfigAreaSize, reply.size() - kHeader - kTailSize);
    std::memcpy(raw.data(), reply.data() + kHeader, area);
    std::memcpy(raw.data() + kConfigAreaSize, reply.data() + reply.size() - kTailSize, kTailSize);
    for (size_t off : kAddressWords) WireWordToHost(raw, off);
    for (size_t off : kTailWords) WireWordToHost(raw, off);
    if (const VariantSpec* v = VariantForReplyLength(reply.size())) {
        if (v->lowPowerWords)
            for (size_t off : kLowPowerWords) WireWordToHost(raw, off);
        if (v->noSendMode) record.sendMode = 0x88;
        if (v->noVoice) record.compression = 0x99;
    }
    return record;
}

Bytes EncodeConfigArea(const CelRecord& record, const VariantSpec& variant) {
    CelRecord wire = record;
    const std::span<uint8_t> raw = RecordBytes(wire);
    for (size_t off : kAddressWords) HostWordToWire(raw, off);
    if (variant.lowPowerWords)
        for (size_t off : kLowPowerWords) HostWordToWire(raw, off);
    return Bytes(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(variant.areaLength));
}

}  // namespace radlink::cel
