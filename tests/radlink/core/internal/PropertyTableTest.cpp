// The property rules every family's table runs by, on a small record of its own.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "core/PropertyTable.h"

using namespace radlink;

namespace {

// number, offset, width, text, readable, settable: a text at 0, a read-only word at 16, a set-only byte at 18.
constexpr PropertySpec kSpecs[] = {
    {1, 0, 16, true, true, true},
    {2, 16, 2, false, true, false},
    {3, 18, 1, false, false, true},
};
constexpr PropertyTable kTable{kSpecs};
static_assert(kTable.Fits(19));
static_assert(!kTable.Fits(18));
constexpr PropertySpec kNarrowText[] = {{1, 0, 8, true, true, true}};
static_assert(!PropertyTable(kNarrowText).Fits(64));

using Record = std::array<uint8_t, 19>;

TEST(PropertyTable, CodesComeInTheOrderPropertyThenBuffer) {
    Record record{};
    uint8_t byte = 0;
    EXPECT_EQ(kTable.Get(record, 4, nullptr, 1), kErrBadProperty);
    EXPECT_EQ(kTable.Get(record, 3, nullptr, 1), kErrBadProperty);  // set-only
    EXPECT_EQ(kTable.Get(record, 2, nullptr, 2), kErrBufferSmall);
    EXPECT_EQ(kTable.Set(record, 2, &byte), kErrBadProperty);  // read-only
    EXPECT_EQ(kTable.Set(record, 3, nullptr), kErrBufferSmall);
    byte = 0x5A;
    EXPECT_EQ(kTable.Set(record, 3, &byte), kOk);
    EXPECT_EQ(record[18], 0x5A);
    EXPECT_EQ(record[17], 0);
}

// Callers declare their room as unsigned (CEL) or signed (ORLNET) numbers: negative, zero and sizes beyond 32 bits
// are all judged against the text's length.
TEST(PropertyTable, ATextNeedsRoomAboveItsLengthWhateverTheSizeType) {
    Record record{};
    const char text[] = "abcdef";
    ASSERT_EQ(kTable.Set(record, 1, text), kOk);
    struct Case {
        int64_t size;
        ErrorCode code;
        size_t copied;
    };
    const Case cases[] = {{-1, kErrBufferSmall, 0}, {0, kErrBufferSmall, 0},  {6, kErrBufferSmall, 0},
                          {7, kOk, 7},              {0xFFFFFFFFu, kOk, 16},   {PropertyTable::kUndeclaredSize, kOk, 16}};
    for (const Case& c : cases) {
        char out[20];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(kTable.Get(record, 1, out, c.size), c.code) << c.size;
        EXPECT_EQ(std::string(out, c.copied) + out[c.copied], std::string("abcdef\0\0\0\0\0\0\0\0\0\0", c.copied) + '#')
            << c.size;
    }
}

}  // namespace
