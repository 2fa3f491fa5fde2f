// Two processes on one dictionary: a kill in the middle of an import keeps every committed
// entry and a consistent file; an open waits for another process's write lock.

#include "EngineFixture.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara::test {
namespace {

/// The worker program with its stdout on a pipe.
class Worker {
public:
    explicit Worker(const std::vector<std::string>& args)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::vector<std::string> all{KELVARA_ENGINE_WORKER};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, KELVARA_ENGINE_WORKER, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_out = ::fdopen(fds[0], "r");
    }
    ~Worker()
    {
        kill();
        if (m_out)
            std::fclose(m_out);
    }

    bool started() const { return m_pid > 0 && m_out; }

    /// The next line, without its end; "" at the end of the output.
    std::string readLine()
    {
        char line[256];
        if (!m_out || !std::fgets(line, sizeof line, m_out))
            return "";
        std::string s(line);
        if (!s.empty() && s.back() == '\n')
            s.pop_back();
        return s;
    }

    void kill()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            wait();
        }
    }

    int wait()
    {
        int status = 0;
        if (m_pid > 0)
            ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return status;
    }

private:
    pid_t m_pid = -1;
    std::FILE* m_out = nullptr;
};

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

class CrashAndLockTest : public EngineTest {
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
        EXPECT_EQ(ceRetrieve(simplifiedFolder(), "w" + std::to_string(i)), "(" + Gbk(u"名词") + ") translation")
            << i;
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "w" + std::to_string(last)), "(" + Gbk(u"名词") + ") translation");
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

TEST_F(CrashAndLockTest, AnOpenWaitsForAnotherProcessHoldingTheDictionary)
{
    const std::string base = simplifiedFolder() + "UserS";
    ASSERT_EQ(ecWrite(base, 'A', "mine", 0, "x"), 1);
    Worker worker({"ec-hold", base, "400"});
    ASSERT_TRUE(worker.started());
    ASSERT_EQ(worker.readLine(), "locked");
    // The open waits on the busy timeout (5 s) until the worker commits, then goes ahead.
    ASSERT_EQ(ec().openCstmRw(base.c_str()), 1);
    EXPECT_EQ(worker.readLine(), "released");
    EXPECT_EQ(ec().modifyWord('A', "after", 0, "y"), 1);
    ec().closeCstmRw();
    worker.wait();
    EXPECT_EQ(ecFind(base, "held").size(), 1u);
    EXPECT_EQ(ecFind(base, "after").size(), 1u);
}

TEST_F(CrashAndLockTest, AnOpenGivesUpAfterTheBusyTimeoutAndTheFileStaysWhole)
{
    ::setenv("KELVARA_ENGINE_BUSY_TIMEOUT_MS", "200", 1);
    reloadEngines(); // connections read the timeout when they open
    ceAdd(simplifiedFolder(), "mine", "noun", "x");
    reloadEngines();
    Worker worker({"ce-hold", simplifiedFolder(), "20000"});
    ASSERT_TRUE(worker.started());
    ASSERT_EQ(worker.readLine(), "locked");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ce().dicOpen(simplifiedFolder().c_str()), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    worker.kill();
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "mine"), "(" + Gbk(u"名词") + ") x");
    EXPECT_EQ(ceRetrieve(simplifiedFolder(), "held"), "");
    EXPECT_EQ(QueryFile(simplifiedFolder() + "UserCe.ext", "PRAGMA integrity_check"), "ok");
}

} // namespace
} // namespace kelvara::test
