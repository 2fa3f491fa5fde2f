#include "lang/AccessMessages.h"
#include "lang/Captions.h"
#include "lang/PartOfSpeech.h"
#include "lang/WindowTexts.h"
#include "platform/SourceText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kelvara {
namespace {

constexpr InterfaceLanguage kLanguages[] = {
    InterfaceLanguage::Simplified, InterfaceLanguage::Traditional, InterfaceLanguage::English};

// Every Chinese text of captions, messages, part-of-speech lists and window texts is written as
// UTF-8 and held as GBK or Big5 bytes; each must be held whole, as written.
TEST(HeldTextsTest, EveryTextIsHeldInItsCodePageAsWritten)
{
    for (InterfaceLanguage language : kLanguages) {
        (void)MainWindowCaptions(language);
        (void)SaveDialogCaptions(language);
        (void)ColumnWidthCaptions(language);
        (void)EcPartOfSpeechLabels(language);
        (void)CePartOfSpeechLabels(language);
        (void)OpenFailedMessage(language);
        (void)SaveWithoutDictionaryMessage(language);
        (void)CaptionAfterClose(language);
        (void)SearchTermTooLongMessage(language, 255);
        (void)RowsNotWrittenMessage(language, 2);
        (void)RowsRefusedMessage(language, 2);
        (void)DictionaryNotWrittenMessage(language);
        (void)CeSourceBackslashHint(language);
        (void)CeTargetParenthesisHint(language);
        (void)TextTooLongHint(language, 127);
        (void)ProgressCancelCaption(language);
        (void)RecordsDoneLabel(language, 3);
        (void)MissingFolderMessage(language, u"/x");
    }
    (void)MainWindowFormTexts();
    (void)SaveDialogFormTexts();
    (void)AboutTexts();
    (void)NewOpenFailedMessage();
    (void)NameClashMessage();
    (void)PlatformTitle();
    (void)PathTooLongMessage();
    (void)EnglishLabelFor("x\x80", kCodePageGbk); // builds the engine's label table

    // No test of this room makes a text the code page lacks on purpose (the platform's tests
    // do), so every text made in this process must be held whole.
    for (const auto& [text, codePage] : TextsNotHeldAsWritten())
        ADD_FAILURE() << text << " is not held whole in code page " << codePage;
}

TEST(HeldTextsTest, TablesHoldTheBytesThePlatformHolds)
{
    // Literal bytes of the platform's resources, one per table and code page.
    EXPECT_STREQ(MainWindowCaptions(InterfaceLanguage::Simplified)
                     .find("ActionFileSave", CaptionProperty::Caption)
                     ->text,
                 "\xB1\xA3\xB4\xE6(&S)");
    EXPECT_STREQ(MainWindowCaptions(InterfaceLanguage::Traditional)
                     .find("ActionFileSave", CaptionProperty::Caption)
                     ->text,
                 "\xC0x\xA6s(&S)");
    EXPECT_STREQ(ColumnWidthCaptions(InterfaceLanguage::Traditional)
                     .find("TColWidthDlg", CaptionProperty::Title)
                     ->text,
                 "\xA6"
                 "C\xBC"
                 "e");
    EXPECT_EQ(CePartOfSpeechLabels(InterfaceLanguage::Traditional)[5], "\xA4\xB6\xAB\x59\xB5\xFC");
    EXPECT_EQ(EcPartOfSpeechLabels(InterfaceLanguage::Simplified)[1], "\xB6\xAF\xB4\xCA");
    // A table is made once: its entries stay where they are between calls.
    EXPECT_EQ(AboutTexts().entries().data(), AboutTexts().entries().data());
}

} // namespace
} // namespace kelvara
