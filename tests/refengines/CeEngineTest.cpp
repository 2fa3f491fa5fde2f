// The reference C-E engine: the sense list, its labels and code pages, delete and add,
// export and creation.

#include "EngineFixture.h"

#include "engines/EngineAbi.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

namespace kelvara {
namespace {

class CeEngineTest : public EngineTest
{
protected:
    std::string dir() const { return simplifiedFolder(); }
};

TEST_F(CeEngineTest, DicopenKeepsTheDictionaryUserCeExtInTheEngineFolder)
{
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    ce().dicClose();
    EXPECT_TRUE(Exists(dir() + "UserCe.ext"));
    EXPECT_EQ(QueryFile(dir() + "UserCe.ext", "PRAGMA integrity_check"), "ok");
    // The folder without its trailing separator names the same dictionary.
    ceAdd(dir(), Gbk(u"苹果"), "noun", "apple");
    const std::string noSlash = dir().substr(0, dir().size() - 1);
    EXPECT_EQ(ceRetrieve(noSlash, Gbk(u"苹果")), "(" + Gbk(u"名词") + ") apple");
}

TEST_F(CeEngineTest, SenseListHoldsLabelledSensesInStoredOrder)
{
    const std::string word = Gbk(u"快");
    ceAdd(dir(), word, "adj", "fast");
    ceAdd(dir(), word, "adv", "quickly");
    ceAdd(dir(), word, "v.", "hurry"); // an unknown part of speech shows as stored
    ceAdd(dir(), word, "noun", "speed");
    int result = 0;
    EXPECT_EQ(ceRetrieve(dir(), word, &result), "(" + Gbk(u"形容词") + ") fast(" + Gbk(u"副词") +
                                                    ") quickly(v.) hurry(" + Gbk(u"名词") +
                                                    ") speed");
    EXPECT_EQ(result, abi::kRetrieveFound);
}

struct LabelCase
{
    const char* posWord;
    std::u16string simplified;
    std::u16string traditional;
};

TEST_F(CeEngineTest, LabelsAreChineseInTheCodePageOfTheFolder)
{
    const LabelCase cases[] = {
        {"noun", u"名词", u"名詞"},
        {"vt", u"及物动词", u"及物動詞"},
        {"vi", u"不及物动词", u"不及物動詞"},
        {"adj", u"形容词", u"形容詞"},
        {"adv", u"副词", u"副詞"},
        {"prep", u"介词", u"介係詞"},
    };
    for (const LabelCase& c : cases) {
        const std::string word = std::string("w-") + c.posWord;
        ceAdd(simplifiedFolder(), word, c.posWord, "t");
        ceAdd(traditionalFolder(), word, c.posWord, "t");
        EXPECT_EQ(ceRetrieve(simplifiedFolder(), word), "(" + Gbk(c.simplified) + ") t")
            << c.posWord;
        EXPECT_EQ(ceRetrieve(traditionalFolder(), word), "(" + Big5(c.traditional) + ") t")
            << c.posWord;
    }
}

TEST_F(CeEngineTest, AnAbsentWordGivesAnEmptyTextAndNotFound)
{
    ceAdd(dir(), Gbk(u"书"), "noun", "book");
    int result = 0;
    EXPECT_EQ(ceRetrieve(dir(), Gbk(u"书本"), &result), "");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ceRetrieve(dir(), Gbk(u"书"), &result), "(" + Gbk(u"名词") + ") book");
    EXPECT_EQ(result, abi::kRetrieveFound);
}

TEST_F(CeEngineTest, TheSenseListStaysReadableAfterTheBracketCloses)
{
    ceAdd(dir(), "w", "noun", "one");
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    std::int32_t mark = -1;
    const char* senses = nullptr;
    ASSERT_EQ(ce().markGStack(&mark), 1);
    ASSERT_EQ(ce().dicRetrieve("w", &senses), abi::kRetrieveFound);
    ASSERT_EQ(ce().releaseGStack(mark), 1);
    const std::string expected = "(" + Gbk(u"名词") + ") one";
    EXPECT_EQ(std::string(senses), expected);
    ce().dicClose();
    EXPECT_EQ(std::string(senses), expected); // and past the close, until the next retrieve
}

TEST_F(CeEngineTest, StackMarksNestAndRefuseWhatWasNeverMarked)
{
    std::int32_t outer = -1;
    std::int32_t inner = -1;
    ASSERT_EQ(ce().markGStack(&outer), 1);
    ASSERT_EQ(ce().markGStack(&inner), 1);
    EXPECT_NE(outer, inner);
    EXPECT_EQ(ce().releaseGStack(inner + 5), 0);
    EXPECT_EQ(ce().releaseGStack(-1), 0);
    EXPECT_EQ(ce().releaseGStack(inner), 1);
    EXPECT_EQ(ce().releaseGStack(outer), 1);
    EXPECT_EQ(ce().markGStack(nullptr), 0);
}

TEST_F(CeEngineTest, DeleteRemovesEverySenseOfTheWordOnly)
{
    ceAdd(dir(), Gbk(u"读"), "vt", "read");
    ceAdd(dir(), Gbk(u"读"), "vi", "study");
    ceAdd(dir(), Gbk(u"写"), "vt", "write");
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    EXPECT_EQ(ce().dicDelete(Gbk(u"读").c_str()), 1);
    EXPECT_EQ(ce().dicDelete(Gbk(u"读").c_str()), 0);
    ce().dicClose();
    EXPECT_EQ(ceRetrieve(dir(), Gbk(u"读")), "");
    EXPECT_EQ(ceRetrieve(dir(), Gbk(u"写")), "(" + Gbk(u"及物动词") + ") write");
}

TEST_F(CeEngineTest, TheSameSenseIsKeptOnceAndOtherTranslationsAreAdded)
{
    ceAdd(dir(), "w", "noun", "one");
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    EXPECT_EQ(ce().dicCheck("w", "noun", "one"), 2) << "held already";
    EXPECT_EQ(ce().dicCheck("w", "noun", "two"), 1);
    EXPECT_EQ(ce().dicAdd("w", "noun", "one"), 2) << "kept once, and the answer says so";
    EXPECT_EQ(ce().dicAdd("w", "noun", "two"), 1);
    ce().dicClose();
    const std::string n = "(" + Gbk(u"名词") + ") ";
    EXPECT_EQ(ceRetrieve(dir(), "w"), n + "one" + n + "two");
}

TEST_F(CeEngineTest, AnEmptyPartOfSpeechIsStoredAsNoun)
{
    ceAdd(dir(), "w", "", "bare");
    EXPECT_EQ(ceRetrieve(dir(), "w"), "(" + Gbk(u"名词") + ") bare");
}

TEST_F(CeEngineTest, SensesThatWouldBreakTheSenseListOrTheExportAreRefused)
{
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    EXPECT_EQ(ce().dicAdd("", "noun", "no word"), 0);
    EXPECT_EQ(ce().dicAdd("w", "noun", ""), 0);
    EXPECT_EQ(ce().dicAdd("a\\b", "noun", "backslash in the word"), 0);
    EXPECT_EQ(ce().dicAdd("w", "n)", "parenthesis in the label"), 0);
    EXPECT_EQ(ce().dicAdd("w", "noun", "two\nlines"), 0);
    EXPECT_EQ(ce().dicAdd("w\xB3", "noun", "half a character"), 0);
    EXPECT_EQ(ce().dicAdd("w", "noun", "back\\slash in the translation"), 1);
    ce().dicClose();
    EXPECT_EQ(ceRetrieve(dir(), "w"), "(" + Gbk(u"名词") + ") back\\slash in the translation");
}

TEST_F(CeEngineTest, DiccheckAnswersAsDicaddWouldAndStoresNothing)
{
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    ASSERT_NE(ce().dicCheck, nullptr);
    struct Case
    {
        const char* word;
        const char* pos;
        const char* translation;
    };
    const Case cases[] = {{"w", "noun", "fine"},      {"", "noun", "no word"},
                          {"w", "noun", ""},          {"a\\b", "noun", "backslash"},
                          {"w", "n)", "parenthesis"}, {"w", "noun", "two\nlines"},
                          {"w\xB3", "noun", "half"},  {"w", "", "empty part of speech"},
                          {"w", "noun", "\x8C\x9A"}};
    for (const Case& c : cases) {
        const int checked = ce().dicCheck(c.word, c.pos, c.translation);
        EXPECT_EQ(ce().dicCheck(c.word, c.pos, c.translation), checked) << "a check stores nothing";
        EXPECT_EQ(checked, ce().dicAdd(c.word, c.pos, c.translation))
            << c.word << "|" << c.translation;
    }
    ce().dicClose();
    EXPECT_EQ(ce().dicCheck("w", "noun", "fine"), 0) << "no open dictionary";

    // 8C 9A is a GBK character but no Big5 one: the Traditional engine refuses it.
    const std::string big5 = traditionalFolder();
    ASSERT_NE(ce().dicOpen(big5.c_str()), 0);
    EXPECT_EQ(ce().dicCheck("w", "noun", "\x8C\x9A"), 0);
    EXPECT_EQ(ce().dicCheck("w", "noun", "\xA6\x72"), 1);
    ce().dicClose();
    EXPECT_EQ(ceRetrieve(big5, "w"), "") << "a check stores nothing";
}

TEST_F(CeEngineTest, DicabortDropsEverythingSinceTheOpen)
{
    ceAdd(dir(), "w", "noun", "kept");
    const std::string before = ceRetrieve(dir(), "w");
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    ce().dicDelete("w");
    EXPECT_EQ(ce().dicAdd("w", "adj", "dropped"), 1);
    EXPECT_EQ(ce().dicAdd("v", "adj", "dropped"), 1);
    EXPECT_EQ(ce().dicAbort(), 1);
    EXPECT_EQ(ce().dicAbort(), 0) << "nothing open any more";
    EXPECT_EQ(ce().dicAdd("v", "adj", "after the abort"), 0);
    EXPECT_EQ(ceRetrieve(dir(), "w"), before);
    EXPECT_EQ(ceRetrieve(dir(), "v"), "");
    // The next open works as ever and commits at its close.
    ceAdd(dir(), "v", "adj", "later");
    EXPECT_EQ(ceRetrieve(dir(), "v"), "(" + Gbk(u"形容词") + ") later");
    EXPECT_EQ(QueryFile(dir() + "UserCe.ext", "PRAGMA integrity_check"), "ok");
}

TEST_F(CeEngineTest, ExportWritesOneEngineLinePerSenseGroupedByWord)
{
    const std::string xu = Big5(u"許多"); // 許 is 0xB3 0x5C: a trail byte that is a backslash
    ASSERT_EQ(xu.substr(0, 2), "\xB3\x5C");
    ceAdd(traditionalFolder(), xu, "adj", "many");
    ceAdd(traditionalFolder(), "b", "vt", "read\\it");
    ceAdd(traditionalFolder(), "a", "noun", "first");
    ceAdd(traditionalFolder(), "b", "noun", "second");

    // An existing name is refused and left as it is: the caller picks a free one.
    const std::string out = root() + "/ce.txt.tmp";
    WriteFile(out, "a file of someone else");
    ASSERT_NE(ce().dicOpen(traditionalFolder().c_str()), 0);
    EXPECT_EQ(ce().dicExport(out.c_str()), 0);
    EXPECT_EQ(ReadFile(out), "a file of someone else");
    std::filesystem::remove(out);
    EXPECT_EQ(ce().dicExport(out.c_str()), 1);
    ce().dicClose();
    EXPECT_EQ(ReadFile(out), "noun\\a\\first\\\r\n"
                             "vt\\b\\read\\it\\\r\n"
                             "noun\\b\\second\\\r\n"
                             "adj\\" +
                                 xu + "\\many\\\r\n");
}

// "word:translation" of every line of an export file, as hexadecimal bytes (the words and
// translations of the test hold no 0x5C byte).
std::string ExportedSenses(const std::string& text)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\\\r\n", at)) != std::string::npos; at = end + 3) {
        const std::string line = text.substr(at, end - at);
        const std::size_t first = line.find('\\');
        const std::size_t second = line.find('\\', first + 1);
        out += (out.empty() ? "" : ",") + Hex(line.substr(first + 1, second - first - 1)) + ":" +
               Hex(line.substr(second + 1));
    }
    return out;
}

TEST_F(CeEngineTest, ExportKeepsTheIndexOrderWhateverOrderSensesCameIn)
{
    // Words sharing their first eight bytes and more, one the beginning of another, single
    // bytes below and above the double-byte ones; the senses of a word added in three rounds
    // between those of other words.
    const std::string guo = Gbk(u"国"), ji = Gbk(u"际");
    const std::string guoji = guo + ji;
    std::vector<std::string> words{"a",   "ab",          guo,
                                   guoji, guoji + guoji, guoji + guoji + guo,
                                   "z",   guo + "a",     guoji + guoji + guoji};
    std::mt19937 rng(11);
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    for (int round = 0; round < 3; ++round) {
        std::shuffle(words.begin(), words.end(), rng);
        for (const std::string& word : words) {
            const std::string translation = "sense " + std::to_string(round);
            ASSERT_EQ(ce().dicAdd(word.c_str(), "noun", translation.c_str()), 1);
        }
    }
    ASSERT_EQ(ce().dicClose(), 1);

    const std::string file = dir() + "UserCe.ext";
    const std::string indexOrder = "SELECT group_concat(hex(word) || ':' || hex(translation), ',')"
                                   " FROM (SELECT word, translation FROM sense ORDER BY word, id)";
    const std::string out = root() + "/order.txt.tmp";
    const auto exported = [&] {
        std::filesystem::remove(out);
        EXPECT_NE(ce().dicOpen(dir().c_str()), 0);
        EXPECT_EQ(ce().dicExport(out.c_str()), 1);
        ce().dicClose();
        return ExportedSenses(ReadFile(out));
    };
    EXPECT_EQ(exported(), QueryFile(file, indexOrder));

    // A word stored as text by another program sorts before every blob in the index; the
    // export still gives the index order.
    ASSERT_TRUE(ExecFile(file, "UPDATE sense SET word = CAST(word AS TEXT)"
                               " WHERE word = CAST('z' AS BLOB)"));
    ASSERT_EQ(QueryFile(file, indexOrder).substr(0, 3), "7A:");
    EXPECT_EQ(exported(), QueryFile(file, indexOrder));
}

TEST_F(CeEngineTest, ExportNeedsAnOpenDictionary)
{
    const std::string out = root() + "/closed.txt.tmp";
    EXPECT_EQ(ce().dicExport(out.c_str()), 0);
    EXPECT_FALSE(Exists(out));
}

TEST_F(CeEngineTest, DiccreateMakesTheNewFileTheDictionaryOfTheFolderUntilUnload)
{
    ceAdd(dir(), "old", "noun", "in UserCe.ext");
    const std::string created = root() + "/UserceMed.ext";
    ASSERT_EQ(ce().dicCreate(dir().c_str(), created.c_str()), 1);
    EXPECT_EQ(QueryFile(created, "SELECT count(*) FROM sense"), "0");

    EXPECT_EQ(ceRetrieve(dir(), "old"), "");
    ceAdd(dir(), "new", "noun", "in the created file");
    EXPECT_EQ(QueryFile(created, "SELECT count(*) FROM sense"), "1");

    reloadEngines();
    EXPECT_EQ(ceRetrieve(dir(), "new"), "");
    EXPECT_EQ(ceRetrieve(dir(), "old"), "(" + Gbk(u"名词") + ") in UserCe.ext");
}

TEST_F(CeEngineTest, DicresetEndsTheRedirectOfDiccreate)
{
    ASSERT_NE(ce().dicReset, nullptr); // exported by the built library
    ceAdd(dir(), "old", "noun", "in UserCe.ext");
    const std::string created = root() + "/UserceLaw.ext";
    const std::string noSlash = dir().substr(0, dir().size() - 1);
    ASSERT_EQ(ce().dicCreate(noSlash.c_str(), created.c_str()), 1);
    ceAdd(dir(), "new", "noun", "in the created file");
    ASSERT_EQ(QueryFile(created, "SELECT count(*) FROM sense"), "1");

    // The folder named with its separator ends the redirect made without it.
    EXPECT_EQ(ce().dicReset(dir().c_str()), 1);
    EXPECT_EQ(ceRetrieve(dir(), "old"), "(" + Gbk(u"名词") + ") in UserCe.ext");
    EXPECT_EQ(ceRetrieve(dir(), "new"), "");
    ceAdd(dir(), "after", "noun", "reset");
    EXPECT_EQ(QueryFile(created, "SELECT count(*) FROM sense"), "1");

    // Nothing to end answers 1 as well; only a bad argument answers 0.
    EXPECT_EQ(ce().dicReset(dir().c_str()), 1);
    EXPECT_EQ(ce().dicReset(traditionalFolder().c_str()), 1);
    EXPECT_EQ(ce().dicReset(nullptr), 0);
    EXPECT_EQ(ce().dicReset(""), 0);
    char unterminated[300];
    std::memset(unterminated, 'd', sizeof unterminated);
    EXPECT_EQ(ce().dicReset(unterminated), 0);

    // A dictionary open at the reset stays the open one until dicclose.
    ASSERT_EQ(ce().dicCreate(dir().c_str(), (root() + "/UserceTwo.ext").c_str()), 1);
    ASSERT_NE(ce().dicOpen(dir().c_str()), 0);
    EXPECT_EQ(ce().dicReset(dir().c_str()), 1);
    EXPECT_EQ(ce().dicAdd("two", "noun", "t"), 1);
    EXPECT_EQ(ce().dicClose(), 1);
    EXPECT_EQ(QueryFile(root() + "/UserceTwo.ext", "SELECT count(*) FROM sense"), "1");
    EXPECT_EQ(ceRetrieve(dir(), "two"), "");
}

TEST_F(CeEngineTest, DiccreateRefusesAnExistingFileAndAnImpossiblePath)
{
    const std::string existing = root() + "/Usercetaken.ext";
    WriteFile(existing, "someone's file");
    EXPECT_EQ(ce().dicCreate(dir().c_str(), existing.c_str()), 0);
    EXPECT_EQ(ReadFile(existing), "someone's file");
    const std::string impossible = root() + "/no/such/folder/Usercex.ext";
    EXPECT_EQ(ce().dicCreate(dir().c_str(), impossible.c_str()), 0);
    EXPECT_EQ(ce().dicCreate(dir().c_str(), nullptr), 0);
    // A refused creation redirects nothing.
    ceAdd(dir(), "w", "noun", "t");
    EXPECT_EQ(QueryFile(dir() + "UserCe.ext", "SELECT count(*) FROM sense"), "1");
}

TEST_F(CeEngineTest, ANewDictionaryIgnoresALogLeftByAnotherFile)
{
    ceAdd(dir(), "w", "noun", "t");
    const std::string log = ReadFile(dir() + "UserCe.ext-wal");
    ASSERT_FALSE(log.empty());
    reloadEngines();
    std::filesystem::remove(dir() + "UserCe.ext");
    WriteFile(dir() + "UserCe.ext-wal", log);
    EXPECT_EQ(ceRetrieve(dir(), "w"), "");
    EXPECT_EQ(QueryFile(dir() + "UserCe.ext", "PRAGMA integrity_check"), "ok");
}

} // namespace
} // namespace kelvara
