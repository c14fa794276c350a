// search, and read / write of the modules it found through --remote.
#include <gmock/gmock.h>

#include "SimModule.h"
#include "cel/CelModel.h"

namespace clitest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using SearchTest = CliTest;

TEST_F(SearchTest, FindsTheModulesOnTheChannelsAndRatesAsked) {
    auto server = ServeCel();  // remotes: channel 12 at 250k, 15 at 500k, 18 at 1M
    auto r = run({"search", server->devicePath(), "--channels", "11-15", "--rates", "0,1", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto modules = r.json()["modules"];
    ASSERT_EQ(modules.size(), 2u) << r.out;
    EXPECT_EQ(modules[0]["address"], 0x0101);
    EXPECT_EQ(modules[0]["channel"], 12);
    EXPECT_EQ(modules[1]["address"], 0x0102);
    EXPECT_EQ(modules[1]["rate"], 1);
    EXPECT_THAT(r.err, Not(HasSubstr("searching")));  // no progress bar when standard error is no terminal

    r = run({"search", server->devicePath(), "--channels", "18", "--rates", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("1  0x0001  18       2     0x1A2B  0x0103   0"));
    EXPECT_EQ(run({"search", server->devicePath(), "--channels", "10-12"}).exitCode, 2);
    EXPECT_EQ(run({"search", server->devicePath(), "--rates", "3"}).exitCode, 2);
}

TEST_F(SearchTest, ProgressBarOnATerminal) {
    auto server = ServeCel();
    const auto r = RunCli({"search", server->devicePath(), "--channels", "12", "--rates", "0,1"},
                          {"RADLINK_CACHE_DIR=" + cache_.path()}, true);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("searching [..............................]   0% channel 12 rate 0, 0 found"));
    EXPECT_THAT(r.err, HasSubstr("searching [###############...............]  50% channel 12 rate 1, 1 found"));
    EXPECT_THAT(r.err, HasSubstr("searching [##############################] 100% 1 found"));
}

TEST_F(SearchTest, RemoteNumberReadsAndWritesTheModuleFound) {
    auto server = ServeCel();
    ASSERT_EQ(run({"search", server->devicePath(), "--channels", "12,15", "--rates", "0,1"}).exitCode, 0);
    auto r = run({"read", server->devicePath(), "--remote", "2", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json()["fields"]["deviceName"], "Remote-2");
    EXPECT_EQ(r.json()["remote"], 2);

    r = run({"write", server->devicePath(), "--remote", "2", "deviceName=Far-2", "--password", "123456"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    server->withModel<sim::CelModel>([](sim::CelModel& m) {
        EXPECT_EQ(m.remote(1).name(), "Far-2");
        EXPECT_EQ(m.local().name(), "QuickMesh-Local");
    });

    r = run({"read", server->devicePath(), "--remote", "3"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.err, HasSubstr("found 2 module(s); there is no number 3"));
    r = run({"read", server->devicePath(), "--remote", "1", "--family", "orlnet"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.err, HasSubstr("holds no orlnet search"));
}

TEST_F(SearchTest, OrlnetSearchAndRemoteRead) {
    sim::ScenarioOptions o;
    o.family = "orlnet";
    auto server = ServeModule(o);
    auto r = run({"search", server->devicePath(), "--family", "orlnet", "--channels", "15", "--rates", "0", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_FALSE(r.json()["modules"].empty()) << r.out;
    r = run({"read", server->devicePath(), "--family", "orlnet", "--remote", "1", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json()["fields"]["netAddress"], 0x2001);
}

}  // namespace
}  // namespace clitest
