// Searching the air: the request and the tuning around it, how the answers are read and when reading ends, and
// the search list with its de-duplication.
#include <cstring>

#include "SnapFixture.h"

using namespace snaptest;

namespace {

const Address kAll{0xFF, 0xFF, 0xFF};

sim::SnapUnit Remote(uint8_t last, uint8_t channel, uint8_t rate, uint16_t netId = 0x1234) {
    return sim::MakeSnapUnit({0x00, 0x12, 0x4B, 0x00, 0x00, 0xC3, 0x00, last}, netId, channel, rate);
}

Bytes MacOf(int index) {
    uint8_t mac[8] = {};
    EXPECT_EQ(QVZB_SNAP_GetSearchDevProperty(index, 1, mac, 8), 1);
    return Bytes(mac, mac + 8);
}

// The 20 bytes a module sends in answer to a search.
Bytes Answer(const sim::SnapUnit& u) {
    Bytes a = Frame(kAll, kRead, 0x00);
    a.push_back(1);
    a.insert(a.end(), u.record.begin(), u.record.begin() + 11);
    return a;
}

}  // namespace

TEST_F(SnapTest, SearchTunesSendsTheBroadcastAndTunesBack) {
    startLoaded({Remote(1, 2, 2), Remote(2, 2, 2), Remote(3, 2, 0), Remote(4, 3, 2)});
    EXPECT_EQ(QVZB_SNAP_SearchDev(2, 2), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(framesAfter(5), (std::vector<Bytes>{SetChannel(2), SetRate(2), Frame(kAll, kRead, 0x00),
                                                  SetChannel(kOwnChannel), SetRate(kOwnRate)}));
    withModel([](sim::SnapModel& m) {
        EXPECT_EQ(m.local().rate(), kOwnRate) << "back on the local module's own rate";
        return 0;
    });
    ASSERT_EQ(QVZB_SNAP_GetSearchDevCount(), 2) << "only the modules on channel 2 at rate 2";
    EXPECT_EQ(MacOf(0)[7], 1);
    EXPECT_EQ(MacOf(1)[7], 2);
    uint16_t netId = 0;
    uint8_t channel = 0;
    EXPECT_EQ(QVZB_SNAP_GetSearchDevProperty(1, 2, &netId, 2), 1);
    EXPECT_EQ(netId, 0x1234);
    EXPECT_EQ(QVZB_SNAP_GetSearchDevProperty(1, 3, &channel, 1), 1);
    EXPECT_EQ(channel, 2);
    EXPECT_EQ(QVZB_SNAP_GetSearchDevProperty(0, 4, &channel, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 104);
    EXPECT_EQ(QVZB_SNAP_GetSearchDevProperty(2, 1, &channel, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 105);

    // A found entry's record: the answer's identity, the searched rate, zeros elsewhere (seen when its load fails).
    server().injectFault(sim::Fault::noAnswer().onlyWhen(3, 0xC3));
    SnapRecord record;
    std::memset(&record, 0xEE, sizeof record);
    EXPECT_EQ(QVZB_SNAP_GetRemoteDevPropertyAll(&record, 0), 0);
    SnapRecord expected{};
    std::memcpy(expected.MAC, MacOf(0).data(), 8);
    expected.NETID = 0x1234;
    expected.CHANNAL = 2;
    expected.DRATE = 2;
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
}

TEST_F(SnapTest, SearchKeepsOneEntryPerMacNetIdAndChannel) {
    startLoaded({Remote(1, 2, 0), Remote(2, 2, 0)});
    ASSERT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    ASSERT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 2);
    // The same module, now on another channel, is another entry; a changed NETID too.
    withModel([](sim::SnapModel& m) {
        m.remotes()[0].record[10] = 5;
        m.remotes()[1].setNetId(0x9999);
        return 0;
    });
    ASSERT_EQ(QVZB_SNAP_SearchDev(5, 0), 1);
    ASSERT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    ASSERT_EQ(QVZB_SNAP_GetSearchDevCount(), 4);
    EXPECT_EQ(MacOf(2), MacOf(0));
    EXPECT_EQ(MacOf(3), MacOf(1));
    EXPECT_EQ(QVZB_SNAP_ClearSearchArr(), 1);
    EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 0);
}

TEST_F(SnapTest, SilentAirEndsAfterTwoEmptyReads) {
    startLoaded();
    const auto started = Clock::now();
    EXPECT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    const auto took = MsSince(started);
    EXPECT_GE(took, 2 * 60);
    EXPECT_LT(took, 1000) << "bounded by the port's read time-out, not by the hint";
    EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 0);
}

// Two empty reads are allowed before the first answer, one after each answer. Reads give up after 100 ms here.
class SnapSearchBudget : public SnapTest {
protected:
    void SetUp() override {
        SnapTest::SetUp();
        readTimeoutMs_ = 100;
        startLoaded({Remote(1, 2, 0), Remote(2, 2, 0)});
    }
    void answerEvery(int ms) {
        withModel([ms](sim::SnapModel& m) { m.setSearchAnswerGap(std::chrono::milliseconds(ms)); return 0; });
    }
};

TEST_F(SnapSearchBudget, TheFirstAnswerMayFollowOneEmptyReadButNotTwo) {
    answerEvery(150);  // inside the second read
    EXPECT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    ASSERT_EQ(QVZB_SNAP_GetSearchDevCount(), 1) << "the second answer, 150 ms later, follows an empty read";
    EXPECT_EQ(MacOf(0)[7], 1);

    QVZB_SNAP_ClearSearchArr();
    answerEvery(250);  // a third read would catch it
    EXPECT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 0);
}

TEST_F(SnapSearchBudget, StrayBytesAreSkippedAndAShortAnswerEndsTheSearch) {
    // Three stray triples (more than the failure budget) before an answer cost nothing. The next answer lacks its
    // last byte: that read fails and ends the search, so the answer 75 ms behind it is not read.
    const Bytes a = Answer(Remote(1, 2, 0)), b = Answer(Remote(2, 2, 0)), c = Answer(Remote(3, 2, 0));
    Bytes air = {0x11, 0x22, 0x33, 0x5A, 0x5F, 0x00, 0x44, 0x55, 0x66};
    air.insert(air.end(), a.begin(), a.end());
    air.insert(air.end(), b.begin(), b.end() - 1);
    const size_t beforeC = air.size();
    air.insert(air.end(), c.begin(), c.end());
    server().injectFault(sim::Fault::replace(air).onlyWhen(3, 0xFF));
    server().injectFault(sim::Fault::split(beforeC, std::chrono::milliseconds(75)).onlyWhen(3, 0xFF));
    EXPECT_EQ(QVZB_SNAP_SearchDev(2, 0), 1);
    ASSERT_EQ(QVZB_SNAP_GetSearchDevCount(), 1);
    EXPECT_EQ(MacOf(0)[7], 1);
}

// A line that keeps sending (noise without the lead bytes, or one answer again and again) cannot hold a search
// much past its failure budget of two read time-outs; what was found is kept and the local module is tuned back.
TEST_F(SnapTest, ABabblingLineCannotHoldASearch) {
    startLoaded({Remote(1, 2, 2)});
    const std::pair<const char*, Bytes> babbles[] = {{"noise", Bytes(3, 0x11)}, {"the same answer", {}}};
    for (const auto& [what, block] : babbles) {
        SCOPED_TRACE(what);
        QVZB_SNAP_ClearSearchArr();
        server().injectFault(sim::Fault::babble(std::chrono::milliseconds(2), std::chrono::seconds(5), block)
                                 .onlyWhen(3, 0xFF));
        const auto start = Clock::now();
        EXPECT_EQ(QVZB_SNAP_SearchDev(2, 2), 1);
        EXPECT_LT(MsSince(start), 2000);
        EXPECT_EQ(QVZB_SNAP_GetSearchDevCount(), 1);
        server().waitForFrames(5, std::chrono::milliseconds(500));
        withModel([](sim::SnapModel& m) {
            EXPECT_EQ(m.local().channel(), kOwnChannel);
            EXPECT_EQ(m.local().rate(), kOwnRate);
            return 0;
        });
        server().clearLog();
    }
}

TEST_F(SnapTest, SearchOnAClosedPortFails) {
    startLoaded();
    QVZB_CloseCom();
    EXPECT_EQ(QVZB_SNAP_SearchDev(2, 0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
}
