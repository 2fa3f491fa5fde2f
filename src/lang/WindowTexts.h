#pragma once

#include "lang/Language.h"

#include <cstddef>
#include <string>

namespace kelvara {

// Texts of the main window that no form resource holds: the progress display of the text
// commands and the file dialogs' refusal of a missing folder.

/// The caption of the progress display's Cancel button.
std::u16string ProgressCancelCaption(InterfaceLanguage language);
/// The progress display's line: how many records are done.
std::u16string RecordsDoneLabel(InterfaceLanguage language, std::size_t records);
/// A file dialog refuses a path into a folder that does not exist.
std::u16string MissingFolderMessage(InterfaceLanguage language, std::u16string_view folder);

} // namespace kelvara
