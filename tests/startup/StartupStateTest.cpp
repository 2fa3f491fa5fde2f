#include "startup/StartupState.h"
#include "engines/TestEngineProbe.h"
#include "platform/Paths.h"
#include "platform/TestTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

const std::string kSep(1, kPathSeparator);

// A program folder of the platform's layout: Config/Kelvara.ini and the engine folders.
class ProgramFolderLayout
{
public:
    ProgramFolderLayout() : m_folder(m_temp.folder()) {}

    /// Makes the program folder a nested folder of exactly length bytes (separator included).
    void deepen(std::size_t length)
    {
        std::string folder = m_folder;
        while (folder.size() < length) {
            const std::size_t part = std::min<std::size_t>(length - folder.size() - 1, 200);
            folder += std::string(part, 'd') + kSep;
            fs::create_directory(folder);
        }
        ASSERT_EQ(folder.size(), length);
        m_folder = folder;
    }

    void writeConfig(const std::string& text) const
    {
        fs::create_directories(m_folder + "Config");
        std::ofstream(m_folder + "Config" + kSep + "Kelvara.ini", std::ios::binary) << text;
    }

    /// Copies a test engine library into an engine folder under its platform name.
    std::string install(const char* library, const std::string& engineFolder) const
    {
        fs::create_directories(m_folder + engineFolder);
        const std::string target = m_folder + engineFolder + kSep + FileNameOf(library);
        fs::copy_file(library, target, fs::copy_options::overwrite_existing);
        return target;
    }

    const std::string& folder() const { return m_folder; }

private:
    TestTempFolder m_temp;
    std::string m_folder;
};

TEST(StartupStateTest, NoConfigurationGivesSimplifiedEnglishAndArticleS)
{
    ProgramFolderLayout p;
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleS");
    p.install(KELVARA_TEST_CE_COMPLETE, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    EXPECT_EQ(s.programFolder, p.folder());
    EXPECT_EQ(s.engineDirectory, p.folder() + "ArticleS" + kSep);
    EXPECT_EQ(s.engineDirectoryBuffer.view(), s.engineDirectory);
    EXPECT_EQ(s.chineseVariant, ChineseVariant::Simplified);
    EXPECT_EQ(s.codePage(), kCodePageGbk);
    EXPECT_EQ(s.language, InterfaceLanguage::English);
    EXPECT_EQ(ReadInterfaceLanguage(p.folder()), InterfaceLanguage::English);
    EXPECT_EQ(s.ecLibraryPath.view(), s.engineDirectory + "Ecbank.dll");
    EXPECT_EQ(s.ceLibraryPath.view(), s.engineDirectory + "Hanbank.dll");
    EXPECT_TRUE(s.ec.available());
    EXPECT_TRUE(s.ce.available());
}

TEST(StartupStateTest, ConfigurationPathIsUnderConfig)
{
    EXPECT_EQ(ConfigurationPath("/opt/k" + kSep),
              "/opt/k" + kSep + "Config" + kSep + "Kelvara.ini");
}

// ChineseType as written in the file, and whether it selects the Traditional variant.
struct ChineseTypeCase
{
    const char* tag;
    const char* line; // nullptr: no such key
    bool traditional;
};

void PrintTo(const ChineseTypeCase& c, std::ostream* os)
{
    *os << (c.line ? c.line : "(no key)");
}

class ChineseTypeTest : public ::testing::TestWithParam<ChineseTypeCase>
{
};

TEST_P(ChineseTypeTest, OnlyExactlyOneSelectsTraditional)
{
    const ChineseTypeCase& c = GetParam();
    ProgramFolderLayout p;
    p.writeConfig(std::string("[Preferences]\r\n") + (c.line ? c.line : "Other=1") + "\r\n");
    // The engines lie only where the variant says they should be looked for.
    const std::string folder = c.traditional ? "ArticleT" : "ArticleS";
    p.install(KELVARA_TEST_EC_COMPLETE, folder);
    p.install(KELVARA_TEST_CE_COMPLETE, folder);
    StartupState s = ReadStartupState(p.folder());
    EXPECT_EQ(s.chineseVariant,
              c.traditional ? ChineseVariant::Traditional : ChineseVariant::Simplified);
    EXPECT_EQ(s.codePage(), c.traditional ? kCodePageBig5 : kCodePageGbk);
    EXPECT_EQ(s.engineDirectory, p.folder() + folder + kSep);
    EXPECT_TRUE(s.ec.available());
    EXPECT_TRUE(s.ce.available());
}

INSTANTIATE_TEST_SUITE_P(
    StartupStateTest, ChineseTypeTest,
    ::testing::Values(ChineseTypeCase{"One", "ChineseType=1", true},
                      ChineseTypeCase{"OneWithBlanksAndOtherCase", "  chinesetype =  1 ", true},
                      ChineseTypeCase{"OneInQuotes", "ChineseType=\"1\"", true},
                      ChineseTypeCase{"Two", "ChineseType=2", false},
                      ChineseTypeCase{"ZeroOne", "ChineseType=01", false},
                      ChineseTypeCase{"Yes", "ChineseType=yes", false},
                      ChineseTypeCase{"Empty", "ChineseType=", false},
                      ChineseTypeCase{"Absent", nullptr, false}),
    [](const auto& info) { return std::string(info.param.tag); });

struct LanguageCase
{
    const char* tag;
    const char* line; // nullptr: no such key
    InterfaceLanguage language;
};

void PrintTo(const LanguageCase& c, std::ostream* os)
{
    *os << (c.line ? c.line : "(no key)");
}

class LanguageFileNameTest : public ::testing::TestWithParam<LanguageCase>
{
};

TEST_P(LanguageFileNameTest, WholeCaseSensitiveNameChoosesTheLanguage)
{
    const LanguageCase& c = GetParam();
    ProgramFolderLayout p;
    p.writeConfig(std::string("[Preferences]\nChineseType=0\n[UserInterface]\n") +
                  (c.line ? c.line : "Other=lang_tc.ini") + "\n");
    const StartupState s = ReadStartupState(p.folder());
    EXPECT_EQ(s.language, c.language);
    // The language read alone, before the window exists, is the one the window gets.
    EXPECT_EQ(ReadInterfaceLanguage(p.folder()), c.language);
}

INSTANTIATE_TEST_SUITE_P(
    StartupStateTest, LanguageFileNameTest,
    ::testing::Values(LanguageCase{"TraditionalName", "LanguageFileName=lang_tc.ini",
                                   InterfaceLanguage::Traditional},
                      LanguageCase{"TraditionalNameOtherCase", "LanguageFileName=Lang_TC.ini",
                                   InterfaceLanguage::Simplified},
                      LanguageCase{"EnglishName", "LanguageFileName=lang_en.ini",
                                   InterfaceLanguage::English},
                      LanguageCase{"EnglishNameUpperCase", "LanguageFileName=LANG_EN.INI",
                                   InterfaceLanguage::Simplified},
                      LanguageCase{"SimplifiedName", "LanguageFileName=lang_sc.ini",
                                   InterfaceLanguage::Simplified},
                      LanguageCase{"Empty", "LanguageFileName=", InterfaceLanguage::Simplified},
                      LanguageCase{"Absent", nullptr, InterfaceLanguage::English}),
    [](const auto& info) { return std::string(info.param.tag); });

TEST(StartupStateTest, EcLibraryWithoutUpdateUserDictLeavesCeAlone)
{
    ProgramFolderLayout p;
    const std::string ec = p.install(KELVARA_TEST_EC_NO_UPDATE, "ArticleS");
    p.install(KELVARA_TEST_CE_COMPLETE, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    EXPECT_EQ(s.ec.handle(), nullptr);
    EXPECT_FALSE(IsLibraryLoaded(ec));
    EXPECT_NE(s.ce.handle(), nullptr);
}

TEST(StartupStateTest, CeLibraryWithoutDicexportLeavesEcAlone)
{
    ProgramFolderLayout p;
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleS");
    const std::string ce = p.install(KELVARA_TEST_CE_NO_EXPORT, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    EXPECT_NE(s.ec.handle(), nullptr);
    EXPECT_EQ(s.ce.handle(), nullptr);
    EXPECT_FALSE(IsLibraryLoaded(ce));
}

TEST(StartupStateTest, CompleteLibrariesBindBothKinds)
{
    ProgramFolderLayout p;
    p.writeConfig("[Preferences]\nChineseType=1\n[UserInterface]\nLanguageFileName=lang_tc.ini\n");
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleT");
    p.install(KELVARA_TEST_CE_NO_CREATE, "ArticleT");
    StartupState s = ReadStartupState(p.folder());
    EXPECT_TRUE(s.ec.available());
    EXPECT_TRUE(s.ce.available());
    // Creation is an extra of the C-E engine; without it the kind still serves.
    EXPECT_FALSE(s.ce.canCreate());
    EXPECT_EQ(s.language, InterfaceLanguage::Traditional);
}

TEST(StartupStateTest, MissingLibrariesLeaveBothKindsUnavailable)
{
    ProgramFolderLayout p;
    // Installed in the wrong engine folder for the configured variant.
    p.writeConfig("[Preferences]\nChineseType=1\n");
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleS");
    p.install(KELVARA_TEST_CE_COMPLETE, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    EXPECT_EQ(s.ec.handle(), nullptr);
    EXPECT_EQ(s.ce.handle(), nullptr);
}

TEST(StartupStateTest, PathsTooLongForTheirBuffersAreRefusedNotCutError)
{
    ProgramFolderLayout p;
    p.deepen(300);
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleS");
    p.install(KELVARA_TEST_CE_COMPLETE, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    // The text is whole; the buffers hold nothing rather than a prefix naming another file.
    EXPECT_EQ(s.engineDirectory, p.folder() + "ArticleS" + kSep);
    EXPECT_TRUE(s.engineDirectoryBuffer.empty());
    EXPECT_TRUE(s.ecLibraryPath.empty());
    EXPECT_TRUE(s.ceLibraryPath.empty());
    EXPECT_EQ(s.ec.handle(), nullptr);
    EXPECT_EQ(s.ce.handle(), nullptr);
}

TEST(StartupStateTest, PathOfExactlyTheBufferLimitStillLoads)
{
    // Program folder + "ArticleS/" + "Ecbank.dll" is 255 bytes, the longest a 256-byte buffer
    // holds; the C-E library path is one byte longer and is refused.
    ProgramFolderLayout p;
    p.deepen(255 - 9 - 10);
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleS");
    p.install(KELVARA_TEST_CE_COMPLETE, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    EXPECT_EQ(s.ecLibraryPath.length(), 255u);
    EXPECT_TRUE(s.ec.available());
    EXPECT_EQ(s.engineDirectoryBuffer.view(), s.engineDirectory);
    EXPECT_TRUE(s.ceLibraryPath.empty());
    EXPECT_FALSE(s.ce.available());
}

TEST(StartupStateTest, UnloadEnginesUnloadsOnlyWhatWasKept)
{
    ProgramFolderLayout p;
    const std::string ec = p.install(KELVARA_TEST_EC_NO_UPDATE, "ArticleS");
    const std::string ce = p.install(KELVARA_TEST_CE_COMPLETE, "ArticleS");
    StartupState s = ReadStartupState(p.folder());
    ASSERT_FALSE(IsLibraryLoaded(ec));
    ASSERT_TRUE(IsLibraryLoaded(ce));
    UnloadEngines(s);
    EXPECT_EQ(s.ec.handle(), nullptr);
    EXPECT_EQ(s.ce.handle(), nullptr);
    EXPECT_FALSE(IsLibraryLoaded(ce));
    UnloadEngines(s); // the second time finds nothing to unload
    EXPECT_FALSE(s.ce.available());
}

TEST(StartupStateTest, FolderWithoutSeparatorGetsOne)
{
    ProgramFolderLayout p;
    p.install(KELVARA_TEST_EC_COMPLETE, "ArticleS");
    std::string folder = p.folder();
    folder.pop_back();
    StartupState s = ReadStartupState(folder);
    EXPECT_EQ(s.programFolder, p.folder());
    EXPECT_EQ(s.engineDirectory, p.folder() + "ArticleS" + kSep);
    EXPECT_TRUE(s.ec.available());
}

TEST(StartupStateTest, EmptyProgramFolderLoadsNothingError)
{
    // Nothing is looked for relative to the working folder.
    const StartupState s = ReadStartupState("");
    EXPECT_FALSE(s.ec.available());
    EXPECT_FALSE(s.ce.available());
    EXPECT_TRUE(s.ecLibraryPath.empty());
    EXPECT_EQ(s.language, InterfaceLanguage::English);
}

} // namespace
} // namespace kelvara
