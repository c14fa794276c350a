// The single-register functions, local and remote: exact requests, values handed back, what the module keeps,
// and the reply checks that differ between local and remote use.
#include <cstring>
#include <functional>
#include <string>

#include "SnapFixture.h"

using namespace snaptest;

namespace {

struct RegisterCase {
    const char* name;
    std::function<void(sim::SnapModel&)> prepare;
    std::function<void()> call;  // calls the function and checks its result and outputs
    Bytes request;
    std::function<void(sim::SnapModel&)> kept;  // what the module holds afterwards (may be empty)
};

std::string CaseName(const ::testing::TestParamInfo<RegisterCase>& param) { return param.param.name; }

void Nothing(sim::SnapModel&) {}

const uint8_t kBeef[] = {0xBE, 0xEF}, kDst[] = {0x0A, 0x0B, 0x0C}, kSlave[] = {'S'}, kThree[] = {3}, kTwo[] = {2},
              kLineOn[] = {5, 1}, kOne[] = {1};

}  // namespace

// ---- local module: one frame each, no tuning

class SnapLocalRegisters : public SnapTest, public ::testing::WithParamInterface<RegisterCase> {};

TEST_P(SnapLocalRegisters, SendExactlyOneRequestAndKeepTheValue) {
    const RegisterCase& c = GetParam();
    startLoaded();
    withModel([&](sim::SnapModel& m) { c.prepare(m); return 0; });
    c.call();
    EXPECT_EQ(framesAfter(1), std::vector<Bytes>{c.request});
    if (c.kept) withModel([&](sim::SnapModel& m) { c.kept(m); return 0; });
}

INSTANTIATE_TEST_SUITE_P(
    Functions, SnapLocalRegisters,
    ::testing::Values(
        RegisterCase{"GetNetID", Nothing,
                     [] {
                         uint8_t buf[4] = {0, 0, 0xEE, 0xEE};
                         EXPECT_EQ(QVZB_SNAP_GetLocalNetID(buf, 3), 1);
                         EXPECT_EQ(Bytes(buf, buf + 4), (Bytes{0x12, 0x34, 0xEE, 0xEE}));
                     },
                     Frame(kLocal, kRead, 0x01), nullptr},
        RegisterCase{"SetNetID", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalNetID(kBeef), 1); },
                     Frame(kLocal, kWrite, 0x01, {0xBE, 0xEF}),
                     [](sim::SnapModel& m) { EXPECT_EQ(m.local().netId(), 0xBEEF); }},
        RegisterCase{"GetDstAdr", [](sim::SnapModel& m) { std::memcpy(&m.local().record[23], kDst, 3); },
                     [] {
                         uint8_t buf[8] = {};
                         EXPECT_EQ(QVZB_SNAP_GetLocalDstAdr(buf, 8), 1);
                         EXPECT_EQ(Bytes(buf, buf + 4), (Bytes{0x0A, 0x0B, 0x0C, 0}));
                     },
                     Frame(kLocal, kRead, 0x02), nullptr},
        RegisterCase{"SetDstAdr", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalDstAdr(kDst), 1); },
                     Frame(kLocal, kWrite, 0x02, {0x0A, 0x0B, 0x0C}),
                     [](sim::SnapModel& m) { EXPECT_EQ(m.local().record[25], 0x0C); }},
        RegisterCase{"GetWorkMode", Nothing,
                     [] {
                         uint8_t mode = 0;
                         EXPECT_EQ(QVZB_SNAP_GetLocalWorkMode(&mode, 1), 1);
                         EXPECT_EQ(mode, 'M');
                     },
                     Frame(kLocal, kRead, 0x03), nullptr},
        RegisterCase{"SetWorkMode", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalWorkMode(kSlave), 1); },
                     Frame(kLocal, kWrite, 0x03, {'S'}),
                     [](sim::SnapModel& m) { EXPECT_EQ(m.local().record[21], 'S'); }},
        RegisterCase{"SetChannel", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalChannel(kThree), 1); },
                     Frame(kLocal, kWrite, 0x04, {3}), [](sim::SnapModel& m) { EXPECT_EQ(m.local().channel(), 3); }},
        RegisterCase{"GetSignalPower", [](sim::SnapModel& m) { m.local().signal = 0x5C; },
                     [] { EXPECT_EQ(QVZB_SNAP_GetLocalSignalPower(), 0x5C); }, Frame(kLocal, kWrite, 0x04),
                     nullptr},
        RegisterCase{"GetRate", [](sim::SnapModel& m) { m.local().record[19] = 2; },
                     [] {
                         uint8_t rate[2] = {0xEE, 0xEE};
                         EXPECT_EQ(QVZB_SNAP_GetLocalRate(rate), 1);
                         EXPECT_EQ(rate[0], 2);
                         EXPECT_EQ(rate[1], 0xEE) << "one byte only";
                     },
                     Frame(kLocal, kRead, 0x07), nullptr},
        RegisterCase{"SetRate", Nothing,
                     [] {
                         EXPECT_EQ(QVZB_SNAP_SetLocalRate(kTwo), 1);
                         uint8_t rate = 0xEE;
                         QVZB_SNAP_GetProperty(11, &rate, 1);
                         EXPECT_EQ(rate, 0) << "the loaded record keeps the module's own rate";
                     },
                     Frame(kLocal, kWrite, 0x07, {2}), [](sim::SnapModel& m) { EXPECT_EQ(m.local().rate(), 2); }},
        RegisterCase{"GetADvalue", [](sim::SnapModel& m) { m.local().analog[2] = 0xA55A; },
                     [] { EXPECT_EQ(QVZB_SNAP_GetLocalADvalue(2), 0xA55A); }, Frame(kLocal, kRead, 0x05, {2}),
                     nullptr},
        RegisterCase{"GetIOvalue", [](sim::SnapModel& m) { m.local().ioValue[5] = 1; },
                     [] { EXPECT_EQ(QVZB_SNAP_GetLocalIOvalue(5), 1); }, Frame(kLocal, kRead, 0x06, {5}), nullptr},
        RegisterCase{"SetIODirection", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalIODirection(kLineOn), 1); },
                     Frame(kLocal, kWrite, 0x05, {5, 1}),
                     [](sim::SnapModel& m) { EXPECT_EQ(m.local().ioDirection[5], 1); }},
        RegisterCase{"SetIOvalue", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalIOvalue(kLineOn), 1); },
                     Frame(kLocal, kWrite, 0x06, {5, 1}),
                     [](sim::SnapModel& m) { EXPECT_EQ(m.local().ioValue[5], 1); }},
        RegisterCase{"SetUpdateEn", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetLocalUpdateEn(kOne), 1); },
                     Frame(kLocal, kWrite, 0xF0, {0x10, 0x20, 0x30, 0x40, 0x50, 1}),
                     [](sim::SnapModel& m) { EXPECT_EQ(m.local().record[28], 1); }},
        // The whole reply comes back, echo and status included, cut to the caller's size.
        RegisterCase{"GetEEPROM", Nothing,
                     [] {
                         uint8_t buf[64] = {};
                         unsigned int n = 99;
                         EXPECT_EQ(QVZB_SNAP_GetLocalEEPROM(0x10, buf, 64, &n), 1);
                         ASSERT_EQ(n, 9u + 1 + 16);
                         Bytes expected = Frame(kLocal, kRead, 0xC2, {0x10});
                         expected.push_back(1);
                         for (uint8_t i = 0; i < 16; ++i) expected.push_back(static_cast<uint8_t>(0x10 + i));
                         EXPECT_EQ(Bytes(buf, buf + n), expected);
                     },
                     Frame(kLocal, kRead, 0xC2, {0x10}), nullptr},
        RegisterCase{"GetEEPROMCutToSize", Nothing,
                     [] {
                         uint8_t buf[8] = {};
                         unsigned int n = 0;
                         EXPECT_EQ(QVZB_SNAP_GetLocalEEPROM(0x10, buf, 5, &n), 1);
                         EXPECT_EQ(n, 5u);
                         EXPECT_EQ(buf[5], 0);
                     },
                     Frame(kLocal, kRead, 0xC2, {0x10}), nullptr}),
    CaseName);

// ---- remote module: the same functions inside the tuning to the module and back

class SnapRemoteRegisters : public SnapTest, public ::testing::WithParamInterface<RegisterCase> {};

TEST_P(SnapRemoteRegisters, RunTunedToTheModuleAndBack) {
    const RegisterCase& c = GetParam();
    startWithFarRemote();
    withModel([&](sim::SnapModel& mm) { c.prepare(mm); return 0; });
    c.call();
    EXPECT_EQ(framesAfter(5), Tuned({c.request}));
    withModel([&](sim::SnapModel& mm) {
        EXPECT_EQ(mm.local().channel(), kOwnChannel);
        EXPECT_EQ(mm.local().rate(), kOwnRate);
        if (c.kept) c.kept(mm);
        return 0;
    });
}

sim::SnapUnit& Far(sim::SnapModel& m) { return *m.findRemote(kFar); }

INSTANTIATE_TEST_SUITE_P(
    Functions, SnapRemoteRegisters,
    ::testing::Values(
        // Remote register reads hand back the status byte first.
        RegisterCase{"GetNetID", Nothing,
                     [] {
                         uint8_t buf[4] = {};
                         EXPECT_EQ(QVZB_SNAP_GetRemoteNetID(0, buf, 4), 1);
                         EXPECT_EQ(Bytes(buf, buf + 4), (Bytes{1, 0x56, 0x78, 0}));
                     },
                     Frame(kFar, kRead, 0x01), nullptr},
        RegisterCase{"SetNetID", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteNetID(0, kBeef), 1); },
                     Frame(kFar, kWrite, 0x01, {0xBE, 0xEF}),
                     [](sim::SnapModel& m) { EXPECT_EQ(Far(m).netId(), 0xBEEF); }},
        RegisterCase{"GetDstAdr", [](sim::SnapModel& m) { std::memcpy(&Far(m).record[23], kDst, 3); },
                     [] {
                         uint8_t buf[4] = {};
                         EXPECT_EQ(QVZB_SNAP_GetRemoteDstAdr(0, buf, 4), 1);
                         EXPECT_EQ(Bytes(buf, buf + 4), (Bytes{1, 0x0A, 0x0B, 0x0C}));
                     },
                     Frame(kFar, kRead, 0x02), nullptr},
        RegisterCase{"SetDstAdr", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteDstAdr(0, kDst), 1); },
                     Frame(kFar, kWrite, 0x02, {0x0A, 0x0B, 0x0C}),
                     [](sim::SnapModel& m) { EXPECT_EQ(Far(m).record[23], 0x0A); }},
        RegisterCase{"GetWorkMode", Nothing,
                     [] {
                         uint8_t buf[2] = {};
                         EXPECT_EQ(QVZB_SNAP_GetRemoteWorkMode(0, buf, 2), 1);
                         EXPECT_EQ(Bytes(buf, buf + 2), (Bytes{1, 'S'}));
                     },
                     Frame(kFar, kRead, 0x03), nullptr},
        RegisterCase{"SetWorkMode", Nothing,
                     [] {
                         const uint8_t host[] = {'M'};
                         EXPECT_EQ(QVZB_SNAP_SetRemoteWorkMode(0, host), 1);
                     },
                     Frame(kFar, kWrite, 0x03, {'M'}), [](sim::SnapModel& m) { EXPECT_EQ(Far(m).record[21], 'M'); }},
        RegisterCase{"SetChannel", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteChannel(0, kThree), 1); },
                     Frame(kFar, kWrite, 0x04, {3}), [](sim::SnapModel& m) { EXPECT_EQ(Far(m).channel(), 3); }},
        RegisterCase{"GetSignalPower", [](sim::SnapModel& m) { Far(m).signal = 0x33; },
                     [] { EXPECT_EQ(QVZB_SNAP_GetRemoteSignalPower(0), 0x33); }, Frame(kFar, kRead, 0x04), nullptr},
        RegisterCase{"GetRate", Nothing,
                     [] {
                         uint8_t rate[2] = {0xEE, 0xEE};
                         EXPECT_EQ(QVZB_SNAP_GetRemoteRate(0, rate), 1);
                         EXPECT_EQ(rate[0], kFarRate);
                         EXPECT_EQ(rate[1], 0xEE);
                     },
                     Frame(kFar, kRead, 0x07), nullptr},
        // The module's answer is the 9-byte request and its status byte.
        RegisterCase{"SetRate", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteRate(0, kTwo), 1); },
                     Frame(kFar, kWrite, 0x07, {2}), [](sim::SnapModel& m) { EXPECT_EQ(Far(m).rate(), 2); }},
        RegisterCase{"GetADvalue", [](sim::SnapModel& m) { Far(m).analog[1] = 0x0102; },
                     [] { EXPECT_EQ(QVZB_SNAP_GetRemoteADvalue(0, 1), 0x0102); }, Frame(kFar, kRead, 0x05, {1}),
                     nullptr},
        RegisterCase{"GetIOvalue", [](sim::SnapModel& m) { Far(m).ioValue[3] = 7; },
                     [] { EXPECT_EQ(QVZB_SNAP_GetRemoteIOvalue(0, 3), 7); }, Frame(kFar, kRead, 0x06, {3}), nullptr},
        RegisterCase{"SetIODirection", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteIODirection(0, kLineOn), 1); },
                     Frame(kFar, kWrite, 0x05, {5, 1}), [](sim::SnapModel& m) { EXPECT_EQ(Far(m).ioDirection[5], 1); }},
        RegisterCase{"SetIOvalue", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteIOvalue(0, kLineOn), 1); },
                     Frame(kFar, kWrite, 0x06, {5, 1}), [](sim::SnapModel& m) { EXPECT_EQ(Far(m).ioValue[5], 1); }},
        RegisterCase{"SetUpdateEn", Nothing, [] { EXPECT_EQ(QVZB_SNAP_SetRemoteUpdateEn(0, kOne), 1); },
                     Frame(kFar, kWrite, 0xF0, {1}), [](sim::SnapModel& m) { EXPECT_EQ(Far(m).record[28], 1); }},
        RegisterCase{"GetEEPROM", Nothing,
                     [] {
                         uint8_t buf[64] = {};
                         unsigned int n = 0;
                         EXPECT_EQ(QVZB_SNAP_GetRemoteEEPROM(0, 0x20, buf, 64, &n), 1);
                         ASSERT_EQ(n, 26u);
                         EXPECT_EQ(Bytes(buf, buf + 10), (Bytes{0x5A, 0x5F, 0xFA, kFar[0], kFar[1], kFar[2], 0x55,
                                                                0xC2, 0x20, 1}));
                         EXPECT_EQ(buf[10], 0x20);
                     },
                     Frame(kFar, kRead, 0xC2, {0x20}), nullptr}),
    CaseName);

// ---- reply checks: what fails and what passes, per side

struct ReplyCase {
    const char* name;
    bool remote;
    sim::Fault fault;
    std::function<int()> call;
    int expected;
};

std::string ReplyCaseName(const ::testing::TestParamInfo<ReplyCase>& param) { return param.param.name; }

class SnapRegisterReplies : public SnapTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(SnapRegisterReplies, AreJudgedByTheirSidesRule) {
    const ReplyCase& c = GetParam();
    if (c.remote) {
        startWithFarRemote();
    } else {
        startLoaded();
    }
    // Remote requests are told apart from the tuning frames by their address.
    sim::Fault fault = c.fault;
    if (c.remote) fault.onlyWhen(3, kFar[0]);
    server().injectFault(fault);
    QVZB_SNAP_GetSearchDevProperty(-1, 1, nullptr, 0);  // leaves code 105
    EXPECT_EQ(c.call(), c.expected);
    EXPECT_EQ(QVZB_GetLastError(), 105) << "single-register functions leave the code alone";
}

uint8_t g_out[16];

INSTANTIATE_TEST_SUITE_P(
    Faults, SnapRegisterReplies,
    ::testing::Values(
        ReplyCase{"LocalNetIdStatus0", false, sim::Fault::setByte(8, 0),
                  [] { return QVZB_SNAP_GetLocalNetID(g_out, 2); }, 0},
        ReplyCase{"LocalNetIdNineBytes", false, sim::Fault::truncate(2),
                  [] { return QVZB_SNAP_GetLocalNetID(g_out, 2); }, 0},
        ReplyCase{"LocalNetIdWriteTooLong", false, sim::Fault::extend(1), [] { return QVZB_SNAP_SetLocalNetID(kBeef); },
                  0},
        ReplyCase{"LocalNetIdWriteStatus0", false, sim::Fault::setByte(10, 0),
                  [] { return QVZB_SNAP_SetLocalNetID(kBeef); }, 0},
        ReplyCase{"LocalChannelSilent", false, sim::Fault::noAnswer(), [] { return QVZB_SNAP_SetLocalChannel(kThree); },
                  0},
        ReplyCase{"LocalSignalTooLong", false, sim::Fault::extend(1), [] { return QVZB_SNAP_GetLocalSignalPower(); },
                  0},
        ReplyCase{"LocalAnalogStatusNotChecked", false, sim::Fault::setByte(9, 0),
                  [] { return QVZB_SNAP_GetLocalADvalue(0); }, 0x0123},
        ReplyCase{"LocalAnalogShort", false, sim::Fault::truncate(1), [] { return QVZB_SNAP_GetLocalADvalue(0); }, 0},
        ReplyCase{"LocalIoStatus0", false, sim::Fault::setByte(9, 0), [] { return QVZB_SNAP_GetLocalIOvalue(0); }, 0},
        ReplyCase{"LocalIoWriteStatus0", false, sim::Fault::setByte(10, 0),
                  [] { return QVZB_SNAP_SetLocalIOvalue(kLineOn); }, 0},
        ReplyCase{"LocalRateReadStatus0", false, sim::Fault::setByte(8, 0),
                  [] { return QVZB_SNAP_GetLocalRate(g_out); }, 0},
        ReplyCase{"LocalUpdateSwitchStatus0", false, sim::Fault::setByte(14, 0),
                  [] { return QVZB_SNAP_SetLocalUpdateEn(kOne); }, 0},
        ReplyCase{"LocalEepromOneByte", false, sim::Fault::replace({0x42}),
                  [] {
                      unsigned int n = 0;
                      return QVZB_SNAP_GetLocalEEPROM(0, g_out, 16, &n) == 1 && n == 1 && g_out[0] == 0x42 ? 1 : 0;
                  },
                  1},
        ReplyCase{"LocalEepromSilent", false, sim::Fault::noAnswer(),
                  [] {
                      unsigned int n = 7;
                      return QVZB_SNAP_GetLocalEEPROM(0, g_out, 16, &n) + static_cast<int>(n);
                  },
                  0},
        // Remote register reads need more than 8 bytes; the 9th, the status byte, is handed back as it is.
        ReplyCase{"RemoteNetIdEightBytes", true, sim::Fault::truncate(3),
                  [] { return QVZB_SNAP_GetRemoteNetID(0, g_out, 4); }, 0},
        ReplyCase{"RemoteNetIdNineBytes", true, sim::Fault::truncate(2),
                  [] {
                      std::memset(g_out, 0xEE, sizeof g_out);
                      return QVZB_SNAP_GetRemoteNetID(0, g_out, 4) == 1 && g_out[0] == 1 && g_out[1] == 0xEE ? 1 : 0;
                  },
                  1},
        ReplyCase{"RemoteNetIdWriteStatusNotChecked", true, sim::Fault::setByte(10, 0),
                  [] { return QVZB_SNAP_SetRemoteNetID(0, kBeef); }, 1},
        ReplyCase{"RemoteChannelWriteEightBytes", true, sim::Fault::truncate(2),
                  [] { return QVZB_SNAP_SetRemoteChannel(0, kThree); }, 0},
        ReplyCase{"RemoteRateWriteStatus0", true, sim::Fault::setByte(9, 0),
                  [] { return QVZB_SNAP_SetRemoteRate(0, kTwo); }, 0},
        ReplyCase{"RemoteRateWriteNineBytes", true, sim::Fault::truncate(1),
                  [] { return QVZB_SNAP_SetRemoteRate(0, kTwo); }, 0},
        ReplyCase{"RemoteAnalogStatus0", true, sim::Fault::setByte(9, 0),
                  [] { return QVZB_SNAP_GetRemoteADvalue(0, 0); }, 0},
        ReplyCase{"RemoteSignalStatus0", true, sim::Fault::setByte(8, 0),
                  [] { return QVZB_SNAP_GetRemoteSignalPower(0); }, 0},
        ReplyCase{"RemoteRateReadNineBytes", true, sim::Fault::truncate(1),
                  [] { return QVZB_SNAP_GetRemoteRate(0, g_out); }, 0},
        ReplyCase{"RemoteUpdateSwitchStatusNotChecked", true, sim::Fault::setByte(9, 0),
                  [] { return QVZB_SNAP_SetRemoteUpdateEn(0, kOne); }, 1}),
    ReplyCaseName);

// Out-of-range indices: nothing is sent and the code stays as it was.
TEST_F(SnapTest, RemoteRegisterFunctionsRefuseIndicesOutsideTheList) {
    startWithFarRemote();
    unsigned int n = 0;
    char pwd[16];
    const std::function<int(int)> calls[] = {
        [](int i) { return QVZB_SNAP_GetRemoteNetID(i, g_out, 4); },
        [](int i) { return QVZB_SNAP_SetRemoteNetID(i, kBeef); },
        [](int i) { return QVZB_SNAP_SetRemoteChannel(i, kThree); },
        [](int i) { return QVZB_SNAP_GetRemoteSignalPower(i); },
        [](int i) { return QVZB_SNAP_GetRemoteADvalue(i, 0); },
        [&](int i) { return QVZB_SNAP_GetRemoteEEPROM(i, 0, g_out, 16, &n); },
        [](int i) { return QVZB_SNAP_SetRemoteEEPROM(i, 0, kOne, 1); },
        [&](int i) { return QVZB_SNAP_GetRemotePwd(i, pwd); },
        [](int i) { return QVZB_SNAP_SetRemotePwd(i, "far", "new"); },
        [](int i) { return QVZB_SNAP_SetRemoteReset(i); },
        [](int i) { return QVZB_SNAP_SetRemoteResetToDefault(i); },
    };
    for (int index : {-1, 1}) {
        for (const auto& call : calls) {
            QVZB_SNAP_GetSearchDevProperty(-1, 1, nullptr, 0);
            EXPECT_EQ(call(index), 0);
            EXPECT_EQ(QVZB_GetLastError(), 105);
        }
    }
    EXPECT_TRUE(frames().empty());
}
