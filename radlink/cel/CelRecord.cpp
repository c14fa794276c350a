#include "cel/CelRecord.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace radlink::cel {

static_assert(sizeof(CelRecord) == 81);
static_assert(offsetof(CelRecord, password) == 16 && offsetof(CelRecord, panId) == 34);
static_assert(offsetof(CelRecord, sendMode) == 64 && offsetof(CelRecord, sleepTimeMs) == 65);
static_assert(offsetof(CelRecord, runState) == 76 && offsetof(CelRecord, firmwareVersion) == 79);

namespace {

constexpr bool G = true, S = true, no = false;

// number, offset, width, text, readable, settable
constexpr std::array<PropertySpec, 27> kProperties{{
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
}};

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

uint8_t* BytesOf(CelRecord& r) { return reinterpret_cast<uint8_t*>(&r); }
const uint8_t* BytesOf(const CelRecord& r) { return reinterpret_cast<const uint8_t*>(&r); }

// Big-endian bytes at `offset` of `raw` become a host-order word there, or back.
void WireToHost(uint8_t* raw, size_t offset) {
    const uint16_t v = static_cast<uint16_t>(raw[offset] << 8 | raw[offset + 1]);
    std::memcpy(raw + offset, &v, 2);
}
void HostToWire(uint8_t* raw, size_t offset) {
    uint16_t v;
    std::memcpy(&v, raw + offset, 2);
    raw[offset] = static_cast<uint8_t>(v >> 8);
    raw[offset + 1] = static_cast<uint8_t>(v);
}

}  // namespace

const PropertySpec* FindProperty(int number) {
    for (const auto& p : kProperties)
        if (p.number == number) return &p;
    return nullptr;
}

ErrorCode GetProperty(const CelRecord& record, int number, void* out, unsigned size) {
    const PropertySpec* p = FindProperty(number);
    if (!p || !p->readable) return kErrBadProperty;
    if (!out) return kErrBufferSmall;
    const uint8_t* field = BytesOf(record) + p->offset;
    size_t width = p->width;
    if (p->text) {
        const size_t length = strnlen(reinterpret_cast<const char*>(field), kTextWidth);
        if (size <= length) return kErrBufferSmall;
        width = std::min<size_t>(width, size);  // never past the buffer the caller declared
    }
    std::memcpy(out, field, width);
    return kOk;
}

ErrorCode SetProperty(CelRecord& record, int number, const void* in) {
    const PropertySpec* p = FindProperty(number);
    if (!p || !p->settable) return kErrBadProperty;
    if (!in) return kErrBufferSmall;
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
    uint8_t* raw = BytesOf(record);
    constexpr size_t kHeader = 4;
    const size_t area = std::min(kConfigAreaSize, reply.size() - kHeader - kTailSize);
    std::memcpy(raw, reply.data() + kHeader, area);
    std::memcpy(raw + kConfigAreaSize, reply.data() + reply.size() - kTailSize, kTailSize);
    for (size_t off : kAddressWords) WireToHost(raw, off);
    for (size_t off : kTailWords) WireToHost(raw, off);
    if (const VariantSpec* v = VariantForReplyLength(reply.size())) {
        if (v->lowPowerWords)
            for (size_t off : kLowPowerWords) WireToHost(raw, off);
        if (v->noSendMode) record.sendMode = 0x88;
        if (v->noVoice) record.compression = 0x99;
    }
    return record;
}

Bytes EncodeConfigArea(const CelRecord& record, const VariantSpec& variant) {
    CelRecord wire = record;
    uint8_t* raw = BytesOf(wire);
    for (size_t off : kAddressWords) HostToWire(raw, off);
    if (variant.lowPowerWords)
        for (size_t off : kLowPowerWords) HostToWire(raw, off);
    return Bytes(raw, raw + variant.areaLength);
}

ErrorCode GetSearchKeyField(const SearchKey& key, int field, void* out) {
    if (field < 1 || field > 6) return kErrBadSearchKey;
    if (!out) return kErrBufferSmall;
    auto put = [out](auto value) {
        std::memcpy(out, &value, sizeof value);
        return kOk;
    };
    switch (field) {
        case 1: return put(key.searchWord);
        case 2: return put(key.channel);
        case 3: return put(key.rate);
        case 4: return put(key.panId);
        case 5: return put(key.address);
        default: return put(key.state);
    }
}

}  // namespace radlink::cel
