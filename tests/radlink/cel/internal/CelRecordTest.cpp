// The property table and the wire conversion of the record variants.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "cel/CelRecord.h"
#include "core/SearchKey.h"

using namespace radlink;
using namespace radlink::cel;

namespace {

TEST(CelRecordTable, ReadableAndSettableNumbersAreThoseOfTheTable) {
    std::set<int> readable, settable;
    CelRecord r{};
    uint8_t buf[17] = {};
    for (int n = -1; n <= 30; ++n) {
        if (GetProperty(r, n, buf, sizeof buf) == kOk) readable.insert(n);
        if (SetProperty(r, n, buf) == kOk) settable.insert(n);
    }
    std::set<int> expectedReadable, expectedSettable{1, 2};
    for (int n = 1; n <= 21; ++n) expectedReadable.insert(n);
    for (int n = 4; n <= 27; ++n) expectedSettable.insert(n);
    EXPECT_EQ(readable, expectedReadable);
    EXPECT_EQ(settable, expectedSettable);
}

TEST(CelRecordTable, PropertiesAddressTheirFieldsInHostOrder) {
    CelRecord r{};
    const uint16_t sleep = 0x1234;
    const uint8_t parity = 2, stopBits = 1;
    ASSERT_EQ(SetProperty(r, 25, &sleep), kOk);
    ASSERT_EQ(SetProperty(r, 17, &parity), kOk);
    ASSERT_EQ(SetProperty(r, 18, &stopBits), kOk);
    EXPECT_EQ(+r.sleepTimeMs, 0x1234);
    EXPECT_EQ(r.parity, 2);
    EXPECT_EQ(r.stopBits, 1);
    r.firmwareVersion = 0x0105;
    uint16_t v = 0;
    ASSERT_EQ(GetProperty(r, 3, &v, 2), kOk);
    EXPECT_EQ(v, 0x0105);
}

Bytes Reply(size_t length) {
    Bytes reply(length);
    for (size_t i = 0; i < length; ++i) reply[i] = static_cast<uint8_t>(i);
    return reply;
}

TEST(CelRecordWire, AReplyLongerThanAnyVariantFillsTheAreaAndTakesItsTailFromTheEnd) {
    const Bytes reply = Reply(90);
    const CelRecord r = DecodeConfigReply(reply);
    const auto* raw = reinterpret_cast<const uint8_t*>(&r);
    EXPECT_EQ(raw[0], 4);
    EXPECT_EQ(raw[75], 79);
    EXPECT_EQ(r.runState, 85);
    EXPECT_EQ(+r.controlWord, 86 << 8 | 87);
    EXPECT_EQ(+r.firmwareVersion, 88 << 8 | 89);
    EXPECT_EQ(+r.panId, (4 + 34) << 8 | (4 + 35));
}

TEST(CelRecordWire, EachVariantWritesItsAreaWithBigEndianWords) {
    for (size_t length : {85u, 80u, 79u, 74u}) {
        const VariantSpec* v = VariantForReplyLength(length);
        ASSERT_NE(v, nullptr);
        const Bytes reply = Reply(length);
        const CelRecord r = DecodeConfigReply(reply);
        const Bytes area = EncodeConfigArea(r, *v);
        ASSERT_EQ(area.size(), length - 9);
        // Round trip: what the module sent comes back, apart from the forced values inside the area.
        Bytes expected(reply.begin() + 4, reply.begin() + 4 + static_cast<long>(area.size()));
        if (v->noSendMode) expected[offsetof(CelRecord, sendMode)] = 0x88;
        EXPECT_EQ(area, expected) << length;
    }
    const CelRecord lowPower = DecodeConfigReply(Reply(80));
    EXPECT_EQ(+lowPower.sleepTimeMs, (4 + 65) << 8 | (4 + 66));  // converted only in the 80-byte variant
    EXPECT_EQ(VariantForReplyLength(75), nullptr);
    EXPECT_EQ(VariantForReplyLength(80)->code, 71);
}

TEST(CelSearchKeyFields, FieldsCopyTheirWidth) {
    const SearchKey key{0x0102, 12, 2, 0x1A2B, 0x0304, 0xFF};
    uint8_t buf[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    ASSERT_EQ(GetSearchKeyField(key, 3, buf), kOk);
    EXPECT_EQ(buf[0], 2);
    EXPECT_EQ(buf[1], 0xEE);
    uint16_t word = 0;
    ASSERT_EQ(GetSearchKeyField(key, 4, &word), kOk);
    EXPECT_EQ(word, 0x1A2B);
    EXPECT_EQ(GetSearchKeyField(key, 7, buf), kErrBadSearchKey);
}

}  // namespace
