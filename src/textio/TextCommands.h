#pragma once

#include "textio/TextCommandPrompts.h"
#include "textio/TextCommandResult.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"
#include "textio/TextProgressPacer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kelvara {

class EntryEditor;
struct DictionaryState;
struct StartupState;

/// The four commands of the import and export submenus over the open dictionary: each asks
/// its dialogs through TextCommandPrompts, does its work with progress, and answers what
/// it did for the caller to show (TextCommandSummary). None runs without an open dictionary.
/// No chosen file is opened that is an open dictionary or one of its side files, and no
/// export goes to anything but a regular file.
class TextCommands
{
public:
    TextCommands(const StartupState& startup, const DictionaryState& state, EntryEditor& editor,
                 TextCommandPrompts& prompts);

    /// Every record of a chosen text file becomes an "A" row of the grid.
    TextCommandResult ImportToEditor();
    /// Every record of a chosen text file goes to the engine of the open kind.
    TextCommandResult ImportToDictionary();
    /// ImportToDictionary's reading and classing of every record, storing nothing.
    TextCommandResult CheckDictionary();
    /// How the imports read their file and what they do with records the format cannot hold
    /// (the window keeps the defaults and a sink for the records that did not go in).
    void setImportOptions(const ImportOptions& options) { m_importOptions = options; }
    /// The grid's rows, but those marked "D" or "d", go to a chosen text file.
    TextCommandResult ExportFromEditor();
    /// Every entry of the open dictionary goes to a chosen text file.
    TextCommandResult ExportFromDictionary();

    /// How ExportFromDictionary writes its texts (the code page unless set).
    void setExportEncoding(ExportEncoding encoding) { m_exportEncoding = encoding; }

private:
    // The chosen file, or nothing: a cancelled dialog, or a file refused before anything
    // opened it (refusal then says why).
    std::optional<std::string> chooseExportFile(TextCommandResult& refusal);
    std::optional<std::string> chooseImportFile(TextCommandResult& refusal);
    TextProgressCallback progress();

    const StartupState& m_startup;
    const DictionaryState& m_state;
    EntryEditor& m_editor;
    TextCommandPrompts& m_prompts;
    TextCommandResult importToDictionary(const ImportOptions& options);

    std::int32_t m_stackMark = 0;
    ExportEncoding m_exportEncoding = ExportEncoding::CodePage;
    ImportOptions m_importOptions;
};

} // namespace kelvara
