#include "platform/Paths.h"
#include "platform/TestTempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelvara {
namespace {

const std::string kSep(1, kPathSeparator);

TEST(PathsTest, JoinPutsExactlyOneSeparatorBetween)
{
    EXPECT_EQ(JoinPath("/opt/app", "Config"), "/opt/app" + kSep + "Config");
    EXPECT_EQ(JoinPath("/opt/app" + kSep, "Config"), "/opt/app" + kSep + "Config");
    EXPECT_EQ(JoinPath("/opt/app" + kSep, kSep + "Config"), "/opt/app" + kSep + "Config");
    EXPECT_EQ(JoinPath("", "Kelvara.ini"), "Kelvara.ini");
    EXPECT_EQ(JoinPath(JoinPath("/p" + kSep, "Config"), "Kelvara.ini"),
              "/p" + kSep + "Config" + kSep + "Kelvara.ini");
}

TEST(PathsTest, FolderKeepsItsTrailingSeparator)
{
    const std::string path = "/opt/app" + kSep + "ArticleS" + kSep + "Ecbank.dll";
    EXPECT_EQ(FolderOf(path), "/opt/app" + kSep + "ArticleS" + kSep);
    EXPECT_EQ(FolderOf("/opt/app" + kSep + "ArticleS" + kSep),
              "/opt/app" + kSep + "ArticleS" + kSep);
    EXPECT_EQ(FolderOf("Ecbank.dll"), "");
    EXPECT_EQ(FileNameOf(path), "Ecbank.dll");
    EXPECT_EQ(FileNameOf("Ecbank.dll"), "Ecbank.dll");
    EXPECT_EQ(FileNameOf("/opt" + kSep), "");
}

TEST(PathsTest, ProgramFolderIsTheFolderOfThisTestWithASeparator)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kPathSeparator);
    // The running test program lies in it.
    EXPECT_TRUE(FileExists(folder + "platform_tests")) << folder;
}

TEST(PathsTest, ExistenceAndRemoval)
{
    TestTempFolder temp;
    const std::string file = JoinPath(temp.folder(), "UserEc1.key");
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(RemoveFile(file));
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(file));
}

} // namespace
} // namespace kelvara
