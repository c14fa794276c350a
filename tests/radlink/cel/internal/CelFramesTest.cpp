// Request frames and reply judges, byte for byte.
#include <gtest/gtest.h>

#include "cel/CelFrames.h"

using namespace radlink;
using namespace radlink::cel;

namespace {

TEST(CelFrames, RequestsCarryTheirSumOrNone) {
    const uint8_t channel[1] = {15};
    EXPECT_EQ(ShortFrame(kSetChannel, channel), (Bytes{0xAB, 0xBC, 0xCD, 0xD2, 0x0F, 0x15}));
    EXPECT_EQ(ShortFrame(kReadLocalConfig), (Bytes{0xAB, 0xBC, 0xCD, 0xD1, 0x05}));
    EXPECT_EQ(ControlFrame(kRestart, 0x1234, 0x0001), (Bytes{0xAB, 0xBC, 0xCD, 0xD9, 0x12, 0x34, 0x00, 0x01, 0x54}));
    EXPECT_EQ(IoFrame(kIoRead, 0x0000), (Bytes{0xDE, 0xDF, 0xEF, 0xD5, 0x00, 0x00}));
    const uint8_t area[3] = {1, 2, 3};
    EXPECT_EQ(AddressedFrame(kWriteConfig, 0x0102, area),
              (Bytes{0xAB, 0xBC, 0xCD, 0xD6, 0x01, 0x02, 1, 2, 3, 0x13}));
}

TEST(CelFrames, AnUpgradeBlockCarriesTheLowPositionBitsAndTheXorOfPositionAndData) {
    uint8_t data[64];
    for (int i = 0; i < 64; ++i) data[i] = static_cast<uint8_t>(i);  // xor of 0..63 is 0
    const Bytes f = UpgradeBlockFrame(0x0010, 0x12340, data);
    ASSERT_EQ(f.size(), 73u);
    EXPECT_EQ(Bytes(f.begin(), f.begin() + 8), (Bytes{0xAB, 0xBC, 0xCD, 0xD7, 0x00, 0x10, 0x23, 0x40}));
    EXPECT_EQ(f[72], 0x23 ^ 0x40);
}

struct JudgeCase {
    const char* name;
    bool (*judge)(std::span<const uint8_t>);
    Bytes reply;
    bool accepted;
};

TEST(CelFrames, RepliesAreJudgedByLengthAndTheirNamedBytes) {
    Bytes local85(85, 0), remote75(75, 0);
    local85[3] = 0xD1;
    remote75[0] = 0xAB, remote75[1] = 0xBC, remote75[2] = 0xCD;
    Bytes local75 = remote75;
    local75[3] = 0xD1;
    Bytes search(13, 0);
    search[3] = 0xD4;
    const JudgeCase cases[] = {
        {"tuning ok", AcceptTuningAck, {0xAB, 0xBC, 0xCD, 0xD3, 0}, true},
        {"tuning status 1", AcceptTuningAck, {0xAB, 0xBC, 0xCD, 0xD3, 1}, false},
        {"tuning 6 bytes", AcceptTuningAck, {0xAB, 0xBC, 0xCD, 0xD3, 0, 0}, false},
        {"local 85", AcceptLocalConfig, local85, true},
        {"local 75", AcceptLocalConfig, local75, false},
        {"remote 75", AcceptRemoteConfig, remote75, true},
        {"remote 73", AcceptRemoteConfig, Bytes(remote75.begin(), remote75.end() - 2), false},
        {"search 13", AcceptSearchAnswer, search, true},
        {"search 12", AcceptSearchAnswer, Bytes(search.begin(), search.end() - 1), false},
        {"write ack", AcceptWriteAck, {0xAB, 0xBC, 0xCD, 0xD6, 0, 0x10, 0}, true},
        {"write ack status 2", AcceptWriteAck, {0xAB, 0xBC, 0xCD, 0xD6, 0, 0x10, 2}, false},
        {"control ack", AcceptControlAck, {0xAB, 0xBC, 0xCD, 0xDA, 0, 0x10, 0, 1, 0}, true},
        {"control ack 8 bytes", AcceptControlAck, {0xAB, 0xBC, 0xCD, 0xDA, 0, 0x10, 0, 1}, false},
        {"io 7", AcceptIoAck, Bytes(7, 0), true},
        {"io 6", AcceptIoAck, Bytes(6, 0), false},
        {"ad 8", AcceptAdReply, Bytes(8, 0), true},
        {"ad 7", AcceptAdReply, Bytes(7, 0), false},
    };
    for (const JudgeCase& c : cases) EXPECT_EQ(c.judge(c.reply), c.accepted) << c.name;
}

TEST(CelFrames, ABlockAcknowledgementMatchesAddressAndTheWholePosition) {
    const Bytes ack{0xAB, 0xBC, 0xCD, 0xD7, 0x00, 0x10, 0x30, 0x40, 0x00};
    EXPECT_TRUE(AcceptUpgradeBlockAck(ack, 0x0010, 0x3040));
    EXPECT_TRUE(AcceptUpgradeBlockAck(Bytes(ack.begin(), ack.end() - 1), 0x0010, 0x3040));  // missing bytes read 0
    EXPECT_FALSE(AcceptUpgradeBlockAck(Bytes(ack.begin(), ack.end() - 2), 0x0010, 0x3040));
    EXPECT_FALSE(AcceptUpgradeBlockAck(ack, 0x0011, 0x3040));
    EXPECT_FALSE(AcceptUpgradeBlockAck(ack, 0x0010, 0x13040));  // above 16 bits: never acknowledged
    Bytes refused = ack;
    refused[8] = 1;
    EXPECT_FALSE(AcceptUpgradeBlockAck(refused, 0x0010, 0x3040));
    Bytes otherCommand = ack;
    otherCommand[3] = 0xD8;
    EXPECT_FALSE(AcceptUpgradeBlockAck(otherCommand, 0x0010, 0x3040));
}

TEST(CelFrames, ASearchAnswerGivesTheKeyBigEndian) {
    const Bytes a{0xAB, 0xBC, 0xCD, 0xD4, 0x00, 0x02, 0x0C, 0x01, 0x1A, 0x2B, 0x01, 0x03, 0xFF};
    EXPECT_EQ(ParseSearchAnswer(a), (SearchKey{2, 12, 1, 0x1A2B, 0x0103, 0xFF}));
}

}  // namespace
