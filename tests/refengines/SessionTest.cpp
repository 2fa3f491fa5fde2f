// One open of a dictionary as a session: the reads of an open see one state of the file, a
// write never rests on reads that another writer made out of date, never goes to a file that
// was replaced, and a commit that fails at close stores nothing of the open.

#include "EngineFixture.h"

#include <sqlite3.h>

#include <filesystem>
#include <sys/mount.h>

namespace kelvara {
namespace {

/// Runs statements on the file through a connection of its own, as another program would.
bool WriteAsAnotherProgram(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    const bool ok =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close_v2(db);
    return ok;
}

class SessionTest : public EngineTest
{
protected:
    std::string base() const { return simplifiedFolder() + "UserS"; }
    std::string ceFile() const { return simplifiedFolder() + "UserCe.ext"; }
};

TEST_F(SessionTest, AWriteAfterReadsThatAnotherCommitOutdatedIsRefused)
{
    ASSERT_EQ(ecWrite(base(), 'A', "seen", 0, "x"), 1);
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    char word[256] = "seen";
    char target[256] = {};
    unsigned char pos = 0;
    ASSERT_EQ(ec().searchWord(word, &pos, target), 1);
    ASSERT_TRUE(WriteAsAnotherProgram(
        base() + ".key", "INSERT INTO entry(source, fold, pos, target) VALUES(CAST('o' AS BLOB), "
                         "CAST('o' AS BLOB), 0, CAST('t' AS BLOB))"));
    EXPECT_EQ(ec().modifyWord('M', "seen", 0, "rests on an old read"), 0);
    EXPECT_EQ(ec().modifyWord('A', "later", 0, "y"), 0);
    EXPECT_EQ(ec().closeCstmRw(), 0);
    ASSERT_EQ(ecFind(base(), "seen").size(), 1u);
    EXPECT_EQ(ecFind(base(), "seen")[0].target, "x");
    EXPECT_TRUE(ecFind(base(), "later").empty());
    EXPECT_EQ(ecFind(base(), "o").size(), 1u);

    // The same for C-E, whose save reads the stored senses before it rewrites them.
    ceAdd(simplifiedFolder(), "seen", "noun", "x");
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    const char* senses = nullptr;
    ASSERT_EQ(ce().dicRetrieve("seen", &senses), 2);
    ASSERT_TRUE(WriteAsAnotherProgram(
        ceFile(), "INSERT INTO sense(word, pos, translation) VALUES('o', 'noun', 't')"));
    EXPECT_EQ(ce().dicDelete("seen"), 0);
    EXPECT_EQ(ce().dicClose(), 0);
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "seen"), "(" + Gbk(u"名词") + ") x");

    // Without reads first, the open writes on the newest state.
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    ASSERT_TRUE(WriteAsAnotherProgram(
        ceFile(), "INSERT INTO sense(word, pos, translation) VALUES('p', 'noun', 't')"));
    EXPECT_EQ(ce().dicDelete("seen"), 1);
    EXPECT_EQ(ce().dicClose(), 1);
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "seen"), "");
    EXPECT_EQ(QueryFile(ceFile(), "SELECT count(*) FROM sense"), "2");
}

TEST_F(SessionTest, AReplacedFileIsNoticedBeforeTheNextWrite)
{
    ceAdd(simplifiedFolder(), "old", "noun", "x");
    const std::string other = simplifiedFolder() + "other.ext";
    std::filesystem::copy_file(ceFile(), other);
    ASSERT_TRUE(WriteAsAnotherProgram(other, "DELETE FROM sense"));
    ASSERT_TRUE(WriteAsAnotherProgram(ceFile(), "PRAGMA wal_checkpoint(TRUNCATE)"));
    std::filesystem::rename(other, ceFile());
    std::filesystem::remove(ceFile() + "-wal");
    std::filesystem::remove(ceFile() + "-shm");

    // Straight after the replacement: an open that writes first moves to the new file.
    ceAdd(simplifiedFolder(), "new", "noun", "y");
    EXPECT_EQ(QueryFile(ceFile(), "SELECT count(*) FROM sense WHERE word = CAST('new' AS BLOB)"),
              "1");
    EXPECT_EQ(QueryFile(ceFile(), "SELECT count(*) FROM sense WHERE word = CAST('old' AS BLOB)"),
              "0");

    // An open that read the replaced file first refuses the write instead.
    const std::string again = simplifiedFolder() + "again.ext";
    std::filesystem::copy_file(ceFile(), again);
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    std::filesystem::rename(again, ceFile());
    const char* senses = nullptr;
    ce().dicRetrieve("new", &senses);
    EXPECT_EQ(ce().dicAdd("lost", "noun", "z"), 0);
    EXPECT_EQ(ce().dicClose(), 0);
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "lost"), "");
    ceAdd(simplifiedFolder(), "kept", "noun", "z");
    EXPECT_EQ(QueryFile(ceFile(), "SELECT count(*) FROM sense WHERE word = CAST('kept' AS BLOB)"),
              "1");
}

// A small file system that the test fills, so that a commit meets a full disk.
class FullDiskTest : public EngineTest
{
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        m_mount = root() + "/small";
        std::filesystem::create_directories(m_mount);
        if (::mount("tmpfs", m_mount.c_str(), "tmpfs", 0, "size=1m") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs the right to mount)";
        m_mounted = true;
        std::filesystem::create_directories(folder());
    }
    void TearDown() override
    {
        reloadEngines();
        if (m_mounted)
            ::umount2(m_mount.c_str(), MNT_DETACH);
        EngineTest::TearDown();
    }

    std::string folder() const { return m_mount + "/ArticleS/"; }

    // Takes the free space but a few kilobytes.
    void fill()
    {
        std::FILE* f = std::fopen((m_mount + "/filler").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string block(1024, 'f');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size() &&
               std::fflush(f) == 0) {
        }
        std::fclose(f);
        std::filesystem::resize_file(m_mount + "/filler",
                                     std::filesystem::file_size(m_mount + "/filler") - 8 * 1024);
    }
    void unfill() { std::filesystem::remove(m_mount + "/filler"); }

private:
    std::string m_mount;
    bool m_mounted = false;
};

TEST_F(FullDiskTest, ACommitThatFailsAtCloseAnswersZeroAndKeepsNothingOfTheOpen)
{
    const std::string base = folder() + "UserS";
    ASSERT_EQ(ecWrite(base, 'A', "before", 0, "x"), 1);
    ceAdd(folder(), "before", "noun", "x");
    fill();

    const std::string longText(120, 't'); // fits the C-E buffer of 128 bytes
    ASSERT_EQ(ec().openCstmRw(base.c_str()), 1);
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(ec().modifyWord('A', ("w" + std::to_string(i)).c_str(), 0, longText.c_str()), 1);
    EXPECT_EQ(ec().closeCstmRw(), 0);

    ASSERT_NE(ce().dicOpen(folder().c_str()), 0);
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(ce().dicAdd(("w" + std::to_string(i)).c_str(), "noun", longText.c_str()), 1);
    EXPECT_EQ(ce().dicClose(), 0);

    unfill();
    reloadEngines();
    EXPECT_EQ(QueryFile(base + ".key", "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QueryFile(base + ".key", "SELECT count(*) FROM entry"), "1");
    EXPECT_EQ(QueryFile(folder() + "UserCe.ext", "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QueryFile(folder() + "UserCe.ext", "SELECT count(*) FROM sense"), "1");
    // With room again the same writes are stored.
    EXPECT_EQ(ecWrite(base, 'A', "w0", 0, longText), 1);
    EXPECT_EQ(ecFind(base, "w0").size(), 1u);
}

} // namespace
} // namespace kelvara
