// Prints how long the entry grid takes to fill, scroll and edit the 100,000 rows an import
// makes, with the Qt adapter and the view attached. Run with QT_QPA_PLATFORM=offscreen.

#include "editor/EntryEditor.h"
#include "editor/EntryGridView.h"
#include "editor/EntryTableModel.h"
#include "platform/CodePage.h"

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr int kRows = 100000;

void FillRows(kelvara::EntryEditor& editor)
{
    for (int i = 0; i < kRows; ++i) {
        const std::string n = std::to_string(i);
        editor.AddEntryRow(kelvara::kMarkAdded, "word" + n, "\xC3\xFB\xB4\xCA", "target " + n);
    }
}

void Report(const char* what, double ms, int count, const char* unit)
{
    std::printf("%-52s %10.1f ms  %8.2f us/%s\n", what, ms, ms * 1000.0 / count, unit);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    using namespace kelvara;

    {
        EntryEditor editor(InterfaceLanguage::English, kCodePageGbk);
        const auto start = Clock::now();
        FillRows(editor);
        Report("AddEntryRow x100000, core only (English labels)", MillisecondsSince(start), kRows, "row");
    }
    {
        EntryEditor editor(InterfaceLanguage::Simplified, kCodePageGbk);
        EntryTableModel model(editor);
        const auto start = Clock::now();
        FillRows(editor);
        Report("AddEntryRow x100000, table model attached", MillisecondsSince(start), kRows, "row");
    }

    EntryEditor editor(InterfaceLanguage::Simplified, kCodePageGbk);
    QWidget panel;
    panel.resize(520, 320);
    auto* grid = new EntryGridView(editor, &panel);
    grid->setGeometry(2, 2, 516, 316);
    grid->FillPartOfSpeechList(DictionaryKind::EC);
    panel.show();
    QApplication::processEvents();

    auto start = Clock::now();
    FillRows(editor);
    QApplication::processEvents();
    Report("AddEntryRow x100000, view shown (incl. layout)", MillisecondsSince(start), kRows, "row");

    QScrollBar* bar = grid->verticalScrollBar();
    const int pageStep = std::max(1, bar->pageStep());
    int pages = 0;
    start = Clock::now();
    for (int value = 0; value <= bar->maximum(); value += pageStep, ++pages) {
        bar->setValue(value);
        grid->viewport()->repaint();
    }
    Report("scroll through all rows page by page, painted", MillisecondsSince(start), pages, "page");

    int steps = 0;
    start = Clock::now();
    for (int value = bar->maximum(); value >= bar->maximum() - 2000; --value, ++steps) {
        bar->setValue(value);
        grid->viewport()->repaint();
    }
    Report("scroll 2000 single rows near the end, painted", MillisecondsSince(start), steps, "row");

    // Typing into a cell near the end: every keystroke goes through the model.
    grid->StringGridDictSelectCell(kColTarget, kRows - 5);
    QApplication::processEvents();
    editor.EditCurrentCell();
    QApplication::processEvents();
    const QModelIndex cell = grid->model()->index(kRows - 5, kColTarget);
    QString text = cell.data().toString();
    constexpr int kKeys = 2000;
    start = Clock::now();
    for (int i = 0; i < kKeys; ++i) {
        text.append(QChar(u'a' + i % 26));
        grid->model()->setData(cell, text);
        QApplication::processEvents();
    }
    Report("keystrokes into a cell of row 99995 (model + paint)", MillisecondsSince(start), kKeys, "key");

    for (int row = 1; row < editor.rowCount(); row += 10)
        editor.setMark(row, kMarkDropped);
    start = Clock::now();
    editor.CompactRows();
    QApplication::processEvents();
    Report("CompactRows dropping 10000 of 100000, view shown", MillisecondsSince(start), 1, "call");

    start = Clock::now();
    editor.ResetToPlaceholder();
    QApplication::processEvents();
    Report("ResetToPlaceholder from 90000 rows, view shown", MillisecondsSince(start), 1, "call");
    return 0;
}
