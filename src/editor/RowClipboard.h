#pragma once

#include <string>
#include <string_view>

namespace kelvara {

class EntryEditor;

/// The text Copy puts on the clipboard for a grid row: source, label and target, each followed
/// by LF CR (0x0A then 0x0D, in that order), in the platform code page; the row mark is left
/// out, whatever it is.
std::string RowCopyText(const EntryEditor& editor, int row);

/// The code page's default character: what a conversion puts for a character it lacks.
inline constexpr char kDefaultCharacter = '?';

/// Whether 8-bit clipboard text can be taken as it is: false when it is empty, is exactly one
/// default character, or holds two or more default characters in a row (the marks a
/// conversion leaves where Chinese characters were lost).
bool IsAnsiTextIntact(std::string_view text);

/// Paste into the target cell of the current row: the text becomes the whole cell, and the
/// row follows the rules of a cell edit ("M" for a stored row, the changed flag set), so a
/// pasted change is saved like a typed one. Only where Modify is available for the current
/// cell; answers whether the cell took the text.
bool PasteIntoTargetCell(EntryEditor& editor, std::string_view text);

} // namespace kelvara
