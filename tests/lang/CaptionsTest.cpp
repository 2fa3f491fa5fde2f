#include "lang/Captions.h"
#include "lang/AccessMessages.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kelvara {
namespace {

constexpr InterfaceLanguage kLanguages[] = {
    InterfaceLanguage::Simplified, InterfaceLanguage::Traditional, InterfaceLanguage::English};

std::u16string mainText(InterfaceLanguage language, const char* control,
                        CaptionProperty property = CaptionProperty::Caption, int column = 0)
{
    return MainWindowCaptions(language).textOf(control, property, column);
}

TEST(CaptionsTest, TablesDecodeWithoutLossInTheirOwnCodePage)
{
    // Every Chinese text must survive decoding and encoding back: a wrong byte would show
    // as U+FFFD or as another character.
    auto check = [](const CaptionTable& table) {
        for (const CaptionEntry& entry : table) {
            const std::u16string wide = table.text(entry);
            EXPECT_FALSE(wide.empty()) << entry.control;
            EXPECT_EQ(wide.find(u'\uFFFD'), std::u16string::npos) << entry.control;
            EXPECT_EQ(EncodeCodePage(wide, table.codePage()), std::string(entry.text))
                << entry.control;
        }
    };
    for (InterfaceLanguage language : kLanguages) {
        check(MainWindowCaptions(language));
        check(SaveDialogCaptions(language));
        check(ColumnWidthCaptions(language));
    }
    check(MainWindowFormTexts());
    check(SaveDialogFormTexts());
    check(AboutTexts());
    EXPECT_EQ(MainWindowCaptions(InterfaceLanguage::Traditional).codePage(), kCodePageBig5);
    EXPECT_EQ(MainWindowCaptions(InterfaceLanguage::Simplified).codePage(), kCodePageGbk);
}

TEST(CaptionsTest, MainWindowSetsListTheirRowsInTableOrder)
{
    const CaptionTable s = MainWindowCaptions(InterfaceLanguage::Simplified);
    ASSERT_GE(s.size(), 4u);
    EXPECT_STREQ(s.entries()[0].control, "MenuItemEditCut");
    EXPECT_STREQ(s.entries()[3].control, kMainFormName);
    EXPECT_EQ(s.entries()[3].property, CaptionProperty::Title);
    EXPECT_STREQ(s.entries()[4].control, "ActionFileOpenEc");
    // Simplified sets neither MenuItemOpen nor the grid pop-up: they keep their form texts.
    EXPECT_EQ(s.find("MenuItemOpen", CaptionProperty::Caption), nullptr);
    EXPECT_EQ(s.find("Modify2", CaptionProperty::Caption), nullptr);
    EXPECT_EQ(s.find("W1", CaptionProperty::Caption), nullptr);
    // The Traditional and English sets end with the four pop-up entries.
    for (InterfaceLanguage language :
         {InterfaceLanguage::Traditional, InterfaceLanguage::English}) {
        const CaptionTable t = MainWindowCaptions(language);
        EXPECT_STREQ(t.entries()[t.size() - 1].control, "W1");
        EXPECT_STREQ(t.entries()[t.size() - 4].control, "Modify2");
    }
    // No entry is listed twice in a set.
    for (InterfaceLanguage language : kLanguages) {
        std::set<std::tuple<std::string, CaptionProperty, int>> seen;
        for (const CaptionEntry& e : MainWindowCaptions(language))
            EXPECT_TRUE(seen.insert({e.control, e.property, e.column}).second) << e.control;
    }
}

TEST(CaptionsTest, TitlesOfTheThreeSets)
{
    EXPECT_EQ(mainText(InterfaceLanguage::Simplified, kMainFormName, CaptionProperty::Title),
              u"用户词典维护");
    EXPECT_EQ(mainText(InterfaceLanguage::Traditional, kMainFormName, CaptionProperty::Title),
              u"用戶詞典");
    EXPECT_EQ(mainText(InterfaceLanguage::English, kMainFormName, CaptionProperty::Title),
              u"Custom Dictionary Utility");
}

TEST(CaptionsTest, CaptionAfterCloseDiffersForTraditionalAndEnglish)
{
    EXPECT_EQ(CaptionAfterClose(InterfaceLanguage::Simplified), u"用户词典维护");
    EXPECT_EQ(CaptionAfterClose(InterfaceLanguage::Traditional), u"用戶詞典維護");
    EXPECT_EQ(CaptionAfterClose(InterfaceLanguage::English), u"Costom Dictionary Utility");
    EXPECT_NE(CaptionAfterClose(InterfaceLanguage::Traditional),
              mainText(InterfaceLanguage::Traditional, kMainFormName, CaptionProperty::Title));
}

TEST(CaptionsTest, SampleRowsOfEachSet)
{
    using P = CaptionProperty;
    EXPECT_EQ(mainText(InterfaceLanguage::Simplified, "ActionFileOpenEc"), u"英汉用户词典(&E)");
    EXPECT_EQ(mainText(InterfaceLanguage::Simplified, "ActionFileOpenCe", P::Hint),
              u"打开或创建汉英用户词典");
    EXPECT_EQ(mainText(InterfaceLanguage::Simplified, "MenuItemToDict"), u"到当前用户词典(&D)");
    EXPECT_EQ(mainText(InterfaceLanguage::Simplified, "StringGridDict", P::ColumnTitle, 3),
              u"释义");
    EXPECT_EQ(mainText(InterfaceLanguage::Traditional, "ActionFileClose", P::Hint),
              u"關閉使用者字典");
    EXPECT_EQ(mainText(InterfaceLanguage::Traditional, "MenuItemEdit"), u"編輯(&E)");
    EXPECT_EQ(mainText(InterfaceLanguage::Traditional, "MenuItemOpen"), u"開啟(&O)");
    EXPECT_EQ(mainText(InterfaceLanguage::Traditional, "StringGridDict", P::ColumnTitle, 3),
              u"漢義");
    EXPECT_EQ(mainText(InterfaceLanguage::Traditional, "MenuItemExit"), u"退出(&E)");
    EXPECT_EQ(mainText(InterfaceLanguage::English, "ActionWordCopy", P::Hint),
              u"Copy the Content in the Current Row to the Clipboard");
    EXPECT_EQ(mainText(InterfaceLanguage::English, "EditWordInput", P::Hint),
              u"Input Box for Source or Target");
    EXPECT_EQ(mainText(InterfaceLanguage::English, "StringGridDict", P::ColumnTitle, 2),
              u"Part of Speech");
    EXPECT_EQ(mainText(InterfaceLanguage::English, "W1"), u"Column &Width");
}

TEST(CaptionsTest, HiddenEntriesAndNewActionsKeepTheirFormTexts)
{
    const CaptionTable form = MainWindowFormTexts();
    for (InterfaceLanguage language :
         {InterfaceLanguage::Traditional, InterfaceLanguage::English}) {
        const CaptionTable set = MainWindowCaptions(language);
        for (const char* control : {"MenuItemImport", "MenuItemToEditor", "MenuItemToDict",
                                    "MenuItemExport", "MenuItemFromEditor", "MenuItemFromDict"})
            EXPECT_EQ(set.find(control, CaptionProperty::Caption), nullptr) << control;
    }
    for (InterfaceLanguage language : kLanguages) {
        EXPECT_EQ(MainWindowCaptions(language).find("ActionFileNewEc", CaptionProperty::Caption),
                  nullptr);
        EXPECT_EQ(MainWindowCaptions(language).find("MenuItemNew", CaptionProperty::Caption),
                  nullptr);
    }
    EXPECT_EQ(form.textOf("MenuItemToDict", CaptionProperty::Caption), u"到当前用户词库(&D)");
    EXPECT_EQ(form.textOf("MenuItemFromDict", CaptionProperty::Caption), u"从当前用户词典(&A)");
    EXPECT_EQ(form.textOf("ActionFileNewEc", CaptionProperty::Caption), u"英汉用户词库(&E)");
    EXPECT_EQ(form.textOf("ActionFileOpenCe", CaptionProperty::Caption), u"汉英用户词库(&C)");
    EXPECT_EQ(form.textOf("MenuItemNew", CaptionProperty::Caption), u"新建(&N)");
    EXPECT_EQ(form.textOf("Copy2", CaptionProperty::Caption), u"复制当前记录(&C)");
    EXPECT_EQ(form.textOf("OpenDialogDictEc", CaptionProperty::Filter),
              u"英汉用户词库(UserEc*.key)|UserEc*.key");
    EXPECT_EQ(form.textOf("SaveDialogTxt", CaptionProperty::Title), u"保存文件");
    EXPECT_EQ(form.find("OpenDialogTxt", CaptionProperty::Title), nullptr); // system default
}

TEST(CaptionsTest, SavePromptAndColumnWidthSets)
{
    const CaptionTable english = SaveDialogCaptions(InterfaceLanguage::English);
    EXPECT_EQ(english.textOf("Label1", CaptionProperty::Caption),
              u"The custom dictionary has changed.\n\rDo you want to save the changes?");
    EXPECT_EQ(english.textOf(kSaveFormName, CaptionProperty::Title), u"Custom Dictioanry Utility");
    EXPECT_EQ(SaveDialogCaptions(InterfaceLanguage::Traditional)
                  .textOf("Label1", CaptionProperty::Caption),
              u"詞典內容已被修改,是否保存﹖");
    EXPECT_EQ(SaveDialogCaptions(InterfaceLanguage::Simplified)
                  .textOf("CancalBtn", CaptionProperty::Caption),
              u"取消(&C)");
    EXPECT_EQ(SaveDialogFormTexts().textOf(kSaveFormName, CaptionProperty::Title),
              u"Kelvara智能翻译平台 - 用户词库维护");
    EXPECT_EQ(ColumnWidthCaptions(InterfaceLanguage::Traditional)
                  .textOf(kColumnWidthFormName, CaptionProperty::Title),
              u"列寬");
    EXPECT_EQ(
        ColumnWidthCaptions(InterfaceLanguage::English).textOf("Label1", CaptionProperty::Caption),
        u"&Width:");
    EXPECT_EQ(AboutTexts().textOf(kAboutFormName, CaptionProperty::Title), u"关于");
    EXPECT_EQ(AboutTexts().textOf("LabelProduct", CaptionProperty::Caption),
              u"Kelvara智能翻译平台 (v1.1)");
}

TEST(CaptionsTest, MissingEntryGivesNullAndEmptyText)
{
    const CaptionTable table = MainWindowCaptions(InterfaceLanguage::English);
    EXPECT_EQ(table.find("NoSuchControl", CaptionProperty::Caption), nullptr);
    EXPECT_TRUE(table.textOf("StringGridDict", CaptionProperty::ColumnTitle, 0).empty());
    EXPECT_TRUE(table.textOf("ActionFileNewEc", CaptionProperty::Hint).empty());
}

} // namespace
} // namespace kelvara
