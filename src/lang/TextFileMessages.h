#pragma once

#include "lang/Language.h"

#include <string>

namespace kelvara {

// What the text commands say about the files they were given, before or instead of reading
// or writing them, and the hint of a paste that kept only its first line.

/// The chosen file is an open dictionary or one of its side files: nothing was opened.
std::u16string ChosenFileIsDictionaryMessage(InterfaceLanguage language);
/// The chosen export file is a folder, FIFO or device: nothing was written.
std::u16string ChosenFileNotRegularMessage(InterfaceLanguage language);
/// An export stopped or failed before its end: the chosen file is as it was.
std::u16string ExportNotWrittenMessage(InterfaceLanguage language);
/// A pasted text of several lines went into the input box as its first line.
std::u16string PasteFirstLineOnlyHint(InterfaceLanguage language);

} // namespace kelvara
