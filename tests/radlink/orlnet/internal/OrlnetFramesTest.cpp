// Frame builders and answer judges of the family, without I/O.
// Packed 16-bit fields are asserted by value (+record.field): gtest would bind an unaligned reference.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "orlnet/OrlnetFrames.h"

using namespace radlink;
using namespace radlink::orlnet;

namespace {

Bytes Sum(Bytes bytes) {
    bytes.push_back(std::accumulate(bytes.begin(), bytes.end(), uint8_t{0},
                                    [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + b); }));
    return bytes;
}

}  // namespace

TEST(OrlnetFrames, FramesFollowTheCommandTable) {
    struct {
        Op op;
        Target target;
        Bytes payload;
        Bytes expected;
    } cases[] = {
        {Op::ReadLocal, {0x2000, true}, {}, {0xAB, 0xBC, 0xCD, 0xD1, 0x05}},
        {Op::SetChannel, {}, {15}, {0xAB, 0xBC, 0xCD, 0xD2, 0x0F, 0x15}},
        {Op::Search, {0, true}, {}, Sum({0xAB, 0xBC, 0xCD, 0xD4})},
        {Op::SearchById, {0x200A, false}, {}, Sum({0xAC, 0xBC, 0xCD, 0xDC, 0x20, 0x0A})},
        {Op::ReadWhole, {0x2002, false}, {}, Sum({0xAB, 0xBC, 0xCD, 0xD5, 0x20, 0x02})},
        {Op::ReadPart, {0x2003, true}, {65, 14}, Sum({0xAC, 0xBC, 0xCD, 0xD5, 0x20, 0x03, 65, 14})},
        {Op::WriteLocal, {0x2000, true}, {1, 2}, Sum({0xAB, 0xBC, 0xCD, 0xD6, 0x20, 0x00, 1, 2})},
        {Op::WriteRemote, {0x2003, true}, {1, 2}, Sum({0xAC, 0xBC, 0xCD, 0xD6, 0x20, 0x03, 1, 2})},
        {Op::Restart, {0x2003, true}, {0x0C, 0x22}, Sum({0xAC, 0xBC, 0xCD, 0xD9, 0x20, 0x03, 0x0C, 0x22})},
        {Op::FactoryReset, {0x2003, true}, {0x0C, 0x22}, Sum({0xAB, 0xBC, 0xCD, 0xDA, 0x20, 0x03, 0x0C, 0x22})},
        {Op::EnterUpgrade, {0x2003, true}, {0, 1}, Sum({0xAC, 0xBC, 0xCD, 0xDB, 0x20, 0x03, 0, 1})},
        {Op::EndUpgrade, {0x2000, false}, {0, 1}, Sum({0xAB, 0xBC, 0xCD, 0xD8, 0x20, 0x00, 0, 1})},
        {Op::Led, {0x2000, false}, {0x0F}, Sum({0xAC, 0xBC, 0xCD, 0xDD, 0x20, 0x00, 0x0F})},
        {Op::RouteRemote, {0x2003}, {}, {0xA5, 0x03, 0xD3, 0x20, 0x03, 0x5A}},
        {Op::RouteLocal, {0x2003}, {}, {0xA5, 0x03, 0xD2, 0x20, 0x03, 0x5A}},
        {Op::SendData, {0x2001}, {1, 2}, {0xA5, 0x05, 0xD1, 0x20, 0x01, 1, 2, 0x5A}},
        {Op::LedBroadcast, {0x2001}, {0xF3}, {0xA5, 0x02, 0xD5, 0xF3, 0x5A}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildFrame(c.op, c.target, c.payload), c.expected) << static_cast<int>(c.op);
}

TEST(OrlnetFrames, FirmwareBlocksEndWithTheExclusiveOrOfAddressAndData) {
    Bytes payload{0xFF, 0xC0};
    for (int i = 0; i < 64; ++i) payload.push_back(static_cast<uint8_t>(i * 5));
    uint8_t check = 0;
    for (uint8_t b : payload) check ^= b;
    for (Op op : {Op::BlockRegion1, Op::BlockRegion2}) {
        const Bytes frame = BuildFrame(op, {0x2003, true}, payload);
        ASSERT_EQ(frame.size(), 73u);
        EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 6), (Bytes{0xAC, 0xBC, 0xCD, 0xD7, 0x20, 0x03}));
        EXPECT_EQ(Bytes(frame.begin() + 6, frame.end() - 1), payload);
        EXPECT_EQ(frame.back(), check);
    }
}

TEST(OrlnetFrames, AnswersAreJudgedByLengthStatusAndEcho) {
    const Bytes block = BuildFrame(Op::BlockRegion1, {0x2003, false}, Bytes(66, 0));
    Bytes config(88, 0x11);
    config[3] = 0xD1;
    auto with = [](Bytes b, size_t at, uint8_t v) {
        b[at] = v;
        return b;
    };
    const Bytes blockAck{0xAB, 0xBC, 0xCD, 0xD7, 0x20, 0x03, 0x00, 0x00, 0x00};
    struct {
        const char* what;
        Op op;
        Bytes answer;
        size_t expect;
        bool accepted;
    } cases[] = {
        {"tuning ack", Op::SetChannel, {0xAB, 0xBC, 0xCD, 0xD2, 0}, 0, true},
        {"tuning refused", Op::SetChannel, {0xAB, 0xBC, 0xCD, 0xD2, 1}, 0, false},
        {"tuning ack of 6 bytes", Op::SetRate, {0xAB, 0xBC, 0xCD, 0xD3, 0, 0}, 0, false},
        {"silence", Op::SetRate, {}, 0, false},
        {"local record", Op::ReadLocal, config, 0, true},
        {"local record of another command", Op::ReadLocal, with(config, 3, 0xD5), 0, false},
        {"local record of 87 bytes", Op::ReadLocal, Bytes(config.begin(), config.end() - 1), 0, false},
        {"remote record of 88", Op::ReadWhole, Bytes(88), 0, true},
        {"remote record of 92", Op::ReadWhole, Bytes(92), 0, true},
        {"remote record of 90", Op::ReadWhole, Bytes(90), 0, false},
        {"span of the length asked", Op::ReadPart, Bytes(25), 25, true},
        {"span of another length", Op::ReadPart, Bytes(24), 25, false},
        {"write ack", Op::WriteRemote, Bytes(7), 0, true},
        {"write refused", Op::WriteRemote, with(Bytes(7), 6, 1), 0, false},
        {"block ack", Op::BlockRegion1, blockAck, 0, true},
        {"block ack of another block", Op::BlockRegion1, with(blockAck, 7, 0x40), 0, false},
        {"block ack from another module", Op::BlockRegion1, with(blockAck, 5, 0x02), 0, false},
        {"block refused", Op::BlockRegion1, with(blockAck, 8, 1), 0, false},
        {"data answer", Op::SendData, {0xA5, 0x01, 0x00, 0x5A}, 0, true},
        {"no data answer", Op::SendData, {}, 0, false},
    };
    for (const auto& c : cases) {
        const Bytes request = c.op == Op::BlockRegion1 ? block : BuildFrame(c.op, {0x2003, false}, Bytes{0, 0});
        EXPECT_EQ(Accepts(Rule(c.op), request, c.answer, c.expect), c.accepted) << c.what;
    }
}

TEST(OrlnetFrames, RouteAnswersGiveTheRecordOrTheModulesStatus) {
    OrlnetRoute route{};
    const Bytes full{0xA5, 0x0D, 0xD3, 0x20, 0x03, 0xC4, 0x80, 0x01, 0x03, 0x20, 0x01, 0x80, 0x01, 0x20, 0x03, 0x5A};
    ASSERT_EQ(ParseRouteAnswer(full, 0xD3, route), 1);
    EXPECT_EQ(route.weakestSignal, -60);
    EXPECT_EQ(+route.weakestNodeId, 0x8001);
    ASSERT_EQ(route.hopCount, 3);
    EXPECT_EQ(+route.hops[2], 0x2003);
    EXPECT_EQ(+route.hops[3], 0);  // the final 5A is not taken for a hop

    Bytes tooManyHops{0xA5, 0x00, 0xD2, 0x20, 0x03, 0xC4, 0x80, 0x01, 25};
    for (int i = 0; i < 25; ++i) tooManyHops.insert(tooManyHops.end(), {0x20, static_cast<uint8_t>(i)});
    tooManyHops[1] = static_cast<uint8_t>(tooManyHops.size() - 2);
    tooManyHops.push_back(0x5A);
    ASSERT_EQ(ParseRouteAnswer(tooManyHops, 0xD2, route), 1);
    EXPECT_EQ(route.hopCount, 20);
    EXPECT_EQ(+route.hops[19], 0x2013);

    struct {
        Bytes answer;
        int result;
    } cases[] = {
        {{0xA5, 0x03, 0xA5, 0x20, 0x03, 0x5A}, 0xA5},  // busy
        {{0xA5, 0x03, 0xA1, 0x20, 0x03, 0x5A}, 0xA1},
        {{0xA5, 0x03, 0x01, 0x20, 0x03, 0x5A}, 0},     // no status code: not to be taken for success
        {{0xA5, 0x03, 0x00, 0x20, 0x03, 0x5A}, 0},
        {{0xA5, 0x03}, 0},
        {{0xA5, 0x06, 0xD3, 0x20, 0x03, 0xC4, 0x80, 0x5A}, 0},  // too short for the record's head
    };
    for (const auto& c : cases) EXPECT_EQ(ParseRouteAnswer(c.answer, 0xD3, route), c.result);
}

TEST(OrlnetFrames, SearchAnswersCarryTheKeyBigEndian) {
    const Bytes answer{0xAB, 0xBC, 0xCD, 0xD4, 0x0C, 0x20, 15, 2, 0x1A, 0x2B, 0x20, 0x01, 0xFF};
    const SearchKey key = ParseSearchAnswer(std::span<const uint8_t, 13>(answer.data(), 13));
    EXPECT_EQ(key, (SearchKey{0x0C20, 15, 2, 0x1A2B, 0x2001, 0xFF}));
    const std::pair<int, unsigned> fields[] = {{1, 0x0C20}, {2, 15}, {3, 2}, {4, 0x1A2B}, {5, 0x2001}, {6, 0xFF}};
    for (auto [field, value] : fields) {
        uint8_t out[2] = {};
        const size_t width = CopySearchKeyField(key, field, out);
        uint16_t got = 0;
        std::memcpy(&got, out, width);
        EXPECT_EQ(got, value) << field;
    }
    uint8_t out[2];
    EXPECT_EQ(CopySearchKeyField(key, 7, out), 0u);
}
