// A backup copied over the open E-C dictionary while the window works on it (the same file,
// the same inode): the restore stands, and the next save lands on the restored dictionary,
// also after the program ended and the engine let the file go.

#include "WindowFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

// What `cp backup file` does: the file's own bytes are replaced, its inode stays.
void CopyOverInPlace(const fs::path& backup, const fs::path& file)
{
    std::ifstream in(backup, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

ino_t InodeOf(const fs::path& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(WindowSessionTest, EcRestoreInPlaceStandsAndTakesTheNextSave)
{
    install("lang_en.ini");
    const fs::path file = m_folder.path() / "ArticleS" / "UserS.key";
    const fs::path backup = m_folder.path() / "backup.key";
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("kept");
    typeIntoCell(kColTarget, 1, "in the backup");
    ASSERT_TRUE(trigger("ActionFileSave"));
    restart(); // the engine lets the file go: it holds everything saved
    fs::copy_file(file, backup);

    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    add("later");
    typeIntoCell(kColTarget, 1, "not in the backup");
    ASSERT_TRUE(trigger("ActionFileSave"));
    find("later");
    ASSERT_EQ(rows(), (Rows{{" ", "later", "Noun", "not in the backup"}}));

    const ino_t inode = InodeOf(file);
    CopyOverInPlace(backup, file);
    ASSERT_EQ(InodeOf(file), inode);

    add("after");
    typeIntoCell(kColTarget, 2, "saved on the restore");
    ASSERT_TRUE(trigger("ActionFileSave"));
    EXPECT_FALSE(m_window->changed());
    find("later");
    EXPECT_TRUE(rows().empty()) << "the restore was undone";
    find("after");
    EXPECT_EQ(rows(), (Rows{{" ", "after", "Noun", "saved on the restore"}}));

    // Exit, and a new run on the same installation.
    restart();
    ASSERT_TRUE(trigger("ActionFileOpenEc"));
    find("later");
    EXPECT_TRUE(rows().empty()) << "the old log came back at the exit";
    find("kept");
    EXPECT_EQ(rows(), (Rows{{" ", "kept", "Noun", "in the backup"}}));
    find("after");
    EXPECT_EQ(rows(), (Rows{{" ", "after", "Noun", "saved on the restore"}}));
}

} // namespace
} // namespace kelvara
