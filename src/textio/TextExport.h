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

/// How a dictionary export writes its texts: as the platform code page has them (the entry
/// text layout's own form), or converted to UTF-8 for other programs.
enum class ExportEncoding { CodePage, Utf8 };

/// Every export is written into a new file beside the chosen one, which takes the chosen
/// file's place only once it is whole and on the disk: a cancel, a write error or a full disk
/// leave an existing file exactly as it was (notWritten says so).

/// Writes the grid's rows as entry records (source, label as shown, target), in grid order,
/// leaving out rows marked "D" and "d". The placeholder row of an empty grid is written too.
TextCommandResult ExportEditorToFile(const EntryEditor& editor, const std::string& path,
                                     const TextProgressCallback& progress = {});

/// Has the E-C engine write the dictionary at ecPath into a free temporary file beside path,
/// then copies its records, whole, into path and deletes the temporary file. When the engine
/// writes nothing, path is left as it was.
TextCommandResult ExportEcDictionaryToFile(const EcBinding& ec, const std::string& ecPath,
                                           const std::string& path, int codePage,
                                           const TextProgressCallback& progress = {},
                                           ExportEncoding encoding = ExportEncoding::CodePage);

/// Has the C-E engine export its dictionary into a free temporary file beside path, then
/// writes one entry record per engine export line into path and deletes the temporary file.
/// A failed dicopen leaves every file as it was.
TextCommandResult ExportCeDictionaryToFile(const CeBinding& ce, const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, const std::string& path,
                                           int codePage, const TextProgressCallback& progress = {},
                                           ExportEncoding encoding = ExportEncoding::CodePage);

} // namespace kelvara
