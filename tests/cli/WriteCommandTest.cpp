// write: the difference first, the password, the read-back; dry runs and wrong passwords write nothing.
#include <gmock/gmock.h>

#include "SimModule.h"
#include "cel/CelModel.h"

namespace clitest {
namespace {

using ::testing::HasSubstr;

using WriteTest = CliTest;

TEST_F(WriteTest, WritesBehindThePasswordAndVerifiesTheReadBack) {
    auto server = ServeCel();
    const auto r = run({"write", server->devicePath(), "channel=20", "deviceName=泵站7", "panId=0x2222",
                        "--password", "123456", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = r.json();
    EXPECT_EQ(j["result"], "written and verified");
    EXPECT_EQ(j["fields"]["channel"]["before"], 15);
    EXPECT_EQ(j["fields"]["channel"]["after"], 20);
    EXPECT_EQ(j["fields"]["deviceName"]["after"], "泵站7");
    EXPECT_EQ(j["fields"]["panId"]["verified"], true);
    EXPECT_EQ(FramesWithCommand(*server, kCelWriteConfig), 1u);
    server->withModel<sim::CelModel>([](sim::CelModel& m) {
        EXPECT_EQ(m.local().channel(), 20);
        EXPECT_EQ(m.local().panId(), 0x2222);
        EXPECT_EQ(m.local().name(), "\xB1\xC3\xD5\xBE" "7");
    });
}

TEST_F(WriteTest, DryRunShowsTheDifferenceAndSendsNoWriteFrame) {
    auto server = ServeCel();
    const auto r = run({"write", server->devicePath(), "channel=20", "airRate=0", "--dry-run", "--password",
                        "123456"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("channel  15      20      change"));
    EXPECT_THAT(r.out, HasSubstr("airRate  0       0       same"));
    EXPECT_THAT(r.out, HasSubstr("dry run, nothing written"));
    EXPECT_GE(server->frameBytes().size(), 1u);  // the record was read
    EXPECT_EQ(FramesWithCommand(*server, kCelWriteConfig), 0u);
}

TEST_F(WriteTest, WrongPasswordWritesNothing) {
    // The whole entry against the field up to its first zero, or all 16 bytes.
    struct Case {
        std::string modulePassword, entry;
        int exitCode;
    } cases[] = {
        {"123456", "12345", 4},
        {"123456", "1234567", 4},
        {"123456", "", 2},  // no terminal to ask on
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNO", 4},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQ", 4},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", 0},
    };
    for (const auto& c : cases) {
        auto server = ServeCel(85, c.modulePassword);
        const auto r = run({"write", server->devicePath(), "channel=21"}, {"RADLINK_PASSWORD=" + c.entry});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.modulePassword << " / " << c.entry << ": " << r.err;
        EXPECT_EQ(FramesWithCommand(*server, kCelWriteConfig), c.exitCode == 0 ? 1u : 0u) << c.entry;
        if (c.exitCode == 4) {
            EXPECT_THAT(r.err, HasSubstr("wrong configuration password; nothing was written"));
        }
    }
}

TEST_F(WriteTest, VerificationCatchesAFieldTheModuleDidNotTake) {
    auto server = ServeCel(74);  // the short record has no volume fields: the module keeps none
    const auto r = run({"write", server->devicePath(), "channel=22", "outputVolume=5", "--password", "123456",
                        "--json"});
    EXPECT_EQ(r.exitCode, 5) << r.err;
    const auto j = r.json();
    EXPECT_EQ(j["result"], "written, NOT verified");
    EXPECT_EQ(j["fields"]["channel"]["verified"], true);
    EXPECT_EQ(j["fields"]["outputVolume"]["verified"], false);
    EXPECT_EQ(j["fields"]["outputVolume"]["after"], 0);
}

TEST_F(WriteTest, AlreadyHeldValuesNeedNoPasswordAndNoWrite) {
    auto server = ServeCel();
    const auto r = run({"write", server->devicePath(), "channel=15"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("already holds every wanted value"));
    EXPECT_EQ(FramesWithCommand(*server, kCelWriteConfig), 0u);
}

TEST_F(WriteTest, RefusesBadInputBeforeWritingAnything) {
    auto server = ServeCel();
    struct Case {
        std::string assignment, message;
    } cases[] = {
        {"noSuchField=1", "noSuchField is no field of a cel record"},
        {"firmwareVersion=1", "firmwareVersion is not a settable field"},
        {"channel=300", "channel: 300 is outside 0..255"},
        {"channel=abc", "channel: \"abc\" is not a whole number"},
        {"deviceName=ABCDEFGHIJKLMNOPQ", "at most 16 fit"},
        {"deviceName=泵站泵站泵站泵站泵", "is 18 bytes in GBK"},
        {"macAddress=00:11", "is not 8 hex bytes"},
        {"channel", "'channel' is not FIELD=VALUE"},
    };
    for (const auto& c : cases) {
        const auto r = run({"write", server->devicePath(), c.assignment, "--password", "123456"});
        EXPECT_EQ(r.exitCode, 2) << c.assignment;
        EXPECT_THAT(r.err, HasSubstr(c.message)) << c.assignment;
    }
    EXPECT_EQ(FramesWithCommand(*server, kCelWriteConfig), 0u);
}

TEST_F(WriteTest, ProfileFilesInTomlAndJson) {
    auto server = ServeCel();
    const auto toml = files_.write("unit.toml", "family = \"cel\"\n[fields]\nchannel = 19\ndeviceName = \"T-1\"\n");
    auto r = run({"write", server->devicePath(), "--profile", toml, "--set", "retryCount=4", "--password", "123456"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    server->withModel<sim::CelModel>([](sim::CelModel& m) {
        EXPECT_EQ(m.local().channel(), 19);
        EXPECT_EQ(m.local().name(), "T-1");
        EXPECT_EQ(m.local().byteAt(sim::celfield::kRetryCount), 4);
    });
    const auto json = files_.write("unit.json", R"({"family": "orlnet", "fields": {"channel": 12}})");
    r = run({"write", server->devicePath(), "--profile", json, "--family", "cel"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.err, HasSubstr("is a orlnet profile"));
    const auto broken = files_.write("broken.toml", "[fields\nchannel = 1\n");
    EXPECT_EQ(run({"write", server->devicePath(), "--profile", broken}).exitCode, 2);
}

TEST_F(WriteTest, SnapWritesBehindThePasswordTheModuleTells) {
    sim::ScenarioOptions o;
    o.family = "snap";
    auto server = ServeModule(o);
    auto r = run({"write", server->devicePath(), "--family", "snap", "CHANNAL=5", "--password", "1234567"});
    EXPECT_EQ(r.exitCode, 4) << r.err;
    r = run({"write", server->devicePath(), "--family", "snap", "CHANNAL=5", "NETID=0x4321", "--password", "123456",
             "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json()["fields"]["NETID"]["after"], 0x4321);
    EXPECT_EQ(r.json()["fields"]["CHANNAL"]["verified"], true);
}

TEST_F(WriteTest, OrlnetWriteAndVerify) {
    sim::ScenarioOptions o;
    o.family = "orlnet";
    auto server = ServeModule(o);
    const auto r = run({"write", server->devicePath(), "--family", "orlnet", "channel=24", "routeRetryCount=3",
                        "--password", "123456", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json()["fields"]["channel"]["after"], 24);
}

}  // namespace
}  // namespace clitest
