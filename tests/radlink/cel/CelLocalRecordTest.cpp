// The local module's record: load, property access, submit, restart and factory reset.
#include "CelTestSupport.h"

using namespace celtest;
using namespace std::chrono_literals;
using sim::Fault;

namespace {

class CelLocalTest : public CelTest {};

struct VariantCase {
    size_t length;
    size_t area;
    uint8_t sendMode;
    uint8_t compression;
};
void PrintTo(const VariantCase& c, std::ostream* os) { *os << c.length << "-byte reply"; }

class CelLocalVariantTest : public CelTest, public ::testing::WithParamInterface<VariantCase> {};

TEST_P(CelLocalVariantTest, LoadsTheVariantAndSubmitsItsAreaBack) {
    const VariantCase v = GetParam();
    startCel({.recordLength = v.length});
    const CelModule before = localModule();

    CelRecord r{};
    ASSERT_EQ(QVZB_CEL_GetPropertyAll(&r), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(frames(), std::vector<Bytes>{kReadLocal});

    EXPECT_EQ(Text16(r.deviceName), "QuickMesh-Local");
    EXPECT_EQ(Text16(r.password), "123456");
    EXPECT_EQ(r.channel, 15);
    EXPECT_EQ(+r.panId, 0x1A2B);
    EXPECT_EQ(+r.netAddress, 0x0010);
    EXPECT_EQ(Bytes(r.macAddress, r.macAddress + 8), Bytes(before.area.begin() + 38, before.area.begin() + 46));
    EXPECT_EQ(r.runState, 0xAA);
    EXPECT_EQ(+r.controlWord, 1);
    EXPECT_EQ(+r.firmwareVersion, 0x0123);
    EXPECT_EQ(r.sendMode, v.sendMode);
    EXPECT_EQ(r.compression, v.compression);
    if (v.length == 80) {  // the low-power variant carries its three words big-endian
        EXPECT_EQ(+r.sleepTimeMs, 1000);
        EXPECT_EQ(+r.receiveDelayMs, 50);
        EXPECT_EQ(+r.forwardDelayMs, 20);
    }
    // What the reply does not cover reads zero, apart from the forced values.
    const auto* raw = reinterpret_cast<const uint8_t*>(&r);
    for (size_t off = v.area; off < 76; ++off)
        if (off != offsetof(CelRecord, compression)) {
            EXPECT_EQ(raw[off], 0) << "offset " << off;
        }

    server().clearLog();
    const char name[16] = {'N', 'e', 'w', 'N', 'a', 'm', 'e', 0, 'X', 'Y', 'Z', 'X', 'Y', 'Z', 'X', 'Y'};
    const uint8_t channel = 20;
    ASSERT_EQ(QVZB_CEL_SetProperty(1, name, 16), 1);
    ASSERT_EQ(QVZB_CEL_SetProperty(5, &channel, 1), 1);
    ASSERT_EQ(QVZB_CEL_SubmitInfo(), 1);

    Bytes area = before.area;
    std::fill(area.begin(), area.begin() + 16, 0);  // the text ends at its zero byte; the rest is padding
    std::copy_n("NewName", 7, area.begin());
    area[field::kChannel] = channel;
    if (v.length == 79) area[field::kSendMode] = 0x88;  // the forced value travels with the area
    Bytes write{0xAB, 0xBC, 0xCD, 0xD6, 0x00, 0x10};
    write.insert(write.end(), area.begin(), area.end());
    write.push_back(static_cast<uint8_t>(std::accumulate(write.begin(), write.end(), 0u)));
    ASSERT_EQ(write.size(), v.length - 2);
    EXPECT_EQ(frames(), (std::vector<Bytes>{write, Restart(0x0010, 1)}));

    const CelModule after = localModule();
    EXPECT_EQ(after.area, area);
    EXPECT_EQ(after.restarts, 1);
    EXPECT_EQ(after.liveChannel(), 20);
    uint8_t got = 0;
    ASSERT_EQ(QVZB_CEL_GetProperty(5, &got, 1), 1);  // the current record took the written values
    EXPECT_EQ(got, 20);
}

INSTANTIATE_TEST_SUITE_P(AllLengths, CelLocalVariantTest,
                         ::testing::Values(VariantCase{85, 76, 0, 0}, VariantCase{80, 71, 0, 0x99},
                                           VariantCase{79, 70, 0x88, 0x99}, VariantCase{74, 65, 0, 0x99}),
                         [](const auto& p) { return "Reply" + std::to_string(p.param.length); });


class CelLocalReplyTest : public CelTest, public ::testing::WithParamInterface<FaultCase> {};

// A rejected reply changes nothing: the record loaded before stays, and a later read of it still works.
TEST_P(CelLocalReplyTest, JudgesTheReplyAndKeepsTheRecordOnRejection) {
    startCel();
    loadLocal();
    withModel([](CelModel& m) { m.local().setText(field::kDeviceName, "Renamed"); });
    server().injectFault(GetParam().fault);

    EXPECT_EQ(QVZB_CEL_LoadInfo(), GetParam().result);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    char name[17] = {};
    ASSERT_EQ(QVZB_CEL_GetProperty(1, name, sizeof name), 1);
    EXPECT_EQ(std::string(name), GetParam().result ? "Renamed" : "QuickMesh-Local");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CelLocalReplyTest,
    ::testing::Values(FaultCase{"NoAnswer", Fault::noAnswer(), 0}, FaultCase{"OneShort", Fault::truncate(1), 0},
                      FaultCase{"OneLong", Fault::extend(1), 0}, FaultCase{"Length75", Fault::truncate(10), 0},
                      FaultCase{"WrongCommand", Fault::setByte(3, 0xD5), 0},
                      FaultCase{"TooLate", Fault::delay(400ms), 0},
                      FaultCase{"SplitByGap", Fault::split(40, 300ms), 0},
                      FaultCase{"StrayBytesBeforeTheRead", Fault::stray(3, 20ms), 0},
                      FaultCase{"LateButInTime", Fault::delay(120ms), 1},
                      FaultCase{"StrayBytesAfterTheRead", Fault::stray(3, 300ms), 1},
                      FaultCase{"LeadNotJudged", Fault::setByte(0, 0x00), 1}),
    CaseName);

TEST_F(CelLocalTest, AClosedPortIsReportedAndTheLoadedRecordSurvivesIt) {
    startCel();
    const CelRecord loaded = loadLocal();
    QVZB_CloseCom();

    EXPECT_EQ(QVZB_CEL_LoadInfo(), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
    CelRecord copy{};
    EXPECT_EQ(QVZB_CEL_GetPropertyAll(&copy), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
    EXPECT_EQ(std::memcmp(&copy, &loaded, sizeof copy), 0);
    EXPECT_EQ(QVZB_CEL_SubmitInfo(), 0);
    EXPECT_EQ(QVZB_CEL_ResetDev(), 0);
    EXPECT_EQ(QVZB_CEL_ResetToDefault(), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelLocalTest, PropertyAccessFollowsTheTable) {
    startCel();
    withModel([](CelModel& m) { m.local().setText(field::kDeviceName, "ABCDEFGHIJKLMNOP"); });
    loadLocal();

    char text[24];
    // A 16-character name needs a buffer of 17; 15 characters fit in 16.
    EXPECT_EQ(QVZB_CEL_GetProperty(1, text, 16), 0);
    EXPECT_EQ(QVZB_GetLastError(), 16);
    std::memset(text, 0x7E, sizeof text);
    EXPECT_EQ(QVZB_CEL_GetProperty(1, text, 17), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(std::string(text, 16), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(static_cast<uint8_t>(text[16]), 0x7E);  // 16 bytes copied, no more
    // The password "123456" in a buffer of 8: copied up to the declared size only.
    std::memset(text, 0x7E, sizeof text);
    EXPECT_EQ(QVZB_CEL_GetProperty(2, text, 8), 1);
    EXPECT_EQ(std::string(text), "123456");
    EXPECT_EQ(static_cast<uint8_t>(text[8]), 0x7E);

    uint16_t word = 0;
    EXPECT_EQ(QVZB_CEL_GetProperty(6, &word, 0), 1);  // numbers copy their width whatever the size
    EXPECT_EQ(word, 0x1A2B);
    EXPECT_EQ(QVZB_CEL_GetProperty(3, &word, 2), 1);
    EXPECT_EQ(word, 0x0123);
    uint8_t mac[8] = {};
    EXPECT_EQ(QVZB_CEL_GetProperty(8, mac, 8), 1);
    EXPECT_EQ(Bytes(mac, mac + 8), (Bytes{0x00, 0x12, 0x4B, 0x00, 0x0A, 0x0B, 0x0C, 0x01}));

    struct Refused {
        bool set;
        int number;
        int code;
    };
    for (const Refused& c : {Refused{false, 22, 17}, Refused{false, 0, 17}, Refused{false, 28, 17},
                             Refused{true, 3, 17}, Refused{true, 0, 17}, Refused{true, 28, 17}}) {
        uint8_t buf[16] = {};
        const int result = c.set ? QVZB_CEL_SetProperty(c.number, buf, 16) : QVZB_CEL_GetProperty(c.number, buf, 16);
        EXPECT_EQ(result, 0) << (c.set ? "set " : "get ") << c.number;
        EXPECT_EQ(QVZB_GetLastError(), c.code) << (c.set ? "set " : "get ") << c.number;
    }
    EXPECT_EQ(QVZB_CEL_GetProperty(5, nullptr, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 16);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelLocalTest, FactoryResetRestoresTheModuleAndAsksForANewLoad) {
    startCel();
    withModel([](CelModel& m) { m.local().setText(field::kDeviceName, "Renamed"); });
    loadLocal();

    ASSERT_EQ(QVZB_CEL_ResetToDefault(), 1);
    EXPECT_EQ(frames(), (std::vector<Bytes>{Control(0xDA, 0x0010, 1), Restart(0x0010, 1)}));
    const CelModule m = localModule();
    EXPECT_EQ(m.name(), "QuickMesh-Local");
    EXPECT_EQ(m.factoryResets, 1);
    EXPECT_EQ(m.restarts, 1);

    server().clearLog();
    uint8_t b = 11;
    EXPECT_EQ(QVZB_CEL_GetProperty(5, &b, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_EQ(QVZB_CEL_SetProperty(5, &b, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_EQ(QVZB_CEL_SubmitInfo(), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelLocalTest, AnUnacknowledgedFactoryResetKeepsTheRecordAndSendsNoRestart) {
    startCel();
    loadLocal();
    server().injectFault(Fault::setByte(8, 1));

    EXPECT_EQ(QVZB_CEL_ResetToDefault(), 0);
    EXPECT_EQ(frames(), std::vector<Bytes>{Control(0xDA, 0x0010, 1)});
    uint8_t channel = 0;
    EXPECT_EQ(QVZB_CEL_GetProperty(5, &channel, 1), 1);
    EXPECT_EQ(channel, 15);
}

TEST_F(CelLocalTest, ResetDevRestartsTheModuleAndLeavesTheErrorCodeAlone) {
    startCel({.controlWord = 2});
    loadLocal();
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 1, nullptr, 0), 0);  // leaves 105
    const auto t0 = std::chrono::steady_clock::now();

    EXPECT_EQ(QVZB_CEL_ResetDev(), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, 390ms);  // the module is given its restart time
    EXPECT_EQ(QVZB_GetLastError(), 105);
    EXPECT_EQ(frames(), std::vector<Bytes>{Restart(0x0010, 2)});
    EXPECT_EQ(localModule().restarts, 1);
    EXPECT_EQ(localModule().lastRestartWord, 2);
}


class CelLocalSubmitTest : public CelTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CelLocalSubmitTest, AFailedWriteSendsNoRestartAndKeepsTheRecord) {
    startCel();
    loadLocal();
    const uint8_t channel = 22;
    ASSERT_EQ(QVZB_CEL_SetProperty(5, &channel, 1), 1);
    server().injectFault(GetParam().fault);

    EXPECT_EQ(QVZB_CEL_SubmitInfo(), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    ASSERT_EQ(frames().size(), 1u);
    EXPECT_EQ(frames()[0][3], 0xD6);
    uint8_t got = 0;
    ASSERT_EQ(QVZB_CEL_GetProperty(5, &got, 1), 1);
    EXPECT_EQ(got, 15);
    EXPECT_EQ(localModule().restarts, 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, CelLocalSubmitTest,
                         ::testing::Values(FaultCase{"NoAnswer", Fault::noAnswer()},
                                           FaultCase{"StatusNotZero", Fault::setByte(6, 1)},
                                           FaultCase{"OneShort", Fault::truncate(1)}),
                         CaseName);

}  // namespace
