#pragma once

#include "textio/TextCommandPrompts.h"
#include "textio/TextCommandResult.h"
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

private:
    std::optional<std::string> chooseExportFile();
    TextProgressCallback progress();

    const StartupState& m_startup;
    const DictionaryState& m_state;
    EntryEditor& m_editor;
    TextCommandPrompts& m_prompts;
    TextCommandResult importToDictionary(const ImportOptions& options);

    std::int32_t m_stackMark = 0;
    ImportOptions m_importOptions;
};

} // namespace kelvara
