// Whole-record and command operations on search-list entries: the tuning around them, the untuned remote
// restart, the restarts that follow changes, and the index checks with their codes.
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <functional>

#include "SnapFixture.h"

using namespace snaptest;

namespace {
sim::SnapUnit& Far(sim::SnapModel& m) { return *m.findRemote(kFar); }
}

TEST_F(SnapTest, RemoteLoadFillsTheEntryInsideTheTuning) {
    startWithFarRemote();
    uint16_t netId = 0;
    EXPECT_EQ(QVZB_SNAP_GetRemoteDevProperty(0, 2, &netId, 2), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102) << "found, not loaded";

    withModel([](sim::SnapModel& m) { Far(m).record[20] = 0x07; return 0; });
    SnapRecord record{};
    ASSERT_EQ(QVZB_SNAP_GetRemoteDevPropertyAll(&record, 0), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(framesAfter(5), Tuned({Frame(kFar, kRead, 0x00)}));
    EXPECT_EQ(record.NETID, 0x5678);
    EXPECT_EQ(record.TXPOWER, 0x07);
    ASSERT_EQ(QVZB_SNAP_GetRemoteDevProperty(0, 2, &netId, 2), 1);
    EXPECT_EQ(netId, 0x5678);
    EXPECT_EQ(QVZB_SNAP_GetRemoteDevProperty(0, 22, &netId, 2), 0);
    EXPECT_EQ(QVZB_GetLastError(), 17);
    withModel([](sim::SnapModel& m) {
        EXPECT_EQ(m.local().channel(), kOwnChannel);
        EXPECT_EQ(m.local().rate(), kOwnRate);
        return 0;
    });
}

TEST_F(SnapTest, AFailedRemoteOperationStillTunesBack) {
    startWithFarRemote();
    server().injectFault(sim::Fault::noAnswer().onlyWhen(3, kFar[0]));
    SnapRecord record{};
    EXPECT_EQ(QVZB_SNAP_GetRemoteDevPropertyAll(&record, 0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(framesAfter(5), Tuned({Frame(kFar, kRead, 0x00)}));
    EXPECT_EQ(record.NETID, 0x5678) << "the entry's record as found by the search";
    EXPECT_EQ(record.CHANNAL, kFarChannel);
    EXPECT_EQ(record.DRATE, kFarRate);
    withModel([](sim::SnapModel& m) { EXPECT_EQ(m.local().channel(), kOwnChannel); return 0; });
}

TEST_F(SnapTest, RemoteSubmitWritesTheEntryAndRestartsTheRemoteModule) {
    startWithFarRemote();
    ASSERT_EQ(QVZB_SNAP_LoadRemoteDevInfo(0), 1);
    const uint8_t power = 0x03;
    ASSERT_EQ(QVZB_SNAP_SetRemoteDevProperty(0, 12, &power, 1), 1);
    auto expected = withModel([](sim::SnapModel& m) { return Far(m).record; });
    expected[20] = 0x03;
    server().clearLog();

    const auto started = Clock::now();
    ASSERT_EQ(QVZB_SNAP_SubmitRemoteDevInfo(0), 1);
    EXPECT_GE(MsSince(started), 300);
    EXPECT_EQ(framesAfter(6), Tuned({Frame(kFar, kWrite, 0x00, Bytes(expected.begin(), expected.end())),
                                     Frame(kFar, kWrite, 0xC1)}));
    withModel([&](sim::SnapModel& m) {
        EXPECT_EQ(Far(m).record, expected);
        EXPECT_EQ(Far(m).restarts, 1);
        EXPECT_EQ(m.local().restarts, 0);
        return 0;
    });
    uint8_t kept = 0;
    QVZB_SNAP_GetRemoteDevProperty(0, 12, &kept, 1);
    EXPECT_EQ(kept, 0x03);
}

// An entry known only from the search holds zeros beyond its identity: writing it would wipe the module.
TEST_F(SnapTest, RemoteSubmitOfAnEntryNeverLoadedIsRefused) {
    startWithFarRemote();
    const uint8_t power = 0x03;
    ASSERT_EQ(QVZB_SNAP_SetRemoteDevProperty(0, 12, &power, 1), 1) << "set needs no load";
    EXPECT_EQ(QVZB_SNAP_SubmitRemoteDevInfo(0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_TRUE(frames().empty());
}

TEST_F(SnapTest, RemoteRestartGoesOutUntuned) {
    startWithFarRemote();
    const auto started = Clock::now();
    EXPECT_EQ(QVZB_SNAP_ResetRemoteDev(0), 1);
    EXPECT_GE(MsSince(started), 300);
    EXPECT_EQ(QVZB_SNAP_SetRemoteReset(0), 1);
    EXPECT_EQ(framesAfter(2), (std::vector<Bytes>{Frame(kFar, kWrite, 0xC1), Frame(kFar, kWrite, 0xC1)}));
    // The local module is on its own channel, so the far module did not hear it.
    withModel([](sim::SnapModel& m) { EXPECT_EQ(Far(m).restarts, 0); return 0; });
}

TEST_F(SnapTest, LocalRestartAndFactoryDefaults) {
    startLoaded();
    withModel([](sim::SnapModel& m) { m.local().setNetId(0x4444); return 0; });
    auto started = Clock::now();
    EXPECT_EQ(QVZB_SNAP_ResetDev(), 1);
    EXPECT_GE(MsSince(started), 400);
    EXPECT_EQ(QVZB_SNAP_SetLocalResetToDefault(), 1);
    EXPECT_EQ(framesAfter(3), (std::vector<Bytes>{Frame(kLocal, kWrite, 0xC1), Frame(kLocal, kWrite, 0xC3),
                                                  Frame(kLocal, kWrite, 0xC1)}));
    withModel([](sim::SnapModel& m) {
        EXPECT_EQ(m.local().netId(), 0x1234);
        EXPECT_EQ(m.local().restarts, 2);
        return 0;
    });
    // A refused factory reset is not followed by a restart.
    server().clearLog();
    server().injectFault(sim::Fault::setByte(8, 0));
    EXPECT_EQ(QVZB_SNAP_ResetToDefault(), 0);
    EXPECT_EQ(framesAfter(1).size(), 1u);
    QVZB_CloseCom();
    started = Clock::now();
    EXPECT_EQ(QVZB_SNAP_ResetDev(), 0);
    EXPECT_LT(MsSince(started), 200) << "a closed port fails at once";
}

TEST_F(SnapTest, RemoteFactoryDefaultsRestartTheRemoteModuleInsideTheTuning) {
    startWithFarRemote();
    withModel([](sim::SnapModel& m) { Far(m).setNetId(0x4444); return 0; });
    EXPECT_EQ(QVZB_SNAP_ResetRemoteToDefault(0), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(framesAfter(6), Tuned({Frame(kFar, kWrite, 0xC3), Frame(kFar, kWrite, 0xC1)}));
    withModel([](sim::SnapModel& m) {
        EXPECT_EQ(Far(m).netId(), 0x5678);
        EXPECT_EQ(Far(m).restarts, 1);
        return 0;
    });
}

// An EEPROM write restarts the local module, also when the write went to a remote one.
TEST_F(SnapTest, EepromWritesRestartTheLocalModule) {
    startWithFarRemote();
    const uint8_t data[] = {0xAB, 0xCD};
    EXPECT_EQ(QVZB_SNAP_SetRemoteEEPROM(0, 0x30, data, 2), 1);
    EXPECT_EQ(framesAfter(6), Tuned({Frame(kFar, kWrite, 0xC2, {0x30, 0xAB, 0xCD}), Frame(kLocal, kWrite, 0xC1)}));
    server().clearLog();
    EXPECT_EQ(QVZB_SNAP_SetLocalEEPROM(0x40, data, 1), 1);
    EXPECT_EQ(framesAfter(2),
              (std::vector<Bytes>{Frame(kLocal, kWrite, 0xC2, {0x40, 0xAB}), Frame(kLocal, kWrite, 0xC1)}));
    withModel([](sim::SnapModel& m) {
        EXPECT_EQ(Far(m).eeprom[0x30], 0xAB);
        EXPECT_EQ(Far(m).eeprom[0x31], 0xCD);
        EXPECT_EQ(m.local().eeprom[0x40], 0xAB);
        EXPECT_EQ(m.local().restarts, 2);
        return 0;
    });
    // A refused local write: no restart, result 0.
    server().clearLog();
    server().injectFault(sim::Fault::setByte(10, 0));
    EXPECT_EQ(QVZB_SNAP_SetLocalEEPROM(0x40, data, 1), 0);
    EXPECT_EQ(framesAfter(1).size(), 1u);
}

// The caller's data is read only for a write that goes out: not with the port closed, not for an index outside the
// list, not for more bytes than a write whose acknowledgement fits the 1024-byte reply read can carry (1014).
TEST_F(SnapTest, EepromWritesReadTheCallersDataOnlyWhenTheyGoOut) {
    // A page the library must not touch: any read of it ends the test program.
    const long page = ::sysconf(_SC_PAGESIZE);
    void* mapped = ::mmap(nullptr, static_cast<size_t>(page), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    const auto* untouchable = static_cast<const unsigned char*>(mapped);
    const int pageBytes = static_cast<int>(page);

    EXPECT_EQ(QVZB_SNAP_SetLocalEEPROM(0x10, untouchable, pageBytes), 0);  // no port yet
    EXPECT_EQ(QVZB_SNAP_SetRemoteEEPROM(0, 0x10, untouchable, pageBytes), 0);

    startWithFarRemote();
    EXPECT_EQ(QVZB_SNAP_SetRemoteEEPROM(1, 0x10, untouchable, pageBytes), 0);  // outside the list
    EXPECT_EQ(QVZB_SNAP_SetLocalEEPROM(0x10, untouchable, INT_MAX), 0);
    EXPECT_EQ(QVZB_SNAP_SetRemoteEEPROM(0, 0x10, untouchable, INT_MAX), 0);
    const Bytes data(1015, 0x5C);
    EXPECT_EQ(QVZB_SNAP_SetLocalEEPROM(0x10, data.data(), 1015), 0);
    EXPECT_EQ(QVZB_SNAP_SetRemoteEEPROM(0, 0x10, data.data(), 1015), 0);
    EXPECT_TRUE(frames().empty());

    // The longest write that can be acknowledged goes out whole.
    EXPECT_EQ(QVZB_SNAP_SetLocalEEPROM(0x10, data.data(), 1014), 1);
    ASSERT_FALSE(framesAfter(2).empty());
    EXPECT_EQ(frames().front().size(), 8u + 1 + 1014);
    ::munmap(mapped, static_cast<size_t>(page));
}

TEST_F(SnapTest, IndexedFunctionsReportCode105) {
    startWithFarRemote();
    uint8_t buf[8];
    SnapRecord record{};
    const std::function<int(int)> calls[] = {
        [&](int i) { return QVZB_SNAP_GetSearchDevProperty(i, 1, buf, 8); },
        [](int i) { return QVZB_SNAP_LoadRemoteDevInfo(i); },
        [&](int i) { return QVZB_SNAP_GetRemoteDevProperty(i, 1, buf, 8); },
        [&](int i) { return QVZB_SNAP_SetRemoteDevProperty(i, 1, buf, 8); },
        [&](int i) { return QVZB_SNAP_GetRemoteDevPropertyAll(&record, i); },
        [](int i) { return QVZB_SNAP_SubmitRemoteDevInfo(i); },
        [](int i) { return QVZB_SNAP_ResetRemoteDev(i); },
        [](int i) { return QVZB_SNAP_ResetRemoteToDefault(i); },
    };
    for (int index : {-1, 1})
        for (const auto& call : calls) {
            EXPECT_EQ(call(index), 0);
            EXPECT_EQ(QVZB_GetLastError(), 105);
        }
    EXPECT_TRUE(frames().empty());
}

// Tuning away needs the way back: with the local record never read, the library reads it first.
TEST_F(SnapTest, RemoteOperationsReadTheLocalRecordBeforeTuningAway) {
    InFreshLibrary([this] {
        start(sim::SnapModel::DefaultLocal(), std::deque<sim::SnapUnit>{FarRemote()});
        withModel([](sim::SnapModel& m) {
            m.local().record[10] = 6;  // the local module's own channel and rate
            m.local().record[19] = 2;
            return 0;
        });
        EXPECT_EQ(QVZB_SNAP_SearchDev(kFarChannel, kFarRate), 1);
        std::vector<Bytes> expected{Frame(kLocal, kRead, 0x00), SetChannel(kFarChannel), SetRate(kFarRate),
                                    Frame({0xFF, 0xFF, 0xFF}, kRead, 0x00), SetChannel(6), SetRate(2)};
        EXPECT_EQ(framesAfter(6), expected);
        EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 1);
        withModel([](sim::SnapModel& m) {
            EXPECT_EQ(m.local().channel(), 6);
            EXPECT_EQ(m.local().rate(), 2);
            return 0;
        });
    });
}

TEST_F(SnapTest, RemoteOperationsDoNotTuneAwayWhenTheLocalRecordCannotBeRead) {
    InFreshLibrary([this] {
        start(sim::SnapModel::DefaultLocal(), std::deque<sim::SnapUnit>{FarRemote()});
        server().injectFault(sim::Fault::noAnswer().onlyWhen(7, 0x00).repeat(-1));
        EXPECT_EQ(QVZB_SNAP_SearchDev(kFarChannel, kFarRate), 0);
        EXPECT_EQ(framesAfter(1), std::vector<Bytes>{Frame(kLocal, kRead, 0x00)});
    });
}
