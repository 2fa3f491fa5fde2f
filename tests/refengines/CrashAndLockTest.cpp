// Two processes on one dictionary: a kill in the middle of an import keeps every committed
// entry and a consistent file; a write waits for another process's write lock.

#include "EngineFixture.h"
#include "Worker.h"

#include <chrono>
#include <cstdlib>

namespace kelvara {
namespace {

/// Kills the worker once it has committed `atLeast` times; the last index it committed.
long killDuringImport(Worker& worker, long atLeast)
{
    long last = -1;
    for (std::string line; (line = worker.readLine()).rfind("committed ", 0) == 0;) {
        last = std::stol(line.substr(10));
        if (last >= atLeast)
            break;
    }
    worker.kill();
    // Lines written before the kill are still in the pipe.
    for (std::string line; (line = worker.readLine()).rfind("committed ", 0) == 0;)
        last = std::stol(line.substr(10));
    return last;
}

class CrashAndLockTest : public EngineTest
{
protected:
    void TearDown() override
    {
        ::unsetenv("KELVARA_ENGINE_BUSY_TIMEOUT_MS");
        EngineTest::TearDown();
    }
};

TEST_F(CrashAndLockTest, AKilledCeImportKeepsEveryCommittedEntry)
{
    Worker worker({"ce-import", simplifiedFolder()});
    ASSERT_TRUE(worker.started());
    const long last = killDuringImport(worker, 1500);
    ASSERT_GE(last, 1500);

    const std::string file = simplifiedFolder() + "UserCe.ext";
    EXPECT_EQ(QueryFile(file, "PRAGMA integrity_check"), "ok");
    const long stored = std::stol(QueryFile(file, "SELECT count(*) FROM sense"));
    EXPECT_GE(stored, last + 1);
    EXPECT_LE(stored, last + 2); // at most the one the kill interrupted after its commit
    for (long i = 0; i <= last; i += 97)
        EXPECT_EQ(ceRetrieve(simplifiedFolder(), "w" + std::to_string(i)),
                  "(" + Gbk(u"名词") + ") translation")
            << i;
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "w" + std::to_string(last)),
              "(" + Gbk(u"名词") + ") translation");
    ceAdd(simplifiedFolder(), "after", "noun", "the crash");
    EXPECT_NE(ceRetrieve(simplifiedFolder(), "after"), "");
}

TEST_F(CrashAndLockTest, AKilledEcImportKeepsEveryCommittedImportWhole)
{
    const std::string base = simplifiedFolder() + "UserS";
    Worker worker({"ec-import", base, "250"});
    ASSERT_TRUE(worker.started());
    const long last = killDuringImport(worker, 2000);
    ASSERT_GE(last, 2000);

    EXPECT_EQ(QueryFile(base + ".key", "PRAGMA integrity_check"), "ok");
    const long stored = std::stol(QueryFile(base + ".key", "SELECT count(*) FROM entry"));
    // Each import commits whole at its close: nothing of the interrupted one, or all of it.
    EXPECT_TRUE(stored == last + 1 || stored == last + 251) << stored << " after " << last;
    for (long i = 0; i <= last; i += 101)
        EXPECT_EQ(ecFind(base, "w" + std::to_string(i)).size(), 1u) << i;
    EXPECT_EQ(ecFind(base, "w" + std::to_string(last)).size(), 1u);
}

TEST_F(CrashAndLockTest, AWriteWaitsForAnotherProcessWritingTheDictionary)
{
    const std::string base = simplifiedFolder() + "UserS";
    ASSERT_EQ(ecWrite(base, 'A', "mine", 0, "x"), 1);
    Worker worker({"ec-hold", base, "400"});
    ASSERT_TRUE(worker.started());
    ASSERT_EQ(worker.readLine(), "locked");
    // The open takes no lock, so a Find goes ahead while the worker writes.
    ASSERT_EQ(ec().openCstmRw(base.c_str()), 1);
    char word[256] = "mine";
    char target[256] = {};
    unsigned char pos = 0;
    EXPECT_EQ(ec().searchWord(word, &pos, target), 1);
    ec().closeCstmRw();
    // A write waits on the busy timeout (5 s) until the worker commits, then goes ahead.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ec().openCstmRw(base.c_str()), 1);
    EXPECT_EQ(ec().modifyWord('A', "after", 0, "y"), 1);
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(ec().closeCstmRw(), 1);
    EXPECT_EQ(worker.readLine(), "released");
    worker.wait();
    EXPECT_EQ(ecFind(base, "held").size(), 1u);
    EXPECT_EQ(ecFind(base, "after").size(), 1u);
}

TEST_F(CrashAndLockTest, AWriteGivesUpAfterTheBusyTimeoutAndTheFileStaysWhole)
{
    ::setenv("KELVARA_ENGINE_BUSY_TIMEOUT_MS", "200", 1);
    reloadEngines(); // connections read the timeout when they open
    ceAdd(simplifiedFolder(), "mine", "noun", "x");
    reloadEngines();
    Worker worker({"ce-hold", simplifiedFolder(), "20000"});
    ASSERT_TRUE(worker.started());
    ASSERT_EQ(worker.readLine(), "locked");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
    EXPECT_EQ(ce().dicAdd("refused", "noun", "y"), 0);
    // The open is spoilt: a further write does not wait again, and the close says so.
    EXPECT_EQ(ce().dicAdd("also", "noun", "y"), 0);
    EXPECT_EQ(ce().dicClose(), 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(200));
    EXPECT_LT(waited, std::chrono::seconds(5));
    worker.kill();
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "mine"), "(" + Gbk(u"名词") + ") x");
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "held"), "");
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "refused"), "");
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "also"), "");
    EXPECT_EQ(QueryFile(simplifiedFolder() + "UserCe.ext", "PRAGMA integrity_check"), "ok");
}

} // namespace
} // namespace kelvara
