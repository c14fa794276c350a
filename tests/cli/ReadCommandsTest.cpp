// ports, identify and read against simulated modules.
#include <gmock/gmock.h>
#include <unistd.h>

#include "SimModule.h"
#include "cel/CelModel.h"

namespace clitest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using PortsTest = CliTest;

TEST_F(PortsTest, ListsAnExtraPortWithTheProcessThatHoldsIt) {
    auto server = ServeCel();  // this test process keeps the pty's device side open
    const auto table = run({"ports", server->portName()});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_THAT(table.out, HasSubstr(server->portName() + "  pty"));
    EXPECT_THAT(table.out, HasSubstr("(" + std::to_string(getpid()) + ")"));

    const auto json = run({"ports", "--json"}, {"RADLINK_PORTS=" + server->devicePath()});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    bool found = false;
    for (const auto& p : json.json())
        if (p["name"] == server->portName()) {
            found = true;
            EXPECT_EQ(p["path"], server->devicePath());
            ASSERT_EQ(p["heldBy"].size(), 1u);
            EXPECT_EQ(p["heldBy"][0]["pid"], getpid());
        }
    EXPECT_TRUE(found) << json.out;
}

using IdentifyTest = CliTest;

TEST_F(IdentifyTest, NamesTheFamilyAndProductLineThatAnswers) {
    struct Case {
        std::string family, line, expect;
    } cases[] = {
        {"cel", "quickmesh", "cel module, product line Quickmesh (control word 1)"},
        {"cel", "vnet", "cel module, product line VNET (control word 2)"},
        {"orlnet", "quickmesh", "orlnet module"},
        {"snap", "quickmesh", "snap module"},
    };
    for (const auto& c : cases) {
        sim::ScenarioOptions o;
        o.family = c.family;
        o.productLine = c.line;
        auto server = ServeModule(o);
        const auto r = run({"identify", server->devicePath(), "--timeout", "60"});
        EXPECT_EQ(r.exitCode, 0) << c.family << " " << r.err;
        EXPECT_THAT(r.out, HasSubstr(c.expect)) << c.family;
    }
}

TEST_F(IdentifyTest, JsonAndProbeAndTheExitCodesOfFailures) {
    sim::ScenarioOptions o;
    o.productLine = "vnet";
    auto server = ServeModule(o);
    const auto r = run({"identify", server->portName(), "--probe", "--baud", "9600", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = r.json();
    EXPECT_EQ(j["family"], "cel");
    EXPECT_EQ(j["productLine"], "VNET");
    EXPECT_EQ(j["baud"], 9600);

    EXPECT_EQ(run({"identify", "/dev/radlink-no-such-port"}).exitCode, 3);
    server->injectFault(sim::Fault::noAnswer().repeat(-1));
    const auto silent = run({"identify", server->portName(), "--timeout", "30"});
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_THAT(silent.err, HasSubstr("no CEL, ORLNET or SNAP module answered"));
}

using ReadTest = CliTest;

TEST_F(ReadTest, TableShowsValuesWithMeaningsAndHidesThePassword) {
    auto server = ServeCel();
    const auto r = run({"read", server->devicePath()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("deviceName       QuickMesh-Local"));
    EXPECT_THAT(r.out, HasSubstr("channel          15                       2425 MHz"));
    EXPECT_THAT(r.out, HasSubstr("airRate          0                        250 kbit/s"));
    EXPECT_THAT(r.out, HasSubstr("deviceType       1                        router"));
    EXPECT_THAT(r.out, HasSubstr("panId            0x1A2B"));
    EXPECT_THAT(r.out, Not(HasSubstr("123456")));
    EXPECT_THAT(run({"read", server->devicePath(), "--show-password"}).out, HasSubstr("password         123456"));
}

TEST_F(ReadTest, JsonKeysAreTheRecordFieldNames) {
    auto server = ServeCel();
    server->withModel<sim::CelModel>([](sim::CelModel& m) {
        m.local().setText(sim::celfield::kDeviceName, "\xB1\xC3\xD5\xBE");  // "泵站" in GBK
    });
    const auto r = run({"read", server->devicePath(), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = r.json();
    EXPECT_EQ(j["fields"]["deviceName"], "泵站");
    EXPECT_EQ(j["fields"]["channel"], 15);
    EXPECT_EQ(j["fields"]["panId"], 0x1A2B);
    EXPECT_EQ(j["fields"]["netAddress"], 0x0010);
    EXPECT_EQ(j["fields"]["macAddress"], "00:12:4b:00:0a:0b:0c:01");
    EXPECT_FALSE(j["fields"].contains("password"));
    EXPECT_EQ(j["meanings"]["channel"], "2425 MHz");
    EXPECT_EQ(j["meanings"]["airRate"], "250 kbit/s");
    EXPECT_EQ(j["meanings"]["deviceType"], "router");
    EXPECT_EQ(j["meanings"]["firmwareVersion"], "V1.23");
}

TEST_F(ReadTest, OrlnetAndSnapRecords) {
    for (const std::string family : {"orlnet", "snap"}) {
        sim::ScenarioOptions o;
        o.family = family;
        auto server = ServeModule(o);
        const auto r = run({"read", server->devicePath(), "--family", family, "--json"});
        ASSERT_EQ(r.exitCode, 0) << family << r.err;
        const auto fields = r.json()["fields"];
        if (family == "orlnet") {
            EXPECT_EQ(fields["netAddress"], 0x2000);
            EXPECT_EQ(fields["channel"], 15);
        } else {
            EXPECT_TRUE(fields.contains("MAC"));
            EXPECT_TRUE(fields.contains("NETID"));
        }
    }
}

TEST_F(ReadTest, SilentModuleAndMissingPort) {
    auto server = ServeCel();
    server->injectFault(sim::Fault::noAnswer().repeat(-1));
    const auto silent = run({"read", server->devicePath(), "--timeout", "30"});
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_THAT(silent.err, HasSubstr("did not answer"));
    const auto missing = run({"read", "/dev/radlink-no-such-port"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_THAT(missing.err, HasSubstr("radlink doctor"));
    EXPECT_EQ(run({"read"}).exitCode, 2);
}

}  // namespace
}  // namespace clitest
