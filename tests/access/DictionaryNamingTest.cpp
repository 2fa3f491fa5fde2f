#include "access/DictionaryNaming.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(NewEcNameTest, PrefixAndFolder)
{
    const NewEcName n = NewEcDictionaryName("/d/Dicts/Sports");
    EXPECT_EQ(n.path, "/d/Dicts/UserecSports");
    EXPECT_EQ(n.dialogFolder, "/d/Dicts");
}

TEST(NewEcNameTest, KeyExtensionAndExistingPrefix)
{
    EXPECT_EQ(NewEcDictionaryName("/d/UserEcLaw.key").path, "/d/UserEcLaw");
    EXPECT_EQ(NewEcDictionaryName("/d/userecx.KEY").path, "/d/userecx");
    EXPECT_EQ(NewEcDictionaryName("/d/notes.txt").path, "/d/Userecnotes.txt");
    // Only the final extension goes.
    EXPECT_EQ(NewEcDictionaryName("/d/my.keys.key").path, "/d/Userecmy.keys");
    // Shorter than the prefix itself.
    EXPECT_EQ(NewEcDictionaryName("/d/use").path, "/d/Userecuse");
}

TEST(NewEcNameTest, RootFolderKeepsItsSeparator)
{
    const NewEcName n = NewEcDictionaryName("/Sports.key");
    EXPECT_EQ(n.dialogFolder, "/");
    EXPECT_EQ(n.path, "/UserecSports");
    EXPECT_EQ(DialogFolderOf("/inst/ArticleS/"), "/inst/ArticleS");
}

TEST(NewCeNameTest, ExtensionAndPrefix)
{
    EXPECT_EQ(NewCeDictionaryPath("/d/abc"), "/d/Userceabc.ext");
    EXPECT_EQ(NewCeDictionaryPath("/d/UserCeMed.ext"), "/d/UserCeMed.ext");
    EXPECT_EQ(NewCeDictionaryPath("/d/med.EXT"), "/d/Usercemed.EXT");
    // "userce" plus the appended extension is long enough to keep its own prefix.
    EXPECT_EQ(NewCeDictionaryPath("/d/userce"), "/d/userce.ext");
    EXPECT_EQ(NewCeDictionaryPath("/d/notes.txt"), "/d/Usercenotes.txt.ext");
}

} // namespace
} // namespace kelvara
