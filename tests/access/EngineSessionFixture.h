#pragma once

// A temporary installation folder with both reference engines and one running "program"
// over it: the access commands, the entry grid and scripted prompts.

#include "access/AccessFixture.h"
#include "access/RefusingCeEngine.h"

#include <sqlite3.h>

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
        enginesFolder = engines;
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
        realCe.unload();
        fs::remove_all(folder);
    }

    /// Puts the refusing C-E binding in place of the loaded engine, which stays loaded.
    void refuseCeAdds(bool withCheck, bool withAbort)
    {
        realCe = std::move(startup.ce);
        startup.ce = RefusingCeEngine::wrap(realCe, withCheck, withAbort);
    }
    /// The loaded C-E engine itself, also while the refusing binding stands in for it.
    const CeBinding& ceEngine() const { return realCe.available() ? realCe : startup.ce; }

    /// Another program stores senses (part-of-speech word, translation) of a word in the C-E
    /// dictionary, bytes as they are, with no engine rule asked. The program ends and starts
    /// again around it: a second connection to the file in the same process would drop the
    /// engine's locks.
    void storeAsAnotherProgram(const std::string& word,
                               const std::vector<std::pair<std::string, std::string>>& senses)
    {
        ASSERT_NE(ceEngine().dicOpen(startup.engineDirectoryBuffer), 0); // creates the file
        ASSERT_NE(ceEngine().dicClose(), 0);
        access.reset();
        editor.reset();
        UnloadEngines(startup);
        realCe.unload();
        sqlite3* db = nullptr;
        const std::string path = (folder / enginesFolder / "UserCe.ext").string();
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_stmt* insert = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO sense(word, pos, translation) VALUES(?,?,?)",
                                     -1, &insert, nullptr),
                  SQLITE_OK);
        for (const auto& [pos, translation] : senses) {
            sqlite3_bind_blob(insert, 1, word.data(), static_cast<int>(word.size()),
                              SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 2, pos.data(), static_cast<int>(pos.size()),
                              SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 3, translation.data(), static_cast<int>(translation.size()),
                              SQLITE_TRANSIENT);
            EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        ASSERT_EQ(sqlite3_close(db), SQLITE_OK);
        start();
    }

    /// The word's sense list as the engine hands it out now ("" when it is not held).
    std::string senseListOf(const std::string& word)
    {
        EXPECT_NE(ceEngine().dicOpen(startup.engineDirectoryBuffer), 0);
        std::int32_t mark = 0;
        const char* list = nullptr;
        ceEngine().markGStack(mark);
        ceEngine().dicRetrieve(Buffer128(word.c_str()), list);
        std::string out = list ? list : "";
        ceEngine().releaseGStack(mark);
        EXPECT_NE(ceEngine().dicClose(), 0);
        return out;
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
    std::string enginesFolder;
    StartupState startup;
    CeBinding realCe; ///< the loaded C-E engine while the refusing binding stands in
    DictionaryState state;
    std::unique_ptr<FakePrompts> prompts;
    std::unique_ptr<EntryEditor> editor;
    std::unique_ptr<DictionaryAccess> access;
};

} // namespace kelvara
