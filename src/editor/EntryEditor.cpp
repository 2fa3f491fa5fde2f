#include "editor/EntryEditor.h"

#include "lang/PartOfSpeech.h"
#include "lang/WideText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <iterator>

namespace kelvara {

namespace {

const std::string kNoText;

// The language whose literal labels are already bytes of the platform code page.
InterfaceLanguage LanguageOfCodePage(int codePage)
{
    return codePage == kCodePageBig5 ? InterfaceLanguage::Traditional
                                     : InterfaceLanguage::Simplified;
}

} // namespace

EntryEditor::EntryEditor(InterfaceLanguage language, int codePage)
    : m_language(language), m_codePage(codePage), m_rows(1), m_origins(1)
{}

void EntryEditor::addListener(EntryEditorListener* listener)
{
    if (listener &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void EntryEditor::removeListener(EntryEditorListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

// ---- rows and cells

bool EntryEditor::isDataCell(int column, int row) const
{
    return column >= 0 && column < kColumnCount && row >= kFirstDataRow && row < rowCount();
}

const std::string& EntryEditor::cell(int column, int row) const
{
    if (column < 0 || column >= kColumnCount)
        return kNoText;
    if (row == kTitleRow)
        return m_titleBytes[static_cast<std::size_t>(column)];
    if (row < kFirstDataRow || row >= rowCount())
        return kNoText;
    return m_rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)];
}

void EntryEditor::setCell(int column, int row, std::string text)
{
    if (!isDataCell(column, row))
        return;
    std::string& target =
        m_rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)];
    if (target == text)
        return;
    target = std::move(text);
    notifyCells(column, row, column, row);
}

const std::string& EntryEditor::rowOrigin(int row) const
{
    if (row < kFirstDataRow || row >= rowCount())
        return kNoText;
    return m_origins[static_cast<std::size_t>(row - 1)];
}

void EntryEditor::setRowOrigin(int row, std::string origin)
{
    if (row >= kFirstDataRow && row < rowCount())
        m_origins[static_cast<std::size_t>(row - 1)] = std::move(origin);
}

bool EntryEditor::isPlaceholder() const
{
    return m_rows.size() == 1 && m_rows.front()[kColMark].empty();
}

int EntryEditor::countRowsMarked(std::string_view mark) const
{
    int count = 0;
    for (const auto& row : m_rows)
        count += row[kColMark] == mark ? 1 : 0;
    return count;
}

void EntryEditor::setTitles(std::u16string source, std::u16string partOfSpeech,
                            std::u16string target)
{
    m_titles[kColSource] = std::move(source);
    m_titles[kColPartOfSpeech] = std::move(partOfSpeech);
    m_titles[kColTarget] = std::move(target);
    for (int column = kColSource; column < kColumnCount; ++column) {
        const auto c = static_cast<std::size_t>(column);
        m_titleBytes[c] = EncodeCodePage(m_titles[c], m_codePage);
    }
    notifyCells(kColSource, kTitleRow, kColTarget, kTitleRow);
}

const std::u16string& EntryEditor::title(int column) const
{
    static const std::u16string kNoTitle;
    if (column < 0 || column >= kColumnCount)
        return kNoTitle;
    return m_titles[static_cast<std::size_t>(column)];
}

// ---- current cell, editing mode, drop-down

void EntryEditor::moveCurrent(int column, int row)
{
    if (column == m_column && row == m_row)
        return;
    m_column = column;
    m_row = row;
    notify([&](EntryEditorListener& l) { l.currentCellChanged(m_column, m_row); });
}

bool EntryEditor::selectCell(int column, int row)
{
    if (column < kColSource || column >= kColumnCount || row < kFirstDataRow || row >= rowCount())
        return false;
    if (column == m_column && row == m_row)
        return true;
    if (!StringGridDictSelectCell(column, row))
        return false;
    moveCurrent(column, row);
    return true;
}

bool EntryEditor::StringGridDictSelectCell(int column, int row)
{
    (void)column;
    (void)row;
    endEditing();
    return true;
}

void EntryEditor::endEditing()
{
    setMode(EditMode::Browsing);
    hideTypeCombo();
}

void EntryEditor::setMode(EditMode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    notifyMode();
}

void EntryEditor::hideTypeCombo()
{
    if (!m_comboVisible)
        return;
    m_comboVisible = false;
    notifyMode();
}

void EntryEditor::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    notify([&](EntryEditorListener& l) { l.changedFlagChanged(m_changed); });
}

// ---- part-of-speech list

std::string EntryEditor::cellTextOf(std::u16string_view label, std::string_view fallback) const
{
    // A Simplified label on a Big5 platform (or the reverse) may hold a character the
    // platform code page lacks; rather than store "?" the cell gets the same part of speech
    // in the platform's own script.
    bool usedDefault = false;
    std::string bytes = EncodeCodePage(label, m_codePage, &usedDefault);
    if (usedDefault)
        return std::string(fallback);
    return bytes;
}

void EntryEditor::FillPartOfSpeechList(DictionaryKind kind)
{
    m_kind = kind;
    const bool ec = kind == DictionaryKind::EC;
    const auto labels = ec ? EcPartOfSpeechLabels(m_language) : CePartOfSpeechLabels(m_language);
    const InterfaceLanguage native = LanguageOfCodePage(m_codePage);
    const auto fallbacks = ec ? EcPartOfSpeechLabels(native) : CePartOfSpeechLabels(native);
    const int labelCodePage = LabelCodePageOf(m_language);

    m_posList.clear();
    m_posList.reserve(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        PartOfSpeechItem item;
        item.label = WideFromCodePage(labels[i], labelCodePage);
        item.cellText = cellTextOf(item.label, fallbacks[i]);
        m_posList.push_back(std::move(item));
    }
    m_comboIndex = -1;
    notifyMode();
}

int EntryEditor::partOfSpeechIndexOf(std::string_view label) const
{
    if (label.empty())
        return -1;
    const std::u16string wide = WideFromCodePage(label, m_codePage);
    for (std::size_t i = 0; i < m_posList.size(); ++i) {
        if (m_posList[i].cellText == label || m_posList[i].label == wide)
            return static_cast<int>(i);
    }
    return -1;
}

// ---- row operations

void EntryEditor::AddEntryRow(std::string_view mark, std::string_view source,
                              std::string_view label, std::string_view target,
                              std::string_view origin)
{
    if (m_language == InterfaceLanguage::English) {
        const std::string_view english = EnglishLabelFor(label, m_codePage);
        if (!english.empty())
            label = english;
    }

    if (isPlaceholder()) {
        // The placeholder row takes the entry in place; the current cell stays.
        Row& row = m_rows.front();
        row[kColMark] = mark;
        row[kColSource] = source;
        row[kColPartOfSpeech] = label;
        row[kColTarget] = target;
        m_origins.front() = origin;
        notifyCells(kColMark, kFirstDataRow, kColTarget, kFirstDataRow);
        return;
    }

    const int newRow = rowCount();
    notify([&](EntryEditorListener& l) { l.aboutToAppendRows(newRow, newRow); });
    m_rows.push_back(
        Row{std::string(mark), std::string(source), std::string(label), std::string(target)});
    m_origins.emplace_back(origin);
    notify([](EntryEditorListener& l) { l.rowsAppended(); });
    selectCell(m_column, newRow);
}

void EntryEditor::AppendEntryRows(std::vector<Row> rows)
{
    if (rows.empty())
        return;
    if (m_language == InterfaceLanguage::English) {
        for (Row& row : rows) {
            const std::string_view english = EnglishLabelFor(row[kColPartOfSpeech], m_codePage);
            if (!english.empty())
                row[kColPartOfSpeech] = english;
        }
    }

    auto next = rows.begin();
    if (isPlaceholder()) {
        // The placeholder row takes the first entry in place, as AddEntryRow does.
        m_rows.front() = std::move(*next++);
        m_origins.front().clear();
        notifyCells(kColMark, kFirstDataRow, kColTarget, kFirstDataRow);
        if (next == rows.end())
            return;
    }

    const int first = rowCount();
    const int last = first + static_cast<int>(rows.end() - next) - 1;
    notify([&](EntryEditorListener& l) { l.aboutToAppendRows(first, last); });
    m_rows.reserve(m_rows.size() + static_cast<std::size_t>(rows.end() - next));
    m_rows.insert(m_rows.end(), std::make_move_iterator(next), std::make_move_iterator(rows.end()));
    m_origins.resize(m_rows.size());
    notify([](EntryEditorListener& l) { l.rowsAppended(); });
    selectCell(m_column, last);
}

void EntryEditor::ResetToPlaceholder()
{
    if (m_rows.size() > 1) {
        const int last = rowCount() - 1;
        notify([&](EntryEditorListener& l) { l.aboutToRemoveRows(kFirstDataRow + 1, last); });
        m_rows.resize(1);
        m_origins.resize(1);
        notify([](EntryEditorListener& l) { l.rowsRemoved(); });
        moveCurrent(m_column, kFirstDataRow);
    }
    m_origins.front().clear();
    Row& row = m_rows.front();
    if (std::any_of(row.begin(), row.end(), [](const std::string& t) { return !t.empty(); })) {
        for (std::string& text : row)
            text.clear();
        notifyCells(kColMark, kFirstDataRow, kColTarget, kFirstDataRow);
    }
}

void EntryEditor::CompactRows()
{
    const auto dropped = [](const Row& row) { return row[kColMark] == kMarkDropped; };
    if (std::none_of(m_rows.begin(), m_rows.end(), dropped))
        return;

    // Rows move up by varying distances; one reset costs a single pass where a removal per
    // run of dropped rows would cost a pass per run.
    notify([](EntryEditorListener& l) { l.aboutToReset(); });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (dropped(m_rows[i]))
            continue;
        if (kept != i) {
            m_rows[kept] = std::move(m_rows[i]);
            m_origins[kept] = std::move(m_origins[i]);
        }
        ++kept;
    }
    m_rows.resize(kept);
    m_origins.resize(kept);
    if (m_rows.empty()) {
        m_rows.resize(1);
        m_origins.resize(1);
    }
    if (m_row >= rowCount())
        m_row = rowCount() - 1;
    notify([](EntryEditorListener& l) { l.resetDone(); });
    notify([&](EntryEditorListener& l) { l.currentCellChanged(m_column, m_row); });
}

void EntryEditor::EditCurrentCell()
{
    m_baseline = cell(m_column, m_row);
    if (m_column == kColPartOfSpeech) {
        m_comboVisible = true;
        m_comboIndex = partOfSpeechIndexOf(m_baseline);
        notifyMode();
        return;
    }
    setMode(EditMode::Editing);
}

void EntryEditor::StringGridDictSetEditText(int column, int row, std::string_view text)
{
    if (!isDataCell(column, row) || column == kColMark)
        return;
    setCell(column, row, std::string(text));
    if (cell(column, row) == m_baseline)
        return;
    const std::string& rowMark = mark(row);
    if (rowMark == kMarkStored) {
        setMark(row, kMarkModified);
        setChanged(true);
    } else if (rowMark == kMarkAdded) {
        setChanged(true);
    }
}

void EntryEditor::ComboBoxTypeChange(int index)
{
    if (index < 0 || index >= static_cast<int>(m_posList.size()))
        return;
    m_comboIndex = index;
    setCell(kColPartOfSpeech, m_row, m_posList[static_cast<std::size_t>(index)].cellText);
}

void EntryEditor::StringGridDictDblClick()
{
    if (modifyAvailable())
        EditCurrentCell();
}

bool EntryEditor::StringGridDictDrawCell(int column, int row) const
{
    return m_comboVisible && row == m_row && (column == kColPartOfSpeech || column == kColTarget);
}

// ---- commands

bool EntryEditor::MenuItemAddClick(std::string_view inputText)
{
    if (inputText.empty())
        return false;
    AddEntryRow(kMarkAdded, inputText, {}, {});

    const std::u16string noun =
        WideFromCodePage(NounLabel(m_language), LabelCodePageOf(m_language));
    const std::string nounCell = cellTextOf(noun, NounLabel(LanguageOfCodePage(m_codePage)));
    m_comboIndex = m_posList.empty() ? -1 : 0;
    notifyMode();
    setChanged(true);
    setCell(kColPartOfSpeech, m_row, nounCell);
    return true;
}

bool EntryEditor::MenuItemModifyClick()
{
    if (!modifyAvailable())
        return false;
    EditCurrentCell();
    return true;
}

bool EntryEditor::MenuItemDeleteClick()
{
    const std::string current = currentMark();
    if (current.empty() || current == kMarkDeleted || current == kMarkDropped)
        return false;
    if (current == kMarkAdded || current == kMarkFailed) {
        setMark(m_row, kMarkDropped);
    } else {
        setMark(m_row, kMarkDeleted);
        setChanged(true);
    }
    return true;
}

bool EntryEditor::modifyAvailable() const
{
    const std::string& current = currentMark();
    if (current == kMarkAdded)
        return true;
    return (current == kMarkStored || current == kMarkModified) && m_column == kColTarget;
}

bool EntryEditor::deleteAvailable(bool dictionaryOpen) const
{
    const std::string& current = currentMark();
    return dictionaryOpen && !current.empty() && current != kMarkDeleted && current != kMarkDropped;
}

// ---- notifications

void EntryEditor::notifyCells(int firstColumn, int firstRow, int lastColumn, int lastRow)
{
    notify([&](EntryEditorListener& l) {
        l.cellsChanged(firstColumn, firstRow, lastColumn, lastRow);
    });
}

void EntryEditor::notifyMode()
{
    notify([](EntryEditorListener& l) { l.modeChanged(); });
}

} // namespace kelvara
