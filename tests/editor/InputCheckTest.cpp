#include "editor/InputCheck.h"

#include "platform/CodePage.h"
#include "platform/SourceText.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(InputCheck, AcceptsWhatTheCodePageHolds)
{
    EXPECT_TRUE(CheckInputText(u"", kCodePageGbk).accepted());
    EXPECT_TRUE(CheckInputText(u"apple pie?", kCodePageGbk).accepted());
    EXPECT_TRUE(CheckInputText(u"\u82f9\u679c", kCodePageGbk).accepted());  // 苹果
    EXPECT_TRUE(CheckInputText(u"\u860b\u679c", kCodePageBig5).accepted()); // 蘋果
}

TEST(InputCheck, RefusesLineBreaksAndControlCharacters)
{
    struct Case
    {
        std::u16string text;
        InputRefusal refusal;
        std::size_t position;
    };
    const Case cases[] = {
        {u"ab\ncd", InputRefusal::LineBreak, 2},
        {u"\rab", InputRefusal::LineBreak, 0},
        {u"a\u2028", InputRefusal::LineBreak, 1},
        {u"a\tb", InputRefusal::ControlCharacter, 1},
        {std::u16string(u"a\0b", 3), InputRefusal::ControlCharacter, 1},
        {u"ab\x7f", InputRefusal::ControlCharacter, 2},
        {u"\x85", InputRefusal::ControlCharacter, 0},
    };
    for (const Case& c : cases) {
        const InputCheck check = CheckInputText(c.text, kCodePageGbk);
        EXPECT_EQ(check.refusal, c.refusal) << c.position;
        EXPECT_EQ(check.position, c.position);
    }
}

TEST(InputCheck, RefusesCharactersOutsideTheCodePage)
{
    const InputCheck simplifiedInBig5 = CheckInputText(u"ab\u8bcd", kCodePageBig5); // 词
    EXPECT_EQ(simplifiedInBig5.refusal, InputRefusal::NotInCodePage);
    EXPECT_EQ(simplifiedInBig5.position, 2u);

    const InputCheck emoji = CheckInputText(u"x\U0001F600", kCodePageGbk);
    EXPECT_EQ(emoji.refusal, InputRefusal::NotInCodePage);
    EXPECT_EQ(emoji.position, 1u);

    const InputCheck lone = CheckInputText(std::u16string(1, char16_t(0xD800)), kCodePageGbk);
    EXPECT_EQ(lone.refusal, InputRefusal::NotInCodePage);
}

TEST(InputCheck, CountsEveryRefusedCharacterOnce)
{
    EXPECT_EQ(CountRefused(u"plain", kCodePageGbk), 0u);
    EXPECT_EQ(CountRefused(u"a\tb\nc\U0001F600", kCodePageGbk), 3u);
    EXPECT_EQ(CountRefused(u"\u8bcd\u8bcd", kCodePageBig5), 2u);
}

TEST(InputCheck, HintsDecodeInEveryLanguage)
{
    EXPECT_TRUE(InputRefusalHint(InputRefusal::None, InterfaceLanguage::English).empty());
    EXPECT_EQ(InputRefusalHint(InputRefusal::LineBreak, InterfaceLanguage::Simplified),
              u"\u4e0d\u80fd\u8f93\u5165\u6362\u884c\u7b26"); // 不能输入换行符
    EXPECT_EQ(InputRefusalHint(InputRefusal::NotInCodePage, InterfaceLanguage::Traditional),
              u"\u8a72\u5b57\u5143\u7121\u6cd5\u5b58\u5165\u8a5e\u5178"); // 該字元無法存入詞典
    // Every hint is held whole in its code page.
    for (InputRefusal refusal :
         {InputRefusal::LineBreak, InputRefusal::ControlCharacter, InputRefusal::NotInCodePage})
        for (InterfaceLanguage language :
             {InterfaceLanguage::Simplified, InterfaceLanguage::Traditional,
              InterfaceLanguage::English})
            EXPECT_FALSE(InputRefusalHint(refusal, language).empty());
    for (const auto& [text, codePage] : TextsNotHeldAsWritten())
        ADD_FAILURE() << text << " is not held whole in code page " << codePage;
}

} // namespace
} // namespace kelvara
