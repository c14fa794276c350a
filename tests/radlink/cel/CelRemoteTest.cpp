// Remote modules through the local one: load, submit, restart and factory reset, each between the tuning to
// the remote module's channel and rate and the tuning back.
#include "CelTestSupport.h"

using namespace celtest;
using namespace std::chrono_literals;
using sim::Fault;

namespace {

class CelRemoteTest : public CelTest {
protected:
    // Frames of one remote operation on remote module i: tuning, `middle`, tuning back.
    std::vector<Bytes> wrapped(size_t i, std::vector<Bytes> middle) {
        std::vector<Bytes> all = tuneToRemote(i);
        Append(all, std::move(middle));
        Append(all, tuneBack());
        return all;
    }
};

TEST_F(CelRemoteTest, LoadsTheRemoteRecordThroughTheLocalModule) {
    startCel();
    loadLocal();
    const int index = addRemote(1);  // channel 15, rate 1, address 0x0102
    char name[17] = {};
    EXPECT_EQ(QVZB_CEL_GetRemoteDevProperty(index, 1, name, sizeof name), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);

    CelRecord r{};
    ASSERT_EQ(QVZB_CEL_GetRemoteDevPropertyAll(&r, index), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(frames(), wrapped(1, {Addressed(0xD5, 0x0102)}));
    EXPECT_EQ(Text16(r.deviceName), "Remote-2");
    EXPECT_EQ(r.channel, 15);
    EXPECT_EQ(r.airRate, 1);
    EXPECT_EQ(+r.netAddress, 0x0102);
    EXPECT_EQ(+r.controlWord, 1);
    ASSERT_EQ(QVZB_CEL_GetRemoteDevProperty(index, 1, name, sizeof name), 1);
    EXPECT_EQ(std::string(name), "Remote-2");
    // The local record is not touched.
    ASSERT_EQ(QVZB_CEL_GetProperty(1, name, sizeof name), 1);
    EXPECT_EQ(std::string(name), "QuickMesh-Local");
}

TEST_F(CelRemoteTest, AModuleOutOfReachFailsTheLoadAndTheLocalModuleIsTunedBack) {
    startCel();
    loadLocal();
    QVZB_CEL_HandAddDev(1, 20, 2, 0x1A2B, 0x0101, 0xAA);  // remote 0's address, wrong channel

    EXPECT_EQ(QVZB_CEL_LoadRemoteDevInfo(0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    std::vector<Bytes> expected = Tune(20, 2);
    expected.push_back(Addressed(0xD5, 0x0101));
    Append(expected, Tune(15, 0));
    EXPECT_EQ(frames(), expected);
    withModel([](CelModel& m) { EXPECT_EQ(m.tunedChannel(), 15); });
}


class CelRemoteReplyTest : public CelTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CelRemoteReplyTest, JudgesTheRemoteReplyByLengthAndLead) {
    startCel();
    loadLocal();
    const int index = addRemote(0);
    sim::Fault fault = GetParam().fault;
    server().injectFault(fault.onlyWhen(3, 0xD5));
    EXPECT_EQ(QVZB_CEL_LoadRemoteDevInfo(index), GetParam().result);
    uint8_t channel = 0;
    EXPECT_EQ(QVZB_CEL_GetRemoteDevProperty(index, 5, &channel, 1), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Faults, CelRemoteReplyTest,
                         ::testing::Values(FaultCase{"NoAnswer", Fault::noAnswer(), 0},
                                           FaultCase{"WrongLead", Fault::setByte(1, 0x00), 0},
                                           FaultCase{"Length73", Fault::truncate(12), 0},
                                           FaultCase{"Length75", Fault::truncate(10), 1},
                                           FaultCase{"CommandNotJudged", Fault::setByte(3, 0xD1), 1}),
                         CaseName);

// A reply of no known length is taken, but the record's variant stays unknown: nothing may be written back.
TEST_F(CelRemoteTest, ARecordOfUnknownLengthIsReadButNotWrittenBack) {
    startCel();
    loadLocal();
    withModel([](CelModel& m) { m.remote(0).setRecordLength(75); });  // no known variant
    const int index = addRemote(0);
    CelRecord r{};
    ASSERT_EQ(QVZB_CEL_GetRemoteDevPropertyAll(&r, index), 1);
    EXPECT_EQ(Text16(r.deviceName), "Remote-1");
    EXPECT_EQ(+r.controlWord, 1);  // the tail is the reply's last five bytes
    EXPECT_EQ(+r.firmwareVersion, 0x0123);

    server().clearLog();
    EXPECT_EQ(QVZB_CEL_SubmitRemoteDevInfo(index), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelRemoteTest, ANeverLoadedEntryIsNotWritten) {
    startCel();
    const int index = addRemote(0);
    EXPECT_EQ(QVZB_CEL_SubmitRemoteDevInfo(index), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelRemoteTest, SubmitWritesTheRemoteModuleAndTheEntryFollowsItToItsNewChannel) {
    startCel({.recordLength = 79});
    loadLocal();
    const int index = addRemote(0);  // channel 12, rate 0, address 0x0101
    ASSERT_EQ(QVZB_CEL_LoadRemoteDevInfo(index), 1);
    server().clearLog();
    const uint8_t channel = 21;
    const uint16_t address = 0x0555;
    ASSERT_EQ(QVZB_CEL_SetRemoteDevProperty(index, 5, &channel, 1), 1);
    ASSERT_EQ(QVZB_CEL_SetRemoteDevProperty(index, 7, &address, 2), 1);

    const CelModule before = remoteModule(0);
    std::vector<Bytes> expected = tuneToRemote(0);
    ASSERT_EQ(QVZB_CEL_SubmitRemoteDevInfo(index), 1);
    Bytes area = before.area;
    area[field::kChannel] = channel;
    area[field::kNetAddress] = 0x05;
    area[field::kNetAddress + 1] = 0x55;
    area[field::kSendMode] = 0x88;  // forced by the 79-byte variant
    Bytes write{0xAB, 0xBC, 0xCD, 0xD6, 0x01, 0x01};
    write.insert(write.end(), area.begin(), area.end());
    write.push_back(static_cast<uint8_t>(std::accumulate(write.begin(), write.end(), 0u)));
    EXPECT_EQ(write.size(), 77u);
    Append(expected, {write, Restart(0x0101, 1)});
    Append(expected, tuneBack());
    EXPECT_EQ(frames(), expected);

    const CelModule after = remoteModule(0);
    EXPECT_EQ(after.area, area);
    EXPECT_EQ(after.liveChannel(), 21);
    EXPECT_EQ(after.liveAddress(), 0x0555);
    uint8_t keyChannel = 0;
    uint16_t keyAddress = 0;
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(index, 2, &keyChannel, 1), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(index, 5, &keyAddress, 2), 1);
    EXPECT_EQ(keyChannel, 21);
    EXPECT_EQ(keyAddress, 0x0555);

    // Searching the new channel finds it as the entry it already is.
    EXPECT_EQ(QVZB_CEL_SearchDev(21, 0), 0);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 1);
    // And it is reached at its new place.
    EXPECT_EQ(QVZB_CEL_LoadRemoteDevInfo(index), 1);
}

TEST_F(CelRemoteTest, AFailedSubmitKeepsEntryAndRecordAndStillTunesBack) {
    startCel();
    loadLocal();
    const int index = addRemote(0);
    ASSERT_EQ(QVZB_CEL_LoadRemoteDevInfo(index), 1);
    server().clearLog();
    const uint8_t channel = 21;
    ASSERT_EQ(QVZB_CEL_SetRemoteDevProperty(index, 5, &channel, 1), 1);
    server().injectFault(Fault::setByte(6, 1).onlyWhen(3, 0xD6));

    EXPECT_EQ(QVZB_CEL_SubmitRemoteDevInfo(index), 0);
    const auto sent = frames();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[2][3], 0xD6);
    EXPECT_EQ(std::vector<Bytes>(sent.begin() + 3, sent.end()), tuneBack());
    uint8_t got = 0;
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(index, 2, &got, 1), 1);
    EXPECT_EQ(got, 12);
    EXPECT_EQ(QVZB_CEL_GetRemoteDevProperty(index, 5, &got, 1), 1);
    EXPECT_EQ(got, 12);
}

TEST_F(CelRemoteTest, RestartGoesToTheLoadedAddressOrElseToTheSearchAddress) {
    startCel({.controlWord = 2});
    loadLocal();
    const int index = addRemote(1);
    // Not loaded: the entry's search address and search word.
    ASSERT_EQ(QVZB_CEL_ResetRemoteDev(index), 1);
    EXPECT_EQ(frames(), wrapped(1, {Restart(0x0102, 2)}));
    EXPECT_EQ(remoteModule(1).restarts, 1);
    EXPECT_EQ(remoteModule(1).lastRestartWord, 2);

    // Loaded: the record's address and control word.
    withModel([](CelModel& m) { m.remote(1).controlWord = 7; });
    ASSERT_EQ(QVZB_CEL_LoadRemoteDevInfo(index), 1);
    server().clearLog();
    ASSERT_EQ(QVZB_CEL_ResetRemoteDev(index), 1);
    EXPECT_EQ(frames(), wrapped(1, {Restart(0x0102, 7)}));
    EXPECT_EQ(remoteModule(1).restarts, 2);
}

TEST_F(CelRemoteTest, FactoryResetRestoresTheRemoteModule) {
    startCel();
    loadLocal();
    withModel([](CelModel& m) {
        m.remote(0).setText(field::kDeviceName, "Renamed");
        m.remote(0).controlWord = 5;
    });
    const int index = addRemote(0);  // search word 5
    ASSERT_EQ(QVZB_CEL_LoadRemoteDevInfo(index), 1);
    server().clearLog();

    ASSERT_EQ(QVZB_CEL_ResetRemoteToDefault(index), 1);
    EXPECT_EQ(frames(), wrapped(0, {Control(0xDA, 0x0101, 5), Restart(0x0101, 5)}));
    EXPECT_EQ(remoteModule(0).name(), "Remote-1");
    EXPECT_EQ(remoteModule(0).factoryResets, 1);
    char name[17] = {};
    EXPECT_EQ(QVZB_CEL_GetRemoteDevProperty(index, 1, name, sizeof name), 1);  // still loaded
    EXPECT_EQ(std::string(name), "Renamed");

    server().injectFault(Fault::noAnswer().onlyWhen(3, 0xDA));
    server().clearLog();
    EXPECT_EQ(QVZB_CEL_ResetRemoteToDefault(index), 0);
    EXPECT_EQ(frames(), wrapped(0, {Control(0xDA, 0x0101, 5)}));
}

}  // namespace
