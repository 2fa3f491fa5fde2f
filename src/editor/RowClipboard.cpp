#include "editor/RowClipboard.h"

#include "editor/EntryEditor.h"

#include <algorithm>

namespace kelvara {

std::string RowCopyText(const EntryEditor& editor, int row)
{
    std::string text;
    for (const int column : {kColSource, kColPartOfSpeech, kColTarget}) {
        text += editor.cell(column, row);
        text += "\n\r"; // line feed first, then carriage return
    }
    return text;
}

bool IsAnsiTextIntact(std::string_view text)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (const char c : text) {
        run = c == kDefaultCharacter ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest <= 1 && longest != text.size();
}

bool PasteIntoTargetCell(EntryEditor& editor, std::string_view text)
{
    if (!editor.modifyAvailable())
        return false;
    const int row = editor.currentRow();
    // The cell's text before the paste is what the paste is compared with, as for typing; an
    // edit open on that very cell keeps the baseline it started with.
    if (editor.mode() != EditMode::Editing || editor.currentColumn() != kColTarget)
        editor.setEditBaseline(editor.cell(kColTarget, row));
    editor.StringGridDictSetEditText(kColTarget, row, text);
    return true;
}

} // namespace kelvara
