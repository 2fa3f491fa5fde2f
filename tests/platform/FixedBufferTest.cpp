#include "platform/FixedBuffer.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvara {
namespace {

TEST(FixedBufferTest, TextThatFitsIsCopiedWhole)
{
    Buffer16 b;
    ASSERT_TRUE(b.assign(std::string(15, 'x')));
    EXPECT_EQ(b.view(), std::string(15, 'x'));
    EXPECT_EQ(b.data()[15], '\0');
}

TEST(FixedBufferTest, TextThatDoesNotFitIsRefusedNotCut)
{
    Buffer16 b;
    EXPECT_FALSE(b.assign(std::string(16, 'x')));
    EXPECT_TRUE(b.empty());
}

TEST(FixedBufferTest, CutNeverSplitsADoubleByteCharacter)
{
    // 14 ASCII bytes and then a GBK character: the 16-byte buffer holds 15 bytes, so the
    // character does not fit and the cut stops before its lead byte.
    const std::string text = std::string(14, 'a') + "\xC4\xE3";
    Buffer16 b;
    EXPECT_FALSE(b.assignCut(text, kCodePageGbk));
    EXPECT_EQ(b.view(), std::string(14, 'a'));
}

TEST(FixedBufferTest, UnterminatedEngineOutputIsReadWithinTheBuffer)
{
    Buffer16 b;
    for (std::size_t i = 0; i < Buffer16::kCapacity; ++i)
        b.data()[i] = 'z';
    EXPECT_EQ(b.view().size(), Buffer16::kMaxText);
    b.terminate();
    EXPECT_EQ(b.str(), std::string(15, 'z'));
}

TEST(FixedBufferTest, LongestTextFillsAllButTheTerminator)
{
    Buffer256 b;
    ASSERT_TRUE(b.assign(std::string(255, 'p')));
    EXPECT_EQ(b.length(), 255u);
    EXPECT_EQ(b.data()[255], '\0');
    // A refused text also clears what was there before: no stale path survives.
    EXPECT_FALSE(b.assign(std::string(256, 'q')));
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.view(), "");
}

TEST(FixedBufferTest, CutKeepsWholeCharactersOfEitherCodePage)
{
    // 127 bytes of room: 63 characters of two bytes each, never half of the 64th.
    std::string gbk;
    for (int i = 0; i < 64; ++i)
        gbk += "\xC4\xE3";
    Buffer128 g;
    EXPECT_FALSE(g.assignCut(gbk, kCodePageGbk));
    EXPECT_EQ(g.length(), 126u);
    Buffer128 big5;
    EXPECT_FALSE(big5.assignCut("a" + gbk, kCodePageBig5));
    EXPECT_EQ(big5.length(), 127u);
    Buffer16 fits;
    EXPECT_TRUE(fits.assignCut("\xA7\x41", kCodePageBig5));
    EXPECT_EQ(fits.view(), "\xA7\x41");
}

TEST(FixedBufferTest, EmbeddedZeroEndsTheText)
{
    Buffer16 b;
    ASSERT_TRUE(b.assign(std::string("ab\0cd", 5)));
    EXPECT_EQ(b.view(), "ab");
    Buffer16 c(std::string_view("noun"));
    EXPECT_EQ(c.str(), "noun");
}

} // namespace
} // namespace kelvara
