#include "platform/SourceText.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kelvara {
namespace {

TEST(SourceTextTest, SourceTextsBecomeThePlatformsBytes)
{
    // The bytes the platform itself holds for 保存 in each code page.
    EXPECT_EQ(CodePageBytes("保存", kCodePageGbk), "\xB1\xA3\xB4\xE6");
    EXPECT_EQ(CodePageBytes("保存", kCodePageBig5), "\xAB\x4F\xA6\x73");
    // Made once: the same text hands back the same bytes, and earlier ones stay valid.
    const std::string* first = &CodePageBytes("用户词典维护", kCodePageGbk);
    for (int i = 0; i < 100; ++i)
        CodePageBytes(std::string(1, static_cast<char>('a' + i % 26)) + std::to_string(i),
                      kCodePageGbk);
    EXPECT_EQ(first, &CodePageBytes("用户词典维护", kCodePageGbk));
    EXPECT_EQ(*first, "\xD3\xC3\xBB\xA7\xB4\xCA\xB5\xE4\xCE\xAC\xBB\xA4");
}

TEST(SourceTextTest, TextsTheCodePageLacksAreToldApart)
{
    EXPECT_TRUE(CodePageHolds("词典", kCodePageGbk));
    EXPECT_FALSE(CodePageHolds("词典", kCodePageBig5));            // 词 is a simplified form only
    EXPECT_FALSE(CodePageHolds("\xF0\x9F\x98\x80", kCodePageGbk)); // U+1F600, beyond GBK
    EXPECT_EQ(CodePageBytes("a\xF0\x9F\x98\x80"
                            "b",
                            kCodePageGbk),
              "a?b");
}

TEST(SourceTextTest, TextsNotHeldAsWrittenAreListed)
{
    (void)CodePageBytes("用户", kCodePageGbk);
    (void)CodePageBytes("用户", kCodePageBig5); // 户 is a simplified form only
    (void)CodePageBytes("用戶", kCodePageBig5);
    const auto faults = TextsNotHeldAsWritten();
    auto listed = [&](const char* text, int codePage) {
        return std::find(faults.begin(), faults.end(),
                         std::make_pair(std::string(text), codePage)) != faults.end();
    };
    EXPECT_TRUE(listed("用户", kCodePageBig5));
    EXPECT_FALSE(listed("用户", kCodePageGbk));
    EXPECT_FALSE(listed("用戶", kCodePageBig5));
}

} // namespace
} // namespace kelvara
