// Prints how long the entry grid takes to fill, scroll and edit the 100,000 rows an import
// makes, with the Qt adapter and the view attached; the same run at 1,000 rows shows that
// the per-row and per-page costs do not grow with the grid. Run with QT_QPA_PLATFORM=offscreen.

#include "editor/EntryEditor.h"
#include "editor/qt/EntryGridView.h"
#include "editor/qt/EntryTableModel.h"
#include "platform/CodePage.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace kelvara {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;
const char* const kNounGbk = "\xC3\xFB\xB4\xCA"; // 名词, as a C-E import would bring it

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void FillRows(EntryEditor& editor, int rows)
{
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        editor.AddEntryRow(kMarkAdded, "word" + n, kNounGbk, "target " + n);
    }
}

void Report(int rows, const char* what, double ms, int count, const char* unit)
{
    std::printf("%7d rows  %-46s %10.1f ms %10.2f us/%s\n", rows, what, ms, ms * 1000.0 / count,
                unit);
}

void MeasureCore(int rows, InterfaceLanguage language, bool withModel)
{
    EntryEditor editor(language, kCodePageGbk);
    std::unique_ptr<EntryTableModel> model;
    if (withModel)
        model = std::make_unique<EntryTableModel>(editor);
    const auto start = Clock::now();
    FillRows(editor, rows);
    Report(rows,
           withModel ? "AddEntryRow, table model attached"
                     : (language == InterfaceLanguage::English ? "AddEntryRow, core, English labels"
                                                               : "AddEntryRow, core"),
           MillisecondsSince(start), rows, "row");
}

void MeasureView(int rows)
{
    EntryEditor editor(InterfaceLanguage::Simplified, kCodePageGbk);
    QWidget panel;
    panel.resize(520, 320);
    auto* grid = new EntryGridView(editor, &panel);
    grid->setGeometry(2, 2, 516, 316);
    grid->FillPartOfSpeechList(DictionaryKind::EC);
    panel.show();
    QApplication::processEvents();

    auto start = Clock::now();
    FillRows(editor, rows);
    QApplication::processEvents();
    Report(rows, "AddEntryRow, view shown (with layout)", MillisecondsSince(start), rows, "row");

    QScrollBar* bar = grid->verticalScrollBar();
    const int pageStep = std::max(1, bar->pageStep());
    int pages = 0;
    start = Clock::now();
    for (int value = 0; value <= bar->maximum(); value += pageStep, ++pages) {
        bar->setValue(value);
        grid->viewport()->repaint();
    }
    Report(rows, "scroll through all rows by pages, painted", MillisecondsSince(start), pages,
           "page");

    int steps = 0;
    start = Clock::now();
    for (int value = bar->maximum(); value >= std::max(0, bar->maximum() - 500); --value, ++steps) {
        bar->setValue(value);
        grid->viewport()->repaint();
    }
    Report(rows, "scroll 500 single rows at the end, painted", MillisecondsSince(start), steps,
           "row");

    // Typing into a cell near the end: every keystroke goes through the model and repaints.
    grid->StringGridDictSelectCell(kColTarget, rows - 5);
    QApplication::processEvents();
    editor.EditCurrentCell();
    QApplication::processEvents();
    const QModelIndex cell = grid->model()->index(rows - 5, kColTarget);
    QString text = cell.data().toString();
    constexpr int kKeys = 500;
    start = Clock::now();
    for (int i = 0; i < kKeys; ++i) {
        text.append(QChar(u'a' + i % 26));
        grid->model()->setData(cell, text);
        QApplication::processEvents();
    }
    Report(rows, "keystrokes into a cell near the end", MillisecondsSince(start), kKeys, "key");

    for (int row = 1; row < editor.rowCount(); row += 10)
        editor.setMark(row, kMarkDropped);
    start = Clock::now();
    editor.CompactRows();
    QApplication::processEvents();
    Report(rows, "CompactRows dropping every tenth row", MillisecondsSince(start), 1, "call");

    start = Clock::now();
    editor.ResetToPlaceholder();
    QApplication::processEvents();
    Report(rows, "ResetToPlaceholder", MillisecondsSince(start), 1, "call");
}

int run(int argc, char** argv)
{
    // The figures are of the grid's own work, not of a display server: offscreen unless the
    // caller chose a platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MeasureCore(kRows, InterfaceLanguage::Simplified, false);
    MeasureCore(kRows, InterfaceLanguage::English, false);
    MeasureCore(kRows, InterfaceLanguage::Simplified, true);
    MeasureView(1000);
    MeasureView(kRows);
    return 0;
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
