// The reference E-C engine: storage, matching, identity of entries, export.

#include "EngineFixture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

namespace kelvara {
namespace {

class EcEngineTest : public EngineTest
{
protected:
    std::string base() const { return simplifiedFolder() + "UserS"; }
};

TEST_F(EcEngineTest, OpenCreatesAnEmptyDictionaryAtBasePathKey)
{
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    ec().closeCstmRw();
    EXPECT_TRUE(Exists(base() + ".key"));
    EXPECT_EQ(QueryFile(base() + ".key", "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QueryFile(base() + ".key", "SELECT count(*) FROM entry"), "0");
    EXPECT_TRUE(ecFind(base(), "apple").empty());
}

TEST_F(EcEngineTest, SearchMatchesTheWholeWordWithoutRegardToAsciiCase)
{
    ASSERT_EQ(ecWrite(base(), 'A', "Apple", 0, Gbk(u"苹果")), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "apple pie", 0, Gbk(u"苹果派")), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "pineapple", 0, Gbk(u"菠萝")), 1);

    const std::vector<EcSense> expected{{"Apple", 0, Gbk(u"苹果")}};
    EXPECT_EQ(ecFind(base(), "APPLE"), expected); // the stored spelling comes back
    EXPECT_EQ(ecFind(base(), "apple"), expected);
    EXPECT_TRUE(ecFind(base(), "appl").empty());
    EXPECT_TRUE(ecFind(base(), "apple ").empty());
    EXPECT_EQ(ecFind(base(), "Apple PIE").size(), 1u);
}

TEST_F(EcEngineTest, SensesComeInPartOfSpeechOrderAndEndWithZero)
{
    ASSERT_EQ(ecWrite(base(), 'A', "light", 2, "adj"), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "light", 0, "noun"), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "light", 1, "verb"), 1);
    const std::vector<EcSense> found = ecFind(base(), "light");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].pos, 0);
    EXPECT_EQ(found[1].pos, 1);
    EXPECT_EQ(found[2].pos, 2);

    // After the last sense GetNextWord answers 0 and delivers nothing.
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    char w[256] = "light";
    char t[256] = {};
    unsigned char pos = 9;
    ASSERT_EQ(ec().searchWord(w, &pos, t), 1);
    ec().getNextWord(w, &pos, t);
    ec().getNextWord(w, &pos, t);
    EXPECT_EQ(ec().getNextWord(w, &pos, t), 0);
    EXPECT_EQ(pos, 2);
    EXPECT_STREQ(t, "adj");
    ec().closeCstmRw();
}

TEST_F(EcEngineTest, AddOfAnExistingEntryIsRefusedAndKeepsTheStoredTarget)
{
    ASSERT_EQ(ecWrite(base(), 'A', "apple", 0, "first"), 1);
    EXPECT_EQ(ecWrite(base(), 'A', "apple", 0, "second"), 0);
    EXPECT_EQ(ecWrite(base(), 'A', "APPLE", 0, "third"), 0); // the same entry in other case
    EXPECT_EQ(ecWrite(base(), 'A', "apple", 1, "verb sense"), 1);
    const std::vector<EcSense> expected{{"apple", 0, "first"}, {"apple", 1, "verb sense"}};
    EXPECT_EQ(ecFind(base(), "apple"), expected);
}

TEST_F(EcEngineTest, ModifyAndDeleteFindTheEntryBySourceAndPartOfSpeech)
{
    ASSERT_EQ(ecWrite(base(), 'A', "water", 0, "old"), 1);
    EXPECT_EQ(ecWrite(base(), 'M', "Water", 0, "new"), 1);
    EXPECT_EQ(ecWrite(base(), 'M', "water", 1, "verb"), 0); // no such entry: nothing added
    const std::vector<EcSense> modified{{"Water", 0, "new"}};
    EXPECT_EQ(ecFind(base(), "water"), modified);

    EXPECT_EQ(ecWrite(base(), 'D', "water", 1, ""), 0);
    EXPECT_EQ(ecWrite(base(), 'D', "WATER", 0, ""), 1);
    EXPECT_EQ(ecWrite(base(), 'D', "water", 0, ""), 0);
    EXPECT_TRUE(ecFind(base(), "water").empty());
}

TEST_F(EcEngineTest, OnlyTheLowBytesOfOperationAndCodeCount)
{
    EXPECT_EQ(ecWrite(base(), 'A', "word", 0x100 + 3, "adverb"), 1);
    EXPECT_EQ(ecWrite(base(), static_cast<char>('D'), "word", 0x7F03, ""), 1);
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    EXPECT_EQ(ec().modifyWord(0x4100 + 'A', "word", 1, "verb"), 1);
    ec().closeCstmRw();
    const std::vector<EcSense> expected{{"word", 1, "verb"}};
    EXPECT_EQ(ecFind(base(), "word"), expected);
}

TEST_F(EcEngineTest, EntriesThatCouldNotBeReadBackAreRefused)
{
    EXPECT_EQ(ecWrite(base(), 'A', "odd", 255, "unknown label"), 0); // outside the list 0-4
    EXPECT_EQ(ecWrite(base(), 'A', "odd", 5, "unknown label"), 0);
    EXPECT_EQ(ecWrite(base(), 'X', "odd", 0, "no such operation"), 0);
    EXPECT_EQ(ecWrite(base(), 'A', "", 0, "no source"), 0);
    EXPECT_EQ(ecWrite(base(), 'A', "odd", 0, ""), 0);
    EXPECT_EQ(ecWrite(base(), 'A', "odd", 0, "two\r\nlines"), 0); // would break the export
    EXPECT_EQ(ecWrite(base(), 'A', "odd\n", 0, "x"), 0);
    EXPECT_EQ(ecWrite(base(), 'A', "odd", 0, "cut \xC3"), 0); // half a character
    EXPECT_TRUE(ecFind(base(), "odd").empty());
}

TEST_F(EcEngineTest, WritesAreCommittedAtCloseAndSeenByOtherConnections)
{
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    ASSERT_EQ(ec().modifyWord('A', "pending", 0, "x"), 1);
    EXPECT_EQ(QueryFile(base() + ".key", "SELECT count(*) FROM entry"), "0");
    ec().closeCstmRw();
    EXPECT_EQ(QueryFile(base() + ".key", "SELECT count(*) FROM entry"), "1");
    EXPECT_EQ(QueryFile(base() + ".key", "PRAGMA journal_mode"), "wal");
}

TEST_F(EcEngineTest, TheFolderDecidesTheCodePage)
{
    // 0x81 0x80 is a character in GBK but not in Big5, whose trail bytes skip 0x80-0xA0.
    const std::string gbkOnly = "\x81\x80";
    EXPECT_EQ(ecWrite(simplifiedFolder() + "UserS", 'A', "x", 0, gbkOnly), 1);
    EXPECT_EQ(ecWrite(traditionalFolder() + "UserT", 'A', "x", 0, gbkOnly), 0);
    EXPECT_EQ(ecWrite(root() + "/articlet/UserT", 'A', "y", 0, gbkOnly), -1); // no such folder
    std::filesystem::create_directories(root() + "/articlet");
    EXPECT_EQ(ecWrite(root() + "/articlet/UserT", 'A', "y", 0, gbkOnly), 0);
}

TEST_F(EcEngineTest, CaseFoldingLeavesTrailBytesAlone)
{
    // Big5 名 is 0xA6 0x57: its trail byte is the letter W, which must not be folded.
    const std::string tbase = traditionalFolder() + "UserT";
    ASSERT_EQ(ecWrite(tbase, 'A', "\xA6\x57x", 0, "ming"), 1);
    EXPECT_EQ(ecFind(tbase, "\xA6\x57X").size(), 1u);
    EXPECT_TRUE(ecFind(tbase, "\xA6\x77x").empty());
}

TEST_F(EcEngineTest, GetAllWordsToFileWritesThreeLinesPerEntryWithoutAnOpen)
{
    ASSERT_EQ(ecWrite(base(), 'A', "book", 1, Gbk(u"预订")), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "Apple", 0, Gbk(u"苹果")), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "book", 0, Gbk(u"书")), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "run", 3, "fast"), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "under", 4, "below"), 1);
    ASSERT_EQ(ecWrite(base(), 'A', "blue", 2, "azure"), 1);

    const std::string out = root() + "/all.txt.tmp";
    EXPECT_EQ(ec().getAllWordsToFile(out.c_str(), base().c_str()), 1);
    EXPECT_EQ(ReadFile(out), "Apple\r\nNoun\r\n" + Gbk(u"苹果") +
                                 "\r\n"
                                 "blue\r\nAdj\r\nazure\r\n"
                                 "book\r\nNoun\r\n" +
                                 Gbk(u"书") + "\r\nbook\r\nVerb\r\n" + Gbk(u"预订") +
                                 "\r\n"
                                 "run\r\nAdv\r\nfast\r\n"
                                 "under\r\nPrep\r\nbelow\r\n");
}

// "source:code" of every entry of an export file, as hexadecimal source bytes.
std::string ExportedIdentities(const std::string& text)
{
    const std::vector<std::string> labels{"Noun", "Verb", "Adj", "Adv", "Prep"};
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    std::string out;
    for (std::size_t i = 0; i + 2 < lines.size(); i += 3) {
        const auto code = std::find(labels.begin(), labels.end(), lines[i + 1]) - labels.begin();
        out += (out.empty() ? "" : ",") + Hex(lines[i]) + ":" + std::to_string(code);
    }
    return out;
}

TEST_F(EcEngineTest, GetAllWordsToFileKeepsTheIndexOrderWhateverOrderEntriesCameIn)
{
    // Folds sharing their first eight bytes and more, one the beginning of another, several
    // spellings of one fold, double-byte characters (above every ASCII byte); shuffled.
    const std::string ah = Gbk(u"啊");
    std::vector<std::pair<std::string, int>> entries{{"AB", 1}, {"aB", 3}};
    for (const std::string& stem :
         {std::string("a"), std::string("ab"), std::string("ab-"), std::string("internat"),
          std::string("internation"), std::string("international"), std::string("Internationally"),
          std::string("INTERNATIONALE"), std::string("z"), ah, ah + "b", "b" + ah,
          "internat" + ah}) {
        for (const int pos : {4, 0, 2})
            entries.push_back({stem, pos});
    }
    std::shuffle(entries.begin(), entries.end(), std::mt19937(7));
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    for (const auto& [source, pos] : entries)
        ASSERT_EQ(ec().modifyWord('A', source.c_str(), pos, ("t " + source).c_str()), 1);
    ASSERT_EQ(ec().closeCstmRw(), 1);

    const std::string file = base() + ".key";
    const std::string indexOrder = "SELECT group_concat(hex(source) || ':' || pos, ',') FROM"
                                   " (SELECT source, pos FROM entry ORDER BY fold, pos)";
    const std::string out = root() + "/order.txt.tmp";
    ASSERT_EQ(ec().getAllWordsToFile(out.c_str(), base().c_str()), 1);
    EXPECT_EQ(ExportedIdentities(ReadFile(out)), QueryFile(file, indexOrder));

    // A fold stored as text by another program sorts before every blob in the index; the
    // export still gives the index order.
    ASSERT_TRUE(ExecFile(file, "UPDATE entry SET fold = CAST(fold AS TEXT)"
                               " WHERE source = CAST('z' AS BLOB) AND pos = 2"));
    ASSERT_EQ(QueryFile(file, indexOrder).substr(0, 4), "7A:2");
    std::filesystem::remove(out);
    ASSERT_EQ(ec().getAllWordsToFile(out.c_str(), base().c_str()), 1);
    EXPECT_EQ(ExportedIdentities(ReadFile(out)), QueryFile(file, indexOrder));
}

TEST_F(EcEngineTest, GetAllWordsToFileOfAMissingDictionaryCreatesNeither)
{
    const std::string out = root() + "/none.txt.tmp";
    const std::string missing = simplifiedFolder() + "UserecNone";
    EXPECT_EQ(ec().getAllWordsToFile(out.c_str(), missing.c_str()), 0);
    EXPECT_FALSE(Exists(out));
    EXPECT_FALSE(Exists(missing + ".key"));
}

TEST_F(EcEngineTest, AKeptConnectionNoticesThatItsFileWasReplaced)
{
    ASSERT_EQ(ecWrite(base(), 'A', "kept", 0, "x"), 1);
    reloadEngines(); // folds the log into the file
    ASSERT_EQ(ecWrite(base(), 'A', "other", 0, "y"), 1);
    reloadEngines();
    const std::string saved = ReadFile(base() + ".key");
    ASSERT_EQ(ecFind(base(), "kept").size(), 1u);

    // A write notices at once: it goes to a new dictionary, never into the deleted file.
    std::filesystem::remove(base() + ".key");
    ASSERT_EQ(ecWrite(base(), 'A', "fresh", 0, "z"), 1);
    EXPECT_TRUE(ecFind(base(), "kept").empty());
    EXPECT_EQ(ecFind(base(), "fresh").size(), 1u);

    // A Find trusts its connection for a fifth of a second, then notices too.
    std::filesystem::remove(base() + ".key");
    std::filesystem::remove(base() + ".key-wal");
    std::filesystem::remove(base() + ".key-shm");
    WriteFile(base() + ".key", saved);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(ecFind(base(), "kept").size(), 1u);
    EXPECT_TRUE(ecFind(base(), "fresh").empty());
}

} // namespace
} // namespace kelvara
