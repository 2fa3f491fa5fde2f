#pragma once

#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

#include <memory>

namespace kelvara {

/// The floor the entry grid is measured against: a bare QTableView over a plain
/// QStandardItemModel holding the same rows as decoded texts, laid out as the grid is (same
/// panel, font, column widths and row height, no headers), with nothing of the grid's own:
/// no editor model behind it, no decoding, no drop-down, no cell check.
class PlainTableFloor
{
public:
    /// A shown panel with the table over rows + 1 rows (row 0 holds the titles); row i of the
    /// data is "word<i>", the noun label and "target <i>", as the grid's bench fills it.
    explicit PlainTableFloor(int rows);

    QTableView& view() { return *m_view; }
    QStandardItemModel& model() { return m_model; }

private:
    QStandardItemModel m_model;
    std::unique_ptr<QWidget> m_panel;
    QTableView* m_view;
};

} // namespace kelvara
