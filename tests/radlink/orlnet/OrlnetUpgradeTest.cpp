// Firmware upgrade from image files (a few blocks each) against the simulated boot loader.
#include <chrono>
#include <fstream>

#include "OrlnetFixture.h"

using namespace orlnettest;
using std::chrono::milliseconds;

namespace {

// Block k of an image holds bytes distinct from every other block's.
Bytes BlockData(size_t k) {
    Bytes data(64);
    for (size_t j = 0; j < 64; ++j) data[j] = static_cast<uint8_t>(k * 64 + j * 3 + 1);
    return data;
}

// An image file: the four region words, the unused word, then `dataBytes` bytes of blocks.
std::string WriteImage(const std::string& name, std::array<int32_t, 4> regions, size_t dataBytes,
                       size_t headerBytes = 20) {
    Bytes file;
    for (int32_t word : {regions[0], regions[1], regions[2], regions[3], int32_t{0}})
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<uint8_t>(word >> shift));
    file.resize(headerBytes);
    for (size_t k = 0; k * 64 < dataBytes; ++k) {
        const Bytes data = BlockData(k);
        file.insert(file.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(64, dataBytes - k * 64)));
    }
    const std::string path = ::testing::TempDir() + "orlnet-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + name + ".bin";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
    return path;
}

Bytes Block(uint8_t lead, uint16_t target, uint16_t blockAddress, const Bytes& data) {
    Bytes f{lead, 0xBC, 0xCD, 0xD7, Hi(target), Lo(target), Hi(blockAddress), Lo(blockAddress)};
    f.insert(f.end(), data.begin(), data.end());
    uint8_t check = 0;
    for (size_t i = 6; i < f.size(); ++i) check ^= f[i];
    f.push_back(check);
    return f;
}

Bytes Word(uint16_t v) { return {Hi(v), Lo(v)}; }

class OrlnetUpgradeTest : public OrlnetTest {
protected:
    void putLocalInUpgradeMode() {
        changeModule(kLocalAddress, [](sim::OrlnetModule& m) { m.config[field::kRunState] = 0x55; });
    }
    milliseconds gap(size_t from, size_t to) {
        const auto log = server().frames();
        return std::chrono::duration_cast<milliseconds>(log.at(to).at - log.at(from).at);
    }
};

}  // namespace

TEST_F(OrlnetUpgradeTest, LocalModuleInNormalModeIsSwitchedThenSentBothRegions) {
    const std::string path = WriteImage("image", {0x100, 0x180, 0x1000, 0x10C0}, 5 * 64);
    StoreError105();
    ASSERT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0xAA, kLocalAddress, kLocalWord), 1);
    EXPECT_EQ(QVZB_GetLastError(), 105);
    EXPECT_EQ(sent(), Hex({Cfg(0xAB, 0xDB, kLocalAddress, Word(kLocalWord)), Restart(0xAB, kLocalAddress, kLocalWord),
                           Block(0xAB, kLocalAddress, 0x0100, BlockData(0)),
                           Block(0xAB, kLocalAddress, 0x0140, BlockData(1)),
                           Block(0xAB, kLocalAddress, 0x1000, BlockData(2)),
                           Block(0xAB, kLocalAddress, 0x1040, BlockData(3)),
                           Block(0xAB, kLocalAddress, 0x1080, BlockData(4)), Cfg(0xAB, 0xD8, kLocalAddress, Word(1)),
                           Restart(0xAB, kLocalAddress, 1)}));
    const sim::OrlnetModule local = module(kLocalAddress);
    ASSERT_EQ(local.blocks.size(), 5u);
    EXPECT_EQ(local.blocks[4], (std::pair<uint16_t, Bytes>{0x1080, BlockData(4)}));
    EXPECT_FALSE(local.inUpgradeMode());
    EXPECT_EQ(local.restarts, (std::vector<uint16_t>{kLocalWord, 1}));
    // Region 1 waits 100 ms for each acknowledgement, region 2 10 ms.
    EXPECT_GE(gap(2, 3), milliseconds(100));
    EXPECT_GE(gap(3, 4), milliseconds(100));
    EXPECT_LT(gap(4, 5), milliseconds(100));
    EXPECT_LT(gap(5, 6), milliseconds(100));
}

TEST_F(OrlnetUpgradeTest, ARefusedBlockIsSentAgainAfterAPauseAndThreeRefusalsEndTheUpgrade) {
    const std::string path = WriteImage("one-block", {0x100, 0x140, 0, 0}, 64);
    const Bytes block = Block(0xAB, kLocalAddress, 0x0100, BlockData(0));
    putLocalInUpgradeMode();
    withModel([](sim::OrlnetModel& m) { m.rejectBlock(0x0100, 2); });
    ASSERT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0x55, kLocalAddress, kLocalWord), 1);
    EXPECT_EQ(sent(), Hex({block, block, block, Cfg(0xAB, 0xD8, kLocalAddress, Word(1)), Restart(0xAB, kLocalAddress, 1)}));
    EXPECT_GE(gap(0, 1), milliseconds(200));  // the answer's pause, then the pause before sending again

    putLocalInUpgradeMode();
    withModel([](sim::OrlnetModel& m) { m.rejectBlock(0x0100, 3); });
    server().clearLog();
    EXPECT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0x55, kLocalAddress, kLocalWord), 0);
    EXPECT_EQ(sent(), Hex({block, block, block}));
    EXPECT_TRUE(module(kLocalAddress).inUpgradeMode());
}

TEST_F(OrlnetUpgradeTest, BlockAddressesKeepTheirLow16BitsAndRegionOneNeedsAPositiveStart) {
    const std::string path = WriteImage("high", {0, 0x1000, 0x1FFC0, 0x20040}, 2 * 64);
    putLocalInUpgradeMode();
    ASSERT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0x55, kLocalAddress, kLocalWord), 1);
    ASSERT_EQ(frames().size(), 4u);
    EXPECT_EQ(sent()[0], Hex({Block(0xAB, kLocalAddress, 0xFFC0, BlockData(0))})[0]);  // data from offset 20
    EXPECT_EQ(sent()[1], Hex({Block(0xAB, kLocalAddress, 0x0000, BlockData(1))})[0]);
}

TEST_F(OrlnetUpgradeTest, EmptyRegionsGoStraightToTheEnd) {
    const std::string path = WriteImage("empty", {0x200, 0x100, 0x300, 0x300}, 0);
    putLocalInUpgradeMode();
    ASSERT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0x55, kLocalAddress, kLocalWord), 1);
    EXPECT_EQ(sent(), Hex({Cfg(0xAB, 0xD8, kLocalAddress, Word(1)), Restart(0xAB, kLocalAddress, 1)}));
}

TEST_F(OrlnetUpgradeTest, ImagesThatCannotBeSentWholeAreRefusedBeforeAnyFrame) {
    const std::string good = WriteImage("good", {0x100, 0x180, 0, 0}, 2 * 64);
    const std::string cases[] = {
        "",
        " " + good,
        ::testing::TempDir() + "orlnet-no-such-image.bin",
        WriteImage("short-header", {0, 0, 0, 0}, 0, 19),
        WriteImage("one-of-two-blocks", {0x100, 0x180, 0, 0}, 64),
        WriteImage("partial-last-block", {0x100, 0x180, 0, 0}, 64 + 32),
        WriteImage("region-two-missing", {0x100, 0x140, 0x200, 0x240}, 64),
    };
    for (const std::string& path : cases) {
        EXPECT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0xAA, kLocalAddress, kLocalWord), 0) << path;
        EXPECT_TRUE(frames().empty()) << path;
    }
    EXPECT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(nullptr, 0xAA, kLocalAddress, kLocalWord), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(OrlnetUpgradeTest, RemoteModuleIsUpgradedTunedAndOverItsRoute) {
    const std::string path = WriteImage("remote", {0x100, 0x140, 0, 0}, 64);
    findRemotes();
    const int routed = 1;  // 0x2003
    const uint16_t word = 0x0C22;
    EXPECT_EQ(QVZB_ORLNET_UpdateWithFileNameRemote(2, path.c_str(), 0xAA, 0x2003, word), 0);  // no such entry
    EXPECT_TRUE(frames().empty());

    ASSERT_EQ(QVZB_ORLNET_UpdateWithFileNameRemote(routed, path.c_str(), 0xAA, 0x2003, word), 1);
    EXPECT_EQ(sent(), Hex(Concat({Tune(kLocalChannel, kLocalRate),
                                  {Cfg(0xAC, 0xDB, 0x2003, Word(word)), Restart(0xAC, 0x2003, word),
                                   Block(0xAC, 0x2003, 0x0100, BlockData(0)), Cfg(0xAC, 0xD8, 0x2003, Word(1)),
                                   Restart(0xAC, 0x2003, 1)},
                                  TuneBack()})));
    EXPECT_EQ(module(0x2003).blocks.size(), 1u);
}

namespace {

// RADLINK_ORLNET_UpdateWithProgress: (accepted, total) of every call; answers 0 once `accepted` reaches stopAfter.
struct ProgressLog {
    std::vector<std::pair<int, int>> calls;
    int stopAfter = -1;
};

int Record(void* context, int accepted, int total) {
    auto* log = static_cast<ProgressLog*>(context);
    log->calls.emplace_back(accepted, total);
    return log->stopAfter >= 0 && accepted >= log->stopAfter ? 0 : 1;
}

}  // namespace

TEST_F(OrlnetUpgradeTest, WithProgressSendsWhatThePlainUpgradeSendsAndStopsOnRequest) {
    const std::string path = WriteImage("progress", {0x100, 0x140, 0x1000, 0x1080}, 3 * 64);
    ASSERT_EQ(QVZB_ORLNET_UpdateWithFileNameLocal(path.c_str(), 0xAA, kLocalAddress, kLocalWord), 1);
    const auto plain = sent();

    server().clearLog();
    ProgressLog log;
    EXPECT_EQ(RADLINK_ORLNET_UpdateWithProgress(-1, path.c_str(), 0xAA, kLocalAddress, kLocalWord, Record, &log),
              RADLINK_UPGRADE_DONE);
    EXPECT_EQ(sent(), plain);
    EXPECT_EQ(log.calls, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));

    // Stopped after the second block: no third block, no end; the module stays in upgrade mode.
    putLocalInUpgradeMode();
    server().clearLog();
    ProgressLog stop{{}, 2};
    EXPECT_EQ(RADLINK_ORLNET_UpdateWithProgress(-1, path.c_str(), 0x55, kLocalAddress, kLocalWord, Record, &stop),
              RADLINK_UPGRADE_STOPPED);
    EXPECT_EQ(sent(), Hex({Block(0xAB, kLocalAddress, 0x0100, BlockData(0)),
                           Block(0xAB, kLocalAddress, 0x1000, BlockData(1))}));
    EXPECT_TRUE(module(kLocalAddress).inUpgradeMode());

    server().clearLog();
    EXPECT_EQ(RADLINK_ORLNET_UpdateWithProgress(-1, WriteImage("cut", {0x100, 0x180, 0, 0}, 64).c_str(), 0x55,
                                                kLocalAddress, kLocalWord, Record, &log),
              RADLINK_UPGRADE_SHORT_IMAGE);
    EXPECT_EQ(RADLINK_ORLNET_UpdateWithProgress(-1, "", 0x55, kLocalAddress, kLocalWord, Record, &log),
              RADLINK_UPGRADE_NO_FILE);
    EXPECT_EQ(RADLINK_ORLNET_UpdateWithProgress(7, path.c_str(), 0x55, kLocalAddress, kLocalWord, Record, &log),
              RADLINK_UPGRADE_BAD_INDEX);
    EXPECT_TRUE(frames().empty());
}
