// Route detection, LED tests and data sending through the module's network service.
#include <cstring>

#include "OrlnetFixture.h"

using namespace orlnettest;
using sim::Fault;

TEST_F(OrlnetTest, DetectRouteGivesTheRouteInHostOrder) {
    withModel([](sim::OrlnetModel& m) {
        m.setRoute(1, 0x2003, {-60, 0x8001, {0x2001, 0x8001, 0x2003}});
        m.setRoute(0, 0x2005, {-70, 0x2005, {}});
    });
    OrlnetRoute route;
    std::memset(&route, 0xEE, sizeof route);
    ASSERT_EQ(QVZB_ORLNET_DetectRoute(0x12003, 1, &route), 1);  // 16 bits of the address are used
    EXPECT_EQ(sent(), Hex({{0xA5, 0x03, 0xD3, 0x20, 0x03, 0x5A}}));
    EXPECT_EQ(route.weakestSignal, -60);
    EXPECT_EQ(+route.weakestNodeId, 0x8001);
    ASSERT_EQ(route.hopCount, 3);
    EXPECT_EQ(+route.hops[0], 0x2001);
    EXPECT_EQ(+route.hops[1], 0x8001);
    EXPECT_EQ(+route.hops[2], 0x2003);
    EXPECT_EQ(+route.hops[3], 0);  // nothing beyond the hops the module reported

    server().clearLog();
    ASSERT_EQ(QVZB_ORLNET_DetectRoute(0x2005, 0, &route), 1);
    EXPECT_EQ(sent(), Hex({{0xA5, 0x03, 0xD2, 0x20, 0x05, 0x5A}}));
    EXPECT_EQ(route.hopCount, 0);
    EXPECT_EQ(route.weakestSignal, -70);
}

TEST_F(OrlnetTest, DetectRouteReportsTheModulesStatusCodes) {
    OrlnetRoute route;
    std::memset(&route, 0xEE, sizeof route);
    for (int code = 0xA1; code <= 0xA5; ++code) {
        withModel([&](sim::OrlnetModel& m) { m.failRoutes(static_cast<uint8_t>(code)); });
        EXPECT_EQ(QVZB_ORLNET_DetectRoute(0x2001, 1, &route), code);
        EXPECT_EQ(QVZB_GetLastError(), 0);
    }
    EXPECT_EQ(QVZB_ORLNET_DetectRoute(0x2999, 1, &route), 0xA3);  // in neither table
    EXPECT_EQ(QVZB_ORLNET_DetectRoute(0x2999, 0, &route), 0xA1);
    EXPECT_EQ(route.hopCount, 0xEE);  // a failed detection leaves the caller's record alone

    server().injectFault(Fault::noAnswer());
    EXPECT_EQ(QVZB_ORLNET_DetectRoute(0x2001, 1, &route), 0);
    QVZB_CloseCom();
    EXPECT_EQ(QVZB_ORLNET_DetectRoute(0x2001, 1, &route), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
}

TEST_F(OrlnetTest, LedTestsUseRoutedFramesOnTheChannelTheLocalModuleIsOn) {
    findRemotes();
    StoreError105();
    EXPECT_EQ(QVZB_ORLNET_TestLEDLocal(0x1F), 1);           // only the low four bits are sent
    EXPECT_EQ(QVZB_ORLNET_TestLEDRemote(0x05, 99, 0x2001), 1);  // an address of its own: the index is not used
    EXPECT_EQ(QVZB_ORLNET_TestLEDRemote(0x03, 1, 0), 1);       // entry 1 is 0x2003
    EXPECT_EQ(sent(), Hex({Cfg(0xAC, 0xDD, kLocalAddress, {0x0F}), Cfg(0xAC, 0xDD, 0x2001, {0x05}),
                           Cfg(0xAC, 0xDD, 0x2003, {0x03})}));
    EXPECT_EQ(module(kLocalAddress).led, 0x0F);
    EXPECT_EQ(module(0x2001).led, 0x05);
    EXPECT_EQ(module(0x2003).led, 0x03);

    server().injectFault(Fault::setByte(6, 1));
    EXPECT_EQ(QVZB_ORLNET_TestLEDLocal(1), 0);
    server().injectFault(Fault::truncate(1));
    EXPECT_EQ(QVZB_ORLNET_TestLEDLocal(1), 0);

    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_TestLEDBroadcast(0xF3), 1);  // the whole state byte
    ASSERT_TRUE(server().waitForFrames(1, std::chrono::milliseconds(500)));
    EXPECT_EQ(sent(), Hex({{0xA5, 0x02, 0xD5, 0xF3, 0x5A}}));
    EXPECT_EQ(module(0x2002).led, 0xF3);
    EXPECT_EQ(QVZB_GetLastError(), 105);  // the LED tests leave the code alone

    QVZB_CloseCom();
    StoreError105();
    EXPECT_EQ(QVZB_ORLNET_TestLEDBroadcast(1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 105);
    EXPECT_EQ(QVZB_ORLNET_SendBroadcast(1), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
}

TEST_F(OrlnetTest, SendDataReportsDeliveryAndCopiesWhatFitsOfTheAnswer) {
    const unsigned char data[] = {0x01, 0xA2, 0xFF};
    unsigned char answer[8];
    unsigned char length = 0;
    std::memset(answer, 0xEE, sizeof answer);
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, data, 3, answer, 255, &length), 1);
    EXPECT_EQ(sent(), Hex({{0xA5, 0x06, 0xD1, 0x20, 0x01, 0x01, 0xA2, 0xFF, 0x5A}}));
    ASSERT_EQ(length, 4);
    EXPECT_EQ(Bytes(answer, answer + 5), (Bytes{0xA5, 0x01, 0x00, 0x5A, 0xEE}));
    EXPECT_EQ(module(0x2001).received, std::vector<Bytes>{Bytes(data, data + 3)});

    std::memset(answer, 0xEE, sizeof answer);
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, data, 3, answer, 2, &length), 1);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(Bytes(answer, answer + 3), (Bytes{0xA5, 0x01, 0xEE}));

    withModel([](sim::OrlnetModel& m) { m.setDataDelivery(false); });
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, data, 3, answer, 8, &length), 0);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(answer[2], 0xA4);

    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, nullptr, 0, answer, 8, &length), 0);  // no data still goes out
    EXPECT_EQ(sent(), Hex({{0xA5, 0x03, 0xD1, 0x20, 0x01, 0x5A}}));

    // More than the frame's length byte can count is refused before anything is sent.
    server().clearLog();
    const Bytes tooLong(253, 0x11);
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, tooLong.data(), 253, answer, 8, &length), 0);
    EXPECT_TRUE(frames().empty());

    server().injectFault(Fault::noAnswer());
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, data, 3, answer, 8, &length), 0);
    QVZB_CloseCom();
    EXPECT_EQ(QVZB_ORLNET_SendData(0x2001, data, 3, answer, 8, &length), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
}
