// The configuration record: byte order on the wire, spans, and the property table.
// Packed 16-bit fields are asserted by value (+record.field): gtest would bind an unaligned reference.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>

#include "orlnet/OrlnetRecord.h"

using namespace radlink;
using namespace radlink::orlnet;

TEST(OrlnetRecord, SixteenBitFieldsTravelBigEndian) {
    OrlnetConfig record{};
    record.panId = 0x0122;
    record.netAddress = 0x0124;
    record.reserved46 = 0x012E;
    record.tempRouteLifetime = 0x0142;
    record.routeQueryTimeout = 0x0144;
    record.routeRetryTime = 0x0146;
    record.dataAccessTimeout = 0x0149;
    record.controlWord = 0x0150;
    record.firmwareVersion = 0x0152;
    record.reserved58[0] = 0x3A;
    record.minSignal = -2;
    const WireImage wire = ToWire(record);
    for (size_t at : {34, 36, 46, 66, 68, 70, 73, 80, 82}) {
        EXPECT_EQ(wire[at], 0x01) << at;
        EXPECT_EQ(wire[at + 1], at) << at;
    }
    EXPECT_EQ(wire[58], 0x3A);  // not a 16-bit field
    EXPECT_EQ(wire[77], 0xFE);
    const OrlnetConfig back = FromWire(wire);
    EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0);
}

TEST(OrlnetRecord, ASpanReplacesItsBytesAndTheTail) {
    OrlnetConfig record{};
    record.panId = 0x1A2B;
    record.netAddress = 0x2000;
    record.tempRouteLifetime = 3000;
    const uint8_t span[] = {0x99, 0x21};  // the low byte of panId, the high byte of netAddress
    const uint8_t tail[] = {0xAA, 0x0C, 0x22, 0x01, 0x23};
    const OrlnetConfig changed = WithSpan(record, 35, span, tail);
    EXPECT_EQ(+changed.panId, 0x1A99);
    EXPECT_EQ(+changed.netAddress, 0x2100);
    EXPECT_EQ(+changed.tempRouteLifetime, 3000);
    EXPECT_EQ(changed.runState, 0xAA);
    EXPECT_EQ(+changed.controlWord, 0x0C22);
    EXPECT_EQ(+changed.firmwareVersion, 0x0123);

    EXPECT_TRUE(ValidSpan(0, 79));
    EXPECT_TRUE(ValidSpan(78, 1));
    EXPECT_FALSE(ValidSpan(60, 20));
    EXPECT_FALSE(ValidSpan(-1, 2));
    EXPECT_FALSE(ValidSpan(0, -1));
    // Ends past the written part whose sum overflows an int.
    EXPECT_FALSE(ValidSpan(INT_MAX, 1));
    EXPECT_FALSE(ValidSpan(1, INT_MAX));
    EXPECT_FALSE(ValidSpan(INT_MAX, INT_MAX));
}

TEST(OrlnetRecord, PropertyNumbersAddressTheirFields) {
    OrlnetConfig record{};
    struct {
        int number;
        uint16_t value;
        std::function<unsigned(const OrlnetConfig&)> field;
    } numbers[] = {
        {4, 2, [](const OrlnetConfig& r) { return r.deviceType; }},
        {5, 26, [](const OrlnetConfig& r) { return r.channel; }},
        {6, 0x1234, [](const OrlnetConfig& r) { return r.panId; }},
        {7, 0x2001, [](const OrlnetConfig& r) { return r.netAddress; }},
        {11, 2, [](const OrlnetConfig& r) { return r.airRate; }},
        {12, 0x12, [](const OrlnetConfig& r) { return r.txPower; }},
        {15, 9, [](const OrlnetConfig& r) { return r.baudIndex; }},
        {16, 7, [](const OrlnetConfig& r) { return r.dataBits; }},
        {17, 4, [](const OrlnetConfig& r) { return r.parity; }},
        {18, 2, [](const OrlnetConfig& r) { return r.stopBits; }},
        {19, 61, [](const OrlnetConfig& r) { return r.routeTableLifetime; }},
        {20, 3001, [](const OrlnetConfig& r) { return r.tempRouteLifetime; }},
        {21, 1001, [](const OrlnetConfig& r) { return r.routeQueryTimeout; }},
        {22, 2001, [](const OrlnetConfig& r) { return r.dataAccessTimeout; }},
        {23, 51, [](const OrlnetConfig& r) { return r.shortPathResendTime; }},
        {24, 4, [](const OrlnetConfig& r) { return r.shortPathRetryCount; }},
        {25, 0xA6, [](const OrlnetConfig& r) { return static_cast<uint8_t>(r.minSignal); }},
        {26, 0xD8, [](const OrlnetConfig& r) { return static_cast<uint8_t>(r.bestSignal); }},
        {27, 201, [](const OrlnetConfig& r) { return r.routeRetryTime; }},
        {28, 5, [](const OrlnetConfig& r) { return r.routeRetryCount; }},
    };
    for (const auto& n : numbers) {
        ASSERT_EQ(SetProperty(record, n.number, &n.value), kOk) << n.number;
        EXPECT_EQ(n.field(record), n.value) << n.number;
        uint16_t back = 0;
        ASSERT_EQ(GetProperty(record, n.number, &back, 2), kOk) << n.number;
        EXPECT_EQ(back, n.value) << n.number;
    }
    record.firmwareVersion = 0x0105;
    uint16_t version = 0;
    EXPECT_EQ(GetProperty(record, 3, &version, 2), kOk);
    EXPECT_EQ(version, 0x0105);
    EXPECT_EQ(SetProperty(record, 3, &version), kErrBadProperty);
}

TEST(OrlnetRecord, TextsAreZeroPaddedAndNeedRoomForTheirTerminator) {
    OrlnetConfig record;
    std::memset(&record, 0x7F, sizeof record);
    const char shortText[] = "pw";  // nothing is read past its terminator
    ASSERT_EQ(SetProperty(record, 2, shortText), kOk);
    EXPECT_EQ(std::string(record.password, 16), std::string("pw\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(record.deviceType, 0x7F);

    char out[17];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(GetProperty(record, 2, out, 2), kErrBufferSmall);
    EXPECT_EQ(GetProperty(record, 2, out, 0), kErrBufferSmall);
    EXPECT_EQ(GetProperty(record, 2, out, 3), kOk);
    EXPECT_EQ(std::string(out, 4), std::string("pw\0#", 4));
    EXPECT_EQ(GetProperty(record, 2, out, 100), kOk);
    EXPECT_EQ(out[16], '#');  // the whole field and no more
}
