// The local module's configuration through the exported functions, against the simulated module.
#include <chrono>
#include <cstring>

#include "OrlnetFixture.h"

using namespace orlnettest;
using sim::Fault;
using Clock = std::chrono::steady_clock;

TEST_F(OrlnetTest, LoadInfoReadsTheRecordInHostOrder) {
    ASSERT_EQ(QVZB_ORLNET_LoadInfo(), 1);
    EXPECT_EQ(sent(), Hex({{0xAB, 0xBC, 0xCD, 0xD1, 0x05}}));

    OrlnetConfig rec;
    ASSERT_EQ(QVZB_ORLNET_GetPropertyAll(&rec), 1);
    EXPECT_EQ(std::string(rec.deviceName), "ORLNET-LOCAL");
    EXPECT_EQ(rec.channel, kLocalChannel);
    EXPECT_EQ(+rec.panId, 0x1A2B);
    EXPECT_EQ(+rec.netAddress, kLocalAddress);
    EXPECT_EQ(rec.reserved38[0], 38);
    EXPECT_EQ(+rec.reserved46, 0x2E2F);
    EXPECT_EQ(+rec.tempRouteLifetime, 3000);
    EXPECT_EQ(+rec.routeRetryTime, 200);
    EXPECT_EQ(+rec.dataAccessTimeout, 2000);  // unaligned
    EXPECT_EQ(rec.minSignal, -90);
    EXPECT_EQ(rec.runState, 0xAA);
    EXPECT_EQ(+rec.controlWord, kLocalWord);
    EXPECT_EQ(+rec.firmwareVersion, 0x0123);
}

TEST_F(OrlnetTest, AFailedLoadKeepsTheLastRecord) {
    loadLocal();
    changeModule(kLocalAddress, [](sim::OrlnetModule& m) { m.config[field::kChannel] = 22; });
    struct {
        const char* what;
        Fault fault;
    } cases[] = {{"silence", Fault::noAnswer()},
                 {"87 bytes", Fault::truncate(1)},
                 {"other command", Fault::setByte(3, 0xD2)}};
    for (const auto& c : cases) {
        server().injectFault(c.fault);
        OrlnetConfig rec{};
        EXPECT_EQ(QVZB_ORLNET_GetPropertyAll(&rec), 0) << c.what;
        EXPECT_EQ(QVZB_GetLastError(), 0) << c.what;
        EXPECT_EQ(rec.channel, kLocalChannel) << c.what;
    }

    QVZB_CloseCom();
    OrlnetConfig rec{};
    EXPECT_EQ(QVZB_ORLNET_GetPropertyAll(&rec), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
    EXPECT_EQ(+rec.netAddress, kLocalAddress);
    uint8_t channel = 0;
    EXPECT_EQ(QVZB_ORLNET_GetProperty(5, &channel, 1), 1);  // the record outlives the port
    EXPECT_EQ(channel, kLocalChannel);
}

TEST_F(OrlnetTest, PropertiesCheckTheRecordTheirNumberAndTheCallersBuffer) {
    loadLocal();
    ASSERT_EQ(QVZB_ORLNET_ResetToDefault(), 1);  // leaves the record unloaded
    char text[20];
    EXPECT_EQ(QVZB_ORLNET_GetProperty(1, text, 20), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_EQ(QVZB_ORLNET_SetProperty(1, "x", 2), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_EQ(QVZB_ORLNET_SubmitInfo(), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);

    changeModule(kLocalAddress, [](sim::OrlnetModule& m) { std::memcpy(&m.config[0], "ABCDEFGHIJKLMNOP", 16); });
    loadLocal();
    uint16_t word = 0;
    EXPECT_EQ(QVZB_ORLNET_GetProperty(3, &word, 2), 1);
    EXPECT_EQ(word, 0x0123);
    EXPECT_EQ(QVZB_ORLNET_GetProperty(7, &word, 2), 1);
    EXPECT_EQ(word, kLocalAddress);
    for (int number : {0, 8, 9, 10, 13, 14, 29}) {
        EXPECT_EQ(QVZB_ORLNET_GetProperty(number, &word, 2), 0) << number;
        EXPECT_EQ(QVZB_GetLastError(), 17) << number;
        EXPECT_EQ(QVZB_ORLNET_SetProperty(number, &word, 2), 0) << number;
        EXPECT_EQ(QVZB_GetLastError(), 17) << number;
    }
    EXPECT_EQ(QVZB_ORLNET_SetProperty(3, &word, 2), 0);  // the firmware version is read only
    EXPECT_EQ(QVZB_GetLastError(), 17);

    // A text needs a buffer longer than itself, and nothing is written past the size given.
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(QVZB_ORLNET_GetProperty(1, text, 16), 0);
    EXPECT_EQ(QVZB_GetLastError(), 16);
    EXPECT_EQ(QVZB_ORLNET_GetProperty(1, text, 17), 1);
    EXPECT_EQ(std::string(text, 17), "ABCDEFGHIJKLMNOP#");

    const char shortName[16] = "ABCDE";
    ASSERT_EQ(QVZB_ORLNET_SetProperty(1, shortName, 16), 1);
    ASSERT_EQ(QVZB_ORLNET_SubmitInfo(), 1);
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(QVZB_ORLNET_GetProperty(1, text, 5), 0);
    EXPECT_EQ(QVZB_GetLastError(), 16);
    EXPECT_EQ(QVZB_ORLNET_GetProperty(1, text, 6), 1);
    EXPECT_EQ(std::string(text, 8), std::string("ABCDE\0##", 8));
}

TEST_F(OrlnetTest, SubmitInfoWritesTheEditRecordThenRestarts) {
    loadLocal();
    const sim::OrlnetModule before = module(kLocalAddress);
    const char name[16] = "RENAMED";
    const uint16_t panId = 0x3344, accessTimeout = 0x0102;
    ASSERT_EQ(QVZB_ORLNET_SetProperty(1, name, 16), 1);
    ASSERT_EQ(QVZB_ORLNET_SetProperty(6, &panId, 2), 1);
    ASSERT_EQ(QVZB_ORLNET_SetProperty(22, &accessTimeout, 2), 1);

    const auto t0 = Clock::now();
    ASSERT_EQ(QVZB_ORLNET_SubmitInfo(), 1);
    EXPECT_GE(Clock::now() - t0, std::chrono::milliseconds(400));  // the restart's pause

    Bytes written(before.config.begin(), before.config.begin() + field::kWritten);
    std::fill_n(written.begin(), 16, 0);
    std::memcpy(written.data(), "RENAMED", 7);
    written[34] = 0x33, written[35] = 0x44, written[73] = 0x01, written[74] = 0x02;
    EXPECT_EQ(sent(), Hex({Cfg(0xAB, 0xD6, kLocalAddress, written), Restart(0xAB, kLocalAddress, kLocalWord)}));
    const sim::OrlnetModule after = module(kLocalAddress);
    EXPECT_TRUE(std::equal(written.begin(), written.end(), after.config.begin()));
    EXPECT_EQ(after.restarts, std::vector<uint16_t>{kLocalWord});
    uint16_t word = 0;
    EXPECT_EQ(QVZB_ORLNET_GetProperty(6, &word, 2), 1);
    EXPECT_EQ(word, panId);

    // A refused write sends no restart and leaves the record as it was.
    server().clearLog();
    const uint16_t otherPanId = 0x7777;
    ASSERT_EQ(QVZB_ORLNET_SetProperty(6, &otherPanId, 2), 1);
    server().injectFault(Fault::setByte(6, 1));
    EXPECT_EQ(QVZB_ORLNET_SubmitInfo(), 0);
    EXPECT_EQ(frames().size(), 1u);
    EXPECT_EQ(QVZB_ORLNET_GetProperty(6, &word, 2), 1);
    EXPECT_EQ(word, panId);
}

TEST_F(OrlnetTest, LocalChannelAndRateNeedTheirFiveByteAcknowledgement) {
    loadLocal();
    EXPECT_EQ(QVZB_ORLNET_SetlocalChannel(15), 1);
    EXPECT_EQ(QVZB_ORLNET_SetlocalRate(2), 1);
    EXPECT_EQ(sent(), Hex({{0xAB, 0xBC, 0xCD, 0xD2, 0x0F, 0x15}, {0xAB, 0xBC, 0xCD, 0xD3, 0x02, 0x09}}));
    EXPECT_EQ(withModel([](sim::OrlnetModel& m) { return m.tunedRate(); }), 2);
    uint8_t rate = 0xFF;
    EXPECT_EQ(QVZB_ORLNET_GetProperty(11, &rate, 1), 1);  // the record keeps the module's own rate
    EXPECT_EQ(rate, kLocalRate);

    struct {
        const char* what;
        Fault fault;
    } cases[] = {{"status 1", Fault::setByte(4, 1)},
                 {"6 bytes", Fault::extend(1)},
                 {"4 bytes", Fault::truncate(1)},
                 {"silence", Fault::noAnswer()}};
    for (const auto& c : cases) {
        server().injectFault(c.fault);
        EXPECT_EQ(QVZB_ORLNET_SetlocalChannel(20), 0) << c.what;
        server().injectFault(c.fault);
        EXPECT_EQ(QVZB_ORLNET_SetlocalRate(1), 0) << c.what;
    }
}

TEST_F(OrlnetTest, RestartAndFactoryResetGoToTheRecordsAddressAndLeaveTheErrorCode) {
    loadLocal();
    StoreError105();
    EXPECT_EQ(QVZB_ORLNET_ResetDev(), 1);
    EXPECT_EQ(sent(), Hex({Restart(0xAB, kLocalAddress, kLocalWord)}));
    EXPECT_EQ(QVZB_GetLastError(), 105);

    changeModule(kLocalAddress, [](sim::OrlnetModule& m) { std::memcpy(&m.config[0], "CHANGED", 8); });
    const Bytes reset = Cfg(0xAB, 0xDA, kLocalAddress, {Hi(kLocalWord), Lo(kLocalWord)});
    server().clearLog();
    server().injectFault(Fault::setByte(8, 1));
    EXPECT_EQ(QVZB_ORLNET_ResetToDefault(), 0);
    EXPECT_EQ(sent(), Hex({reset}));
    uint8_t type = 0;
    EXPECT_EQ(QVZB_ORLNET_GetProperty(4, &type, 1), 1);  // still loaded

    StoreError105();
    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_ResetToDefault(), 1);
    EXPECT_EQ(QVZB_GetLastError(), 105);
    EXPECT_EQ(sent(), Hex({reset, Restart(0xAB, kLocalAddress, kLocalWord)}));
    EXPECT_EQ(module(kLocalAddress).text(field::kName), "ORLNET-LOCAL");
    EXPECT_EQ(QVZB_ORLNET_GetProperty(4, &type, 1), 0);  // to be loaded again
    EXPECT_EQ(QVZB_GetLastError(), 102);
}
