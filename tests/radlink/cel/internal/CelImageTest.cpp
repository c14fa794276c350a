// Firmware image files: header, blocks per phase, refusal of short files.
#include <gtest/gtest.h>

#include "cel/CelImage.h"

using namespace radlink::cel;

namespace {

Bytes Header(int32_t a, int32_t b, int32_t c, int32_t d) {
    Bytes h;
    for (int32_t v : {a, b, c, d, 0})
        for (int s = 0; s < 32; s += 8) h.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> s));
    return h;
}

TEST(CelImageFile, BlocksFollowTheHeaderPhaseByPhase) {
    Bytes bytes = Header(0x100, 0x180, 0x800, 0x840);
    for (int i = 0; i < 3; ++i) bytes.insert(bytes.end(), 64, static_cast<uint8_t>(i + 1));
    const auto image = CelImage::Parse(bytes);
    ASSERT_TRUE(image);
    const auto first = image->Blocks(0), second = image->Blocks(1);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[1].position, 0x140);
    EXPECT_EQ(first[1].data[0], 2);
    EXPECT_EQ(second[0].position, 0x800);
    EXPECT_EQ(second[0].data[63], 3);
}

TEST(CelImageFile, APhaseEndingInsideABlockStillSendsThatBlockAndShortFilesAreRefused) {
    Bytes bytes = Header(0, 0x400, 0x800, 0x841);  // first phase skipped (start 0); second: 0x800 and 0x840
    bytes.insert(bytes.end(), 128, 0x5A);
    ASSERT_TRUE(CelImage::Parse(bytes));
    EXPECT_EQ(CelImage::Parse(bytes)->Blocks(1).size(), 2u);
    EXPECT_TRUE(CelImage::Parse(bytes)->Blocks(0).empty());
    bytes.pop_back();
    EXPECT_FALSE(CelImage::Parse(bytes));
    EXPECT_FALSE(CelImage::Parse(Bytes(19, 0)));
    EXPECT_TRUE(CelImage::Parse(Header(-64, 0, 0, 0)));  // nothing to send
}

}  // namespace
