// Whole sessions through the reference engines on a temporary installation folder: what is
// saved is exactly what the next Find shows, also after the libraries were reloaded.

#include "access/EngineSessionFixture.h"

namespace kelvara::test {
namespace {

TEST_F(EngineSessionTest, EcSessionKeepsExactlyWhatWasSaved)
{
    install("lang_sc.ini");
    const std::string noun = gbk(u"名词");
    const std::string adj = gbk(u"形容词");
    access->MenuItemOpenEcClick();
    ASSERT_TRUE(state.open);
    access->MenuItemFindClick("apple");
    EXPECT_TRUE(rows().empty());

    ASSERT_TRUE(editor->MenuItemAddClick("apple"));
    type(kColTarget, 1, gbk(u"苹果"));
    ASSERT_TRUE(editor->MenuItemAddClick("apple"));
    pick(2, 2);
    type(kColTarget, 2, gbk(u"苹果的"));
    access->MenuItemSaveClick();
    EXPECT_EQ(rows(), (std::vector<Row>{{" ", "apple", noun, gbk(u"苹果")},
                                        {" ", "apple", adj, gbk(u"苹果的")}}));

    access->MenuItemFindClick("apple");
    ASSERT_EQ(rows().size(), 2u);
    const int nounRow = rows()[0][2] == noun ? 1 : 2;
    type(kColTarget, nounRow, gbk(u"苹果树"));
    ASSERT_TRUE(editor->selectCell(kColTarget, 3 - nounRow));
    ASSERT_TRUE(editor->MenuItemDeleteClick());
    access->MenuItemSaveClick();
    EXPECT_TRUE(prompts->messages.empty());
    access->MenuItemCloseClick();
    EXPECT_FALSE(state.open);

    const std::vector<Row> expected{{" ", "apple", noun, gbk(u"苹果树")}};
    access->MenuItemOpenEcClick();
    access->MenuItemFindClick("apple");
    EXPECT_EQ(rows(), expected);

    restart();
    access->MenuItemOpenEcClick();
    access->MenuItemFindClick("apple");
    EXPECT_EQ(rows(), expected);
}

TEST_F(EngineSessionTest, CeSessionKeepsExactlyWhatWasSaved)
{
    install("lang_sc.ini");
    const std::string word = gbk(u"打");
    const std::string noun = gbk(u"名词");
    const std::string vt = gbk(u"及物动词");
    access->ActionFileOpenCeExecute();
    access->MenuItemFindClick(word);
    EXPECT_TRUE(rows().empty());

    ASSERT_TRUE(editor->MenuItemAddClick(word));
    type(kColTarget, 1, "dozen");
    ASSERT_TRUE(editor->MenuItemAddClick(word));
    pick(2, 1);
    type(kColTarget, 2, "hit");
    // A translation with ASCII parentheses is refused at input.
    EXPECT_FALSE(access->checkCellInput(kColTarget, "hit (a ball)").empty());
    access->MenuItemSaveClick();

    access->MenuItemFindClick(word);
    EXPECT_EQ(rows(), (std::vector<Row>{{" ", word, vt, "hit"}, {" ", word, noun, "dozen"}}));
    type(kColTarget, 2, "a dozen");
    access->MenuItemSaveClick();
    access->MenuItemFindClick(word);
    // The changed sense was added back last.
    EXPECT_EQ(rows(), (std::vector<Row>{{" ", word, noun, "a dozen"}, {" ", word, vt, "hit"}}));

    ASSERT_TRUE(editor->selectCell(kColTarget, 2));
    ASSERT_TRUE(editor->MenuItemDeleteClick());
    access->MenuItemSaveClick();
    EXPECT_TRUE(prompts->messages.empty());
    access->MenuItemCloseClick();

    const std::vector<Row> expected{{" ", word, noun, "a dozen"}};
    access->ActionFileOpenCeExecute();
    access->MenuItemFindClick(word);
    EXPECT_EQ(rows(), expected);

    restart();
    access->ActionFileOpenCeExecute();
    access->MenuItemFindClick(word);
    EXPECT_EQ(rows(), expected);
}

TEST_F(EngineSessionTest, CeEnglishModifyReplacesTheStoredSense)
{
    install("lang_en.ini");
    const std::string word = gbk(u"书");
    access->ActionFileOpenCeExecute();
    ASSERT_TRUE(editor->MenuItemAddClick(word));
    type(kColTarget, 1, "book");
    access->MenuItemSaveClick();

    access->MenuItemFindClick(word);
    ASSERT_EQ(rows(), (std::vector<Row>{{" ", word, "Noun", "book"}}));
    type(kColTarget, 1, "volume");
    access->MenuItemSaveClick();
    access->MenuItemFindClick(word);
    EXPECT_EQ(rows(), (std::vector<Row>{{" ", word, "Noun", "volume"}}));

    ASSERT_TRUE(editor->MenuItemDeleteClick());
    access->MenuItemSaveClick();
    access->MenuItemFindClick(word);
    EXPECT_TRUE(rows().empty());
}

TEST_F(EngineSessionTest, NewCeServesTheCreatedDictionary)
{
    install("lang_sc.ini");
    fs::create_directories(folder / "dicts");
    prompts->ceChoices = {(folder / "dicts" / "med").string()};
    access->ActionFileNewCeExecute();
    ASSERT_TRUE(state.open);
    const fs::path created = folder / "dicts" / "Usercemed.ext";
    EXPECT_TRUE(fs::exists(created));

    const std::string word = gbk(u"药");
    ASSERT_TRUE(editor->MenuItemAddClick(word));
    type(kColTarget, 1, "medicine");
    access->MenuItemSaveClick();
    access->MenuItemFindClick(word);
    EXPECT_EQ(rows().size(), 1u);

    // The engine directory's own dictionary, served again after a restart, got nothing.
    access->MenuItemCloseClick();
    restart();
    access->ActionFileOpenCeExecute();
    access->MenuItemFindClick(word);
    EXPECT_TRUE(rows().empty());
}

} // namespace
} // namespace kelvara::test
