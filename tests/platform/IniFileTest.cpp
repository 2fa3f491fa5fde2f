#include "platform/IniFile.h"
#include "platform/TestTempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <sys/stat.h>

namespace kelvara {
namespace {

TEST(IniFileTest, SectionAndKeyNamesIgnoreCase)
{
    const IniFile ini = IniFile::parse("[preferences]\nchinesetype=1\n");
    EXPECT_EQ(ini.value("Preferences", "ChineseType", "0"), "1");
    EXPECT_EQ(ini.value("PREFERENCES", "CHINESETYPE", "0"), "1");
}

TEST(IniFileTest, ValuesKeepTheirCase)
{
    const IniFile ini = IniFile::parse("[UserInterface]\nLanguageFileName=Lang_TC.ini\n");
    EXPECT_EQ(ini.value("UserInterface", "LanguageFileName", ""), "Lang_TC.ini");
}

TEST(IniFileTest, BlanksAroundNamesAndValuesAreDropped)
{
    const IniFile ini = IniFile::parse("  [ Preferences ]  \n\t ChineseType \t=  1 \t\n"
                                       "Inner = a b  c \n");
    EXPECT_EQ(ini.value("Preferences", "ChineseType", "0"), "1");
    EXPECT_EQ(ini.value("Preferences", "Inner", ""), "a b  c");
}

TEST(IniFileTest, MatchingQuotesAreRemovedOthersKept)
{
    const IniFile ini = IniFile::parse("[S]\n"
                                       "double=\"1\"\n"
                                       "single='lang_tc.ini'\n"
                                       "blanksInside=\" x \"\n"
                                       "mixed=\"x'\n"
                                       "open=\"x\n"
                                       "lone=\"\n"
                                       "empty=\"\"\n");
    EXPECT_EQ(ini.value("S", "double", "?"), "1");
    EXPECT_EQ(ini.value("S", "single", "?"), "lang_tc.ini");
    EXPECT_EQ(ini.value("S", "blanksInside", "?"), " x ");
    EXPECT_EQ(ini.value("S", "mixed", "?"), "\"x'");
    EXPECT_EQ(ini.value("S", "open", "?"), "\"x");
    EXPECT_EQ(ini.value("S", "lone", "?"), "\"");
    EXPECT_EQ(ini.value("S", "empty", "?"), "");
}

TEST(IniFileTest, FirstOfDuplicateKeysAndSectionsWins)
{
    const IniFile ini = IniFile::parse("[A]\nk=first\nK=second\n"
                                       "[B]\nk=b\n"
                                       "[a]\nk=third\nonlyLater=x\n");
    EXPECT_EQ(ini.value("A", "k", "?"), "first");
    EXPECT_EQ(ini.value("B", "k", "?"), "b");
    // The second [a] is never read, not even for keys the first one lacks.
    EXPECT_EQ(ini.value("A", "onlyLater", "default"), "default");
}

TEST(IniFileTest, CommentsAndStrayLinesAreSkipped)
{
    const IniFile ini = IniFile::parse("k=before any section\n"
                                       "[S]\n"
                                       "; k=commented\n"
                                       "   ;k=indented comment\n"
                                       "no equals sign here\n"
                                       "=no key\n"
                                       "k=v;not a comment\n");
    EXPECT_EQ(ini.value("S", "k", "?"), "v;not a comment");
    EXPECT_EQ(ini.value("", "k", "?"), "?");
}

TEST(IniFileTest, CrLfAndLfLineEndsBothWork)
{
    const IniFile crlf = IniFile::parse("[S]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(crlf.value("S", "a", "?"), "1");
    EXPECT_EQ(crlf.value("S", "b", "?"), "2");
    const IniFile mixed = IniFile::parse("[S]\na=1\r\nb=\"2\"\r\nc=3");
    EXPECT_EQ(mixed.value("S", "b", "?"), "2");
    EXPECT_EQ(mixed.value("S", "c", "?"), "3"); // last line without an end
}

TEST(IniFileTest, EmptyValueIsNotTheDefault)
{
    // An empty value is a value: only an absent key gives the caller's default.
    const IniFile ini = IniFile::parse("[UserInterface]\nLanguageFileName=\n");
    EXPECT_EQ(ini.value("UserInterface", "LanguageFileName", "lang_en.ini"), "");
    EXPECT_EQ(ini.value("UserInterface", "Other", "lang_en.ini"), "lang_en.ini");
    EXPECT_EQ(ini.value("Missing", "LanguageFileName", "dflt"), "dflt");
}

TEST(IniFileTest, ByteOrderMarkAndChineseBytesAreHandled)
{
    const IniFile ini = IniFile::parse("\xEF\xBB\xBF[S]\nname=\xC4\xE3\xBA\xC3\n");
    EXPECT_EQ(ini.value("S", "name", "?"), "\xC4\xE3\xBA\xC3");
}

TEST(IniFileTest, MissingFileGivesDefaultsError)
{
    const IniFile ini = IniFile::load("/nonexistent/Config/Kelvara.ini");
    EXPECT_EQ(ini.value("Preferences", "ChineseType", "0"), "0");
    // A folder where the file should be reads as no file.
    TestTempFolder temp;
    const IniFile dir = IniFile::load(temp.path().string());
    EXPECT_EQ(dir.value("Preferences", "ChineseType", "0"), "0");
}

TEST(IniFileTest, LoadReadsTheFileAsParseWould)
{
    TestTempFolder temp;
    const auto path = temp.path() / "Kelvara.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Preferences]\r\nChineseType = 1\r\n";
    }
    const IniFile ini = IniFile::load(path.string());
    EXPECT_EQ(ini.value("Preferences", "ChineseType", "0"), "1");
}

// Loads in a thread and gives up after a while: a load that blocks or reads without end
// fails the test instead of hanging it.
std::optional<IniFile> loadWithin(const std::string& path, std::chrono::seconds limit)
{
    auto result = std::make_shared<std::promise<IniFile>>();
    std::future<IniFile> future = result->get_future();
    std::thread([path, result] { result->set_value(IniFile::load(path)); }).detach();
    if (future.wait_for(limit) != std::future_status::ready)
        return std::nullopt;
    return future.get();
}

void expectDefaultsFrom(const std::filesystem::path& path)
{
    const std::optional<IniFile> ini = loadWithin(path.string(), std::chrono::seconds(5));
    if (!ini) {
        // The reader is stuck in the kernel or eating memory; nothing can stop it.
        std::fprintf(stderr, "IniFile::load did not return for %s\n", path.c_str());
        std::_Exit(1);
    }
    EXPECT_EQ(ini->value("Preferences", "ChineseType", "0"), "0") << path;
}

TEST(IniFileTest, WhatIsNoSmallRegularFileGivesDefaultsError)
{
    TestTempFolder temp;
    // A FIFO without a writer: an ordinary open would wait for one for ever.
    const auto fifo = temp.path() / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    expectDefaultsFrom(fifo);
    // A link to a device that never ends.
    const auto zero = temp.path() / "zero.ini";
    std::filesystem::create_symlink("/dev/zero", zero);
    expectDefaultsFrom(zero);

    // A file larger than the limit counts as absent, though its first lines are valid.
    const auto large = temp.path() / "large.ini";
    {
        std::ofstream out(large, std::ios::binary);
        out << "[Preferences]\r\nChineseType=1\r\n";
        out << std::string(2 * 1024 * 1024, ';');
    }
    expectDefaultsFrom(large);
}

TEST(IniFileTest, FileOfExactlyTheLimitIsRead)
{
    TestTempFolder temp;
    const auto path = temp.path() / "Kelvara.ini";
    const std::string head = "[Preferences]\r\n";
    const std::string tail = "\r\nChineseType=1\r\n";
    {
        std::ofstream out(path, std::ios::binary);
        out << head << std::string(IniFile::kMaxFileBytes - head.size() - tail.size(), ';') << tail;
    }
    ASSERT_EQ(std::filesystem::file_size(path), IniFile::kMaxFileBytes);
    EXPECT_EQ(IniFile::load(path.string()).value("Preferences", "ChineseType", "0"), "1");
    // One byte more and it is no configuration.
    std::ofstream(path, std::ios::binary | std::ios::app) << ';';
    EXPECT_EQ(IniFile::load(path.string()).value("Preferences", "ChineseType", "0"), "0");
}

} // namespace
} // namespace kelvara
