// Searching the air for remote modules, and the search list.
#include <chrono>

#include "OrlnetFixture.h"

using namespace orlnettest;
using sim::Fault;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

const Bytes kSearch = Sum({0xAB, 0xBC, 0xCD, 0xD4});

Bytes SearchById(uint16_t id) { return Sum({0xAC, 0xBC, 0xCD, 0xDC, Hi(id), Lo(id)}); }

}  // namespace

TEST_F(OrlnetTest, SearchAddsEachModuleOnceAndTunesBack) {
    loadLocal();
    ASSERT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 1);
    EXPECT_EQ(sent(), Hex(Concat({Tune(kLocalChannel, kLocalRate), {kSearch}, TuneBack()})));
    ASSERT_EQ(QVZB_ORLNET_GetSearchDevCount(), 1);  // 0x2003 answers only when asked for by identifier
    const unsigned key[] = {0x0C20, 15, 0, 0x1A2B, 0x2001, 1};
    for (int field = 1; field <= 6; ++field) EXPECT_EQ(KeyField(0, field), key[field - 1]) << field;
    EXPECT_EQ(QVZB_ORLNET_IsRouteDev(0), 0);

    EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 0);  // the same module again
    EXPECT_EQ(QVZB_ORLNET_GetSearchDevCount(), 1);

    changeModule(0x2001, [](sim::OrlnetModule& m) { m.setWord(field::kPanId, 0x4444); });
    EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 1);  // a changed key is a new entry
    ASSERT_EQ(QVZB_ORLNET_GetSearchDevCount(), 2);
    EXPECT_EQ(KeyField(1, 4), 0x4444u);

    EXPECT_EQ(QVZB_ORLNET_SearchDev(20, 1), 1);
    ASSERT_EQ(QVZB_ORLNET_GetSearchDevCount(), 3);
    EXPECT_EQ(KeyField(2, 5), 0x2002u);
}

TEST_F(OrlnetTest, ASearchListensUntilFourReadsBringNothingValid) {
    loadLocal();
    withModel([](sim::OrlnetModel& m) {
        m.addRemote(0x2004, kLocalChannel, kLocalRate, false);
        m.addRemote(0x2005, kLocalChannel, kLocalRate, false);
    });
    server().injectFault(Fault::stray(5, milliseconds(20)).onlyWhen(3, 0xD4));  // junk after the answers
    auto t0 = Clock::now();
    EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 1);
    EXPECT_GE(Clock::now() - t0, milliseconds(7 * 100));  // three answers, then four reads without one
    EXPECT_EQ(QVZB_ORLNET_GetSearchDevCount(), 3);

    server().clearLog();
    t0 = Clock::now();
    EXPECT_EQ(QVZB_ORLNET_SearchDev(26, 2), 0);
    EXPECT_GE(Clock::now() - t0, milliseconds(4 * 100));
    EXPECT_EQ(sent(), Hex(Concat({Tune(26, 2), {kSearch}, TuneBack()})));
}

// A line that keeps sending (one answer again and again, or noise) cannot hold a search much past its failure
// budget of four reads; what was found is kept and the local module is tuned back.
TEST_F(OrlnetTest, ABabblingLineCannotHoldASearch) {
    loadLocal();
    const std::pair<const char*, Bytes> babbles[] = {{"the same answer", {}}, {"noise", Bytes(13, 0x11)}};
    for (const auto& [what, block] : babbles) {
        SCOPED_TRACE(what);
        QVZB_ORLNET_ClearSearchArr();
        server().injectFault(Fault::babble(milliseconds(2), std::chrono::seconds(5), block).onlyWhen(3, 0xD4));
        const auto start = Clock::now();
        EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 1);
        EXPECT_LT(Clock::now() - start, milliseconds(2000));
        EXPECT_EQ(QVZB_ORLNET_GetSearchDevCount(), 1);
        server().waitForFrames(5, milliseconds(500));
        withModel([](sim::OrlnetModel& m) {
            EXPECT_EQ(m.tunedChannel(), kLocalChannel);
            EXPECT_EQ(m.tunedRate(), kLocalRate);
        });
        server().clearLog();
    }
}

TEST_F(OrlnetTest, ASearchWhoseTuningFailsEndsAtOnce) {
    loadLocal();
    server().injectFault(Fault::setByte(4, 1).onlyWhen(3, 0xD2));
    EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 0);
    EXPECT_EQ(sent(), Hex({Tune(kLocalChannel, kLocalRate)[0]}));

    server().clearLog();
    server().injectFault(Fault::setByte(4, 1).onlyWhen(3, 0xD3));
    EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 0);
    EXPECT_EQ(sent(), Hex(Tune(kLocalChannel, kLocalRate)));

    QVZB_CloseCom();
    EXPECT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
}

TEST_F(OrlnetTest, SearchByIdentifierIsRoutedAndSendsTheIdentifierAsGiven) {
    loadLocal();
    ASSERT_EQ(QVZB_ORLNET_SearchDevWithID(kLocalChannel, kLocalRate, 0x2003), 1);
    EXPECT_EQ(sent(), Hex(Concat({Tune(kLocalChannel, kLocalRate), {SearchById(0x2003)}, TuneBack()})));
    ASSERT_EQ(QVZB_ORLNET_GetSearchDevCount(), 1);
    EXPECT_EQ(QVZB_ORLNET_IsRouteDev(0), 1);
    EXPECT_EQ(KeyField(0, 5), 0x2003u);
    EXPECT_EQ(KeyField(0, 6), 0u);  // an end device

    // Skipping identifiers whose last digit is a letter is the caller's part.
    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_SearchDevWithID(kLocalChannel, kLocalRate, 0x1200A), 0);
    ASSERT_EQ(frames().size(), 5u);
    EXPECT_EQ(sent()[2], Hex({SearchById(0x200A)})[0]);
}

TEST_F(OrlnetTest, SearchListQueriesCheckIndexAndField) {
    loadLocal();
    ASSERT_EQ(QVZB_ORLNET_SearchDev(kLocalChannel, kLocalRate), 1);
    uint16_t value;
    for (int index : {1, -1}) {
        EXPECT_EQ(QVZB_ORLNET_GetSearchDevProperty(index, 1, &value, 2), 0);
        EXPECT_EQ(QVZB_GetLastError(), 105);
    }
    for (int field : {0, 7}) {
        EXPECT_EQ(QVZB_ORLNET_GetSearchDevProperty(0, field, &value, 2), 0);
        EXPECT_EQ(QVZB_GetLastError(), 104);
    }
    EXPECT_EQ(QVZB_ORLNET_GetSearchDevCount(), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    QVZB_ORLNET_ClearSearchArr();
    EXPECT_EQ(QVZB_ORLNET_GetSearchDevCount(), 0);
}
