#include "engines/CeBinding.h"
#include "engines/EngineSessions.h"
#include "engines/TestEngineProbe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kelvara {
namespace {

Buffer256 pathBuffer(const char* path)
{
    Buffer256 b;
    EXPECT_TRUE(b.assign(path));
    return b;
}

TEST(CeBindingTest, EntryPointsAreLookedUpInThePlatformOrder)
{
    const std::string expected[] = {
        "dll_mark_gstack", "dicadd",    "dicdelete",   "dicclose",
        "dicopen",         "dicexport", "dicretrieve", "dll_release_gstack"};
    ASSERT_EQ(std::size(CeBinding::kEntryPointNames), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(CeBinding::kEntryPointNames[i], expected[i]) << "position " << i;
    EXPECT_STREQ(CeBinding::kCreateEntryPointName, "diccreate");
}

TEST(CeBindingTest, CompleteLibraryWithCreationBindsEverything)
{
    CeBinding ce;
    ASSERT_TRUE(ce.load(pathBuffer(KELVARA_TEST_CE_COMPLETE)));
    EXPECT_NE(ce.handle(), nullptr);
    EXPECT_TRUE(ce.canCreate());
    const CeEntryPoints& e = ce.entryPoints();
    EXPECT_NE(e.markGStack, nullptr);
    EXPECT_NE(e.dicAdd, nullptr);
    EXPECT_NE(e.dicDelete, nullptr);
    EXPECT_NE(e.dicClose, nullptr);
    EXPECT_NE(e.dicOpen, nullptr);
    EXPECT_NE(e.dicExport, nullptr);
    EXPECT_NE(e.dicRetrieve, nullptr);
    EXPECT_NE(e.releaseGStack, nullptr);
}

TEST(CeBindingTest, LibraryWithoutCreationStaysAvailable)
{
    CeBinding ce;
    ASSERT_TRUE(ce.load(pathBuffer(KELVARA_TEST_CE_NO_CREATE)));
    EXPECT_NE(ce.handle(), nullptr);
    EXPECT_FALSE(ce.canCreate());
    EXPECT_EQ(ce.dicCreate(Buffer256("/engines/"), Buffer256("/engines/UserCe1.ext")), 0);
}

TEST(CeBindingTest, MissingDicexportUnloadsTheLibraryError)
{
    CeBinding ce;
    EXPECT_FALSE(ce.load(pathBuffer(KELVARA_TEST_CE_NO_EXPORT)));
    EXPECT_EQ(ce.handle(), nullptr);
    // The library has a diccreate, but a rejected library keeps nothing, that included.
    EXPECT_FALSE(ce.canCreate());
    EXPECT_EQ(ce.entryPoints().dicOpen, nullptr);
    EXPECT_FALSE(IsLibraryLoaded(KELVARA_TEST_CE_NO_EXPORT));
}

TEST(CeBindingTest, LibraryOfTheOtherKindIsRefusedError)
{
    CeBinding ce;
    EXPECT_FALSE(ce.load(pathBuffer(KELVARA_TEST_EC_COMPLETE)));
    EXPECT_EQ(ce.handle(), nullptr);
    EXPECT_FALSE(ce.load(pathBuffer("/nonexistent/Hanbank.dll")));
    EXPECT_EQ(ce.handle(), nullptr);
}

TEST(CeBindingTest, UnloadReleasesTheLibrary)
{
    CeBinding ce;
    ASSERT_TRUE(ce.load(pathBuffer(KELVARA_TEST_CE_NO_CREATE)));
    ASSERT_TRUE(IsLibraryLoaded(KELVARA_TEST_CE_NO_CREATE));
    ce.unload();
    EXPECT_EQ(ce.handle(), nullptr);
    EXPECT_FALSE(ce.canCreate());
    EXPECT_FALSE(IsLibraryLoaded(KELVARA_TEST_CE_NO_CREATE));
    EXPECT_EQ(ce.dicOpen(Buffer256("/engines/")), 0);
}

TEST(CeBindingTest, WrappersPassTheBuffersThrough)
{
    CeBinding ce;
    ASSERT_TRUE(ce.load(pathBuffer(KELVARA_TEST_CE_COMPLETE)));
    ResetEngineLog(ce.handle());

    EXPECT_NE(ce.dicOpen(Buffer256("/engines/ArticleS/")), 0);
    std::int32_t mark = 0;
    ce.markGStack(mark);
    EXPECT_NE(mark, 0);
    ce.dicDelete(Buffer128("\xC4\xE3\xBA\xC3"));
    ce.releaseGStack(mark);
    ce.markGStack(mark);
    ce.dicAdd(Buffer128("\xC4\xE3\xBA\xC3"), Buffer16("noun"), Buffer128("hello"));
    ce.releaseGStack(mark);
    ce.dicExport(Buffer256("/tmp/ce.txt"));
    EXPECT_NE(ce.dicCreate(Buffer256("/engines/ArticleS/"), Buffer256("/x/UserCe2.ext")), 0);
    EXPECT_NE(ce.dicReset(Buffer256("/engines/ArticleS/")), 0);
    ce.dicClose();

    const std::string m1 = std::to_string(mark - 1), m2 = std::to_string(mark);
    EXPECT_EQ(EngineLog(ce.handle()), "open(/engines/ArticleS/);mark(" + m1 +
                                          ");delete(\xC4\xE3\xBA\xC3);release(" + m1 + ");mark(" +
                                          m2 + ");add(\xC4\xE3\xBA\xC3,noun,hello);release(" + m2 +
                                          ");export(/tmp/ce.txt);create(/engines/ArticleS/,/x/"
                                          "UserCe2.ext);reset(/engines/ArticleS/);close;");
}

TEST(CeBindingTest, SaveSessionsUseTheCheckAndTheAbandonWhereTheEngineHasThem)
{
    CeBinding ce;
    ASSERT_TRUE(ce.load(pathBuffer(KELVARA_TEST_CE_COMPLETE)));
    ASSERT_TRUE(ce.canCheck() && ce.canAbort());
    ResetEngineLog(ce.handle());
    std::int32_t mark = 0;
    {
        CeSession session(ce, Buffer256("/e/"), mark);
        EXPECT_EQ(session.wouldAdd(Buffer128("w"), Buffer16("vt"), Buffer128("fine")), true);
        EXPECT_EQ(session.wouldAdd(Buffer128("w"), Buffer16("vt"), Buffer128("refused")), false);
        EXPECT_TRUE(session.abort());
    } // an abandoned open owes no dicclose
    const std::string m1 = std::to_string(mark - 1), m2 = std::to_string(mark);
    EXPECT_EQ(EngineLog(ce.handle()), "open(/e/);mark(" + m1 + ");check(w,vt,fine);release(" + m1 +
                                          ");mark(" + m2 + ");check(w,vt,refused);release(" + m2 +
                                          ");abort;");

    CeBinding without;
    ASSERT_TRUE(without.load(pathBuffer(KELVARA_TEST_CE_NO_CREATE)));
    EXPECT_FALSE(without.canCheck() || without.canAbort());
    ResetEngineLog(without.handle());
    {
        CeSession session(without, Buffer256("/e/"), mark);
        EXPECT_EQ(session.wouldAdd(Buffer128("w"), Buffer16("vt"), Buffer128("x")), std::nullopt);
        EXPECT_FALSE(session.abort());
    } // the open goes on and is closed
    EXPECT_EQ(EngineLog(without.handle()), "open(/e/);close;");
}

TEST(CeBindingTest, RetrieveHandsOverTheEnginesSenseList)
{
    CeBinding ce;
    ASSERT_TRUE(ce.load(pathBuffer(KELVARA_TEST_CE_COMPLETE)));
    const char* senses = reinterpret_cast<const char*>(1); // stale value from an earlier call
    EXPECT_EQ(ce.dicRetrieve(Buffer128("known"), senses), kelvara::abi::kRetrieveFound);
    ASSERT_NE(senses, nullptr);
    EXPECT_STREQ(senses, "(n.)first(vt.)second");
    EXPECT_NE(ce.dicRetrieve(Buffer128("absent"), senses), kelvara::abi::kRetrieveFound);
    EXPECT_EQ(senses, nullptr);
}

TEST(CeBindingTest, TableBindingWithoutAnEntryAnswersNothing)
{
    CeEntryPoints table;
    table.dicOpen = [](const char*) -> int { return 1; };
    CeBinding ce = CeBinding::fromTable(table);
    EXPECT_TRUE(ce.available());
    EXPECT_EQ(ce.dicOpen(Buffer256("d")), 1);
    // Left out of the table: no call, and the out parameters are not left dangling.
    const char* senses = "stale";
    EXPECT_EQ(ce.dicRetrieve(Buffer128("w"), senses), 0);
    EXPECT_EQ(senses, nullptr);
    EXPECT_FALSE(ce.canCreate());
}

} // namespace
} // namespace kelvara
