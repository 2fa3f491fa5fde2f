// The sample dictionaries the build generates for the demo installation, read through the
// engines from copies (the demo itself may hold a user's edits).

#include "EngineFixture.h"

#include <filesystem>

namespace kelvara {
namespace {

class DemoInstallationTest : public EngineTest
{
protected:
    void copySamples()
    {
        for (const char* file : {"ArticleS/UserS.key", "ArticleS/UserCe.ext", "ArticleT/UserT.key",
                                 "ArticleT/UserCe.ext"}) {
            const std::string from = std::string(KELVARA_PRISTINE_DIR) + "/" + file;
            ASSERT_TRUE(Exists(from)) << from;
            std::filesystem::copy_file(from, root() + "/" + file);
        }
    }
};

TEST_F(DemoInstallationTest, TheDemoFolderHoldsConfigurationEnginesAndDictionaries)
{
    const std::string demo = KELVARA_DEMO_DIR;
    const std::string config = ReadFile(demo + "/Config/Kelvara.ini");
    EXPECT_NE(config.find("ChineseType=0"), std::string::npos);
    EXPECT_NE(config.find("LanguageFileName=lang_sc.ini"), std::string::npos);
    for (const char* file : {"Ecbank.dll", "Hanbank.dll", "UserCe.ext"}) {
        EXPECT_TRUE(Exists(demo + "/ArticleS/" + file)) << file;
        EXPECT_TRUE(Exists(demo + "/ArticleT/" + file)) << file;
    }
    EXPECT_TRUE(Exists(demo + "/ArticleS/UserS.key"));
    EXPECT_TRUE(Exists(demo + "/ArticleT/UserT.key"));
}

TEST_F(DemoInstallationTest, SamplesAreInTheCodePageOfTheirFolder)
{
    copySamples();
    const std::vector<EcSense> simplified{{"book", 0, Gbk(u"书")}, {"book", 1, Gbk(u"预订")}};
    EXPECT_EQ(ecFind(simplifiedFolder() + "UserS", "Book"), simplified);
    const std::vector<EcSense> traditional{{"book", 0, Big5(u"書")}, {"book", 1, Big5(u"預訂")}};
    EXPECT_EQ(ecFind(traditionalFolder() + "UserT", "book"), traditional);

    EXPECT_EQ(ceRetrieve(simplifiedFolder(), Gbk(u"快")),
              "(" + Gbk(u"形容词") + ") fast(" + Gbk(u"副词") + ") quickly");
    EXPECT_EQ(ceRetrieve(traditionalFolder(), Big5(u"許多")), "(" + Big5(u"形容詞") + ") many");
    // The generator ignores dicadd's answer, as the utility's import does: only the counts
    // show that the engines took every one of the 35 E-C and 35 C-E samples in both folders.
    for (const std::string& folder : {simplifiedFolder(), traditionalFolder()}) {
        EXPECT_EQ(QueryFile(folder + "UserCe.ext", "SELECT count(*) FROM sense"), "35") << folder;
        const std::string ec = folder == simplifiedFolder() ? "UserS.key" : "UserT.key";
        EXPECT_EQ(QueryFile(folder + ec, "SELECT count(*) FROM entry"), "35") << folder;
    }
}

} // namespace
} // namespace kelvara
