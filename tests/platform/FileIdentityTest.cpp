#include "platform/FileIdentity.h"
#include "platform/TestTempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {
namespace {

TEST(FileIdentityTest, TellsWhatStandsAtAPath)
{
    TestTempFolder temp;
    const std::string file = (temp.path() / "words.txt").string();
    std::ofstream(file) << "x";
    const std::string fifo = (temp.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    EXPECT_EQ(KindOfPath(file), PathKind::Regular);
    EXPECT_EQ(KindOfPath(fifo), PathKind::NotRegular);
    EXPECT_EQ(KindOfPath(temp.path().string()), PathKind::NotRegular);
    EXPECT_EQ(KindOfPath((temp.path() / "none").string()), PathKind::Missing);
    // A name below a file is no missing file: creating it would fail.
    EXPECT_EQ(KindOfPath(file + "/below"), PathKind::Unknown);
}

TEST(FileIdentityTest, FindsTheDictionaryBehindAnyOtherName)
{
    TestTempFolder temp;
    const std::string dictionary = (temp.path() / "UserEc.key").string();
    std::ofstream(dictionary) << "db";
    std::ofstream(dictionary + "-wal") << "wal";
    const std::string other = (temp.path() / "other.txt").string();
    std::ofstream(other) << "other";
    const std::string hardLink = (temp.path() / "export.txt").string();
    ASSERT_EQ(::link(dictionary.c_str(), hardLink.c_str()), 0);
    const std::string symLink = (temp.path() / "wal-link").string();
    ASSERT_EQ(::symlink((dictionary + "-wal").c_str(), symLink.c_str()), 0);

    EXPECT_TRUE(IsDictionaryFileOrSideFile(dictionary, dictionary));
    EXPECT_TRUE(IsDictionaryFileOrSideFile(temp.folder() + "./UserEc.key", dictionary));
    EXPECT_TRUE(IsDictionaryFileOrSideFile(hardLink, dictionary));
    EXPECT_TRUE(IsDictionaryFileOrSideFile(symLink, dictionary));
    EXPECT_FALSE(IsDictionaryFileOrSideFile(other, dictionary));
    EXPECT_FALSE(IsDictionaryFileOrSideFile(dictionary + "-shm", dictionary)); // not there
}

} // namespace
} // namespace kelvara
