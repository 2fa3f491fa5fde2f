// Both engines on paths that are not what they seem: a FIFO where a dictionary, its log or
// an export belongs (refused at once, never waited on), a symlink at an export's name (never
// followed), names SQLite would read as URIs (plain files), and folders whose state the file
// system cannot tell (no creation, nothing removed).

#include "EngineFixture.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelvara {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// Runs call in a child process and gives its answer, or nothing when it has not answered
/// within the limit (the child is then killed): a call that blocks fails the test instead of
/// hanging it.
std::optional<int> AnswerWithin(std::chrono::milliseconds limit, const std::function<int()>& call)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(call() & 0x7F);
    if (child < 0)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(5ms);
    }
    if (!WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

void MakeFifo(const std::string& path)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

bool IsFifo(const std::string& path)
{
    return fs::is_fifo(fs::symlink_status(path));
}

class FileFaultsTest : public EngineTest
{
protected:
    std::string base() const { return simplifiedFolder() + "UserS"; }
    std::string ceFile() const { return simplifiedFolder() + "UserCe.ext"; }

    void expectRefusedAtOnce(const char* what, const std::function<int()>& call)
    {
        const std::optional<int> answer = AnswerWithin(1000ms, call);
        ASSERT_TRUE(answer.has_value()) << what << ": no answer within a second";
        EXPECT_EQ(*answer, 0) << what;
    }
};

class CurrentFolder
{
public:
    explicit CurrentFolder(const std::string& folder) : m_previous(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~CurrentFolder() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

TEST_F(FileFaultsTest, AFifoAtTheDictionaryOrItsSideFilesIsRefusedAtOnce)
{
    MakeFifo(base() + ".key");
    expectRefusedAtOnce("E-C open", [&] { return ec().openCstmRw(base().c_str()); });
    expectRefusedAtOnce("E-C export", [&] {
        return ec().getAllWordsToFile((root() + "/out.txt").c_str(), base().c_str());
    });
    MakeFifo(ceFile());
    expectRefusedAtOnce("C-E open", [&] { return ce().dicOpen(simplifiedFolder().c_str()); });
    expectRefusedAtOnce("C-E creation", [&] {
        return ce().dicCreate(simplifiedFolder().c_str(), ceFile().c_str());
    });
    EXPECT_TRUE(IsFifo(base() + ".key"));
    EXPECT_TRUE(IsFifo(ceFile()));
    EXPECT_FALSE(Exists(root() + "/out.txt"));

    // A dictionary whose log was replaced by a FIFO.
    fs::remove(base() + ".key");
    ASSERT_EQ(ecWrite(base(), 'A', "w", 0, "t"), 1);
    reloadEngines();
    MakeFifo(base() + ".key-wal");
    expectRefusedAtOnce("E-C open beside a FIFO log",
                        [&] { return ec().openCstmRw(base().c_str()); });
}

TEST_F(FileFaultsTest, AFifoOrSymlinkAtTheExportNameIsRefusedAndLeftAlone)
{
    ASSERT_EQ(ecWrite(base(), 'A', "w", 0, "t"), 1);
    ceAdd(simplifiedFolder(), "w", "noun", "t");
    const std::string fifo = root() + "/fifo.txt";
    MakeFifo(fifo);
    expectRefusedAtOnce("E-C export to a FIFO",
                        [&] { return ec().getAllWordsToFile(fifo.c_str(), base().c_str()); });
    expectRefusedAtOnce("C-E export to a FIFO", [&] {
        if (ce().dicOpen(simplifiedFolder().c_str()) == 0)
            return 9;
        return ce().dicExport(fifo.c_str());
    });
    EXPECT_TRUE(IsFifo(fifo));

    // A symlink at the name, to a file and to a name that does not exist yet: neither the
    // target nor the link changes.
    const std::string precious = root() + "/precious.txt";
    WriteFile(precious, "someone's file");
    const std::string link = root() + "/link.txt";
    const std::string dangling = root() + "/dangling.txt";
    fs::create_symlink(precious, link);
    fs::create_symlink(root() + "/made-through-a-link.txt", dangling);
    for (const std::string& name : {link, dangling}) {
        EXPECT_EQ(ec().getAllWordsToFile(name.c_str(), base().c_str()), 0) << name;
        ASSERT_NE(ce().dicOpen(simplifiedFolder().c_str()), 0);
        EXPECT_EQ(ce().dicExport(name.c_str()), 0) << name;
        ce().dicClose();
        EXPECT_TRUE(fs::is_symlink(name)) << name;
    }
    EXPECT_EQ(ReadFile(precious), "someone's file");
    EXPECT_FALSE(Exists(root() + "/made-through-a-link.txt"));

    // A free name is written.
    const std::string free = root() + "/free.txt";
    EXPECT_EQ(ec().getAllWordsToFile(free.c_str(), base().c_str()), 1);
    EXPECT_EQ(ReadFile(free), "w\r\nNoun\r\nt\r\n");
}

TEST_F(FileFaultsTest, NamesBeginningWithFileAreOpenedAsPlainFiles)
{
    const CurrentFolder here(root());
    // A dictionary name that SQLite would read as a URI with a query (an in-memory database
    // of another name), and an installation folder beginning "file:".
    const std::string ecBase = "file:UserEc?mode=memory";
    ASSERT_EQ(ecWrite(ecBase, 'A', "uri", 0, "plain"), 1);
    fs::create_directories("file:inst/ArticleS");
    ceAdd("file:inst/ArticleS/", "uri", "noun", "plain");
    reloadEngines();

    EXPECT_EQ(ecFind(ecBase, "uri").size(), 1u);
    EXPECT_EQ(ceRetrieve("file:inst/ArticleS/", "uri"), "(" + Gbk(u"名词") + ") plain");
    EXPECT_EQ(QueryFile(root() + "/file:UserEc?mode=memory.key", "SELECT count(*) FROM entry"),
              "1");
    EXPECT_EQ(QueryFile(root() + "/file:inst/ArticleS/UserCe.ext", "SELECT count(*) FROM sense"),
              "1");
    EXPECT_FALSE(Exists(root() + "/UserEc"));
    EXPECT_FALSE(Exists(root() + "/inst"));
}

TEST_F(FileFaultsTest, CreationRefusesAPathWhoseStateCannotBeTold)
{
    // A loop of links at the dictionary's name: stat cannot tell what is there, so nothing is
    // created and the log beside the name is not removed.
    const std::string loop = simplifiedFolder() + "UserLoop";
    fs::create_symlink("UserLoop.key", loop + ".key");
    WriteFile(loop + ".key-wal", "a log of whatever is there");
    EXPECT_EQ(ec().openCstmRw(loop.c_str()), 0);
    ec().closeCstmRw();
    EXPECT_EQ(ReadFile(loop + ".key-wal"), "a log of whatever is there");

    // A file where a folder of the path belongs.
    WriteFile(simplifiedFolder() + "plain", "x");
    const std::string underFile = simplifiedFolder() + "plain/UserCe.ext";
    EXPECT_EQ(ce().dicCreate(simplifiedFolder().c_str(), underFile.c_str()), 0);
    EXPECT_EQ(ce().dicOpen((simplifiedFolder() + "plain").c_str()), 0);
    ce().dicClose();

    // A folder that cannot be searched (meaningless for root, who may search any folder).
    if (::geteuid() == 0)
        return;
    const std::string closed = root() + "/closed";
    fs::create_directories(closed);
    WriteFile(closed + "/UserX.key-wal", "a log");
    fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ec().openCstmRw((closed + "/UserX").c_str()), 0);
    ec().closeCstmRw();
    fs::permissions(closed, fs::perms::owner_all);
    EXPECT_EQ(ReadFile(closed + "/UserX.key-wal"), "a log");
    EXPECT_FALSE(Exists(closed + "/UserX.key"));
}

} // namespace
} // namespace kelvara
