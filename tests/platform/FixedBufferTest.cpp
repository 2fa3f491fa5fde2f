#include "platform/FixedBuffer.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvara;

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
