// Whole sessions through the reference engines on a temporary installation folder: what is
// saved is exactly what the next Find shows, also after the libraries were reloaded.

#include "access/EngineSessionFixture.h"
#include "lang/AccessMessages.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>

namespace kelvara {
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

    // Close hands the engine back its own dictionary in the same run: it got nothing, and a
    // save now goes there, not into the new file.
    access->MenuItemCloseClick();
    access->ActionFileOpenCeExecute();
    access->MenuItemFindClick(word);
    EXPECT_TRUE(rows().empty());
    ASSERT_TRUE(editor->MenuItemAddClick(word));
    type(kColTarget, 1, "drug");
    access->MenuItemSaveClick();
    access->MenuItemCloseClick();
    prompts->ceChoices = {created.string()};
    prompts->ceChoices.push_back((folder / "dicts" / "other").string());
    access->ActionFileNewCeExecute(); // the name is taken: the clash message, then "other"
    access->MenuItemFindClick(word);
    EXPECT_TRUE(rows().empty()) << "a new dictionary starts empty";
    access->MenuItemCloseClick();

    // After a restart the engine directory's own dictionary holds what was saved there.
    restart();
    access->ActionFileOpenCeExecute();
    access->MenuItemFindClick(word);
    EXPECT_EQ(rows(), (std::vector<Row>{{" ", word, gbk(u"名词"), "drug"}}));
}

/// A small file system of its own, filled up after the first save so that the next commit
/// cannot grow the dictionary's log.
class FullDiskTest : public EngineSessionTest
{
protected:
    void SetUp() override
    {
        mountPoint = fs::temp_directory_path() /
                     ("access-fulldisk-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(mountPoint);
        if (::geteuid() != 0 || ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=48m") != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root; the full-disk case is not run";
        mounted = true;
    }
    void TearDown() override
    {
        EngineSessionTest::TearDown();
        if (mounted)
            ::umount2(mountPoint.c_str(), MNT_DETACH);
        fs::remove_all(mountPoint);
    }
    void fillDisk()
    {
        std::FILE* filler = std::fopen((mountPoint / "filler").c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        const std::string block(64 * 1024, 'f');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
        }
        std::fclose(filler);
        // The last partial pages too.
        filler = std::fopen((mountPoint / "filler2").c_str(), "wb");
        while (filler && std::fputc('f', filler) != EOF && std::fflush(filler) == 0) {
        }
        if (filler)
            std::fclose(filler);
    }
    void freeDisk()
    {
        fs::remove(mountPoint / "filler");
        fs::remove(mountPoint / "filler2");
    }
    /// Adds many rows with long translations, so that the commit must grow the log.
    void addRows(const std::string& prefix, int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(editor->MenuItemAddClick(prefix + std::to_string(i)));
            type(kColTarget, editor->currentRow(), std::string(100, 'a' + i % 26));
        }
    }

    fs::path mountPoint;
    bool mounted = false;
};

TEST_F(FullDiskTest, AFailedCommitShowsNothingAsStored)
{
    install("lang_en.ini", false, mountPoint);
    for (const bool ce : {false, true}) {
        SCOPED_TRACE(ce ? "C-E" : "E-C");
        const auto open = [&] {
            if (ce)
                access->ActionFileOpenCeExecute();
            else
                access->MenuItemOpenEcClick();
        };
        open();
        addRows(ce ? "\xB5\xDA" : "first", 1);
        access->MenuItemSaveClick();
        ASSERT_EQ(rows().at(0)[0], " ");

        fillDisk();
        prompts->messages.clear();
        addRows(ce ? "\xB4\xCE" : "word", 400);
        access->MenuItemSaveClick();
        ASSERT_FALSE(prompts->messages.empty());
        EXPECT_EQ(prompts->messages.back().text,
                  DictionaryNotWrittenMessage(InterfaceLanguage::English));
        EXPECT_EQ(editor->countRowsMarked("A"), 400) << "no row shown as stored";
        EXPECT_TRUE(editor->changed());

        // With room again, the same rows are written, and nothing of the failed save was.
        freeDisk();
        prompts->saveAnswers = {SavePromptAnswer::No};
        access->MenuItemFindClick(ce ? "\xB4\xCE"
                                       "7"
                                     : "word7");
        EXPECT_TRUE(rows().empty());
        addRows(ce ? "\xB4\xCE" : "word", 3);
        access->MenuItemSaveClick();
        EXPECT_EQ(editor->countRowsMarked(" "), 3);
        access->MenuItemCloseClick();
        restart();
        open();
        access->MenuItemFindClick(ce ? "\xB4\xCE"
                                       "2"
                                     : "word2");
        EXPECT_EQ(rows().size(), 1u);
        access->MenuItemFindClick(ce ? "\xB4\xCE"
                                       "7"
                                     : "word7");
        EXPECT_TRUE(rows().empty());
        access->MenuItemCloseClick();
    }
}

} // namespace
} // namespace kelvara
