// Prints how long the entry grid takes to fill, scroll and edit the 100,000 rows an import
// makes, with the Qt adapter and the view attached; the same run at 1,000 rows shows that
// the per-row and per-page costs do not grow with the grid. Paging and typing are measured
// beside their floor, a bare QTableView over a plain item model of the same rows, in turns
// within the same run, with the ratio; the goal is a grid within 1.2 times its floor.

#include "editor/EntryEditor.h"
#include "editor/PlainTableFloor.h"
#include "editor/qt/EntryGridView.h"
#include "editor/qt/EntryTableModel.h"
#include "platform/CodePage.h"
#include "platform/SourceText.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kelvara {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;
// What the grid aims at beside a bare table view of the same rows.
constexpr double kGoalRatio = 1.2;

// The noun label as a C-E import brings it: GBK bytes.
const std::string& nounGbk()
{
    return CodePageBytes("名词", kCodePageGbk);
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void FillRows(EntryEditor& editor, int rows)
{
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        editor.AddEntryRow(kMarkAdded, "word" + n, nounGbk(), "target " + n);
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

// A figure of the grid and of its floor, measured in turns so that the machine's load weighs
// on both alike.
struct Beside
{
    double gridMs = 0;
    double floorMs = 0;
    std::vector<double> blockRatios; ///< grid / floor of each pair of blocks

    // The median of the paired blocks' ratios, which a busy machine's spikes move least.
    double ratio()
    {
        if (blockRatios.empty())
            return 0;
        const auto middle =
            blockRatios.begin() + static_cast<std::ptrdiff_t>(blockRatios.size() / 2);
        std::nth_element(blockRatios.begin(), middle, blockRatios.end());
        return *middle;
    }
};

void ReportBeside(int rows, const char* what, Beside figures, int count, const char* unit)
{
    Report(rows, what, figures.gridMs, count, unit);
    Report(rows, "  floor: bare QTableView, QStandardItemModel", figures.floorMs, count, unit);
    std::printf("%7s       %-46s %10.2fx  (median of %zu paired blocks %.2fx; goal: at most "
                "%.1fx)\n",
                "", "  grid / floor", figures.gridMs / figures.floorMs, figures.blockRatios.size(),
                figures.ratio(), kGoalRatio);
}

// Runs step(view, i) for i in [first, last) on both views, in blocks taken in turns.
template <typename Step>
Beside InTurns(QTableView& grid, QTableView& floor, int first, int last, int block, Step step)
{
    Beside figures;
    for (int from = first; from < last; from += block) {
        const int to = std::min(last, from + block);
        auto start = Clock::now();
        for (int i = from; i < to; ++i)
            step(grid, i);
        const double gridMs = MillisecondsSince(start);
        start = Clock::now();
        for (int i = from; i < to; ++i)
            step(floor, i);
        const double floorMs = MillisecondsSince(start);
        figures.gridMs += gridMs;
        figures.floorMs += floorMs;
        figures.blockRatios.push_back(gridMs / floorMs);
    }
    return figures;
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

    PlainTableFloor floor(rows);
    QScrollBar* bar = grid->verticalScrollBar();
    if (floor.view().verticalScrollBar()->maximum() != bar->maximum())
        std::printf("(the floor scrolls %d rows, the grid %d)\n",
                    floor.view().verticalScrollBar()->maximum(), bar->maximum());
    const int pageStep = std::max(1, bar->pageStep());
    const int pages = bar->maximum() / pageStep + 1;
    // A small grid is paged through several times, so that enough pairs of blocks are taken.
    const int passes = std::max(1, 300 / pages);
    const Beside paging =
        InTurns(*grid, floor.view(), 0, pages * passes, 10, [&](QTableView& view, int i) {
            view.verticalScrollBar()->setValue((i % pages) * pageStep);
            view.viewport()->repaint();
        });
    ReportBeside(rows, "scroll through all rows by pages, painted", paging, pages * passes, "page");

    const int last = bar->maximum();
    const int steps = std::min(last, 500) + 1;
    const Beside single = InTurns(*grid, floor.view(), 0, steps, 50, [&](QTableView& view, int i) {
        view.verticalScrollBar()->setValue(last - i);
        view.viewport()->repaint();
    });
    ReportBeside(rows, "scroll 500 single rows at the end, painted", single, steps, "row");

    // Typing into a cell near the end: every keystroke goes through the model and repaints;
    // the floor's cell has its editor open too.
    grid->StringGridDictSelectCell(kColTarget, rows - 5);
    QApplication::processEvents();
    editor.EditCurrentCell();
    QApplication::processEvents();
    const QModelIndex floorCell = floor.model().index(rows - 5, kColTarget);
    floor.view().setCurrentIndex(floorCell);
    floor.view().edit(floorCell);
    QApplication::processEvents();
    const QModelIndex gridCell = grid->model()->index(rows - 5, kColTarget);
    QString gridText = gridCell.data().toString();
    QString floorText = floorCell.data().toString();
    constexpr int kKeys = 500;
    const Beside typing = InTurns(*grid, floor.view(), 0, kKeys, 25, [&](QTableView& view, int i) {
        const bool isGrid = &view == grid;
        QString& text = isGrid ? gridText : floorText;
        text.append(QChar(u'a' + i % 26));
        view.model()->setData(isGrid ? gridCell : floorCell, text);
        QApplication::processEvents();
    });
    ReportBeside(rows, "keystrokes into a cell near the end", typing, kKeys, "key");

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
    // "editor_bench ROWS" measures the view at that size alone (for a profiler's run).
    if (argc > 1) {
        MeasureView(std::max(10, std::atoi(argv[1])));
        return 0;
    }
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
