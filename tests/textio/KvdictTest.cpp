// The command-line tool, run as a process on a copy of the demo installation.

#include "kvdict/KvdictOptions.h"

#include "access/AccessPrompts.h"
#include "access/DictionaryAccess.h"
#include "access/DictionaryState.h"
#include "editor/EntryEditor.h"
#include "startup/StartupState.h"
#include "textio/TextCommands.h"
#include "textio/TextImport.h"

#include "platform/CodePage.h"
#include "platform/TestTempFolder.h"
#include "platform/Utf8Text.h"
#include "textio/EntryTextWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <iterator>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome
{
    int status = -1;
    std::string out, err;
};

class KvdictTest : public ::testing::Test
{
protected:
    // Starts the tool without waiting for it: its output goes to "out" and "err".
    pid_t spawn(const std::vector<std::string>& args)
    {
        std::vector<std::string> all = {KELVARA_KVDICT};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, file("out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, file("err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, KELVARA_KVDICT, &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
        return pid;
    }
    // Waits for the child at most `limit`; kills it when it is still running then.
    static int waitAtMost(pid_t pid, std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        int raw = 0;
        while (::waitpid(pid, &raw, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &raw, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return raw;
    }
    std::vector<std::string> folderNames() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(root()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The demo installation with ChineseType chosen; its sample dictionaries included.
    void copyDemo(bool traditional)
    {
        for (const char* part : {"Config", "ArticleS", "ArticleT"})
            fs::copy(fs::path(KELVARA_DEMO) / part, root() / part, fs::copy_options::recursive);
        std::ofstream(root() / "Config" / "Kelvara.ini")
            << "[Preferences]\r\nChineseType=" << (traditional ? 1 : 0)
            << "\r\n[UserInterface]\r\nLanguageFileName=lang_en.ini\r\n";
        engines = root() / (traditional ? "ArticleT" : "ArticleS");
    }
    fs::path root() const { return temp.path(); }
    std::string file(const char* name) const { return (root() / name).string(); }

    Outcome run(const std::vector<std::string>& args)
    {
        std::string command = std::string("'") + KELVARA_KVDICT + "'";
        for (const std::string& a : args)
            command += " '" + a + "'";
        command += " >'" + file("out") + "' 2>'" + file("err") + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(root() / "out"),
                readBytes(root() / "err")};
    }
    Outcome tool(const char* command, const char* kind, const std::string& operand,
                 std::vector<std::string> more = {})
    {
        std::vector<std::string> args = {command, "--kind", kind, "--installation",
                                         root().string()};
        args.insert(args.end(), more.begin(), more.end());
        args.push_back(operand);
        return run(args);
    }

    // Export, empty the dictionary, import the export, export again: the same bytes.
    void roundTrip(const char* kind, const char* dictionary)
    {
        const Outcome first = tool("export", kind, file("first.txt"), {"--force"});
        ASSERT_EQ(first.status, 0) << first.err;
        ASSERT_GT(readBytes(root() / "first.txt").size(), 100u);
        for (const char* suffix : {"", "-wal", "-shm"})
            fs::remove(engines / (std::string(dictionary) + suffix));
        const Outcome imported = tool("import", kind, file("first.txt"));
        EXPECT_EQ(imported.status, 0) << imported.out << imported.err;
        const Outcome second = tool("export", kind, file("second.txt"), {"--force"});
        ASSERT_EQ(second.status, 0) << second.err;
        EXPECT_EQ(readBytes(root() / "second.txt"), readBytes(root() / "first.txt"));
    }

    TestTempFolder temp;
    fs::path engines;
};

TEST_F(KvdictTest, DemoDictionariesRoundTripGbk)
{
    copyDemo(false);
    roundTrip("ec", "UserS.key");
    roundTrip("ce", "UserCe.ext");
}

TEST_F(KvdictTest, DemoDictionariesRoundTripBig5)
{
    copyDemo(true);
    roundTrip("ec", "UserT.key");
    roundTrip("ce", "UserCe.ext");
}

TEST_F(KvdictTest, FindPrintsSensesAsUtf8)
{
    copyDemo(true);
    std::string bytes;
    AppendEntryRecord(bytes, EncodeCodePage(u"許可", kCodePageBig5), "Vt", "permit\\allow");
    AppendEntryRecord(bytes, EncodeCodePage(u"許可", kCodePageBig5), "n", "permission");
    std::ofstream(root() / "in.txt", std::ios::binary) << bytes;
    ASSERT_EQ(tool("import", "ce", file("in.txt")).status, 0);
    const Outcome found = tool("find", "ce", "許可");
    EXPECT_EQ(found.status, 0) << found.err;
    // Find shows the last sense first, with the engine's label in English: the file's "n"
    // reached the engine as its word noun, so Find shows the list's Noun.
    EXPECT_EQ(found.out, "許可\tNoun\tpermission\n許可\tVt\tpermit\\allow\n");
    EXPECT_EQ(tool("find", "ce", "無此詞").status, 1);
    const Outcome ec = tool("find", "ec", "APPLE");
    EXPECT_EQ(ec.status, 0);
    EXPECT_EQ(ec.out.substr(0, 11), "apple\tNoun\t");
}

TEST_F(KvdictTest, SkippedRecordsAndRefusedOverwriteExitNonZero)
{
    copyDemo(false);
    std::string bytes;
    AppendEntryRecord(bytes, "fine", "n", "ok");
    AppendEntryRecord(bytes, std::string(300, 'x'), "n", "too long");
    AppendEntryRecord(bytes, "after", "v", "still read");
    std::ofstream(root() / "in.txt", std::ios::binary) << bytes;
    const Outcome imported =
        tool("import", "ec", file("in.txt"), {"--dictionary", file("Mine"), "--create"});
    EXPECT_EQ(imported.status, 1);
    EXPECT_NE(
        imported.out.find(
            "written 2, replaced 0, already held 0, held other sense 0, refused 0, too long 1"),
        std::string::npos)
        << imported.out;
    EXPECT_TRUE(fs::exists(root() / "UserecMine.key")) << "named as New E-C names it";

    std::ofstream(root() / "taken.txt") << "keep";
    EXPECT_EQ(tool("export", "ec", file("taken.txt")).status, 2);
    EXPECT_EQ(readBytes(root() / "taken.txt"), "keep");
    EXPECT_EQ(
        tool("export", "ec", file("taken.txt"), {"--force", "--dictionary", file("Mine")}).status,
        0);
    EXPECT_EQ(readBytes(root() / "taken.txt"),
              "after\r\nVerb\r\nstill read\r\nfine\r\nNoun\r\nok\r\n");
}

// Every way export and find end: 0 done, 1 incomplete, 2 could not run, and the files each
// leaves. A mistyped --dictionary never creates a dictionary.
TEST_F(KvdictTest, ExitStatusesOfExportAndFind)
{
    copyDemo(false);
    std::ofstream(root() / "keep.txt") << "keep";
    EXPECT_EQ(tool("export", "ec", file("new.txt")).status, 0);
    EXPECT_EQ(tool("find", "ec", "apple").status, 0);
    EXPECT_EQ(tool("find", "ec", "nosuchword").status, 1);
    for (const char* command : {"export", "find"}) {
        const Outcome typo =
            tool(command, "ec", command == std::string("find") ? "apple" : file("t.txt"),
                 {"--dictionary", file("Typo")});
        EXPECT_EQ(typo.status, 2) << command;
        EXPECT_NE(typo.err.find("no dictionary"), std::string::npos) << typo.err;
    }
    EXPECT_FALSE(fs::exists(root() / "UserecTypo.key"));
    EXPECT_FALSE(fs::exists(root() / "t.txt"));
    std::string record;
    AppendEntryRecord(record, "pear", "n", "x");
    std::ofstream(root() / "in.txt", std::ios::binary) << record;
    EXPECT_EQ(tool("import", "ec", file("in.txt"), {"--dictionary", file("Typo")}).status, 2);
    EXPECT_FALSE(fs::exists(root() / "UserecTypo.key")) << "only with --create";
    EXPECT_EQ(tool("import", "ec", file("missing.txt")).status, 2);

    // Refused export targets, each before anything ran: the dictionary's own file and its
    // side files, a folder, a FIFO (which would block).
    const std::string key = (engines / "UserS.key").string();
    const std::string before = readBytes(key);
    for (const std::string& target : {key, key + "-wal", key + "-journal", root().string()}) {
        const Outcome o = tool("export", "ec", target, {"--force"});
        EXPECT_EQ(o.status, 2) << target << o.err;
    }
    EXPECT_EQ(readBytes(key), before);
    EXPECT_FALSE(fs::exists(key + "-journal"));
    EXPECT_EQ(tool("import", "ec", key).status, 2) << "the dictionary is no import file";
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
    const pid_t fifo = spawn(
        {"export", "--kind", "ec", "--installation", root().string(), "--force", file("fifo")});
    const int raw = waitAtMost(fifo, std::chrono::seconds(10));
    ASSERT_NE(raw, -1) << "a FIFO must never block the export";
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_EQ(tool("find", "ec", "apple").status, 0) << "the dictionary is intact";

    // A C-E dictionary that does not open, and an engine that does not load.
    fs::remove(engines / "UserCe.ext");
    fs::create_directory(engines / "UserCe.ext");
    EXPECT_EQ(tool("export", "ce", file("keep.txt"), {"--force"}).status, 2);
    EXPECT_EQ(readBytes(root() / "keep.txt"), "keep");
    fs::remove(engines / "Ecbank.dll");
    EXPECT_EQ(tool("export", "ec", file("keep.txt"), {"--force"}).status, 2);
    EXPECT_EQ(tool("find", "ec", "apple").status, 2);
    EXPECT_EQ(run({"export", "--kind", "ec", "--installation", file("nowhere"), file("x")}).status,
              2);
    const std::vector<std::string> expected = {"ArticleS", "ArticleT", "Config",  "err", "fifo",
                                               "in.txt",   "keep.txt", "new.txt", "out"};
    EXPECT_EQ(folderNames(), expected) << "no temporary file left behind";
}

TEST_F(KvdictTest, DashExportsToStandardOutputInEitherEncoding)
{
    copyDemo(true);
    ASSERT_EQ(tool("export", "ec", file("file.txt")).status, 0);
    const Outcome dash = tool("export", "ec", "-");
    ASSERT_EQ(dash.status, 0) << dash.err;
    EXPECT_EQ(dash.out, readBytes(root() / "file.txt"));
    EXPECT_NE(dash.err.find("exported: records"), std::string::npos) << "summary to stderr";
    const Outcome utf8 = tool("export", "ce", "-", {"--encoding", "utf-8"});
    ASSERT_EQ(utf8.status, 0) << utf8.err;
    ASSERT_EQ(tool("export", "ce", file("ce.txt")).status, 0);
    EXPECT_EQ(utf8.out, EncodeUtf8(DecodeCodePage(readBytes(root() / "ce.txt"), kCodePageBig5)));
    EXPECT_NE(utf8.out, readBytes(root() / "ce.txt")) << "the demo holds Chinese texts";
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kvdict ", 0), 0u) << version.out;
}

// Ctrl+C during the engine's dump, which cannot be stopped between records: the tool ends at
// once, the old file stays and no temporary file is left. A second Ctrl+C during a commit
// that takes long ends the tool at once.
TEST_F(KvdictTest, InterruptsEndTheToolAtOnce)
{
    copyDemo(false);
    fs::copy_file(KELVARA_SLOW_EC_ENGINE, engines / "Ecbank.dll",
                  fs::copy_options::overwrite_existing);
    std::ofstream(root() / "keep.txt") << "keep";
    const pid_t dump = spawn(
        {"export", "--kind", "ec", "--installation", root().string(), "--force", file("keep.txt")});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto sent = std::chrono::steady_clock::now();
    ::kill(dump, SIGINT);
    const int raw = waitAtMost(dump, std::chrono::seconds(5));
    const auto took = std::chrono::steady_clock::now() - sent;
    ASSERT_NE(raw, -1);
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << raw;
    EXPECT_LT(took, std::chrono::seconds(2)) << "the dump takes ten seconds";
    EXPECT_EQ(readBytes(root() / "keep.txt"), "keep");
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"ArticleS", "ArticleT", "Config", "err",
                                                       "keep.txt", "out"}));

    std::string record;
    AppendEntryRecord(record, "pear", "n", "x");
    std::ofstream(root() / "in.txt", std::ios::binary) << record;
    const pid_t import =
        spawn({"import", "--kind", "ec", "--installation", root().string(), file("in.txt")});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::kill(import, SIGINT); // noted: the commit it waits for goes on
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(::waitpid(import, nullptr, WNOHANG), 0) << "the first Ctrl+C lets the commit end";
    const auto second = std::chrono::steady_clock::now();
    ::kill(import, SIGINT);
    const int ended = waitAtMost(import, std::chrono::seconds(5));
    ASSERT_NE(ended, -1);
    EXPECT_TRUE(WIFSIGNALED(ended) && WTERMSIG(ended) == SIGINT) << ended;
    EXPECT_LT(std::chrono::steady_clock::now() - second, std::chrono::seconds(2));
}

// The first program of the lock test: keeps the E-C engine loaded over the dictionary, as the
// window and the tool do, and asks for the dictionary file itself as the file to import.
class LockHolderPrompts final : public AccessPrompts, public TextCommandPrompts
{
public:
    std::string importFile;
    std::optional<std::string> chooseEcDictionary(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseCeDictionary(const std::string&) override
    {
        return std::nullopt;
    }
    void showInformation(const std::u16string&, const std::u16string&) override {}
    bool querySaveChanges() override { return true; }
    void setCaption(const std::u16string&) override {}
    void setCaptionToPath(const std::string&) override {}
    void setGridVisible(bool) override {}
    void setTypeComboVisible(bool) override {}
    std::optional<std::string> chooseImportFile() override { return importFile; }
    std::optional<std::string> chooseExportFile() override { return std::nullopt; }
    bool confirmOverwrite(const std::string&) override { return false; }
    bool confirmCeDictionary() override { return true; }
};

// Runs in the forked child: one entry committed, the dictionary file chosen as the import
// file (refused, or with `bypass` opened and closed the way an unguarded import would), a
// signal to the parent to run another process on the dictionary, a second entry committed,
// and then it waits to be killed. The exit code tells a step that failed.
[[noreturn]] void holdTheLocks(const std::string& root, bool bypass, int toParent, int fromParent)
{
    StartupState startup = ReadStartupState(root + "/");
    DictionaryState state;
    EntryEditor editor(startup.language, startup.codePage());
    LockHolderPrompts prompts;
    DictionaryAccess access(startup, state, editor, prompts);
    access.MenuItemOpenEcClick();
    const auto commit = [&](const char* word) {
        std::string bytes;
        AppendEntryRecord(bytes, word, "n", "kept");
        const std::string file = root + "/" + word + ".txt";
        std::ofstream(file, std::ios::binary) << bytes;
        const TextCommandResult r =
            ImportFileToEcDictionary(file, startup.ec, state.ecPath, startup.codePage());
        return r.complete();
    };
    const std::string suffix = bypass ? "b" : "a";
    if (!state.open || !commit(("firstentry" + suffix).c_str()))
        ::_exit(10);
    const std::string key = state.ecPath + ".key";
    if (bypass) {
        ::close(::open(key.c_str(), O_RDONLY));
    } else {
        prompts.importFile = key;
        TextCommands commands(startup, state, editor, prompts);
        if (commands.ImportToDictionary().failure != TextFailure::ChosenFileIsDictionary)
            ::_exit(11);
    }
    char byte = 'x';
    if (::write(toParent, &byte, 1) != 1 || ::read(fromParent, &byte, 1) != 1)
        ::_exit(12);
    if (!commit(("secondentry" + suffix).c_str()))
        ::_exit(13);
    (void)!::write(toParent, &byte, 1);
    ::pause();
    ::_exit(14);
}

// A program keeping the engine loaded commits an entry; its own open and close of the
// dictionary file would drop the engine's POSIX locks, so that another process's find
// checkpoints and deletes the live WAL, and a second commit reported as done is lost when the
// first program is killed. The path is refused now, and both entries survive.
TEST_F(KvdictTest, TheDictionaryFileIsNeverOpenedSoItsLocksHold)
{
    copyDemo(false);
    const auto attempt = [&](bool bypass) {
        int up[2], down[2];
        EXPECT_EQ(::pipe(up), 0);
        EXPECT_EQ(::pipe(down), 0);
        const pid_t child = ::fork();
        if (child == 0)
            holdTheLocks(root().string(), bypass, up[1], down[0]);
        // Only the child writes up and reads down: a child that ends early ends the reads.
        ::close(up[1]);
        ::close(down[0]);
        char byte = 0;
        if (::read(up[0], &byte, 1) != 1) {
            int raw = 0;
            ::waitpid(child, &raw, 0);
            ADD_FAILURE() << "the first entry or the refusal failed: " << WEXITSTATUS(raw);
            ::close(up[0]);
            ::close(down[1]);
            return false;
        }
        EXPECT_EQ(tool("find", "ec", "apple").status, 0);
        EXPECT_EQ(::write(down[1], &byte, 1), 1);
        EXPECT_EQ(::read(up[0], &byte, 1), 1) << "the second commit answered done";
        ::kill(child, SIGKILL);
        int raw = 0;
        ::waitpid(child, &raw, 0);
        EXPECT_TRUE(WIFSIGNALED(raw)) << "child ended early: " << WEXITSTATUS(raw);
        ::close(up[0]);
        ::close(down[1]);
        const std::string suffix = bypass ? "b" : "a";
        EXPECT_EQ(tool("find", "ec", "firstentry" + suffix).status, 0);
        return tool("find", "ec", "secondentry" + suffix).status == 0;
    };
    EXPECT_TRUE(attempt(false)) << "refused, the import kept the locks: both entries stay";
    // The fault itself, reproduced by the open and close the refusal prevents. Reported, not
    // required: it depends on SQLite's checkpoint on the last close.
    const bool survived = attempt(true);
    std::cout << "with the dictionary file opened and closed by the program, the second entry "
              << (survived ? "survived" : "was lost") << '\n';
}

TEST_F(KvdictTest, ImportAndCheckExitStatusesRejectsAndStandardInput)
{
    copyDemo(false);
    std::string good, bad;
    AppendEntryRecord(good, "zzfirst", "n", "one");
    AppendEntryRecord(bad, "zzsecond", "n", std::string("cut\0here", 9));
    std::ofstream(root() / "good.txt", std::ios::binary) << good;
    std::ofstream(root() / "mixed.txt", std::ios::binary) << good + bad;
    // check writes nothing, and says what an import would do.
    const Outcome checked =
        tool("check", "ec", file("mixed.txt"), {"--verbose", "--rejects", file("rejects.txt")});
    EXPECT_EQ(checked.status, 1) << checked.err;
    EXPECT_NE(checked.out.find("checked: records 2, written 1,"), std::string::npos) << checked.out;
    EXPECT_NE(checked.err.find("4: the target holds a NUL"), std::string::npos) << checked.err;
    EXPECT_EQ(readBytes(root() / "rejects.txt"), bad);
    EXPECT_EQ(tool("find", "ec", "zzfirst").status, 1) << "nothing was written";
    EXPECT_EQ(tool("check", "ec", file("good.txt")).status, 0);
    // Standard input, and the exit statuses of import.
    const std::string in = "'" + std::string(KELVARA_KVDICT) +
                           "' import --kind ec --installation '" + root().string() + "' - <'" +
                           file("good.txt") + "' >/dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(in.c_str())), 0);
    EXPECT_EQ(tool("find", "ec", "zzfirst").status, 0);
    EXPECT_EQ(tool("check", "ec", file("good.txt")).status, 0) << "held already is no rejection";
    EXPECT_EQ(tool("import", "ec", file("missing.txt")).status, 2);
    EXPECT_EQ(tool("check", "ec", file("missing.txt")).status, 2);
    // A rejects file that is the dictionary, a side file, the input or a FIFO is refused
    // before anything runs.
    const std::string dictionary = (engines / "UserS.key").string();
    const std::string before = readBytes(engines / "UserS.key");
    for (const std::string& target : {dictionary, dictionary + "-wal", file("mixed.txt")}) {
        std::ofstream(target, std::ios::app).close();
        EXPECT_EQ(tool("import", "ec", file("mixed.txt"), {"--rejects", target}).status, 2)
            << target;
    }
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(tool("import", "ec", file("mixed.txt"), {"--rejects", file("fifo")}).status, 2);
    EXPECT_EQ(tool("find", "ec", "zzsecond").status, 1);
    EXPECT_EQ(readBytes(root() / "mixed.txt"), good + bad);
}

TEST(KvdictOptionsTest, CallingForms)
{
    const auto ok = kvdict::ParseArguments(
        {"export", "--kind", "ce", "--force", "--dictionary", "/d/x", "--", "-f.txt"});
    ASSERT_TRUE(ok.options) << ok.error;
    EXPECT_TRUE(ok.options->force && ok.options->kind == DictionaryKind::CE);
    EXPECT_EQ(ok.options->dictionary + " " + ok.options->operand, "/d/x -f.txt");
    EXPECT_FALSE(kvdict::ParseArguments({"import", "f.txt"}).options) << "--kind is required";
    EXPECT_FALSE(kvdict::ParseArguments({"import", "--kind", "ec", "--force", "f"}).options);
    EXPECT_FALSE(kvdict::ParseArguments({"find", "--kind", "ec", "a", "b"}).options);
    EXPECT_FALSE(kvdict::ParseArguments({"export", "--kind", "ec", "--create", "f"}).options)
        << "--create is for import";
    EXPECT_FALSE(
        kvdict::ParseArguments({"export", "--kind", "ec", "--encoding", "latin1", "f"}).options);
    const auto dash =
        kvdict::ParseArguments({"export", "--kind", "ec", "--encoding", "utf-8", "-"});
    ASSERT_TRUE(dash.options) << dash.error;
    EXPECT_TRUE(dash.options->exportUtf8);
    EXPECT_EQ(dash.options->operand, "-");
}

} // namespace
} // namespace kelvara
