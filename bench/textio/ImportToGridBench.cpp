// Prints how long ImportToEditor takes to bring a 100,000-record GBK file into the entry grid
// while the grid is shown (the Qt view and its model attached), beside the same import into
// the grid model alone, measured in the same run. Run with QT_QPA_PLATFORM=offscreen.

#include "access/DictionaryState.h"
#include "editor/EntryEditor.h"
#include "editor/qt/EntryGridView.h"
#include "startup/StartupState.h"
#include "textio/TextCommandPrompts.h"
#include "textio/TextCommands.h"

#include <QApplication>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace kelvara {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRecords = 100000;

class ChosenFile : public TextCommandPrompts
{
public:
    explicit ChosenFile(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> chooseImportFile() override { return m_path; }
    std::optional<std::string> chooseExportFile() override { return std::nullopt; }
    bool confirmOverwrite(const std::string&) override { return false; }
    bool confirmCeDictionary() override { return false; }

private:
    std::string m_path;
};

double importMilliseconds(const std::string& file, bool shown, std::size_t& rows)
{
    StartupState startup;
    startup.chineseVariant = ChineseVariant::Simplified;
    startup.language = InterfaceLanguage::Simplified;
    DictionaryState state;
    state.open = true;
    EntryEditor editor(startup.language, kCodePageGbk);
    editor.FillPartOfSpeechList(DictionaryKind::EC);
    // The grid lives on its panel, as in the window.
    std::unique_ptr<QWidget> panel;
    if (shown) {
        panel = std::make_unique<QWidget>();
        panel->resize(505, 250);
        auto* view = new EntryGridView(editor, panel.get());
        view->resize(505, 250);
        panel->show();
        QCoreApplication::processEvents();
    }
    ChosenFile prompts(file);
    TextCommands commands(startup, state, editor, prompts);
    const auto start = Clock::now();
    const TextCommandResult result = commands.ImportToEditor();
    QCoreApplication::processEvents(); // the view catches up with the rows and paints
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    rows = result.written;
    return ms;
}

int run(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "kelvara-import-grid-bench.txt";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < kRecords; ++i)
            out << "word" << i << "\r\n\xC3\xFB\xB4\xCA\r\ntarget \xB4\xCA " << i << "\r\n";
    }
    std::size_t rows = 0;
    for (int run = 0; run < 3; ++run) {
        const double model = importMilliseconds(file.string(), false, rows);
        const double grid = importMilliseconds(file.string(), true, rows);
        std::printf("ImportToEditor, %zu records: shown grid %8.1f ms   model alone %8.1f ms   "
                    "(%.2fx; goal: shown grid under 1000 ms)\n",
                    rows, grid, model, grid / model);
    }
    std::filesystem::remove(file);
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
