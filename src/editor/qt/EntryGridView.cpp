#include "editor/qt/EntryGridView.h"

#include "editor/qt/EntryCellDelegate.h"
#include "editor/qt/EntryTableModel.h"
#include "lang/WideText.h"
#include "platform/qt/QtFormLook.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <cstdlib>

namespace kelvara {

namespace {

// How close to a column's right edge in the title row a press starts resizing it.
constexpr int kSizingGrip = 3;

} // namespace

EntryGridView::EntryGridView(EntryEditor& editor, QWidget* panel)
    : QTableView(panel), m_editor(editor), m_panel(panel)
{
    setObjectName(QStringLiteral("StringGridDict"));
    m_model = new EntryTableModel(editor, this);
    setModel(m_model);
    m_delegate = new EntryCellDelegate(editor.codePage(), editor.language(), this);
    setItemDelegate(m_delegate);

    setFont(QtFormFont(FormFont::Grid));
    QPalette colours = palette();
    colours.setColor(QPalette::Text, QtFormColor(FormColor::kGridText));
    setPalette(colours);

    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < kColumnCount; ++column)
        setColumnWidth(column, kStartWidths[column]);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    setShowGrid(true);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    viewport()->setMouseTracking(true);

    m_combo = new QComboBox(panel);
    m_combo->setObjectName(QStringLiteral("ComboBoxType"));
    m_combo->setEditable(false);
    m_combo->setFocusPolicy(Qt::ClickFocus); // no tab stop
    m_combo->setFont(QtFormFont(FormFont::TypeCombo));
    m_combo->setFixedWidth(kComboWidth);
    m_combo->hide();
    connect(m_combo, &QComboBox::activated, this, &EntryGridView::ComboBoxTypeChange);

    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { m_appending = true; });
    connect(m_model, &EntryTableModel::editorCurrentCellChanged, this, [this] {
        // Find and import append rows one at a time, each becoming current; the headers
        // find a moved current index by laying out every row again, so a burst is followed
        // once, when it is over.
        if (m_appending)
            followCurrentCellSoon();
        else
            followCurrentCell();
        emit stateChanged();
    });
    connect(m_model, &EntryTableModel::editorModeChanged, this, [this] {
        followMode();
        emit stateChanged();
    });
    connect(m_model, &EntryTableModel::editorChangedFlagChanged, this,
            &EntryGridView::stateChanged);
    connect(m_model, &EntryTableModel::editorCellsChanged, this,
            [this](int firstColumn, int firstRow, int, int lastRow) {
                const int row = m_editor.currentRow();
                if (firstColumn == kColMark && firstRow <= row && row <= lastRow)
                    emit stateChanged();
            });
    connect(m_model, &EntryTableModel::editorRowsReplaced, this, [this] {
        followCurrentCell();
        emit stateChanged();
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { keepComboInPlace(); });

    followCurrentCell();
}

EntryGridView::~EntryGridView() = default;

void EntryGridView::setCellCheck(CellCheck check)
{
    m_delegate->setCellCheck(std::move(check));
}

void EntryGridView::FillPartOfSpeechList(DictionaryKind kind)
{
    m_editor.FillPartOfSpeechList(kind);
    fillComboItems();
}

void EntryGridView::fillComboItems()
{
    const auto& list = m_editor.partOfSpeechList();
    bool same = m_combo->count() == static_cast<int>(list.size());
    for (int i = 0; same && i < m_combo->count(); ++i)
        same = m_combo->itemText(i) ==
               QString::fromStdU16String(list[static_cast<std::size_t>(i)].label);
    if (same)
        return;
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    for (const PartOfSpeechItem& item : list)
        m_combo->addItem(QString::fromStdU16String(item.label));
    m_combo->setCurrentIndex(m_editor.typeComboIndex());
}

// ---- commands

bool EntryGridView::MenuItemAddClick(const QString& inputText)
{
    std::string bytes;
    if (inputText.isEmpty() || !m_model->toBytes(inputText, bytes))
        return false;
    return m_editor.MenuItemAddClick(bytes);
}

bool EntryGridView::MenuItemModifyClick()
{
    return m_editor.MenuItemModifyClick();
}

bool EntryGridView::MenuItemDeleteClick(bool dictionaryOpen)
{
    if (!m_editor.deleteAvailable(dictionaryOpen))
        return false;
    return m_editor.MenuItemDeleteClick();
}

bool EntryGridView::StringGridDictSelectCell(int column, int row)
{
    return m_editor.selectCell(column, row);
}

void EntryGridView::StringGridDictDblClick()
{
    m_editor.StringGridDictDblClick();
}

void EntryGridView::StringGridDictDrawCell(int column, int row)
{
    if (m_editor.StringGridDictDrawCell(column, row))
        PlaceTypeCombo();
}

void EntryGridView::PlaceTypeCombo()
{
    const int row = m_editor.currentRow();
    const QRect cell = visualRect(m_model->index(row, kColPartOfSpeech));
    const QPoint topLeft = viewport()->mapTo(m_panel, cell.topLeft());
    m_combo->setFixedWidth(cell.width() + kComboOffset);
    m_combo->move(topLeft.x() + kComboOffset, topLeft.y() + kComboOffset);
    const QSignalBlocker block(m_combo);
    m_combo->setCurrentIndex(m_editor.partOfSpeechIndexOf(m_editor.cell(kColPartOfSpeech, row)));
}

void EntryGridView::ComboBoxTypeChange(int index)
{
    m_editor.ComboBoxTypeChange(index);
}

// ---- following the editor

void EntryGridView::followCurrentCell()
{
    const QModelIndex target = m_model->index(m_editor.currentRow(), m_editor.currentColumn());
    // Rows removed under an open editor take it with them; editing mode lasts, so the
    // editor shows again on the cell that is current now.
    if (m_editor.mode() == EditMode::Editing && m_editIndex != target)
        followMode();
    if (currentIndex() == target)
        return;
    // Scrolling to every row as it is appended costs a pass over the row heights each time;
    // the view scrolls once, after the burst.
    m_following = true;
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    setAutoScroll(scrolls);
    m_following = false;
    scheduleScrollToCurrent();
}

void EntryGridView::followCurrentCellSoon()
{
    if (m_followPending)
        return;
    m_followPending = true;
    QTimer::singleShot(0, this, [this] {
        m_followPending = false;
        m_appending = false;
        followCurrentCell();
        // The scroll range must know the new rows before the view can scroll to the last.
        executeDelayedItemsLayout();
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });
}

void EntryGridView::scheduleScrollToCurrent()
{
    if (m_scrollPending)
        return;
    m_scrollPending = true;
    QTimer::singleShot(0, this, [this] {
        m_scrollPending = false;
        executeDelayedItemsLayout();
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    });
}

void EntryGridView::closeCellEditor()
{
    if (!m_editIndex.isValid()) {
        m_editIndex = QPersistentModelIndex();
        return;
    }
    QWidget* editorWidget = indexWidget(m_editIndex);
    const bool hadFocus = editorWidget && editorWidget->hasFocus();
    closePersistentEditor(m_editIndex);
    m_editIndex = QPersistentModelIndex();
    if (hadFocus)
        setFocus();
}

void EntryGridView::followMode()
{
    const QModelIndex current = m_model->index(m_editor.currentRow(), m_editor.currentColumn());
    if (m_editor.mode() == EditMode::Editing) {
        if (m_editIndex != current) {
            closeCellEditor();
            openPersistentEditor(current);
            m_editIndex = current;
            if (QWidget* editorWidget = indexWidget(current))
                editorWidget->setFocus();
        }
    } else {
        closeCellEditor();
    }

    fillComboItems();
    if (m_editor.typeComboVisible()) {
        const bool shown = m_combo->isVisible();
        m_combo->show();
        m_combo->raise();
        PlaceTypeCombo();
        if (!shown)
            m_combo->setFocus();
    } else {
        if (m_combo->hasFocus())
            setFocus();
        m_combo->hide();
        const QSignalBlocker block(m_combo);
        m_combo->setCurrentIndex(m_editor.typeComboIndex());
    }
}

void EntryGridView::keepComboInPlace()
{
    StringGridDictDrawCell(kColPartOfSpeech, m_editor.currentRow());
}

// ---- Qt's side

void EntryGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (m_following || m_model->restructuring()) {
        // The base class asks for the rectangles of both cells, which right after an append
        // makes the row header lay out every row again: a burst of appended rows would cost
        // quadratic time. The editor's cell state is ours to manage; a repaint is enough.
        viewport()->update();
        return;
    }
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    if (!m_editor.selectCell(current.column(), current.row())) {
        // A fixed cell can never become current; go back to the editor's cell.
        QTimer::singleShot(0, this, [this] { followCurrentCell(); });
    }
}

void EntryGridView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected)
{
    if (m_following || m_model->restructuring()) {
        viewport()->update(); // see currentChanged
        return;
    }
    QTableView::selectionChanged(selected, deselected);
}

int EntryGridView::sizingColumnAt(const QPoint& pos) const
{
    if (rowAt(pos.y()) != kTitleRow)
        return -1;
    for (int column = 0; column < kColumnCount; ++column) {
        const int edge = columnViewportPosition(column) + columnWidth(column);
        if (std::abs(pos.x() - edge) <= kSizingGrip)
            return column;
    }
    return -1;
}

void EntryGridView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int column = event->button() == Qt::LeftButton ? sizingColumnAt(pos) : -1;
    if (column >= 0) {
        m_sizingColumn = column;
        m_sizingStartX = pos.x();
        m_sizingStartWidth = columnWidth(column);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void EntryGridView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_sizingColumn >= 0) {
        setColumnWidth(m_sizingColumn, std::max(0, m_sizingStartWidth + pos.x() - m_sizingStartX));
        event->accept();
        return;
    }
    if (sizingColumnAt(pos) >= 0)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
    QTableView::mouseMoveEvent(event);
}

void EntryGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_sizingColumn >= 0) {
        m_sizingColumn = -1;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void EntryGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (sizingColumnAt(event->position().toPoint()) >= 0) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    StringGridDictDblClick();
}

void EntryGridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (!m_editor.typeComboVisible())
        return;
    const int row = m_editor.currentRow();
    for (int column : {kColPartOfSpeech, kColTarget}) {
        if (event->region().intersects(visualRect(m_model->index(row, column))))
            StringGridDictDrawCell(column, row);
    }
}

void EntryGridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    keepComboInPlace();
}

} // namespace kelvara
