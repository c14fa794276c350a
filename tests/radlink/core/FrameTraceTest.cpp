// The frame trace export: every block to and from the module, as text or pcapng.
#include <gmock/gmock.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "cel/CelModel.h"
#include "radlink.h"
#include "support/SimPort.h"

namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FrameTraceTest : public testsupport::SimPortTest<sim::CelModel> {
protected:
    void TearDown() override {
        RADLINK_SetTrace(nullptr, RADLINK_TRACE_TEXT);
        std::remove(path_.c_str());
        SimPortTest::TearDown();
    }
    std::string path_ = ::testing::TempDir() + "radlink_trace_" + std::to_string(::getpid());
};

TEST_F(FrameTraceTest, TextNamesEachBlockWithTimeDirectionAndBytes) {
    start();
    path_ += ".txt";
    ASSERT_EQ(RADLINK_SetTrace(path_.c_str(), RADLINK_TRACE_TEXT), 1);
    ASSERT_EQ(QVZB_CEL_LoadInfo(), 1);
    QVZB_CEL_SetIOValueLocal(1, 2);
    ASSERT_EQ(RADLINK_SetTrace("", RADLINK_TRACE_TEXT), 1);  // stops it
    ASSERT_EQ(QVZB_CEL_LoadInfo(), 1);

    std::istringstream lines(Slurp(path_));
    std::vector<std::string> rows;
    for (std::string l; std::getline(lines, l);)
        if (!l.empty() && l[0] != '#') rows.push_back(l);
    ASSERT_GE(rows.size(), 4u) << Slurp(path_);
    EXPECT_THAT(rows[0], MatchesRegex(" *[0-9]+\\.[0-9]{6} ->   5  AB BC CD D1 05  CEL/ORLNET READ_LOCAL"));
    EXPECT_THAT(rows[1], HasSubstr("<-  85  AB BC CD D1"));
    EXPECT_THAT(rows[rows.size() - 2], HasSubstr("->   7  DE DF EF D6 00 10 04  CEL IO IO_WRITE"));
    // the answer to the IO write is the last line: the read after the stop left nothing
    EXPECT_THAT(rows.back(), HasSubstr("<-   7  DE DF EF D6 00 10 04  CEL IO IO_WRITE"));
    const double first = std::stod(rows[0]), last = std::stod(rows.back());
    EXPECT_LE(first, last);
}

TEST_F(FrameTraceTest, PcapngHasASectionAnInterfaceAndOnePacketPerBlock) {
    start();
    path_ += ".pcapng";
    ASSERT_EQ(RADLINK_SetTrace(path_.c_str(), RADLINK_TRACE_PCAPNG), 1);
    ASSERT_EQ(QVZB_CEL_LoadInfo(), 1);
    RADLINK_SetTrace(nullptr, 0);
    const std::string file = Slurp(path_);
    ASSERT_GE(file.size(), 60u);
    auto word = [&](size_t at) {
        uint32_t v = 0;
        std::memcpy(&v, file.data() + at, 4);
        return v;
    };
    EXPECT_EQ(word(0), 0x0A0D0D0Au);
    EXPECT_EQ(word(8), 0x1A2B3C4Du);
    EXPECT_EQ(word(28), 1u);                  // interface description
    EXPECT_EQ(word(36) & 0xFFFF, 147u);       // link type USER0
    size_t at = 28 + word(32), packets = 0;
    std::vector<uint32_t> lengths;
    while (at + 8 <= file.size()) {
        EXPECT_EQ(word(at), 6u);  // enhanced packet
        lengths.push_back(word(at + 20));
        EXPECT_EQ(static_cast<uint8_t>(file[at + 28]), packets == 0 ? 0 : 1);  // direction byte
        at += word(at + 4);
        ++packets;
    }
    EXPECT_EQ(at, file.size());
    EXPECT_EQ(lengths, (std::vector<uint32_t>{6, 86}));  // direction byte + request, + answer
}

TEST_F(FrameTraceTest, RefusesAnUnknownFormatAndAnUnwritablePath) {
    EXPECT_EQ(RADLINK_SetTrace((path_ + ".x").c_str(), 7), 0);
    EXPECT_EQ(RADLINK_SetTrace("/nonexistent-folder/trace.txt", RADLINK_TRACE_TEXT), 0);
}

}  // namespace
