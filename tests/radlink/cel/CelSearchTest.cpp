// Searching the air and the search list: end conditions, de-duplication, hand-added entries, deletion, indexes.
#include "CelTestSupport.h"

using namespace celtest;
using namespace std::chrono_literals;
using sim::Fault;

namespace {

class CelSearchTest : public CelTest {
protected:
    // A module like remote 0 (channel 12, rate 0) with its own address.
    void addModuleOnChannel12(uint16_t address, std::chrono::milliseconds searchDelay = {}) {
        withModel([&](CelModel& m) {
            CelModule x = m.makeRemote(0);
            x.setWord(field::kNetAddress, address);
            x.searchDelay = searchDelay;
            m.addRemote(x);
        });
    }
    std::vector<uint16_t> listedAddresses() {
        std::vector<uint16_t> out;
        for (int i = 0; i < QVZB_CEL_GetSearchDevCount(); ++i) {
            uint16_t a = 0;
            EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(i, 5, &a, 2), 1);
            out.push_back(a);
        }
        return out;
    }
};

TEST_F(CelSearchTest, FindsTheModulesOnTheSearchedChannelOnceAndTunesBack) {
    startCel();
    loadLocal();

    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    std::vector<Bytes> expected = Tune(12, 0);
    expected.push_back(Bytes{0xAB, 0xBC, 0xCD, 0xD4, 0x08});
    Append(expected, Tune(15, 0));
    EXPECT_EQ(frames(), expected);
    withModel([](CelModel& m) {
        EXPECT_EQ(m.tunedChannel(), 15);
        EXPECT_EQ(m.tunedRate(), 0);
    });

    ASSERT_EQ(QVZB_CEL_GetSearchDevCount(), 1);
    uint16_t word = 0, pan = 0, address = 0;
    uint8_t channel = 0, rate = 9, state = 9;
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 1, &word, 2), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 2, &channel, 1), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 3, &rate, 1), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 4, &pan, 2), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 5, &address, 2), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, 6, &state, 1), 1);
    EXPECT_EQ(word, 1);
    EXPECT_EQ(channel, 12);
    EXPECT_EQ(rate, 0);
    EXPECT_EQ(pan, 0x1A2B);
    EXPECT_EQ(address, 0x0101);
    EXPECT_EQ(state, 0);  // an end device in its normal firmware

    // The same answer again adds nothing; another channel adds behind.
    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 0);
    EXPECT_EQ(QVZB_CEL_SearchDev(15, 1), 1);
    EXPECT_EQ(listedAddresses(), (std::vector<uint16_t>{0x0101, 0x0102}));
    // Nobody on this one.
    EXPECT_EQ(QVZB_CEL_SearchDev(26, 2), 0);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 2);
}

TEST_F(CelSearchTest, AnswersAreReadUntilTheSecondReadWithoutOne) {
    startCel();
    loadLocal();
    addModuleOnChannel12(0x0201);
    addModuleOnChannel12(0x0202, 120ms);  // after one empty read (60 ms time-out): still heard
    addModuleOnChannel12(0x0203, 400ms);  // after two: the search has ended

    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 1);
    EXPECT_EQ(listedAddresses(), (std::vector<uint16_t>{0x0101, 0x0201, 0x0202}));
}

TEST_F(CelSearchTest, MalformedAnswersCountAsFailuresAndKeepEarlierFinds) {
    startCel();
    loadLocal();
    addModuleOnChannel12(0x0201);
    addModuleOnChannel12(0x0202);
    server().injectFault(Fault::truncate(1).onlyWhen(3, 0xD4));

    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 0);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 0);
    EXPECT_EQ(frames().back(), SetRateFrame(0));  // tuned back

    // A found module stays when a later search goes wrong.
    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 1);
    server().injectFault(Fault::setByte(3, 0xD5).onlyWhen(3, 0xD4));
    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 0);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 3);
}

struct TuningCase {
    const char* name;
    int channel;
    int rate;
    std::vector<Bytes> tuning;  // the frames before the search gives up
};
void PrintTo(const TuningCase& c, std::ostream* os) { *os << c.name; }

class CelSearchTuningTest : public CelTest, public ::testing::WithParamInterface<TuningCase> {};

// A refused tuning ends the search before SEARCH is sent, and the local module is tuned back all the same.
TEST_P(CelSearchTuningTest, ARefusedTuningEndsTheSearchAndTunesBack) {
    startCel();
    loadLocal();
    EXPECT_EQ(QVZB_CEL_SearchDev(GetParam().channel, GetParam().rate), 0);
    std::vector<Bytes> expected = GetParam().tuning;
    Append(expected, Tune(15, 0));
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Refusals, CelSearchTuningTest,
                         ::testing::Values(TuningCase{"Channel27", 27, 0, {SetChannelFrame(27)}},
                                           TuningCase{"Rate3", 12, 3, {SetChannelFrame(12), SetRateFrame(3)}}),
                         CaseName);

TEST_F(CelSearchTest, NothingIsSentOnAClosedPort) {
    startCel();
    QVZB_CloseCom();
    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelSearchTest, HandAddedEntriesAreComparedByTheirWholeKey) {
    startCel();
    loadLocal();
    ASSERT_EQ(QVZB_CEL_SearchDev(12, 0), 1);
    server().clearLog();

    // The found key, given as wider numbers that cut down to it: already there.
    EXPECT_EQ(QVZB_CEL_HandAddDev(0x10001, 12 + 256, 0, 0x1A2B, 0x0101, 0), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 1);
    // As the program adds one (word 1, rate 0, the local PAN ID, state 0xAA): a different key.
    EXPECT_EQ(QVZB_CEL_HandAddDev(1, 12, 0, 0x1A2B, 0x0101, 0xAA), 0);
    EXPECT_EQ(QVZB_CEL_HandAddDev(1, 12, 0, 0x1A2B, 0x0101, 0xAA), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 2);
    uint8_t state = 0;
    EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(1, 6, &state, 1), 1);
    EXPECT_EQ(state, 0xAA);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelSearchTest, DeletingAnEntryMovesTheOnesBehindItDown) {
    startCel();
    for (int address : {0x0301, 0x0302, 0x0303}) QVZB_CEL_HandAddDev(1, 11, 0, 0x1A2B, address, 0xAA);

    EXPECT_EQ(QVZB_CEL_DeleteDev(0), 1);
    EXPECT_EQ(listedAddresses(), (std::vector<uint16_t>{0x0302, 0x0303}));
    EXPECT_EQ(QVZB_CEL_DeleteDev(1), 1);
    EXPECT_EQ(listedAddresses(), (std::vector<uint16_t>{0x0302}));
    EXPECT_EQ(QVZB_CEL_ClearSearchArr(), 1);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelSearchTest, IndexesOutsideTheListAreRefusedWithoutSending) {
    startCel();
    loadLocal();
    QVZB_CEL_HandAddDev(1, 12, 0, 0x1A2B, 0x0101, 0);
    QVZB_CEL_HandAddDev(1, 15, 1, 0x1A2B, 0x0102, 0);
    ASSERT_EQ(QVZB_CEL_GetSearchDevCount(), 2);

    uint8_t buf[96] = {};
    CelRecord record{};
    const std::vector<std::pair<const char*, int (*)(int, uint8_t*, CelRecord*)>> calls = {
        {"GetSearchDevProperty", [](int i, uint8_t* b, CelRecord*) { return QVZB_CEL_GetSearchDevProperty(i, 1, b, 2); }},
        {"DeleteDev", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_DeleteDev(i); }},
        {"LoadRemoteDevInfo", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_LoadRemoteDevInfo(i); }},
        {"GetRemoteDevProperty", [](int i, uint8_t* b, CelRecord*) { return QVZB_CEL_GetRemoteDevProperty(i, 5, b, 1); }},
        {"SetRemoteDevProperty", [](int i, uint8_t* b, CelRecord*) { return QVZB_CEL_SetRemoteDevProperty(i, 5, b, 1); }},
        {"GetRemoteDevPropertyAll", [](int i, uint8_t*, CelRecord* r) { return QVZB_CEL_GetRemoteDevPropertyAll(r, i); }},
        {"SubmitRemoteDevInfo", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_SubmitRemoteDevInfo(i); }},
        {"ResetRemoteDev", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_ResetRemoteDev(i); }},
        {"ResetRemoteToDefault", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_ResetRemoteToDefault(i); }},
        {"SetIODirAllRemote", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_SetIODirAllRemote(1, i); }},
        {"GetIOvalueRemote", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_GetIOvalueRemote(0, i); }},
        {"SetIOValueRemote", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_SetIOValueRemote(1, 0, i); }},
        {"GetADvalueRemote", [](int i, uint8_t*, CelRecord*) { return QVZB_CEL_GetADvalueRemote(0, i); }},
    };
    for (const auto& [name, call] : calls) {
        for (int index : {-1, 2}) {
            EXPECT_EQ(call(index, buf, &record), 0) << name << " " << index;
            EXPECT_EQ(QVZB_GetLastError(), 105) << name << " " << index;
        }
    }
    // The upgrade refuses too, leaving the code as it was.
    EXPECT_EQ(QVZB_CEL_UpdateWithFileNameRemote(2, "/dev/null", 0xAA, 0x0101, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 105);
    EXPECT_EQ(QVZB_CEL_GetSearchDevCount(), 2);
    EXPECT_TRUE(frames().empty());

    for (int field : {0, 7}) {
        EXPECT_EQ(QVZB_CEL_GetSearchDevProperty(0, field, buf, 2), 0);
        EXPECT_EQ(QVZB_GetLastError(), 104);
    }
}

}  // namespace

// Before the local record was ever read the library does not know where to tune back to: it reads it first, so a
// search or a remote operation leaves the local module on its own channel; when it cannot be read nothing tunes.
TEST_F(CelSearchTest, ReadsTheLocalRecordBeforeItFirstTunesAway) {
    startCel();
    EXPECT_EQ(QVZB_CEL_SearchDev(12, 0), 1);
    std::vector<Bytes> expected{kReadLocal};
    Append(expected, Tune(12, 0));
    expected.push_back(Bytes{0xAB, 0xBC, 0xCD, 0xD4, 0x08});
    Append(expected, Tune(15, 0));
    EXPECT_EQ(frames(), expected);
    withModel([](CelModel& m) { EXPECT_EQ(m.tunedChannel(), 15); });

    server().clearLog();
    QVZB_CEL_ResetToDefault();  // the record must be read again
    server().clearLog();
    server().injectFault(Fault::noAnswer().onlyWhen(3, 0xD1).repeat(-1));
    EXPECT_EQ(QVZB_CEL_ResetRemoteDev(0), 0);
    EXPECT_EQ(QVZB_CEL_SearchDev(18, 2), 0);
    for (const Bytes& f : frames()) EXPECT_NE(f[3], 0xD2) << "tuned away without knowing the way back";
}
