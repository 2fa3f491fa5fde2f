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
