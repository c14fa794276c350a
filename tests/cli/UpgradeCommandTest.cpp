// upgrade: the image reaches the module; --keep-config writes back what the new firmware reset.
#include <gmock/gmock.h>

#include <fstream>
#include <thread>

#include "SimModule.h"
#include "cel/CelModel.h"

namespace clitest {
namespace {

using ::testing::HasSubstr;
using namespace std::chrono_literals;

class UpgradeTest : public CliTest {
protected:
    // An image with no first-phase region and two 64-byte blocks at 0x3000 (a few hundred ms to send).
    std::string image(size_t cut = 0) {
        std::string bytes;
        for (int32_t v : {0, 0, 0x3000, 0x3080})
            for (int s = 0; s < 32; s += 8) bytes += static_cast<char>(static_cast<uint32_t>(v) >> s);
        bytes += std::string(4, '\0');
        for (int i = 0; i < 128; ++i) bytes += static_cast<char>(i);
        bytes.resize(bytes.size() - cut);
        return files_.write("fw.bin", bytes);
    }
};

TEST_F(UpgradeTest, SendsTheImageAndKeepsTheConfigurationOnRequest) {
    auto server = ServeCel();
    server->withModel<sim::CelModel>([](sim::CelModel& m) {
        m.local().setByte(sim::celfield::kChannel, 20);
        m.local().restart(m.local().controlWord);
    });
    // The new firmware comes up with its factory channel: as soon as the upgrade ends, the module forgets it.
    std::thread firmware([&] {
        for (size_t n = 1; n < 64; ++n) {
            if (!server->waitForFrames(n, 20s)) return;
            if (FramesWithCommand(*server, 0xD8) > 0) {
                server->withModel<sim::CelModel>(
                    [](sim::CelModel& m) { m.local().setByte(sim::celfield::kChannel, 15); });
                return;
            }
        }
    });
    const auto r = run({"upgrade", server->devicePath(), image(), "--keep-config", "--json"});
    firmware.join();
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = r.json();
    EXPECT_EQ(j["upgraded"], true);
    EXPECT_EQ(j["configRestored"], nlohmann::ordered_json::array({"channel"}));
    EXPECT_EQ(j["configVerified"], true);
    server->withModel<sim::CelModel>([](sim::CelModel& m) {
        EXPECT_EQ(m.local().blocks.size(), 2u);
        EXPECT_EQ(m.local().channel(), 20);
        EXPECT_EQ(m.local().runState, sim::kCelNormalFirmware);
    });
}

TEST_F(UpgradeTest, ProgressBarCountsTheBlocksOnATerminal) {
    auto server = ServeCel();
    const auto r = RunCli({"upgrade", server->devicePath(), image()}, {}, true);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr("upgrading the local module [..............................]   0% block 0/2"));
    EXPECT_THAT(r.err, HasSubstr("upgrading the local module [###############...............]  50% block 1/2"));
    EXPECT_THAT(r.err, HasSubstr("upgrading the local module [##############################] 100% block 2/2"));
    EXPECT_THAT(r.out, HasSubstr("firmware upgraded from"));
}

TEST_F(UpgradeTest, ShortImageIsRefusedAndSnapHasNoUpgrade) {
    auto server = ServeCel();
    const auto r = run({"upgrade", server->devicePath(), image(10)});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_THAT(r.err, HasSubstr("is shorter than the regions its header declares; nothing was sent"));
    EXPECT_EQ(FramesWithCommand(*server, 0xDB), 0u);  // not even switched to its boot loader

    sim::ScenarioOptions o;
    o.family = "snap";
    auto snap = ServeModule(o);
    const auto s = run({"upgrade", snap->devicePath(), image(), "--family", "snap"});
    EXPECT_EQ(s.exitCode, 2);
    EXPECT_THAT(s.err, HasSubstr("no firmware upgrade for snap modules"));
}

}  // namespace
}  // namespace clitest
