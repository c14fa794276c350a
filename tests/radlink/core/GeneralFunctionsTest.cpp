// The general functions and the raw channel functions through the exported interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "radlink.h"
#include "support/EchoModel.h"
#include "support/SimPort.h"

using testsupport::EchoModel;

TEST(GeneralFunctions, FreshLibraryHasNoErrorAndAClosedPort) {
    EXPECT_EQ(QVZB_GetLastError(), 0);
    EXPECT_EQ(QVZB_ComCheckOpen(), 0);
    EXPECT_EQ(QVZB_CloseCom(), 1);
    EXPECT_EQ(QVZB_CloseCom(), 1);
}

class RawChannelTest : public testsupport::SimPortTest<EchoModel> {};

TEST_F(RawChannelTest, FailedOpenLeavesThePortClosedEvenIfOneWasOpen) {
    start();
    ASSERT_EQ(QVZB_ComCheckOpen(), 1);
    EXPECT_EQ(QVZB_OpenCom("\\\\.\\no-such-port", 9600, 8, 0, 0, 0, 1, 0, 0, 50), 0);
    EXPECT_EQ(QVZB_ComCheckOpen(), 0);
    EXPECT_EQ(QVZB_OpenCom(nullptr, 9600, 8, 0, 0, 0, 1, 0, 0, 50), 0);
    EXPECT_EQ(QVZB_GetLastError(), 0);  // open reports by its result only
}

TEST_F(RawChannelTest, RawWriteAndReadRoundTripAndReportAClosedPort) {
    start();
    const unsigned char req[] = {0x4C, 0x02, 0xAB, 0xCD};
    unsigned char buf[32];
    unsigned int n = 99;
    ASSERT_EQ(QVZB_ORLNET_Write(req, sizeof req, &n, 1500), 1);
    EXPECT_EQ(n, 4u);
    ASSERT_EQ(QVZB_ORLNET_Read(buf, sizeof buf, &n, 1500), 1);
    ASSERT_EQ(n, 4u);
    EXPECT_EQ(std::vector<unsigned char>(buf, buf + 4), std::vector<unsigned char>(req, req + 4));
    ASSERT_TRUE(server().waitForFrames(1, std::chrono::milliseconds(500)));
    EXPECT_EQ(frames().at(0), sim::Bytes(req, req + 4));

    QVZB_CloseCom();
    n = 5;
    EXPECT_EQ(QVZB_ORLNET_Write(req, sizeof req, &n, 0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
    EXPECT_EQ(n, 0u);
    n = 5;
    EXPECT_EQ(QVZB_ORLNET_Read(buf, sizeof buf, &n, 0), 0);
    EXPECT_EQ(QVZB_GetLastError(), 101);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(QVZB_CloseCom(), 1);
    EXPECT_EQ(QVZB_GetLastError(), 0);
}

// A name of 260 characters or more does not fit: it is refused, never cut to one that may name another port.
TEST_F(RawChannelTest, APortNameThatDoesNotFitIsRefusedWhole) {
    start();
    QVZB_CloseCom();
    // A link to the port whose own path is 259 characters long, in folders made long enough.
    std::string path = ::testing::TempDir() + "port-names";
    std::filesystem::remove_all(path);
    while (path.size() < 259 - 60) path += "/" + std::string(50, 'd');
    std::filesystem::create_directories(path);
    path += "/" + std::string(259 - path.size() - 1, 'p');
    ASSERT_EQ(path.size(), 259u);
    std::filesystem::create_symlink(server().devicePath(), path);

    EXPECT_EQ(QVZB_OpenCom(path.c_str(), 115200, 8, 0, 0, 0, 1, 0, 0, 50), 1);
    QVZB_CloseCom();
    for (const std::string& longer : {path + "x", path + "-no-such-port", path + std::string(300, 'y')}) {
        EXPECT_EQ(QVZB_OpenCom(longer.c_str(), 115200, 8, 0, 0, 0, 1, 0, 0, 50), 0) << longer.size();
        EXPECT_EQ(QVZB_ComCheckOpen(), 0);
    }
}
