#include "access/AccessFixture.h"
#include "lang/AccessMessages.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kelvara {
namespace {

using Calls = std::vector<std::string>;

class OpenTest : public AccessTest
{
};

TEST_F(OpenTest, OpenEcProbesTheFixedDictionary)
{
    prompts.captions.clear();
    access->MenuItemOpenEcClick();
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "close"}));
    EXPECT_TRUE(state.open);
    EXPECT_EQ(state.kind, DictionaryKind::EC);
    EXPECT_EQ(state.ecPath, "/inst/ArticleS/UserS");
    EXPECT_EQ(prompts.gridVisible, true);
    EXPECT_TRUE(editor->isPlaceholder());
    EXPECT_EQ(editor->partOfSpeechList().size(), 5u);
    EXPECT_TRUE(prompts.captions.empty());
    EXPECT_TRUE(prompts.pathCaptions.empty());
}

TEST_F(OpenTest, OpenEcTraditionalUsesUserT)
{
    startup.chineseVariant = ChineseVariant::Traditional;
    startup.engineDirectory = "/inst/ArticleT/";
    access->MenuItemOpenEcClick();
    EXPECT_EQ(ec().calls.front(), "open /inst/ArticleT/UserT");
}

TEST_F(OpenTest, OpenEcRefusedShowsMessageAndOpensNothing)
{
    ec().openResult = 0;
    access->MenuItemOpenEcClick();
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS"}));
    EXPECT_FALSE(state.open);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, u"打开词典失败！");
    EXPECT_FALSE(prompts.gridVisible.has_value());
}

TEST_F(OpenTest, OpenEcPathTooLongNeverReachesTheEngine)
{
    startup.engineDirectory = "/" + std::string(252, 'a') + "/";
    access->MenuItemOpenEcClick();
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_FALSE(state.open);
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(OpenTest, OpenCeCallsNoEngine)
{
    access->ActionFileOpenCeExecute();
    EXPECT_TRUE(ce().calls.empty());
    EXPECT_TRUE(state.open);
    EXPECT_EQ(state.kind, DictionaryKind::CE);
    EXPECT_EQ(editor->partOfSpeechList().size(), 6u);
    EXPECT_EQ(prompts.gridVisible, true);
}

TEST_F(OpenTest, NewEcNamesAndRemembersTheDialog)
{
    prompts.ecChoices = {std::string("/d/Dicts/Sports"), std::string("/e/Other.key")};
    access->ActionFileNewEcExecute();
    EXPECT_EQ(ec().calls, (Calls{"open /d/Dicts/UserecSports", "close"}));
    EXPECT_EQ(prompts.pathCaptions, (std::vector<std::string>{"/d/Dicts/UserecSports"}));
    EXPECT_EQ(state.ecPath, "/d/Dicts/UserecSports");
    EXPECT_TRUE(state.open);
    EXPECT_EQ(editor->partOfSpeechList().size(), 5u);

    access->MenuItemCloseClick();
    access->ActionFileNewEcExecute();
    ASSERT_EQ(prompts.ecDialogStarts.size(), 2u);
    EXPECT_EQ(prompts.ecDialogStarts[0],
              std::make_pair(std::string("/inst/ArticleS"), std::string()));
    EXPECT_EQ(prompts.ecDialogStarts[1],
              std::make_pair(std::string("/d/Dicts"), std::string("/d/Dicts/UserecSports.key")));
}

TEST_F(OpenTest, NewEcCancelAndRefusal)
{
    access->ActionFileNewEcExecute(); // the dialog is cancelled
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_FALSE(state.open);

    // The New commands' messages are Simplified in every interface language.
    startup.language = InterfaceLanguage::English;
    ec().openResult = 0;
    prompts.ecChoices = {std::string("/d/law")};
    access->ActionFileNewEcExecute();
    EXPECT_FALSE(state.open);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, u"打开词典失败！");
    EXPECT_TRUE(prompts.pathCaptions.empty());
}

TEST_F(OpenTest, NewEcPathTooLongIsRefused)
{
    prompts.ecChoices = {"/d/" + std::string(260, 'x')};
    access->ActionFileNewEcExecute();
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_FALSE(state.open);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, PathTooLongMessage());
}

class NewCeTest : public AccessTest
{
protected:
    NewCeTest()
    {
        folder =
            std::filesystem::temp_directory_path() /
            ("access-newce-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    ~NewCeTest() override { std::filesystem::remove_all(folder); }
    std::string in(const std::string& name) const { return (folder / name).string(); }
    std::filesystem::path folder;
};

TEST_F(NewCeTest, ClashLoopUntilAFreeName)
{
    std::ofstream(in("Userceabc.ext")) << "x";
    prompts.ceChoices = {in("abc"), in("UserCeAbc.ext"), in("med")};
    startup.language = InterfaceLanguage::English;
    access->ActionFileNewCeExecute();

    // Names compare as the file system does: on Linux "UserCeAbc.ext" is another file.
    EXPECT_EQ(prompts.ceDialogStarts.size(), 2u);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, NameClashMessage());
    EXPECT_EQ(prompts.messages[0].title, u"Kelvara智能翻译平台");
    EXPECT_EQ(ce().calls, (Calls{"create /inst/ArticleS/|" + in("UserCeAbc.ext")}));
    EXPECT_EQ(prompts.pathCaptions, (std::vector<std::string>{in("UserCeAbc.ext")}));
    EXPECT_TRUE(state.open);
    EXPECT_EQ(state.kind, DictionaryKind::CE);
    EXPECT_EQ(state.newCePath, in("UserCeAbc.ext"));
    EXPECT_EQ(editor->partOfSpeechList().size(), 6u);
    // The C-E dialog keeps starting in the engine directory.
    EXPECT_EQ(prompts.ceDialogStarts[1], "/inst/ArticleS");

    // Close hands the engine back its own dictionary; a later Close has nothing to undo.
    ce().calls.clear();
    access->MenuItemCloseClick();
    access->ActionFileOpenCeExecute();
    access->MenuItemCloseClick();
    EXPECT_EQ(ce().calls, (Calls{"reset /inst/ArticleS/"}));
}

TEST_F(NewCeTest, CreationRefusedOrMissingChangesNothing)
{
    ce().createResult = 0;
    prompts.ceChoices = {in("abc")};
    access->ActionFileNewCeExecute();
    EXPECT_FALSE(state.open);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(prompts.pathCaptions.empty());
    EXPECT_FALSE(prompts.gridVisible.has_value());

    CeEntryPoints table = startup.ce.entryPoints();
    table.dicCreate = nullptr;
    startup.ce = CeBinding::fromTable(table);
    prompts.ceChoices = {in("abc")};
    access->ActionFileNewCeExecute();
    EXPECT_FALSE(state.open);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(NewCeTest, CancelStopsTheLoop)
{
    std::ofstream(in("Userceabc.ext")) << "x";
    prompts.ceChoices = {in("abc")}; // then cancel
    access->ActionFileNewCeExecute();
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(ce().calls.empty());
    EXPECT_FALSE(state.open);
}

class CloseTest : public AccessTest
{
protected:
    // An open E-C dictionary with one pending added row.
    void openWithChange()
    {
        openEc();
        editor->MenuItemAddClick("apple");
        ASSERT_TRUE(editor->changed());
    }
};

TEST_F(CloseTest, WithoutChangesClosesAtOnce)
{
    openEc();
    access->MenuItemCloseClick();
    EXPECT_EQ(prompts.savePromptsShown, 0);
    EXPECT_FALSE(state.open);
    EXPECT_TRUE(state.ecPath.empty());
    EXPECT_EQ(prompts.gridVisible, false);
    EXPECT_EQ(prompts.comboVisible, false);
    EXPECT_EQ(prompts.captions, (std::vector<std::u16string>{u"用户词典维护"}));
    EXPECT_TRUE(ec().calls.empty());
}

TEST_F(CloseTest, CaptionByLanguage)
{
    for (const auto& [language, caption] :
         {std::pair{InterfaceLanguage::Traditional, u"用戶詞典維護"},
          std::pair{InterfaceLanguage::English, u"Costom Dictionary Utility"}}) {
        startup.language = language;
        prompts.captions.clear();
        access->ActionFileOpenCeExecute();
        access->MenuItemCloseClick();
        EXPECT_EQ(prompts.captions, (std::vector<std::u16string>{caption}));
    }
}

TEST_F(CloseTest, YesSavesFirst)
{
    openWithChange();
    prompts.saveAnswers = {SavePromptAnswer::Yes};
    access->MenuItemCloseClick();
    EXPECT_EQ(prompts.savePromptsShown, 1);
    EXPECT_EQ(ec().calls, (Calls{"open /inst/ArticleS/UserS", "modify A|apple|0|", "close"}));
    EXPECT_FALSE(state.open);
    EXPECT_FALSE(editor->changed());
}

TEST_F(CloseTest, YesThatWritesNothingOrIsRefusedKeepsTheDictionaryOpen)
{
    // The engine refuses the row: it is marked "E" and Close stops, so the user sees it.
    openWithChange();
    ec().modifyResults = {0};
    prompts.saveAnswers = {SavePromptAnswer::Yes};
    access->MenuItemCloseClick();
    EXPECT_TRUE(state.open);
    EXPECT_EQ(row(1)[0], "E");

    // The dictionary does not open: the edits stay pending and Close stops.
    editor->MenuItemAddClick("pear");
    ec().openResult = 0;
    prompts.saveAnswers = {SavePromptAnswer::Yes};
    access->MenuItemCloseClick();
    EXPECT_TRUE(state.open);
    EXPECT_TRUE(editor->changed());
}

TEST_F(CloseTest, NoDropsTheEdits)
{
    openWithChange();
    prompts.saveAnswers = {SavePromptAnswer::No};
    access->MenuItemCloseClick();
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_FALSE(state.open);
    EXPECT_FALSE(editor->changed());
}

TEST_F(CloseTest, CancelKeepsEverything)
{
    openWithChange();
    prompts.saveAnswers = {SavePromptAnswer::Cancel};
    access->MenuItemCloseClick();
    EXPECT_TRUE(ec().calls.empty());
    EXPECT_TRUE(state.open);
    EXPECT_EQ(state.ecPath, "/inst/ArticleS/UserS");
    EXPECT_TRUE(editor->changed());
    EXPECT_EQ(editor->mark(1), "A");
    EXPECT_TRUE(prompts.captions.empty());
}

} // namespace
} // namespace kelvara
