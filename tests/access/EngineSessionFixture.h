#pragma once

// A temporary installation folder with both reference engines and one running "program"
// over it: the access commands, the entry grid and scripted prompts.

#include "access/AccessFixture.h"

#include <filesystem>
#include <fstream>

namespace kelvara {

namespace fs = std::filesystem;
using Row = std::vector<std::string>;

/// An installation folder with both reference engines in ArticleS/ and a configuration
/// choosing the interface language, and one running "program" over it.
class EngineSessionTest : public ::testing::Test
{
public: // the random sessions below drive the fixture from outside
    void install(const char* languageFile, bool traditional = false,
                 const fs::path& root = fs::temp_directory_path())
    {
        const char* engines = traditional ? "ArticleT" : "ArticleS";
        // Tests run in parallel processes: the suite and the test name tell their folders apart.
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder =
            root / ("access-session-" + std::string(test->test_suite_name()) + "-" + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder / engines);
        fs::create_directories(folder / "Config");
        fs::copy_file(KELVARA_EC_LIBRARY, folder / engines / "Ecbank.dll");
        fs::copy_file(KELVARA_CE_LIBRARY, folder / engines / "Hanbank.dll");
        std::ofstream(folder / "Config" / "Kelvara.ini")
            << "[Preferences]\r\nChineseType=" << (traditional ? 1 : 0)
            << "\r\n[UserInterface]\r\nLanguageFileName=" << languageFile << "\r\n";
        start();
    }

    /// Starts the program: reads the configuration and loads the engines.
    void start()
    {
        startup = ReadStartupState(folder.string() + "/");
        ASSERT_TRUE(startup.ec.available());
        ASSERT_TRUE(startup.ce.available());
        state = DictionaryState{};
        prompts = std::make_unique<FakePrompts>();
        editor = std::make_unique<EntryEditor>(startup.language, startup.codePage());
        access = std::make_unique<DictionaryAccess>(startup, state, *editor, *prompts);
        prompts->editor = editor.get();
        prompts->access = access.get();
    }

    /// Ends the program and starts it again, unloading and reloading both libraries.
    void restart()
    {
        access.reset();
        editor.reset();
        UnloadEngines(startup);
        start();
    }

    void TearDown() override
    {
        access.reset();
        UnloadEngines(startup);
        fs::remove_all(folder);
    }

    std::vector<Row> rows() const
    {
        std::vector<Row> out;
        if (editor->isPlaceholder())
            return out;
        for (int r = kFirstDataRow; r < editor->rowCount(); ++r)
            out.push_back({editor->cell(kColMark, r), editor->cell(kColSource, r),
                           editor->cell(kColPartOfSpeech, r), editor->cell(kColTarget, r)});
        return out;
    }

    /// The user's Modify on a cell, typing text into it.
    void type(int column, int row, const std::string& text)
    {
        ASSERT_TRUE(editor->selectCell(column, row));
        ASSERT_TRUE(editor->MenuItemModifyClick());
        ASSERT_TRUE(access->checkCellInput(column, text).empty());
        editor->StringGridDictSetEditText(column, row, text);
    }

    /// The user's pick of a part of speech in the drop-down of an added row.
    void pick(int row, int index)
    {
        ASSERT_TRUE(editor->selectCell(kColPartOfSpeech, row));
        ASSERT_TRUE(editor->MenuItemModifyClick());
        editor->ComboBoxTypeChange(index);
    }

    fs::path folder;
    StartupState startup;
    DictionaryState state;
    std::unique_ptr<FakePrompts> prompts;
    std::unique_ptr<EntryEditor> editor;
    std::unique_ptr<DictionaryAccess> access;
};

} // namespace kelvara
