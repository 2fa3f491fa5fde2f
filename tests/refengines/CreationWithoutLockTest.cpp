// Creation on a file system that refuses flock, played by a folder lock that always fails:
// without the lock another creator may be at work, so nothing beside the path is removed,
// and a creation that would inherit a log left there is refused.

#include "common/DictionaryFile.h"
#include "ec/EcStore.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kelvara {
namespace {

namespace fs = std::filesystem;
using ref::CreateDictionaryFile;
using ref::CreateResult;

int refuseFlock(int, int)
{
    errno = ENOLCK;
    return -1;
}

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CreationWithoutLockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kelvara-nolock-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_folder = pattern;
        m_previous = ref::SetFolderLockForTesting(&refuseFlock);
    }
    void TearDown() override
    {
        ref::SetFolderLockForTesting(m_previous);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    void put(const std::string& name, const std::string& bytes)
    {
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
    }

    fs::path m_folder;
    ref::FolderLockFn m_previous = nullptr;
};

TEST_F(CreationWithoutLockTest, RemovesNothingAndRefusesToInheritALog)
{
    const std::string path = (m_folder / "UserX.key").string();
    // Perhaps another creator's temporary file at work, perhaps a dead one's: it stays.
    put("UserX.key.new-999999", "someone's creation");
    put("UserX.key-wal", "a log of a file that may come back");
    EXPECT_EQ(CreateDictionaryFile(path, ref::EcStore::format()), CreateResult::Failed);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(contentOf(m_folder / "UserX.key-wal"), "a log of a file that may come back");

    // Without the log the creation goes ahead, still leaving the temporary file alone.
    fs::remove(m_folder / "UserX.key-wal");
    EXPECT_EQ(CreateDictionaryFile(path, ref::EcStore::format()), CreateResult::Created);
    EXPECT_EQ(ref::InspectHeader(path, ref::EcStore::format()), ref::HeaderVerdict::Ours);
    EXPECT_EQ(contentOf(m_folder / "UserX.key.new-999999"), "someone's creation");
    EXPECT_EQ(CreateDictionaryFile(path, ref::EcStore::format()), CreateResult::Exists);
}

} // namespace
} // namespace kelvara
