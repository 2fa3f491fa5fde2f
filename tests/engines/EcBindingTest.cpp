#include "engines/EcBinding.h"
#include "engines/TestEngineProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kelvara {
namespace {

Buffer256 pathBuffer(const char* path)
{
    Buffer256 b;
    EXPECT_TRUE(b.assign(path));
    return b;
}

class EcBindingLoaded : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_ec.load(pathBuffer(KELVARA_TEST_EC_COMPLETE)));
        ResetEngineLog(m_ec.handle());
    }
    std::string log() const { return EngineLog(m_ec.handle()); }

    EcBinding m_ec;
};

TEST(EcBindingTest, EntryPointsAreLookedUpInThePlatformOrder)
{
    const std::string expected[] = {"close_cstm_RW", "GetAllWordsToFile", "GetNextWord",
                                    "ModifyWord",    "open_cstm_RW",      "SearchWord",
                                    "UpdateUserDict"};
    ASSERT_EQ(std::size(EcBinding::kEntryPointNames), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(EcBinding::kEntryPointNames[i], expected[i]) << "position " << i;
}

TEST(EcBindingTest, CompleteLibraryBindsAllSevenEntryPoints)
{
    EcBinding ec;
    ASSERT_TRUE(ec.load(pathBuffer(KELVARA_TEST_EC_COMPLETE)));
    EXPECT_NE(ec.handle(), nullptr);
    EXPECT_TRUE(ec.available());
    const EcEntryPoints& e = ec.entryPoints();
    EXPECT_NE(e.closeCstmRw, nullptr);
    EXPECT_NE(e.getAllWordsToFile, nullptr);
    EXPECT_NE(e.getNextWord, nullptr);
    EXPECT_NE(e.modifyWord, nullptr);
    EXPECT_NE(e.openCstmRw, nullptr);
    EXPECT_NE(e.searchWord, nullptr);
    EXPECT_NE(e.updateUserDict, nullptr);
}

TEST(EcBindingTest, MissingUpdateUserDictUnloadsTheLibraryError)
{
    ASSERT_FALSE(IsLibraryLoaded(KELVARA_TEST_EC_NO_UPDATE));
    EcBinding ec;
    EXPECT_FALSE(ec.load(pathBuffer(KELVARA_TEST_EC_NO_UPDATE)));
    EXPECT_EQ(ec.handle(), nullptr);
    EXPECT_FALSE(ec.available());
    // Nothing of the partly resolved library is kept: no pointer into it, no reference to it.
    EXPECT_EQ(ec.entryPoints().openCstmRw, nullptr);
    EXPECT_EQ(ec.entryPoints().searchWord, nullptr);
    EXPECT_FALSE(IsLibraryLoaded(KELVARA_TEST_EC_NO_UPDATE));
}

TEST(EcBindingTest, LibraryThatDoesNotLoadLeavesTheHandleNullError)
{
    EcBinding ec;
    EXPECT_FALSE(ec.load(pathBuffer("/nonexistent/folder/Ecbank.dll")));
    EXPECT_EQ(ec.handle(), nullptr);
    EXPECT_FALSE(ec.load(Buffer256()));
    EXPECT_EQ(ec.handle(), nullptr);
    // A library of the other kind is no E-C engine.
    EXPECT_FALSE(ec.load(pathBuffer(KELVARA_TEST_CE_COMPLETE)));
    EXPECT_EQ(ec.handle(), nullptr);
}

TEST(EcBindingTest, UnloadReleasesTheLibrary)
{
    EcBinding ec;
    ASSERT_TRUE(ec.load(pathBuffer(KELVARA_TEST_EC_COMPLETE)));
    ASSERT_TRUE(IsLibraryLoaded(KELVARA_TEST_EC_COMPLETE));
    ec.unload();
    EXPECT_EQ(ec.handle(), nullptr);
    EXPECT_FALSE(IsLibraryLoaded(KELVARA_TEST_EC_COMPLETE));
    // A second unload and the calls of an unbound binding are harmless.
    ec.unload();
    Buffer256 word("w"), translation;
    unsigned char pos = 0;
    EXPECT_EQ(ec.openCstmRw(word), 0);
    EXPECT_EQ(ec.searchWord(word, pos, translation), 0);
    EXPECT_EQ(ec.modifyWord('A', word, 1, translation), 0);
}

TEST(EcBindingTest, MovedBindingKeepsOneOwnerOfTheLibrary)
{
    EcBinding first;
    ASSERT_TRUE(first.load(pathBuffer(KELVARA_TEST_EC_COMPLETE)));
    EcBinding second = std::move(first);
    EXPECT_EQ(first.handle(), nullptr);
    ASSERT_NE(second.handle(), nullptr);
    first.unload(); // must not free what second now owns
    EXPECT_TRUE(IsLibraryLoaded(KELVARA_TEST_EC_COMPLETE));
    second = EcBinding();
    EXPECT_FALSE(IsLibraryLoaded(KELVARA_TEST_EC_COMPLETE));
}

TEST_F(EcBindingLoaded, WrappersPassTheBuffersThrough)
{
    EXPECT_EQ(m_ec.openCstmRw(Buffer256("/dict/UserEc1")), 1);
    EXPECT_EQ(m_ec.openCstmRw(Buffer256("/dict/refuse")), 0);
    m_ec.closeCstmRw();
    EXPECT_EQ(m_ec.modifyWord('M', Buffer256("apple"), 3, Buffer256("\xC6\xBB\xB9\xFB")), 1);
    EXPECT_EQ(m_ec.modifyWord('X', Buffer256("apple"), 3, Buffer256("t")), 0);
    m_ec.getAllWordsToFile(Buffer256("/tmp/out.txt"), Buffer256("/dict/UserEc1"));
    EXPECT_EQ(log(), "open(/dict/UserEc1);open(/dict/refuse);close;"
                     "modify(M,apple,3,\xC6\xBB\xB9\xFB);modify(X,apple,3,t);"
                     "export(/tmp/out.txt,/dict/UserEc1);");
}

TEST_F(EcBindingLoaded, SearchThenNextDeliversEverySense)
{
    Buffer256 word("apple"), translation;
    unsigned char pos = 0;
    ASSERT_EQ(m_ec.searchWord(word, pos, translation), 1);
    EXPECT_EQ(word.view(), "apple");
    EXPECT_EQ(translation.view(), "apple-sense1");
    EXPECT_EQ(pos, 1);
    ASSERT_NE(m_ec.getNextWord(word, pos, translation), 0);
    EXPECT_EQ(translation.view(), "apple-sense2");
    EXPECT_EQ(pos, 2);
    ASSERT_NE(m_ec.getNextWord(word, pos, translation), 0);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(m_ec.getNextWord(word, pos, translation), 0);
    EXPECT_EQ(log(), "search(apple);next;next;next;");
}

TEST_F(EcBindingLoaded, UnterminatedEngineOutputIsNeverReadPastTheBuffer)
{
    // The engine fills all 256 bytes of both buffers with no terminator. The bytes after
    // each buffer are not zero either, so reading on would show up in the texts.
    struct Guarded
    {
        Buffer256 word;
        char after[64];
        Buffer256 translation;
        char afterTranslation[64];
    } g;
    std::fill(std::begin(g.after), std::end(g.after), 'X');
    std::fill(std::begin(g.afterTranslation), std::end(g.afterTranslation), 'X');
    ASSERT_TRUE(g.word.assign("overrun"));
    unsigned char pos = 0;
    ASSERT_EQ(m_ec.searchWord(g.word, pos, g.translation), 1);
    EXPECT_EQ(g.word.str(), std::string(255, 'w'));
    EXPECT_EQ(g.translation.str(), std::string(255, 't'));
    EXPECT_EQ(g.word.data()[255], '\0');
    EXPECT_EQ(g.after[0], 'X');
    ASSERT_NE(m_ec.getNextWord(g.word, pos, g.translation), 0);
    EXPECT_EQ(g.translation.length(), Buffer256::kMaxText);
    EXPECT_EQ(g.afterTranslation[0], 'X');
}

TEST(EcBindingTest, TableBindingCallsTheGivenFunctionsAndIsNeverFreed)
{
    static int opened = 0;
    EcEntryPoints table;
    table.openCstmRw = [](const char* path) -> int {
        opened = std::string(path) == "base" ? 1 : -1;
        return 1;
    };
    EcBinding ec = EcBinding::fromTable(table);
    EXPECT_TRUE(ec.available());
    EXPECT_EQ(ec.openCstmRw(Buffer256("base")), 1);
    EXPECT_EQ(opened, 1);
    // Calls the table leaves out answer 0 and do nothing.
    Buffer256 word("w"), translation;
    unsigned char pos = 9;
    EXPECT_EQ(ec.searchWord(word, pos, translation), 0);
    EXPECT_EQ(pos, 9);
    ec.unload();
    EXPECT_FALSE(ec.available());
}

} // namespace
} // namespace kelvara
