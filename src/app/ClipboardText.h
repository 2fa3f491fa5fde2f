#pragma once

#include "lang/Language.h"

#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QMimeData;

namespace kelvara {

/// The clipboard format that carries text as the bytes of the platform code page:
/// "text/plain;charset=GBK" for 936, "text/plain;charset=Big5" for 950.
QString CodePageMimeFormat(int codePage);

/// What Copy puts on the clipboard: the exact code-page bytes under CodePageMimeFormat, and
/// the same text as Unicode (text/plain, UTF-8) for every other program.
std::unique_ptr<QMimeData> CodePageMimeData(std::string_view bytes, int codePage);

/// The text a paste takes from the clipboard, in the platform code page.
struct ClipboardPaste
{
    bool hasText = false; ///< false: the clipboard holds no (non-empty) text; nothing happens
    std::string bytes;    ///< the text to paste, when no hint refuses it
    std::u16string hint;  ///< not empty: the paste is refused, and this says why
    /// Not empty: the paste goes in, but only its first line did; this says so.
    std::u16string droppedLinesHint;

    bool refused() const { return !hint.empty(); }
};

/// What a paste takes of a text of several lines.
enum class PasteLines {
    Refuse,    ///< a line break inside the text refuses it (a grid cell holds one line)
    FirstLine, ///< the first line is taken, the others dropped (the input box)
};

/// Reads the clipboard text for a paste. The 8-bit text is the code-page format when the
/// clipboard holds one, otherwise the Unicode text converted; when IsAnsiTextIntact refuses
/// it (lost characters left "??" behind), the Unicode text is converted instead. A character
/// the code page cannot hold is never turned into "?": the paste is refused with the input
/// box's hint, as are control characters. Line breaks at the end of the text (a spreadsheet
/// cell, a terminal line, a copied row) are dropped; one inside it refuses the text or, with
/// PasteLines::FirstLine, keeps its first line.
ClipboardPaste ReadClipboardPaste(const QMimeData* data, int codePage, InterfaceLanguage language,
                                  PasteLines lines = PasteLines::Refuse);

} // namespace kelvara
