#pragma once

#include "platform/FixedBuffer.h"
#include "textio/TextCommandResult.h"
#include "textio/TextProgressPacer.h"

#include <cstdint>
#include <string>

namespace kelvara {

class CeBinding;
class EcBinding;
class EntryEditor;

/// Reads an entry text file into the grid: one "A" row per record, showing the item of the
/// grid's part-of-speech list that the record's label stands for, appended in bulk. Sets the
/// changed flag, also when nothing was read. Records holding a character the platform code
/// page lacks (UTF-8 files) are skipped and counted.
TextCommandResult ImportFileToEditor(const std::string& path, EntryEditor& editor,
                                     const TextProgressCallback& progress = {});

/// Hands every record of the file to the E-C engine as an "A" within one open of the
/// dictionary at ecPath; only a close that commits makes any of them stored. A source or
/// target over 255 bytes skips its record; records of three empty lines are not handed on.
TextCommandResult ImportFileToEcDictionary(const std::string& path, const EcBinding& ec,
                                           const std::string& ecPath, int codePage,
                                           const TextProgressCallback& progress = {});

/// Hands every record of the file to the C-E engine, each in its own dicopen, bracketed
/// dicadd and dicclose. A failed dicopen or commit stops the import there. Records whose
/// fields exceed the engine's buffers (127, 15, 127 bytes), whose word holds a backslash or
/// whose translation holds a parenthesis are kept from the engine and counted.
TextCommandResult ImportFileToCeDictionary(const std::string& path, const CeBinding& ce,
                                           const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, int codePage,
                                           const TextProgressCallback& progress = {});

} // namespace kelvara
