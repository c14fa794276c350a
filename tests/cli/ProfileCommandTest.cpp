// profile save and apply: one profile to two simulated ports at once, per-unit values from a CSV, the report.
#include <gmock/gmock.h>

#include <fstream>

#include "SimModule.h"
#include "cel/CelModel.h"

namespace clitest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using ProfileTest = CliTest;

TEST_F(ProfileTest, SaveKeepsTheSharedSettableFields) {
    auto server = ServeCel();
    for (const std::string name : {"p.toml", "p.json"}) {
        const auto r = run({"profile", "save", server->devicePath(), files_.file(name)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        std::ifstream in(files_.file(name));
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_THAT(text, HasSubstr("channel"));
        EXPECT_THAT(text, HasSubstr("panId"));
        for (const char* absent : {"deviceName", "netAddress", "macAddress", "password", "firmwareVersion", "123456"})
            EXPECT_THAT(text, Not(HasSubstr(absent))) << name;
    }
    const auto all = run({"profile", "save", server->devicePath(), files_.file("all.json"), "--all"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    std::ifstream in(files_.file("all.json"));
    EXPECT_EQ(nlohmann::json::parse(in)["fields"]["deviceName"], "QuickMesh-Local");
}

TEST_F(ProfileTest, ApplyWritesTwoPortsAtOnceWithPerUnitValuesAndReports) {
    auto a = ServeCel();
    auto b = ServeCel();
    // b's module is told apart by its address
    b->withModel<sim::CelModel>([](sim::CelModel& m) {
        m.local().setWord(sim::celfield::kNetAddress, 0x0042);
        m.local().restart(m.local().controlWord);
    });
    const auto profile = files_.write("bench.toml", "family = \"cel\"\n[fields]\nchannel = 21\npanId = 0x5151\n");
    const auto csv = files_.write("units.csv",
                                  "port,address,name,netAddress\n" + a->devicePath() + ",,Unit-A,0x0201\n" +
                                      ",0x0042,\"Unit, B\",0x0202\n");
    const auto report = files_.file("report.json");
    const auto r = run({"profile", "apply", profile, a->devicePath(), b->portName(), "--csv", csv, "--password",
                        "123456", "--report", report});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_THAT(r.out, HasSubstr("written and verified"));

    a->withModel<sim::CelModel>([](sim::CelModel& m) {
        EXPECT_EQ(m.local().name(), "Unit-A");
        EXPECT_EQ(m.local().netAddress(), 0x0201);
        EXPECT_EQ(m.local().channel(), 21);
        EXPECT_EQ(m.local().panId(), 0x5151);
    });
    b->withModel<sim::CelModel>([](sim::CelModel& m) {
        EXPECT_EQ(m.local().name(), "Unit, B");
        EXPECT_EQ(m.local().netAddress(), 0x0202);
        EXPECT_EQ(m.local().channel(), 21);
    });

    std::ifstream in(report);
    const auto units = nlohmann::json::parse(in)["units"];
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0]["port"], a->devicePath());
    EXPECT_EQ(units[1]["port"], b->portName());
    for (const auto& u : units) {
        EXPECT_EQ(u["result"], "written and verified") << u.dump();
        EXPECT_EQ(u["fields"]["channel"]["before"], 15);
        EXPECT_EQ(u["fields"]["channel"]["after"], 21);
        EXPECT_EQ(u["fields"]["panId"]["verified"], true);
    }
    EXPECT_EQ(units[0]["fields"]["deviceName"]["before"], "QuickMesh-Local");
    EXPECT_EQ(units[1]["fields"]["netAddress"]["before"], 0x0042);
    EXPECT_EQ(units[1]["fields"]["netAddress"]["after"], 0x0202);
}

TEST_F(ProfileTest, ApplyReportsEachUnitThatFailedAndExitsNonZero) {
    auto good = ServeCel();
    auto other = ServeCel(85, "654321");
    const auto profile = files_.write("p.json", R"({"family": "cel", "fields": {"channel": 23}})");
    const auto r = run({"profile", "apply", profile, good->devicePath(), other->devicePath(),
                        "/dev/radlink-no-such-port", "--password", "123456", "--json"});
    EXPECT_NE(r.exitCode, 0);
    const auto units = r.json()["units"];
    ASSERT_EQ(units.size(), 3u) << r.out;
    EXPECT_EQ(units[0]["result"], "written and verified");
    EXPECT_EQ(units[1]["result"], "wrong password");
    EXPECT_EQ(units[1]["exitCode"], 4);
    EXPECT_EQ(units[2]["exitCode"], 3);
    EXPECT_THAT(units[2]["result"].get<std::string>(), HasSubstr("cannot open"));
    EXPECT_EQ(FramesWithCommand(*other, kCelWriteConfig), 0u);
}

TEST_F(ProfileTest, ApplyDryRunWritesNowhere) {
    auto a = ServeCel();
    auto b = ServeCel();
    const auto profile = files_.write("p.json", R"({"family": "cel", "fields": {"channel": 23}})");
    const auto r = run({"profile", "apply", profile, a->devicePath(), b->devicePath(), "--dry-run", "--json"},
                       {"RADLINK_TRACE=" + files_.file("bench.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const auto& u : r.json()["units"]) EXPECT_EQ(u["result"], "dry run, nothing written");
    EXPECT_EQ(FramesWithCommand(*a, kCelWriteConfig) + FramesWithCommand(*b, kCelWriteConfig), 0u);
    // a trace asked for is one file per unit
    for (const char* unit : {"bench.unit-1.txt", "bench.unit-2.txt"}) {
        std::ifstream trace(files_.file(unit));
        std::string text((std::istreambuf_iterator<char>(trace)), std::istreambuf_iterator<char>());
        EXPECT_THAT(text, HasSubstr("READ_LOCAL")) << unit;
    }
}

}  // namespace
}  // namespace clitest
