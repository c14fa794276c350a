// Frames, reply rules and the record's wire form, without a port.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "snap/SnapFrames.h"
#include "snap/SnapRecord.h"
#include "snap/SnapRegisters.h"

using namespace radlink::snap;

namespace {

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Address kRemote{0xA1, 0x00, 0x07};

}  // namespace

TEST(SnapFrames, RequestsAreByteExact) {
    const uint8_t netId[] = {0x12, 0x34};
    const uint8_t one = 1;
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::ReadConfig, Side::Local), kLocalAddress),
              (Bytes{0x5A, 0x5F, 0xFA, 0x00, 0x00, 0x00, 0x55, 0x00}));
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::WriteNetId, Side::Local), kLocalAddress, netId),
              (Bytes{0x5A, 0x5F, 0xFA, 0x00, 0x00, 0x00, 0xAA, 0x01, 0x12, 0x34}));
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::Restart, Side::Local), kLocalAddress),
              (Bytes{0x5A, 0x5F, 0xFA, 0x00, 0x00, 0x00, 0xAA, 0xC1}));
    EXPECT_EQ(RequestFrame(kBroadcastAddress, kRead, 0x00), (Bytes{0x5A, 0x5F, 0xFA, 0xFF, 0xFF, 0xFF, 0x55, 0x00}));
    // The local module wants the key before the upgrade switch's value; a remote one gets the value alone.
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::WriteUpdateEnable, Side::Local), kLocalAddress, {&one, 1}),
              (Bytes{0x5A, 0x5F, 0xFA, 0, 0, 0, 0xAA, 0xF0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x01}));
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::WriteUpdateEnable, Side::Remote), kRemote, {&one, 1}),
              (Bytes{0x5A, 0x5F, 0xFA, 0xA1, 0x00, 0x07, 0xAA, 0xF0, 0x01}));
    // Signal strength: a data-less write locally, a read remotely.
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::ReadSignal, Side::Local), kLocalAddress),
              (Bytes{0x5A, 0x5F, 0xFA, 0, 0, 0, 0xAA, 0x04}));
    EXPECT_EQ(CommandFrame(FindRegisterUse(Command::ReadSignal, Side::Remote), kRemote),
              (Bytes{0x5A, 0x5F, 0xFA, 0xA1, 0x00, 0x07, 0x55, 0x04}));
}

// One reply judged by the rule of (command, side). `tail` follows the echoed request.
struct JudgeCase {
    const char* name;
    Command command;
    Side side;
    Bytes data;  // request data
    Bytes tail;
    bool accepted;
    Bytes value;
    Bytes replyOverride = {};  // when set, the whole reply instead of request + tail
};

class SnapReplyRules : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(SnapReplyRules, AcceptExactlyWhatTheRegisterTablesSay) {
    const JudgeCase& c = GetParam();
    const Address to = c.side == Side::Local ? kLocalAddress : kRemote;
    const Bytes request = CommandFrame(FindRegisterUse(c.command, c.side), to, c.data);
    const Bytes reply = c.replyOverride.empty() ? Concat(request, c.tail) : c.replyOverride;
    auto value = JudgeReply(FindRegisterUse(c.command, c.side).rule, request, reply);
    ASSERT_EQ(value.has_value(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(*value, c.value);
    }
}

Bytes Record38() {
    Bytes r(38);
    for (size_t i = 0; i < r.size(); ++i) r[i] = static_cast<uint8_t>(0x80 + i);
    return r;
}

Bytes HeaderWith(Address to, uint8_t op, uint8_t reg, Bytes tail) {
    return Concat(RequestFrame(to, op, reg), tail);
}

const Side L = Side::Local, R = Side::Remote;
using C = Command;

INSTANTIATE_TEST_SUITE_P(
    Registers, SnapReplyRules,
    ::testing::Values(
        JudgeCase{"LocalConfigRead", C::ReadConfig, L, {}, Concat({1}, Record38()), true, Record38()},
        JudgeCase{"LocalConfigReadStatus0", C::ReadConfig, L, {}, Concat({0}, Record38()), false, {}},
        JudgeCase{"LocalConfigReadShort", C::ReadConfig, L, {}, Concat({1}, Bytes(37)), false, {}},
        // A local configuration reply must repeat the header; a remote one need not.
        JudgeCase{"LocalConfigReadBadEcho", C::ReadConfig, L, {}, {}, false, {},
                  HeaderWith(kRemote, 0x55, 0x00, Concat({1}, Record38()))},
        JudgeCase{"RemoteConfigReadNoEcho", C::ReadConfig, R, {}, {}, true, Record38(),
                  HeaderWith(kLocalAddress, 0x00, 0x00, Concat({1}, Record38()))},
        JudgeCase{"LocalConfigWrite", C::WriteConfig, L, Record38(), {1}, true, {}},
        JudgeCase{"LocalConfigWriteStatus0", C::WriteConfig, L, Record38(), {0}, false, {}},
        JudgeCase{"RemoteConfigWriteLong", C::WriteConfig, R, Record38(), {1, 1}, false, {}},
        JudgeCase{"LocalNetIdRead", C::ReadNetId, L, {}, {1, 0x12, 0x34}, true, {0x12, 0x34}},
        JudgeCase{"LocalNetIdReadNineBytes", C::ReadNetId, L, {}, {1}, false, {}},
        JudgeCase{"LocalNetIdReadStatus0", C::ReadNetId, L, {}, {0, 0x12, 0x34}, false, {}},
        // Remote register reads: more than 8 bytes, the value starts with the status byte.
        JudgeCase{"RemoteNetIdRead", C::ReadNetId, R, {}, {1, 0x12, 0x34}, true, {1, 0x12, 0x34}},
        JudgeCase{"RemoteNetIdReadStatusIgnored", C::ReadDstAdr, R, {}, {0}, true, {0}},
        JudgeCase{"RemoteWorkModeReadEightBytes", C::ReadWorkMode, R, {}, {}, false, {}},
        JudgeCase{"LocalNetIdWrite", C::WriteNetId, L, {0x12, 0x34}, {1}, true, {}},
        JudgeCase{"LocalNetIdWriteStatus0", C::WriteNetId, L, {0x12, 0x34}, {0}, false, {}},
        JudgeCase{"LocalDstAdrWriteLong", C::WriteDstAdr, L, {1, 2, 3}, {0, 1}, false, {}},
        JudgeCase{"RemoteNetIdWriteStatusIgnored", C::WriteNetId, R, {0x12, 0x34}, {0}, true, {}},
        JudgeCase{"RemoteChannelWriteNineBytes", C::WriteChannel, R, {3}, {}, true, {}},
        JudgeCase{"RemoteChannelWriteEightBytes", C::WriteChannel, R, {3}, {}, false, {},
                  HeaderWith(kRemote, 0xAA, 0x04, {})},
        JudgeCase{"LocalSignal", C::ReadSignal, L, {}, {1, 0x44}, true, {0x44}},
        JudgeCase{"LocalSignalLong", C::ReadSignal, L, {}, {1, 0x44, 0}, false, {}},
        JudgeCase{"RemoteSignalStatus0", C::ReadSignal, R, {}, {0, 0x44}, false, {}},
        // The local analogue read checks no status byte; the remote one does.
        JudgeCase{"LocalAnalogStatusIgnored", C::ReadAnalog, L, {2}, {0, 0x01, 0x23}, true, {0x01, 0x23}},
        JudgeCase{"RemoteAnalogStatus0", C::ReadAnalog, R, {2}, {0, 0x01, 0x23}, false, {}},
        JudgeCase{"RemoteAnalog", C::ReadAnalog, R, {2}, {1, 0x01, 0x23}, true, {0x01, 0x23}},
        JudgeCase{"LocalIoRead", C::ReadIo, L, {5}, {1, 0x01}, true, {0x01}},
        JudgeCase{"LocalIoReadStatus0", C::ReadIo, L, {5}, {0, 0x01}, false, {}},
        JudgeCase{"LocalIoWrite", C::WriteIo, L, {5, 1}, {1}, true, {}},
        JudgeCase{"RemoteIoDirectionStatus0", C::WriteIoDirection, R, {5, 1}, {0}, false, {}},
        JudgeCase{"LocalRateRead", C::ReadRate, L, {}, {1, 2}, true, {2}},
        JudgeCase{"RemoteRateReadNineBytes", C::ReadRate, R, {}, {1}, false, {}},
        JudgeCase{"LocalRateWrite", C::WriteRate, L, {2}, {1}, true, {}},
        JudgeCase{"RemoteRateWrite", C::WriteRate, R, {2}, {1}, true, {}},
        JudgeCase{"RemoteRateWriteLonger", C::WriteRate, R, {2}, {1, 0}, true, {}},
        JudgeCase{"RemoteRateWriteStatus0", C::WriteRate, R, {2}, {0}, false, {}},
        // The EEPROM read hands back the whole reply.
        JudgeCase{"EepromRead", C::ReadEeprom, L, {0x10}, {1, 0xAB}, true,
                  {0x5A, 0x5F, 0xFA, 0, 0, 0, 0x55, 0xC2, 0x10, 1, 0xAB}},
        JudgeCase{"EepromReadOneByte", C::ReadEeprom, R, {0x10}, {}, true, {0x42}, {0x42}},
        JudgeCase{"LocalEepromWrite", C::WriteEeprom, L, {0x10, 0xAB}, {1}, true, {}},
        JudgeCase{"LocalEepromWriteStatus0", C::WriteEeprom, L, {0x10, 0xAB}, {0}, false, {}},
        JudgeCase{"RemoteEepromWriteStatusIgnored", C::WriteEeprom, R, {0x10, 0xAB}, {0}, true, {}},
        JudgeCase{"FactoryDefaults", C::FactoryDefaults, R, {}, {1}, true, {}},
        JudgeCase{"FactoryDefaultsStatus0", C::FactoryDefaults, L, {}, {0}, false, {}},
        // Password reads: 12 bytes locally, 9 remotely; bytes the reply lacks read as 0.
        JudgeCase{"LocalPassword", C::ReadPassword, L, {}, Concat({1}, Bytes{'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0, 'x'}),
                  true, {'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0, 'x'}},
        JudgeCase{"LocalPasswordShortReply", C::ReadPassword, L, {}, {1, 'a', 'b'}, true,
                  {'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        JudgeCase{"RemotePassword", C::ReadPassword, R, {}, Concat({1}, Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9', 'x'}),
                  true, {'1', '2', '3', '4', '5', '6', '7', '8', '9'}},
        JudgeCase{"RemotePasswordBadEcho", C::ReadPassword, R, {}, {}, false, {},
                  HeaderWith(kLocalAddress, 0x55, 0xC4, {1, 'a'})},
        JudgeCase{"PasswordWrite", C::WritePassword, R, Bytes(9, 'p'), {1}, true, {}},
        JudgeCase{"PasswordWriteStatus0", C::WritePassword, L, Bytes(9, 'p'), {0}, false, {}},
        JudgeCase{"LocalUpdateSwitch", C::WriteUpdateEnable, L, {1}, {1}, true, {}},
        JudgeCase{"LocalUpdateSwitchStatus0", C::WriteUpdateEnable, L, {1}, {0}, false, {}},
        JudgeCase{"RemoteUpdateSwitchStatusIgnored", C::WriteUpdateEnable, R, {1}, {0}, true, {}}),
    [](const ::testing::TestParamInfo<JudgeCase>& param) { return std::string(param.param.name); });

TEST(SnapFrames, RestartIsNeverAnswered) {
    for (Side side : {Side::Local, Side::Remote})
        EXPECT_EQ(FindRegisterUse(Command::Restart, side).rule.length, ReplyRule::Length::NotRead);
}

TEST(SnapFrames, SearchAnswerGivesTheIdentityAndTheSearchedRate) {
    const uint8_t body[kSearchBodySize] = {0xFF, 0xFF, 0xFF, 0x55, 0x00, 0x01, 0x00, 0x12, 0x4B,
                                           0x00, 0x00, 0xA1, 0x00, 0x07, 0xBE, 0xEF, 0x0C};
    const SnapRecord r = RecordFromSearchAnswer(body, 2);
    EXPECT_EQ(Bytes(r.MAC, r.MAC + 8), (Bytes{0x00, 0x12, 0x4B, 0x00, 0x00, 0xA1, 0x00, 0x07}));
    EXPECT_EQ(r.NETID, 0xBEEF);
    EXPECT_EQ(r.CHANNAL, 0x0C);
    EXPECT_EQ(r.DRATE, 2);
    SnapRecord expected{};
    std::memcpy(&expected, &r, kIdentitySize);
    expected.DRATE = 2;
    EXPECT_EQ(std::memcmp(&r, &expected, sizeof r), 0) << "bytes outside the identity and rate are 0";
    EXPECT_EQ(AddressOf(r), (Address{0xA1, 0x00, 0x07}));

    const uint8_t lead[] = {0x5A, 0x5F, 0xFA}, other[] = {0x5A, 0x5F, 0xFB};
    EXPECT_TRUE(IsSearchLead(lead));
    EXPECT_FALSE(IsSearchLead(other));
}

TEST(SnapRecordTable, PropertiesAddressTheDocumentedFields) {
    struct Field { int number; size_t offset; size_t width; };
    const Field fields[] = {{1, 0, 8},   {2, 8, 2},   {3, 10, 1},  {4, 11, 1},  {5, 12, 1},  {6, 13, 1},
                            {7, 14, 1},  {8, 15, 1},  {9, 16, 2},  {10, 18, 1}, {11, 19, 1}, {12, 20, 1},
                            {13, 21, 1}, {14, 22, 1}, {15, 23, 3}, {16, 26, 1}, {17, 27, 1}, {18, 28, 1},
                            {19, 29, 1}, {20, 30, 5}, {21, 35, 3}};
    SnapRecord record;
    auto* bytes = reinterpret_cast<uint8_t*>(&record);
    for (size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<uint8_t>(i + 1);
    for (const Field& f : fields) {
        SCOPED_TRACE(f.number);
        uint8_t out[12];
        std::memset(out, 0xEE, sizeof out);
        ASSERT_TRUE(GetProperty(record, f.number, out));
        EXPECT_EQ(Bytes(out, out + f.width), Bytes(bytes + f.offset, bytes + f.offset + f.width));
        EXPECT_EQ(out[f.width], 0xEE) << "nothing beyond the field's width is written";

        SnapRecord changed = record;
        const uint8_t in[8] = {0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8};
        ASSERT_TRUE(SetProperty(changed, f.number, in));
        auto* c = reinterpret_cast<const uint8_t*>(&changed);
        for (size_t i = 0; i < sizeof changed; ++i) {
            const bool inField = i >= f.offset && i < f.offset + f.width;
            EXPECT_EQ(c[i], inField ? in[i - f.offset] : bytes[i]) << "byte " << i;
        }
    }
    uint8_t out[8];
    for (int bad : {0, 22, -1}) {
        EXPECT_FALSE(GetProperty(record, bad, out));
        EXPECT_FALSE(SetProperty(record, bad, out));
    }
}

TEST(SnapRecordTable, NetIdIsBigEndianOnTheWireAndHostOrderInTheRecord) {
    std::array<uint8_t, kRecordSize> wire{};
    wire[8] = 0x12;
    wire[9] = 0x34;
    wire[10] = 7;
    const SnapRecord r = RecordFromWire(wire);
    EXPECT_EQ(r.NETID, 0x1234);
    EXPECT_EQ(r.CHANNAL, 7);
    uint16_t netId = 0;
    ASSERT_TRUE(GetProperty(r, 2, &netId));
    EXPECT_EQ(netId, 0x1234);
    EXPECT_EQ(RecordToWire(r), wire);
}
