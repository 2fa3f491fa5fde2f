// The command-line tool, run as a process on a copy of the demo installation.

#include "kvdict/KvdictOptions.h"

#include "platform/CodePage.h"
#include "platform/TestTempFolder.h"
#include "textio/EntryTextWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>

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
    const Outcome imported = tool("import", "ec", file("in.txt"), {"--dictionary", file("Mine")});
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
}

} // namespace
} // namespace kelvara
