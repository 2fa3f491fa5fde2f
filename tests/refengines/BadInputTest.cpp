// Both engines on bad input: null pointers, texts longer than their buffers, files that are
// not dictionaries. Each call fails with its failure result and leaves the file untouched.

#include "EngineFixture.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kelvara {
namespace {

class BadInputTest : public EngineTest
{
protected:
    std::string base() const { return simplifiedFolder() + "UserS"; }

    // A dictionary of several pages, folded into its file by an unload.
    void makeLargeEcDictionary()
    {
        ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ(ec().modifyWord('A', ("word" + std::to_string(i)).c_str(), 0,
                                      "a translation long enough to fill pages"),
                      1);
        ec().closeCstmRw();
        reloadEngines();
        ASSERT_FALSE(Exists(base() + ".key-wal"));
    }

    void expectEcRefuses(const std::string& bytes)
    {
        WriteFile(base() + ".key", bytes);
        EXPECT_EQ(ec().openCstmRw(base().c_str()), 0);
        ec().closeCstmRw();
        EXPECT_EQ(ReadFile(base() + ".key"), bytes);
        EXPECT_FALSE(Exists(base() + ".key-wal"));
        EXPECT_FALSE(Exists(base() + ".key-shm"));
    }
};

TEST_F(BadInputTest, NullPointersFailEveryEntryPoint)
{
    unsigned char pos = 0;
    char text[256] = "x";
    EXPECT_EQ(ec().openCstmRw(nullptr), 0);
    EXPECT_EQ(ec().closeCstmRw(), 0);
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    EXPECT_EQ(ec().searchWord(nullptr, &pos, text), 0);
    EXPECT_EQ(ec().searchWord(text, nullptr, text), 0);
    EXPECT_EQ(ec().searchWord(text, &pos, nullptr), 0);
    EXPECT_EQ(ec().getNextWord(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(ec().modifyWord('A', nullptr, 0, "t"), 0);
    EXPECT_EQ(ec().modifyWord('A', "s", 0, nullptr), 0);
    EXPECT_EQ(ec().modifyWord('D', nullptr, 0, nullptr), 0);
    ec().closeCstmRw();
    EXPECT_EQ(ec().getAllWordsToFile(nullptr, base().c_str()), 0);
    EXPECT_EQ(ec().getAllWordsToFile((root() + "/x").c_str(), nullptr), 0);

    EXPECT_EQ(ce().dicOpen(nullptr), 0);
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    const char* senses = "untouched";
    EXPECT_EQ(ce().dicRetrieve(nullptr, &senses), 0);
    ASSERT_NE(senses, nullptr); // set on every call, never to null
    EXPECT_STREQ(senses, "");
    EXPECT_EQ(ce().dicRetrieve("w", nullptr), 0);
    EXPECT_EQ(ce().dicDelete(nullptr), 0);
    EXPECT_EQ(ce().dicAdd(nullptr, "noun", "t"), 0);
    EXPECT_EQ(ce().dicAdd("w", nullptr, "t"), 0);
    EXPECT_EQ(ce().dicAdd("w", "noun", nullptr), 0);
    EXPECT_EQ(ce().dicExport(nullptr), 0);
    ce().dicClose();
}

TEST_F(BadInputTest, CallsOutsideAnOpenDictionaryFail)
{
    unsigned char pos = 0;
    char word[256] = "x";
    char text[256] = {};
    EXPECT_EQ(ec().searchWord(word, &pos, text), 0);
    EXPECT_EQ(ec().modifyWord('A', "s", 0, "t"), 0);
    const char* senses = nullptr;
    EXPECT_EQ(ce().dicRetrieve("w", &senses), 0);
    EXPECT_EQ(ce().dicAdd("w", "noun", "t"), 0);
    EXPECT_EQ(ce().dicDelete("w"), 0);
    EXPECT_EQ(ce().dicClose(), 0);
    EXPECT_FALSE(Exists(simplifiedFolder() + "UserCe.ext"));
}

TEST_F(BadInputTest, TextsLongerThanTheirBuffersAreRefusedWhole)
{
    // No terminator within the interface's buffer sizes: 256 for E-C, 128 and 16 for C-E.
    const std::string ecLong(400, 'a');
    const std::string ecFits(255, 'a');
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    char word[400];
    std::memset(word, 'a', sizeof word);
    unsigned char pos = 0;
    char text[256];
    EXPECT_EQ(ec().searchWord(word, &pos, text), 0);
    EXPECT_EQ(ec().modifyWord('A', ecLong.c_str(), 0, "t"), 0);
    EXPECT_EQ(ec().modifyWord('A', "s", 0, ecLong.c_str()), 0);
    EXPECT_EQ(ec().modifyWord('A', ecFits.c_str(), 0, ecFits.c_str()), 1);
    ec().closeCstmRw();
    EXPECT_EQ(ec().openCstmRw((simplifiedFolder() + ecLong).c_str()), 0);

    const std::string ceLong(128, 'w');
    const std::string ceFits(127, 'w');
    const std::string posLong(16, 'p');
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    const char* senses = nullptr;
    EXPECT_EQ(ce().dicRetrieve(ceLong.c_str(), &senses), 0);
    EXPECT_EQ(ce().dicAdd(ceLong.c_str(), "noun", "t"), 0);
    EXPECT_EQ(ce().dicAdd("w", posLong.c_str(), "t"), 0);
    EXPECT_EQ(ce().dicAdd("w", "noun", ceLong.c_str()), 0);
    EXPECT_EQ(ce().dicAdd(ceFits.c_str(), std::string(15, 'p').c_str(), ceFits.c_str()), 1);
    ce().dicClose();
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), ceFits), "(" + std::string(15, 'p') + ") " + ceFits);
    EXPECT_EQ(ce().dicOpen((simplifiedFolder() + std::string(300, 'd')).c_str()), 0);
}

TEST_F(BadInputTest, AFileThatIsNoDictionaryIsRefusedAndLeftAlone)
{
    expectEcRefuses("");
    expectEcRefuses("just some text that a user saved under this name\r\n");
    expectEcRefuses(std::string("SQLite format 3\0", 16) + std::string(200, '\x01'));
}

TEST_F(BadInputTest, AnotherSqliteDatabaseIsRefusedAndLeftAlone)
{
    const std::string path = base() + ".key";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db,
                     "PRAGMA journal_mode=WAL; CREATE TABLE entry(x); INSERT INTO entry VALUES(1);",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(db);
    const std::string before = ReadFile(path);
    EXPECT_EQ(ec().openCstmRw(base().c_str()), 0);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_FALSE(Exists(path + "-shm"));

    // A C-E dictionary is no E-C dictionary either, and the other way round.
    ceAdd(simplifiedFolder(), "w", "noun", "t");
    reloadEngines();
    std::filesystem::copy_file(simplifiedFolder() + "UserCe.ext",
                               simplifiedFolder() + "UserecCe.key");
    EXPECT_EQ(ec().openCstmRw((simplifiedFolder() + "UserecCe").c_str()), 0);
    std::filesystem::copy_file(path, traditionalFolder() + "UserCe.ext");
    EXPECT_EQ(ce().dicOpen(traditionalFolder().c_str()), 0);
}

TEST_F(BadInputTest, EveryRefusedDatabaseStaysByteForByteAsItWas)
{
    // Files that carry our marks, or nearly, on something else. Each is made in both journal
    // modes, since SQLite would switch a rollback-journal file to WAL on its first open.
    const std::string ecId = std::to_string(0x4B764563);
    const std::string ceId = std::to_string(0x4B764365);
    const std::string ecTable = "CREATE TABLE entry(id INTEGER PRIMARY KEY, source BLOB NOT NULL,"
                                " fold BLOB NOT NULL, pos INTEGER NOT NULL, target BLOB NOT NULL);";
    const struct
    {
        const char* what;
        std::string sql;
    } cases[] = {
        {"our marks on other tables", "PRAGMA application_id=" + ecId +
                                          "; PRAGMA user_version=1; CREATE TABLE t(x);"
                                          " INSERT INTO t VALUES(1);"},
        {"our marks on our table without its index",
         "PRAGMA application_id=" + ecId + "; PRAGMA user_version=1; " + ecTable},
        {"another schema version", "PRAGMA application_id=" + ecId + "; PRAGMA user_version=2;"},
        {"the marks of the other kind",
         "PRAGMA application_id=" + ceId + "; PRAGMA user_version=1; CREATE TABLE t(x);"},
        {"no marks", "CREATE TABLE entry(x); INSERT INTO entry VALUES(1);"},
    };
    const std::string path = base() + ".key";
    for (const auto& c : cases) {
        for (const char* mode : {"DELETE", "WAL"}) {
            std::filesystem::remove(path);
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
            const std::string sql = "PRAGMA journal_mode=" + std::string(mode) + "; " + c.sql;
            ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
                << c.what;
            sqlite3_close(db);
            ASSERT_FALSE(Exists(path + "-wal"));
            const std::string before = ReadFile(path);

            EXPECT_EQ(ec().openCstmRw(base().c_str()), 0) << c.what << ", " << mode;
            EXPECT_EQ(ec().modifyWord('A', "w", 0, "t"), 0);
            ec().closeCstmRw();
            EXPECT_EQ(ec().getAllWordsToFile((root() + "/out.txt").c_str(), base().c_str()), 0);
            EXPECT_EQ(ReadFile(path), before) << c.what << ", " << mode;
            for (const char* companion : {"-wal", "-shm", "-journal"})
                EXPECT_FALSE(Exists(path + companion)) << c.what << ", " << mode;
        }
    }
    // The C-E engine goes through the same checks.
    const std::string ceFile = simplifiedFolder() + "UserCe.ext";
    std::filesystem::copy_file(path, ceFile);
    const std::string before = ReadFile(ceFile);
    EXPECT_EQ(ce().dicOpen(simplifiedFolder().c_str()), 0);
    EXPECT_EQ(ReadFile(ceFile), before);
    EXPECT_FALSE(Exists(ceFile + "-wal"));
}

TEST_F(BadInputTest, ATruncatedDictionaryIsRefusedAndLeftAlone)
{
    makeLargeEcDictionary();
    const std::string whole = ReadFile(base() + ".key");
    ASSERT_GT(whole.size(), 8u * 4096u);
    expectEcRefuses(whole.substr(0, whole.size() / 2));        // on a page boundary
    expectEcRefuses(whole.substr(0, whole.size() / 2 + 1000)); // inside a page
    expectEcRefuses(whole.substr(0, 100));                     // the header alone
    WriteFile(base() + ".key", whole);
    EXPECT_EQ(ecFind(base(), "word1999").size(), 1u);
}

} // namespace
} // namespace kelvara
