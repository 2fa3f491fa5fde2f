// A backup copied over a dictionary while an engine keeps its connection to it (same inode,
// so nothing but the content, size, time and header tells): the restore stands, later saves
// land on it, and the log the engine wrote for the old content is never replayed over it,
// neither at the next open nor when the library unloads.

#include "EngineFixture.h"
#include "Worker.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

namespace kelvara {
namespace {

using namespace std::chrono_literals;

ino_t InodeOf(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

/// Writes the backup's bytes into the file itself, as `cp backup file` does: same inode.
void CopyOver(const std::string& backup, const std::string& file)
{
    const ino_t before = InodeOf(file);
    WriteFile(file, ReadFile(backup));
    ASSERT_EQ(InodeOf(file), before) << "the restore must keep the inode";
}

class RestoreInPlaceTest : public EngineTest
{
protected:
    std::string base() const { return simplifiedFolder() + "UserS"; }
    std::string file() const { return base() + ".key"; }
    std::string backup() const { return root() + "/backup.key"; }
    std::string ceFile() const { return simplifiedFolder() + "UserCe.ext"; }

    // A dictionary holding "kept", folded into its file, and its backup; then "later" is
    // saved into the live log, which the backup lacks.
    void backUpThenSaveMore()
    {
        ASSERT_EQ(ecWrite(base(), 'A', "kept", 0, "in the backup"), 1);
        reloadEngines();
        std::filesystem::copy_file(file(), backup());
        ASSERT_EQ(ecWrite(base(), 'A', "later", 0, "not in the backup"), 1);
        ASSERT_EQ(ecFind(base(), "later").size(), 1u);
        ASSERT_GT(std::filesystem::file_size(file() + "-wal"), 0u);
    }

    // What the file holds once every engine let it go.
    std::string storedSources()
    {
        reloadEngines();
        EXPECT_EQ(QueryFile(file(), "PRAGMA integrity_check"), "ok");
        return QueryFile(file(), "SELECT group_concat(CAST(source AS TEXT), ',') FROM "
                                 "(SELECT source FROM entry ORDER BY fold)");
    }

    // Longer than the time an open trusts its last look at the file.
    static void letTimePass() { std::this_thread::sleep_for(250ms); }
};

TEST_F(RestoreInPlaceTest, AWriteRightAfterTheRestoreLandsOnTheRestoredFile)
{
    backUpThenSaveMore();
    CopyOver(backup(), file());
    // At once, within the time an open trusts the file: the write looks again.
    EXPECT_EQ(ecWrite(base(), 'A', "after", 0, "saved on the restore"), 1);
    EXPECT_TRUE(ecFind(base(), "later").empty());
    EXPECT_EQ(ecFind(base(), "after").size(), 1u);
    EXPECT_EQ(storedSources(), "after,kept");
}

TEST_F(RestoreInPlaceTest, AFindAfterTheRestoreReadsTheRestoredFile)
{
    backUpThenSaveMore();
    CopyOver(backup(), file());
    letTimePass();
    EXPECT_TRUE(ecFind(base(), "later").empty());
    EXPECT_EQ(ecFind(base(), "kept").size(), 1u);
    EXPECT_EQ(storedSources(), "kept");
}

TEST_F(RestoreInPlaceTest, UnloadingAfterTheRestoreDoesNotWriteTheOldLogBack)
{
    // The program ends without another open: the close that folds the log into the file must
    // not run on the restored content.
    backUpThenSaveMore();
    CopyOver(backup(), file());
    EXPECT_EQ(storedSources(), "kept");
}

TEST_F(RestoreInPlaceTest, ARestoreKeepingSizeAndTimeIsToldByTheHeader)
{
    // The backup holds pages the live file has since freed: same size, another header (free
    // list, change counter). The restore then puts the old modification time back, as a
    // copy that keeps times does.
    const std::string longText(200, 't');
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(ec().modifyWord('A', ("w" + std::to_string(i)).c_str(), 0, longText.c_str()), 1);
    ASSERT_EQ(ec().closeCstmRw(), 1);
    reloadEngines();
    std::filesystem::copy_file(file(), backup());
    ASSERT_EQ(ec().openCstmRw(base().c_str()), 1);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(ec().modifyWord('D', ("w" + std::to_string(i)).c_str(), 0, ""), 1);
    ASSERT_EQ(ec().closeCstmRw(), 1);
    reloadEngines();
    ASSERT_EQ(std::filesystem::file_size(file()), std::filesystem::file_size(backup()));
    ASSERT_NE(ReadFile(file()).substr(0, 100), ReadFile(backup()).substr(0, 100));
    ASSERT_EQ(ecWrite(base(), 'A', "later", 0, "z"), 1);

    struct stat live
    {
    };
    ASSERT_EQ(::stat(file().c_str(), &live), 0);
    CopyOver(backup(), file());
    const timespec times[2] = {live.st_atim, live.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file().c_str(), times, 0), 0);
    EXPECT_EQ(ecWrite(base(), 'A', "after", 0, "w"), 1);
    reloadEngines();
    EXPECT_EQ(QueryFile(file(), "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QueryFile(file(), "SELECT count(*) FROM entry"), "301");
    EXPECT_EQ(QueryFile(file(), "SELECT count(*) FROM entry WHERE source = CAST('w0' AS BLOB)"),
              "1");
    EXPECT_EQ(QueryFile(file(), "SELECT count(*) FROM entry WHERE source = CAST('later' AS BLOB)"),
              "0");
}

TEST_F(RestoreInPlaceTest, CeSaveAfterTheRestoreRewritesTheRestoredWord)
{
    ceAdd(simplifiedFolder(), "w", "noun", "backed up");
    reloadEngines();
    std::filesystem::copy_file(ceFile(), backup());
    ceAdd(simplifiedFolder(), "w", "noun", "added after the backup");
    ceAdd(simplifiedFolder(), "gone", "noun", "added after the backup");
    CopyOver(backup(), ceFile());
    letTimePass();

    // A C-E save as the utility makes it: read, delete, add back, close.
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    const char* senses = nullptr;
    EXPECT_EQ(ce().dicRetrieve("w", &senses), 2);
    EXPECT_EQ(std::string(senses), "(" + Gbk(u"名词") + ") backed up");
    EXPECT_EQ(ce().dicDelete("w"), 1);
    EXPECT_EQ(ce().dicAdd("w", "noun", "rewritten"), 1);
    EXPECT_EQ(ce().dicClose(), 1);
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "gone"), "");

    reloadEngines();
    EXPECT_EQ(QueryFile(ceFile(), "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QueryFile(ceFile(), "SELECT group_concat(CAST(word AS TEXT) || ':' || "
                                  "CAST(translation AS TEXT), ',') FROM sense"),
              "w:rewritten");
}

TEST_F(RestoreInPlaceTest, WritesOfOtherProgramsAreNoRestore)
{
    // Another SQLite program committing and copying the log into the file changes the file
    // too; the engine must go on with its connection and lose nothing of either.
    ASSERT_EQ(ecWrite(base(), 'A', "ours", 0, "x"), 1);
    ASSERT_TRUE(ExecFile(file(), "INSERT INTO entry(source, fold, pos, target) VALUES("
                                 "CAST('theirs' AS BLOB), CAST('theirs' AS BLOB), 0, "
                                 "CAST('y' AS BLOB)); PRAGMA wal_checkpoint(PASSIVE);"));
    letTimePass();
    EXPECT_EQ(ecFind(base(), "theirs").size(), 1u);
    EXPECT_EQ(ecWrite(base(), 'A', "ours again", 0, "z"), 1);
    EXPECT_EQ(storedSources(), "ours,ours again,theirs");
}

TEST_F(RestoreInPlaceTest, WhileAnotherProcessUsesTheOldLogTheDictionaryDoesNotOpen)
{
    backUpThenSaveMore();
    Worker other({"ec-linger", base(), "1500"});
    ASSERT_TRUE(other.started());
    ASSERT_EQ(other.readLine(), "connected");
    CopyOver(backup(), file());
    letTimePass();

    // The other process's connection still reads the old log over the restored file, so
    // the log cannot go yet; opening now would undo the restore.
    EXPECT_EQ(ec().openCstmRw(base().c_str()), 0);
    ec().closeCstmRw();
    EXPECT_EQ(other.readLine(), "unloaded");
    EXPECT_EQ(other.wait(), 0);

    EXPECT_TRUE(ecFind(base(), "later").empty());
    EXPECT_EQ(ecWrite(base(), 'A', "after", 0, "saved on the restore"), 1);
    EXPECT_EQ(storedSources(), "after,kept");
}

} // namespace
} // namespace kelvara
