// The local module's record through the exported functions: load, properties, submit.
#include <cstring>

#include "SnapFixture.h"

using namespace snaptest;

TEST_F(SnapTest, NothingLoadedMeansCode102AndAClosedPortCode101) {
    InFreshLibrary([this] {
        uint8_t buf[8];
        EXPECT_EQ(QVZB_SNAP_GetProperty(1, buf, sizeof buf), 0);
        EXPECT_EQ(QVZB_GetLastError(), 102);
        EXPECT_EQ(QVZB_SNAP_SetProperty(3, buf, 1), 0);
        EXPECT_EQ(QVZB_GetLastError(), 102);
        EXPECT_EQ(QVZB_SNAP_SubmitInfo(), 0);
        EXPECT_EQ(QVZB_GetLastError(), 102);
        EXPECT_EQ(QVZB_SNAP_LoadInfo(), 0);
        EXPECT_EQ(QVZB_GetLastError(), 101);
        SnapRecord record;
        std::memset(&record, 0xEE, sizeof record);
        EXPECT_EQ(QVZB_SNAP_GetPropertyAll(&record), 0);
        EXPECT_EQ(QVZB_GetLastError(), 101);
        EXPECT_EQ(record.CHANNAL, 0) << "the never-loaded record is copied out all the same";
    });
}

TEST_F(SnapTest, LoadReadsTheRecordWithNetIdInHostOrder) {
    startLoaded();
    server().clearLog();
    SnapRecord record{};
    ASSERT_EQ(QVZB_SNAP_GetPropertyAll(&record), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(frames(), (std::vector<Bytes>{{0x5A, 0x5F, 0xFA, 0x00, 0x00, 0x00, 0x55, 0x00}}));
    const auto wire = withModel([](sim::SnapModel& m) { return m.local().record; });
    EXPECT_EQ(record.NETID, 0x1234);
    EXPECT_EQ(std::memcmp(record.MAC, wire.data(), 8), 0);
    EXPECT_EQ(std::memcmp(reinterpret_cast<uint8_t*>(&record) + 10, wire.data() + 10, 28), 0);

    uint8_t mac[10];
    std::memset(mac, 0xEE, sizeof mac);
    ASSERT_EQ(QVZB_SNAP_GetProperty(1, mac, 0), 1);  // size is not consulted
    EXPECT_EQ(Bytes(mac, mac + 8), Bytes(wire.begin(), wire.begin() + 8));
    EXPECT_EQ(mac[8], 0xEE);
    uint16_t netId = 0;
    ASSERT_EQ(QVZB_SNAP_GetProperty(2, &netId, 2), 1);
    EXPECT_EQ(netId, 0x1234);
    for (int bad : {0, 22}) {
        EXPECT_EQ(QVZB_SNAP_GetProperty(bad, mac, 8), 0);
        EXPECT_EQ(QVZB_GetLastError(), 17);
        EXPECT_EQ(QVZB_SNAP_SetProperty(bad, mac, 8), 0);
        EXPECT_EQ(QVZB_GetLastError(), 17);
    }
    // The record outlives the port.
    QVZB_CloseCom();
    netId = 0;
    EXPECT_EQ(QVZB_SNAP_GetProperty(2, &netId, 2), 1);
    EXPECT_EQ(netId, 0x1234);
}

// A rejected configuration reply changes nothing and reports by the result alone.
TEST_F(SnapTest, RejectedConfigurationRepliesLeaveTheRecord) {
    startLoaded();
    const struct {
        const char* what;
        sim::Fault fault;
    } cases[] = {
        {"header not echoed", sim::Fault::setByte(5, 0x01)},
        {"status 0", sim::Fault::setByte(8, 0)},
        {"46 bytes", sim::Fault::truncate(1)},
        {"48 bytes", sim::Fault::extend(1)},
        {"no answer", sim::Fault::noAnswer()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        withModel([](sim::SnapModel& m) { m.local().setNetId(0x9999); return 0; });
        server().injectFault(c.fault);
        SnapRecord record{};
        EXPECT_EQ(QVZB_SNAP_GetPropertyAll(&record), 0);
        EXPECT_EQ(QVZB_GetLastError(), 0);
        EXPECT_EQ(record.NETID, 0x1234) << "the record as last read";
        withModel([](sim::SnapModel& m) { m.local().setNetId(0x1234); return 0; });
    }
}

TEST_F(SnapTest, SubmitWritesTheEditRecordBigEndianThenRestarts) {
    startLoaded();
    const uint16_t netId = 0xBEEF;
    const uint8_t channel = 12;
    ASSERT_EQ(QVZB_SNAP_SetProperty(2, &netId, 2), 1);
    ASSERT_EQ(QVZB_SNAP_SetProperty(3, &channel, 1), 1);
    uint16_t current = 0;
    QVZB_SNAP_GetProperty(2, &current, 2);
    EXPECT_EQ(current, 0x1234) << "set changes the edit record only";

    auto expected = withModel([](sim::SnapModel& mm) { return mm.local().record; });
    expected[8] = 0xBE;
    expected[9] = 0xEF;
    expected[10] = 12;
    const auto started = Clock::now();
    ASSERT_EQ(QVZB_SNAP_SubmitInfo(), 1);
    EXPECT_GE(MsSince(started), 400);
    EXPECT_EQ(framesAfter(2), (std::vector<Bytes>{Frame(kLocal, kWrite, 0x00, Bytes(expected.begin(), expected.end())),
                                                  Frame(kLocal, kWrite, 0xC1)}));
    withModel([&](sim::SnapModel& mm) {
        EXPECT_EQ(mm.local().record, expected);
        EXPECT_EQ(mm.local().restarts, 1);
        return 0;
    });
    QVZB_SNAP_GetProperty(2, &current, 2);
    EXPECT_EQ(current, 0xBEEF);
}

TEST_F(SnapTest, RejectedSubmitChangesNeitherRecordAndDoesNotRestart) {
    startLoaded();
    const uint16_t netId = 0xBEEF;
    ASSERT_EQ(QVZB_SNAP_SetProperty(2, &netId, 2), 1);
    server().injectFault(sim::Fault::setByte(46, 0));
    EXPECT_EQ(QVZB_SNAP_SubmitInfo(), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(framesAfter(1).size(), 1u) << "no restart after a refused write";
    uint16_t current = 0;
    QVZB_SNAP_GetProperty(2, &current, 2);
    EXPECT_EQ(current, 0x1234);
    // The edit record still holds the change: a second submit sends it.
    ASSERT_EQ(QVZB_SNAP_SubmitInfo(), 1);
    QVZB_SNAP_GetProperty(2, &current, 2);
    EXPECT_EQ(current, 0xBEEF);
}
