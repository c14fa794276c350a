// SerialChannel on a real pty: exclusive open, settings, read termination.
#include <gtest/gtest.h>

#include <chrono>

#include "core/SimServer.h"
#include "serial/SerialChannel.h"
#include "support/EchoModel.h"

using radlink::SerialChannel;
using namespace std::chrono;

TEST(SerialChannelTiming, IntervalTimeoutFollowsTheBaudRate) {
    const std::pair<int, uint32_t> cases[] = {{1200, 333}, {2400, 166}, {4800, 83},  {9600, 41},    {19200, 20},
                                              {38400, 10}, {57600, 6},  {115200, 3}, {230400, 1}, {460800, 1}};
    for (auto [baud, ms] : cases) EXPECT_EQ(SerialChannel::IntervalTimeoutMs(baud), ms) << baud;
}

TEST(SerialChannelNames, PortNamesMapToDevicePaths) {
    EXPECT_EQ(SerialChannel::DevicePath("\\\\.\\ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialChannel::DevicePath("\\\\.\\pts/3"), "/dev/pts/3");
    EXPECT_EQ(SerialChannel::DevicePath("/tmp/port"), "/tmp/port");
    EXPECT_EQ(SerialChannel::DevicePath("ttyS0"), "/dev/ttyS0");
}

class SerialChannelTest : public ::testing::Test {
protected:
    sim::SimServer server{std::make_unique<testsupport::EchoModel>()};
    SerialChannel channel;
    bool open(int baud = 115200, uint32_t readTimeout = 80) {
        return channel.Open(server.devicePath().c_str(), baud, 8, 0, 0, 0, 1, 0, 0, readTimeout, 3000) == 1;
    }
};

TEST_F(SerialChannelTest, OpenSetsTimeoutsAndIsExclusive) {
    ASSERT_TRUE(open(1200, 250));
    EXPECT_TRUE(channel.IsOpen());
    EXPECT_EQ(channel.timeouts().readInterval, 333u);
    EXPECT_EQ(channel.timeouts().readTotalConstant, 250u);
    EXPECT_EQ(channel.timeouts().writeTotalConstant, 3000u);
    EXPECT_EQ(channel.lineSettings().dtrControl, 0);

    SerialChannel other;  // a second opener of the same port, root or not, is refused
    EXPECT_EQ(other.Open(server.devicePath().c_str(), 9600, 8, 0, 0, 0, 1, 0, 0, 50, 3000), 0);
    EXPECT_FALSE(other.IsOpen());

    ASSERT_TRUE(open(9600, 50));  // reopening from this channel closes first, so it succeeds
    channel.Close();
    EXPECT_EQ(other.Open(server.devicePath().c_str(), 9600, 8, 0, 0, 0, 1, 0, 0, 50, 3000), 1);
}

TEST_F(SerialChannelTest, OpenFailuresLeaveTheChannelClosed) {
    ASSERT_TRUE(open());
    EXPECT_EQ(channel.Open(nullptr, 9600, 8, 0, 0, 0, 1, 0, 0, 50, 3000), 0);
    EXPECT_FALSE(channel.IsOpen());
    EXPECT_EQ(channel.Open("/dev/does-not-exist", 9600, 8, 0, 0, 0, 1, 0, 0, 50, 3000), 0);
    struct Bad { int baud, bits, parity, stop; } bad[] = {{9600, 9, 0, 0}, {9600, 8, 5, 0}, {9600, 8, 0, 3},
                                                          {12345, 8, 0, 0}};
    for (auto b : bad) {
        EXPECT_EQ(channel.Open(server.devicePath().c_str(), b.baud, b.bits, b.parity, b.stop, 0, 1, 0, 0, 50, 3000), 0);
        EXPECT_FALSE(channel.IsOpen());
    }
    // every line setting the codes allow is accepted
    for (int bits = 5; bits <= 8; ++bits)
        for (int parity = 0; parity <= 4; ++parity)
            for (int stop = 0; stop <= 2; ++stop)
                EXPECT_EQ(channel.Open(server.devicePath().c_str(), 19200, bits, parity, stop, 0, parity % 4, 1, 1,
                                       50, 3000), 1)
                    << bits << parity << stop;
}

TEST_F(SerialChannelTest, ClosedChannelReportsNothing) {
    uint8_t buf[8] = {};
    uint32_t n = 77;
    EXPECT_EQ(channel.Write(buf, 1, &n, 0), 0);
    EXPECT_EQ(n, 0u);
    n = 77;
    EXPECT_EQ(channel.Read(buf, sizeof buf, &n, 0), 0);
    EXPECT_EQ(n, 0u);
    channel.Close();
    channel.Close();
    EXPECT_FALSE(channel.IsOpen());
}

TEST_F(SerialChannelTest, SilentModuleReadEndsAtTheTotalTimeoutNotTheHint) {
    ASSERT_TRUE(open(115200, 80));
    const uint8_t req[] = {0x01, 0x02};
    uint32_t n = 0;
    ASSERT_EQ(channel.Write(req, 2, &n, 5000), 1);
    EXPECT_EQ(n, 2u);
    uint8_t buf[64];
    auto t0 = steady_clock::now();
    EXPECT_EQ(channel.Read(buf, sizeof buf, &n, 5000), 1);
    auto took = duration_cast<milliseconds>(steady_clock::now() - t0).count();
    EXPECT_EQ(n, 0u);
    EXPECT_GE(took, 78);
    EXPECT_LT(took, 400);
}

TEST_F(SerialChannelTest, ReadEndsAtTheInterByteGapAndAtCapacity) {
    ASSERT_TRUE(open(9600, 1000));  // interval 41 ms
    const uint8_t req[] = {0x4C, 0x06, 1, 2, 3, 4, 5, 6};
    uint8_t buf[64];
    uint32_t n = 0;

    server.injectFault(sim::Fault::split(3, milliseconds(120)));  // gap longer than the interval
    ASSERT_EQ(channel.Write(req, sizeof req, &n, 0), 1);
    auto t0 = steady_clock::now();
    ASSERT_EQ(channel.Read(buf, sizeof buf, &n, 0), 1);
    auto took = duration_cast<milliseconds>(steady_clock::now() - t0).count();
    EXPECT_EQ(n, 3u);
    EXPECT_GE(took, 40);
    EXPECT_LT(took, 110);  // well before the total time-out
    ASSERT_EQ(channel.Read(buf, sizeof buf, &n, 0), 1);
    EXPECT_EQ(n, 5u);

    server.injectFault(sim::Fault::split(4, milliseconds(15)));  // gap shorter than the interval: one block
    ASSERT_EQ(channel.Write(req, sizeof req, &n, 0), 1);
    ASSERT_EQ(channel.Read(buf, sizeof buf, &n, 0), 1);
    EXPECT_EQ(n, sizeof req);

    ASSERT_EQ(channel.Write(req, sizeof req, &n, 0), 1);
    t0 = steady_clock::now();
    ASSERT_EQ(channel.Read(buf, 4, &n, 0), 1);  // buffer full ends at once
    EXPECT_EQ(n, 4u);
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - t0).count(), 35);
}

TEST_F(SerialChannelTest, WriteDiscardsBytesThatArrivedBetweenRequests) {
    ASSERT_TRUE(open(115200, 60));
    const uint8_t req[] = {0x4C, 0x01, 0x42};
    uint8_t buf[64];
    uint32_t n = 0;
    server.injectFault(sim::Fault::stray(10, milliseconds(5)));
    ASSERT_EQ(channel.Write(req, sizeof req, &n, 0), 1);
    ASSERT_EQ(channel.Read(buf, 3, &n, 0), 1);
    EXPECT_EQ(n, 3u);
    std::this_thread::sleep_for(milliseconds(30));  // the stray bytes are now waiting unread
    ASSERT_EQ(channel.Write(req, sizeof req, &n, 0), 1);
    ASSERT_EQ(channel.Read(buf, sizeof buf, &n, 0), 1);
    ASSERT_EQ(n, 3u);
    EXPECT_EQ(buf[2], 0x42);
}
