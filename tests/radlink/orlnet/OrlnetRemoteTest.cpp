// Configuration of remote modules through the local one: tuning, headers, whole and part records.
#include <climits>
#include <cstring>
#include <functional>

#include "OrlnetFixture.h"

using namespace orlnettest;
using sim::Fault;

namespace {

// Entries after findRemotes(): 0x2002 on channel 20 at 500k, and 0x2003 reached over a route.
constexpr int kDirect = 0, kRouted = 1;
constexpr uint16_t kDirectWord = 0x0C21, kRoutedWord = 0x0C22;

std::vector<std::string> Framed(std::vector<Bytes> exchange, uint8_t channel, uint8_t rate) {
    return Hex(Concat({Tune(channel, rate), exchange, TuneBack()}));
}
std::vector<std::string> DirectFramed(std::vector<Bytes> exchange) { return Framed(std::move(exchange), 20, 1); }
std::vector<std::string> RoutedFramed(std::vector<Bytes> exchange) {
    return Framed(std::move(exchange), kLocalChannel, kLocalRate);
}

}  // namespace

TEST_F(OrlnetTest, WholeReadIsTunedAndConvertsTheRecord) {
    findRemotes();
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);
    EXPECT_EQ(sent(), DirectFramed({Cfg(0xAB, 0xD5, 0x2002)}));

    OrlnetConfig rec{};
    ASSERT_EQ(QVZB_ORLNET_GetRemoteDevPropertyAll(&rec, kDirect), 1);
    EXPECT_EQ(std::string(rec.deviceName), "ORLNET-2002");
    EXPECT_EQ(rec.channel, 20);
    EXPECT_EQ(rec.airRate, 1);
    EXPECT_EQ(+rec.netAddress, 0x2002);
    EXPECT_EQ(+rec.routeQueryTimeout, 1000);
    EXPECT_EQ(+rec.controlWord, kDirectWord);
    uint16_t panId = 0;
    EXPECT_EQ(QVZB_ORLNET_GetRemoteDevProperty(kDirect, 6, &panId, 2), 1);
    EXPECT_EQ(panId, 0x1A2B);
}

TEST_F(OrlnetTest, WholeReadAcceptsOnly88Or92Bytes) {
    findRemotes();
    server().injectFault(Fault::extend(2).onlyWhen(3, 0xD5));  // 90 bytes: read again, not asked again
    EXPECT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 0);
    EXPECT_EQ(sent(), DirectFramed({Cfg(0xAB, 0xD5, 0x2002)}));
    uint8_t byte = 0;
    EXPECT_EQ(QVZB_ORLNET_GetRemoteDevProperty(kDirect, 5, &byte, 1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);

    // The 92-byte form: record bytes 0-78 from answer bytes 10-88, bytes 79-83 from the last five received.
    Bytes answer(92);
    for (size_t i = 0; i < answer.size(); ++i) answer[i] = static_cast<uint8_t>(i);
    server().injectFault(Fault::replace(answer).onlyWhen(3, 0xD5));
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);
    uint16_t word = 0;
    EXPECT_EQ(QVZB_ORLNET_GetRemoteDevProperty(kDirect, 4, &byte, 1), 1);
    EXPECT_EQ(byte, 42);
    EXPECT_EQ(QVZB_ORLNET_GetRemoteDevProperty(kDirect, 6, &word, 2), 1);
    EXPECT_EQ(word, 0x2C2D);
    EXPECT_EQ(QVZB_ORLNET_GetRemoteDevProperty(kDirect, 26, &byte, 1), 1);
    EXPECT_EQ(byte, 88);
    EXPECT_EQ(QVZB_ORLNET_GetRemoteDevProperty(kDirect, 3, &word, 2), 1);
    EXPECT_EQ(word, 0x5A5B);
}

TEST_F(OrlnetTest, PartReadTakesItsSpanAndTheTail) {
    findRemotes();
    OrlnetConfig rec{};
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteRouteDevInfo(&rec, kRouted, 65, 14), 1);
    EXPECT_EQ(sent(), RoutedFramed({Cfg(0xAC, 0xD5, 0x2003, {65, 14})}));
    EXPECT_EQ(+rec.tempRouteLifetime, 3000);
    EXPECT_EQ(+rec.dataAccessTimeout, 2000);
    EXPECT_EQ(rec.bestSignal, -40);
    EXPECT_EQ(rec.runState, 0xAA);
    EXPECT_EQ(+rec.controlWord, kRoutedWord);
    EXPECT_EQ(+rec.firmwareVersion, 0x0123);
    EXPECT_EQ(+rec.netAddress, 0);  // outside the span: never read
    EXPECT_EQ(rec.deviceName[0], 0);

    // A span that cuts a 16-bit field changes only the byte it carries.
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteRouteDevInfo(&rec, kRouted, 35, 2), 1);
    EXPECT_EQ(+rec.panId, 0x002B);
    EXPECT_EQ(+rec.netAddress, 0x2000);

    // A wrong length is refused without asking again; the held record is still copied out.
    server().clearLog();
    server().injectFault(Fault::truncate(1).onlyWhen(3, 0xD5));
    OrlnetConfig again{};
    EXPECT_EQ(QVZB_ORLNET_LoadRemoteRouteDevInfo(&again, kRouted, 0, 38), 0);
    EXPECT_EQ(sent(), RoutedFramed({Cfg(0xAC, 0xD5, 0x2003, {0, 38})}));
    EXPECT_EQ(+again.tempRouteLifetime, 3000);

    // A span beyond the written part is refused before anything is sent.
    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_LoadRemoteRouteDevInfo(&again, kRouted, 60, 20), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_TRUE(frames().empty());
}

// Spans whose end lies past the written part only through int overflow are refused as well, and nothing is sent.
TEST_F(OrlnetTest, SpansThatOverflowAnIntAreRefusedUnsent) {
    findRemotes();
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);
    const struct { int offset, length; } spans[] = {
        {INT_MAX, 1}, {1, INT_MAX}, {INT_MAX, INT_MAX}, {78, INT_MAX - 77}, {INT_MAX - 10, 20}};
    for (const auto& span : spans) {
        SCOPED_TRACE(testing::Message() << span.offset << "+" << span.length);
        server().clearLog();
        // A reply as long as the part read would wait for, in case the frame goes out anyway.
        server().injectFault(Fault::replace(Bytes(27, 0)).onlyWhen(3, 0xD5));
        OrlnetConfig rec{};
        EXPECT_EQ(QVZB_ORLNET_LoadRemoteRouteDevInfo(&rec, kDirect, span.offset, span.length), 0);
        EXPECT_EQ(QVZB_ORLNET_SubmitRemoteRouteDevInfo(kDirect, span.offset, span.length), 0);
        EXPECT_TRUE(frames().empty());
        server().clearFaults();
    }
}

TEST_F(OrlnetTest, WholeWriteRestartsTheModuleAndUpdatesItsSearchKey) {
    findRemotes();
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);
    const sim::OrlnetModule before = module(0x2002);
    const uint8_t channel = 22;
    const uint16_t panId = 0x5555;
    ASSERT_EQ(QVZB_ORLNET_SetRemoteDevProperty(kDirect, 5, &channel, 1), 1);
    ASSERT_EQ(QVZB_ORLNET_SetRemoteDevProperty(kDirect, 6, &panId, 2), 1);
    server().clearLog();
    ASSERT_EQ(QVZB_ORLNET_SubmitRemoteDevInfo(kDirect), 1);

    Bytes written(before.config.begin(), before.config.begin() + field::kWritten);
    written[33] = 22, written[34] = 0x55, written[35] = 0x55;
    EXPECT_EQ(sent(), DirectFramed({Cfg(0xAB, 0xD6, 0x2002, written), Restart(0xAB, 0x2002, kDirectWord)}));
    EXPECT_EQ(KeyField(kDirect, 2), 22u);
    EXPECT_EQ(KeyField(kDirect, 4), 0x5555u);
    EXPECT_EQ(module(0x2002).channel, 22);

    server().clearLog();
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);  // found on its new channel
    EXPECT_EQ(sent()[0], Hex(Tune(22, 1))[0]);
}

TEST_F(OrlnetTest, PartWriteRefreshesOnlyTheKeyFieldsItCovers) {
    findRemotes();
    OrlnetConfig rec;
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteRouteDevInfo(&rec, kRouted, 0, 79), 1);
    const uint8_t rate = 2;
    ASSERT_EQ(QVZB_ORLNET_SetRemoteDevProperty(kRouted, 11, &rate, 1), 1);
    server().clearLog();

    ASSERT_EQ(QVZB_ORLNET_SubmitRemoteRouteDevInfo(kRouted, 60, 4), 1);
    const auto c = module(0x2003).config;
    EXPECT_EQ(sent(), RoutedFramed({Cfg(0xAC, 0xD6, 0x2003, {60, 4, c[60], c[61], c[62], c[63]}),
                                    Restart(0xAB, 0x2003, kRoutedWord)}));
    EXPECT_EQ(KeyField(kRouted, 3), 0u);
    EXPECT_EQ(module(0x2003).config[field::kRate], 0);

    ASSERT_EQ(QVZB_ORLNET_SubmitRemoteRouteDevInfo(kRouted, 56, 2), 1);
    EXPECT_EQ(KeyField(kRouted, 3), 2u);
    EXPECT_EQ(module(0x2003).rate, 2);
}

TEST_F(OrlnetTest, FailedRemoteExchangesStillTuneBack) {
    findRemotes();
    server().injectFault(Fault::noAnswer().onlyWhen(3, 0xD5));
    EXPECT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 0);
    EXPECT_EQ(sent(), DirectFramed({Cfg(0xAB, 0xD5, 0x2002)}));

    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);
    const auto config = module(0x2002).config;
    const Bytes written(config.begin(), config.begin() + field::kWritten);
    server().clearLog();
    server().injectFault(Fault::setByte(6, 1).onlyWhen(3, 0xD6));
    EXPECT_EQ(QVZB_ORLNET_SubmitRemoteDevInfo(kDirect), 0);
    EXPECT_EQ(sent(), DirectFramed({Cfg(0xAB, 0xD6, 0x2002, written)}));  // no restart
}

TEST_F(OrlnetTest, RouteModulesGetRoutedHeadersButFactoryResetAndRestartsAfterWritesDoNot) {
    findRemotes();
    OrlnetConfig rec;
    ASSERT_EQ(QVZB_ORLNET_GetRemoteDevPropertyAll(&rec, kRouted), 1);
    struct {
        const char* what;
        std::function<int()> call;
        std::vector<std::string> heads;  // lead byte and command of each frame between tuning
    } cases[] = {
        {"whole load", [] { return QVZB_ORLNET_LoadRemoteDevInfoAll(kRouted); }, {"AC BC CD D5"}},
        {"whole write", [] { return QVZB_ORLNET_SubmitRemoteDevInfoAll(kRouted); }, {"AC BC CD D6", "AB BC CD D9"}},
        {"restart", [] { return QVZB_ORLNET_ResetRemoteDev(kRouted); }, {"AC BC CD D9"}},
        {"factory reset", [] { return QVZB_ORLNET_ResetRemoteToDefault(kRouted); }, {"AB BC CD DA", "AB BC CD D9"}},
    };
    for (const auto& c : cases) {
        server().clearLog();
        EXPECT_EQ(c.call(), 1) << c.what;
        std::vector<std::string> all = sent(), heads;
        ASSERT_GE(all.size(), 4u) << c.what;
        EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 2), Hex(TuneBack())) << c.what;
        EXPECT_EQ(std::vector<std::string>(all.end() - 2, all.end()), Hex(TuneBack())) << c.what;
        for (auto it = all.begin() + 2; it != all.end() - 2; ++it) heads.push_back(it->substr(0, 11));
        EXPECT_EQ(heads, c.heads) << c.what;
    }
}

TEST_F(OrlnetTest, RemoteResetsUseTheRecordsAddressAndWordsButTheFactoryResetGoesToTheSearchAddress) {
    findRemotes();
    // Restarting a module never read goes to what its empty record holds.
    EXPECT_EQ(QVZB_ORLNET_ResetRemoteDev(kDirect), 1);
    EXPECT_EQ(sent(), DirectFramed({Restart(0xAB, 0x0000, 0x0000)}));

    changeModule(0x2002, [](sim::OrlnetModule& m) { m.setWord(field::kControlWord, 0x0D00); });
    ASSERT_EQ(QVZB_ORLNET_LoadRemoteDevInfo(kDirect), 1);
    changeModule(0x2002, [](sim::OrlnetModule& m) { std::memcpy(&m.config[0], "CHANGED", 8); });
    server().clearLog();
    ASSERT_EQ(QVZB_ORLNET_ResetRemoteToDefault(kDirect), 1);
    EXPECT_EQ(sent(), DirectFramed({Cfg(0xAB, 0xDA, 0x2002, {0x0D, 0x00}), Restart(0xAB, 0x2002, kDirectWord)}));
    EXPECT_EQ(module(0x2002).text(field::kName), "ORLNET-2002");

    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_ResetRemoteDev(kDirect), 1);
    EXPECT_EQ(sent(), DirectFramed({Restart(0xAB, 0x2002, 0x0D00)}));
}

TEST_F(OrlnetTest, AnEntryNeverReadIsNotWritten) {
    findRemotes();
    EXPECT_EQ(QVZB_ORLNET_SubmitRemoteDevInfo(kDirect), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_EQ(QVZB_ORLNET_SubmitRemoteRouteDevInfo(kRouted, 0, 38), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_EQ(QVZB_ORLNET_SubmitRemoteDevInfoAll(kRouted), 0);
    EXPECT_EQ(QVZB_GetLastError(), 102);
    EXPECT_TRUE(frames().empty());
}

TEST_F(OrlnetTest, CallsWithAnIndexOutsideTheListSendNothing) {
    findRemotes();
    OrlnetConfig rec;
    uint8_t value[16] = {};
    const std::function<int(int)> setting105[] = {
        [](int i) { return QVZB_ORLNET_LoadRemoteDevInfo(i); },
        [&](int i) { return QVZB_ORLNET_LoadRemoteRouteDevInfo(&rec, i, 0, 38); },
        [](int i) { return QVZB_ORLNET_LoadRemoteDevInfoAll(i); },
        [&](int i) { return QVZB_ORLNET_GetRemoteDevPropertyAll(&rec, i); },
        [&](int i) { return QVZB_ORLNET_GetRemoteDevProperty(i, 5, value, 1); },
        [&](int i) { return QVZB_ORLNET_SetRemoteDevProperty(i, 5, value, 1); },
        [](int i) { return QVZB_ORLNET_SubmitRemoteDevInfo(i); },
        [](int i) { return QVZB_ORLNET_SubmitRemoteRouteDevInfo(i, 0, 38); },
        [](int i) { return QVZB_ORLNET_SubmitRemoteDevInfoAll(i); },
        [](int i) { return QVZB_ORLNET_ResetRemoteDev(i); },
        [](int i) { return QVZB_ORLNET_ResetRemoteToDefault(i); },
    };
    const std::function<int(int)> leavingTheCode[] = {
        [](int i) { return QVZB_ORLNET_IsRouteDev(i); },
        [](int i) { return QVZB_ORLNET_TestLEDRemote(1, i, 0); },
    };
    for (int index : {2, -1}) {
        for (size_t n = 0; n < std::size(setting105); ++n) {
            EXPECT_EQ(setting105[n](index), 0) << n << " at " << index;
            EXPECT_EQ(QVZB_GetLastError(), 105) << n << " at " << index;
        }
        for (size_t n = 0; n < std::size(leavingTheCode); ++n) {
            QVZB_ORLNET_GetSearchDevProperty(0, 99, value, 2);  // stores 104
            EXPECT_EQ(leavingTheCode[n](index), 0) << n << " at " << index;
            EXPECT_EQ(QVZB_GetLastError(), 104) << n << " at " << index;
        }
    }
    EXPECT_TRUE(frames().empty());
}
