#pragma once

#include "textio/TextCommandResult.h"

#include <optional>
#include <string>

namespace kelvara {

/// The dialogs of the four text commands and their progress display. The main window
/// implements it over its file dialogs and a progress dialog; the command-line tool over its
/// arguments and the terminal; tests with a script. Paths are the file system's own bytes.
class TextCommandPrompts
{
public:
    virtual ~TextCommandPrompts() = default;

    /// OpenDialogTxt: the text file to import, or nothing when the user cancels.
    virtual std::optional<std::string> chooseImportFile() = 0;

    /// SaveDialogTxt: the file to export to, or nothing when the user cancels.
    virtual std::optional<std::string> chooseExportFile() = 0;

    /// Asked before an existing export file is replaced; false leaves it alone and ends the
    /// command as a cancelled dialog would.
    virtual bool confirmOverwrite(const std::string& path) = 0;

    /// Before a C-E import: true when OpenDialogDictCe holds a file name or the user now
    /// chose one, false when the dialog was cancelled (nothing is imported then).
    virtual bool confirmCeDictionary() = 0;

    /// Progress of long work, about every 100 ms; false stops it between two records.
    virtual bool progress(const TextProgress& progress)
    {
        (void)progress;
        return true;
    }
};

} // namespace kelvara
