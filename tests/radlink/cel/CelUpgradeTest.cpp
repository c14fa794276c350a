// Firmware upgrade from an image file, local and remote. Images are a few blocks: a first-phase block costs 1 s.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>

#include "CelTestSupport.h"

using namespace celtest;
using namespace std::chrono_literals;
using sim::Fault;

namespace {

Bytes Block(uint8_t seed) {
    Bytes b(64);
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

Bytes BlockFrame(uint16_t address, uint16_t position, const Bytes& data) {
    Bytes f{0xAB, 0xBC, 0xCD, 0xD7, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
            static_cast<uint8_t>(position >> 8), static_cast<uint8_t>(position)};
    f.insert(f.end(), data.begin(), data.end());
    uint8_t x = 0;
    for (size_t i = 6; i < f.size(); ++i) x ^= f[i];
    f.push_back(x);
    return f;
}

class CelUpgradeTest : public CelTest {
protected:
    void TearDown() override {
        CelTest::TearDown();
        for (const auto& p : files_) std::remove(p.c_str());
    }
    // An image file: header (first start, first end, second start, second end, unused), then `blocks`.
    std::string image(std::array<int32_t, 4> header, const std::vector<Bytes>& blocks, size_t cut = 0) {
        Bytes bytes;
        for (int32_t v : header)
            for (int s = 0; s < 32; s += 8) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> s));
        bytes.insert(bytes.end(), 4, 0);
        for (const Bytes& b : blocks) bytes.insert(bytes.end(), b.begin(), b.end());
        bytes.erase(bytes.end() - static_cast<std::ptrdiff_t>(cut), bytes.end());
        const std::string path = ::testing::TempDir() + "cel_image_" + std::to_string(::getpid()) + "_" +
                                 std::to_string(files_.size()) + ".bin";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        files_.push_back(path);
        return path;
    }
    std::vector<std::string> files_;
};

TEST_F(CelUpgradeTest, UpgradesAModuleRunningItsNormalFirmware) {
    startCel();
    const Bytes a = Block(1), b = Block(2), c = Block(3);
    const std::string path = image({0x1000, 0x1040, 0x2000, 0x2080}, {a, b, c});

    ASSERT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xAA, 0x0010, 1), 1);
    EXPECT_EQ(frames(), (std::vector<Bytes>{Control(0xDB, 0x0010, 1), Restart(0x0010, 1), BlockFrame(0x0010, 0x1000, a),
                                            BlockFrame(0x0010, 0x2000, b), BlockFrame(0x0010, 0x2040, c),
                                            Control(0xD8, 0x0010, 1), Restart(0x0010, 1)}));
    const auto log = server().frames();
    EXPECT_GE(log[3].at - log[2].at, 990ms);  // the first phase is slow
    EXPECT_LT(log[4].at - log[3].at, 500ms);  // the second is not
    const CelModule m = localModule();
    EXPECT_EQ(m.blocks, (std::map<uint16_t, Bytes>{{0x1000, a}, {0x2000, b}, {0x2040, c}}));
    EXPECT_EQ(m.runState, 0xAA);  // back in its normal firmware after the closing restart
    EXPECT_EQ(m.restarts, 2);
}

TEST_F(CelUpgradeTest, AModuleInItsBootLoaderGetsNoBeginAndAZeroFirstPhaseIsSkipped) {
    startCel();
    withModel([](CelModel& m) { CelModel::enterBootLoader(m.local()); });
    const Bytes a = Block(4), b = Block(5);
    const std::string path = image({0, 0x0400, 0x3000, 0x3080}, {a, b});

    ASSERT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xFF, 0x0010, 1), 1);
    EXPECT_EQ(frames(), (std::vector<Bytes>{BlockFrame(0x0010, 0x3000, a), BlockFrame(0x0010, 0x3040, b),
                                            Control(0xD8, 0x0010, 1), Restart(0x0010, 1)}));
}

TEST_F(CelUpgradeTest, ARejectedBlockIsSentAgainAndThreeRejectionsAbandonTheUpgrade) {
    startCel();
    withModel([](CelModel& m) {
        CelModel::enterBootLoader(m.local());
        m.rejectBlock(m.local(), 0x3040, 1);
    });
    const Bytes a = Block(6), b = Block(7);
    const std::string path = image({0, 0, 0x3000, 0x3080}, {a, b});
    ASSERT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xFF, 0x0010, 1), 1);
    EXPECT_EQ(frames(), (std::vector<Bytes>{BlockFrame(0x0010, 0x3000, a), BlockFrame(0x0010, 0x3040, b),
                                            BlockFrame(0x0010, 0x3040, b), Control(0xD8, 0x0010, 1),
                                            Restart(0x0010, 1)}));
    const auto log = server().frames();
    EXPECT_GE(log[2].at - log[1].at, 990ms);  // a rejected block waits before it goes again

    server().clearLog();
    withModel([](CelModel& m) {
        CelModel::enterBootLoader(m.local());
        m.rejectBlock(m.local(), 0x3000, 3);
    });
    EXPECT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xFF, 0x0010, 1), 0);
    EXPECT_EQ(frames(), (std::vector<Bytes>{BlockFrame(0x0010, 0x3000, a), BlockFrame(0x0010, 0x3000, a),
                                            BlockFrame(0x0010, 0x3000, a), Control(0xD8, 0x0010, 1),
                                            Restart(0x0010, 1)}));
}


class CelUpgradeAckTest : public CelUpgradeTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CelUpgradeAckTest, JudgesTheBlockAcknowledgement) {
    startCel();
    withModel([](CelModel& m) { CelModel::enterBootLoader(m.local()); });
    const std::string path = image({0, 0, 0x3040, 0x3080}, {Block(8)});
    sim::Fault fault = GetParam().fault;
    server().injectFault(fault.onlyWhen(3, 0xD7).repeat(3));
    EXPECT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xFF, 0x0010, 1), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CelUpgradeAckTest,
    ::testing::Values(FaultCase{"StatusByteMissing", Fault::truncate(1), 1},  // the cleared buffer reads 0
                      FaultCase{"PositionCut", Fault::truncate(2), 0}),
    CaseName);

TEST_F(CelUpgradeTest, ImagesThatCannotBeSentAreRefusedBeforeAnyFrame) {
    startCel();
    loadLocal();
    QVZB_CEL_HandAddDev(1, 12, 0, 0x1A2B, 0x0101, 0);
    const std::vector<std::pair<const char*, std::string>> refused = {
        {"missing", ::testing::TempDir() + "no_such_cel_image.bin"},
        {"empty path", ""},
        {"leading space", " " + image({0, 0, 0x3000, 0x3040}, {Block(1)})},
        {"header cut", image({0, 0, 0, 0}, {}, 5)},
        {"last block cut", image({0x1000, 0x1040, 0x3000, 0x3080}, {Block(1), Block(2), Block(3)}, 1)},
        {"second phase beyond the file", image({0, 0, 0x3000, 0x7FFFFFFF}, {Block(1)})},
        {"a device, not a file", "/dev/zero"},
        {"a folder", ::testing::TempDir()},
    };
    for (const auto& [what, path] : refused) {
        EXPECT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xAA, 0x0010, 1), 0) << what;
        EXPECT_EQ(QVZB_CEL_UpdateWithFileNameRemote(0, path.c_str(), 0xAA, 0x0101, 1), 0) << what;
    }
    EXPECT_EQ(QVZB_CEL_UpdateWithFileNameLocal(nullptr, 0xAA, 0x0010, 1), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(CelUpgradeTest, AnUnacknowledgedBeginStopsTheUpgrade) {
    startCel();
    const std::string path = image({0, 0, 0x3000, 0x3040}, {Block(1)});
    server().injectFault(Fault::setByte(8, 1).onlyWhen(3, 0xDB));
    EXPECT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xAA, 0x0010, 1), 0);
    EXPECT_EQ(frames(), std::vector<Bytes>{Control(0xDB, 0x0010, 1)});
}

TEST_F(CelUpgradeTest, ARemoteUpgradeRunsBetweenTheTunings) {
    startCel();
    loadLocal();
    const int index = addRemote(1);  // channel 15, rate 1, address 0x0102
    const Bytes a = Block(9);
    const std::string path = image({0, 0, 0x3000, 0x3040}, {a});

    ASSERT_EQ(QVZB_CEL_UpdateWithFileNameRemote(index, path.c_str(), 0xAA, 0x0102, 1), 1);
    std::vector<Bytes> expected = tuneToRemote(1);
    Append(expected, {Control(0xDB, 0x0102, 1), Restart(0x0102, 1), BlockFrame(0x0102, 0x3000, a),
                      Control(0xD8, 0x0102, 1), Restart(0x0102, 1)});
    Append(expected, tuneBack());
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(remoteModule(1).blocks, (std::map<uint16_t, Bytes>{{0x3000, a}}));
    EXPECT_TRUE(localModule().blocks.empty());
}

// ---- RADLINK_CEL_UpdateWithProgress: the same upgrade, reporting each accepted block and stopping on request

struct ProgressLog {
    std::vector<std::pair<int, int>> calls;  // (accepted, total)
    int stopAfter = -1;                      // answer 0 once `accepted` reaches it
};

int Record(void* context, int accepted, int total) {
    auto* log = static_cast<ProgressLog*>(context);
    log->calls.emplace_back(accepted, total);
    return log->stopAfter >= 0 && accepted >= log->stopAfter ? 0 : 1;
}

TEST_F(CelUpgradeTest, WithProgressSendsWhatThePlainUpgradeSendsAndCountsEveryAcceptedBlock) {
    startCel();
    withModel([](CelModel& m) { m.rejectBlock(m.local(), 0x2040, 1); });  // one retry: counted once
    const Bytes a = Block(1), b = Block(2), c = Block(3);
    const std::string path = image({0x1000, 0x1040, 0x2000, 0x2080}, {a, b, c});
    ASSERT_EQ(QVZB_CEL_UpdateWithFileNameLocal(path.c_str(), 0xAA, 0x0010, 1), 1);
    const std::vector<Bytes> plain = frames();

    server().clearLog();
    withModel([](CelModel& m) { m.rejectBlock(m.local(), 0x2040, 1); });
    ProgressLog log;
    EXPECT_EQ(RADLINK_CEL_UpdateWithProgress(-1, path.c_str(), 0xAA, 0x0010, 1, Record, &log), RADLINK_UPGRADE_DONE);
    EXPECT_EQ(frames(), plain);
    EXPECT_EQ(log.calls, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(RADLINK_CEL_UpdateWithProgress(-1, path.c_str(), 0xAA, 0x0010, 1, nullptr, nullptr),
              RADLINK_UPGRADE_DONE);  // no callback: a plain upgrade
}

TEST_F(CelUpgradeTest, AStopRequestEndsTheUpgradeAsARefusedBlockDoes) {
    startCel();
    withModel([](CelModel& m) { CelModel::enterBootLoader(m.local()); });
    const Bytes a = Block(4), b = Block(5), c = Block(6);
    const std::string path = image({0, 0, 0x3000, 0x30C0}, {a, b, c});

    ProgressLog log{{}, 1};
    EXPECT_EQ(RADLINK_CEL_UpdateWithProgress(-1, path.c_str(), 0xFF, 0x0010, 1, Record, &log),
              RADLINK_UPGRADE_STOPPED);
    EXPECT_EQ(frames(), (std::vector<Bytes>{BlockFrame(0x0010, 0x3000, a), Control(0xD8, 0x0010, 1),
                                            Restart(0x0010, 1)}));
    EXPECT_EQ(log.calls, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}}));

    server().clearLog();
    ProgressLog atOnce{{}, 0};  // before anything is sent: nothing goes out
    EXPECT_EQ(RADLINK_CEL_UpdateWithProgress(-1, path.c_str(), 0xAA, 0x0010, 1, Record, &atOnce),
              RADLINK_UPGRADE_STOPPED);
    EXPECT_TRUE(frames().empty());

    withModel([](CelModel& m) { CelModel::enterBootLoader(m.local()); });  // the abandon's restart left it
    ProgressLog atTheEnd{{}, 3};  // after the last block the upgrade finishes
    EXPECT_EQ(RADLINK_CEL_UpdateWithProgress(-1, path.c_str(), 0xFF, 0x0010, 1, Record, &atTheEnd),
              RADLINK_UPGRADE_DONE);
}

TEST_F(CelUpgradeTest, WithProgressSaysWhyAnImageWasRefusedAndSendsNothing) {
    startCel();
    loadLocal();
    const struct {
        const char* what;
        std::string path;
        int index;
        int result;
    } cases[] = {
        {"missing", ::testing::TempDir() + "no_such_cel_image.bin", -1, RADLINK_UPGRADE_NO_FILE},
        {"empty path", "", -1, RADLINK_UPGRADE_NO_FILE},
        {"a folder", ::testing::TempDir(), -1, RADLINK_UPGRADE_NO_FILE},
        {"header cut", image({0, 0, 0, 0}, {}, 5), -1, RADLINK_UPGRADE_SHORT_IMAGE},
        {"last block cut", image({0, 0, 0x3000, 0x3080}, {Block(1), Block(2)}, 1), -1, RADLINK_UPGRADE_SHORT_IMAGE},
        {"index outside the list", image({0, 0, 0x3000, 0x3040}, {Block(1)}), 0, RADLINK_UPGRADE_BAD_INDEX},
    };
    for (const auto& c : cases) {
        ProgressLog log;
        EXPECT_EQ(RADLINK_CEL_UpdateWithProgress(c.index, c.path.c_str(), 0xAA, 0x0010, 1, Record, &log), c.result)
            << c.what;
        EXPECT_TRUE(log.calls.empty()) << c.what;
    }
    EXPECT_TRUE(frames().empty());
}

}  // namespace
