#pragma once

#include "lang/Language.h"

#include <string>

namespace kelvara {

/// What the open commands settle and Close undoes: the dictionary the utility works on.
/// The changed flag lives with the entry grid; this is the rest of the main window's
/// dictionary state.
struct DictionaryState
{
    DictionaryKind kind = DictionaryKind::EC;
    std::string ecPath;    ///< base path of the E-C dictionary without ".key"; empty when none
    std::string newCePath; ///< the path New C-E settled on; shown only as the window caption
    bool open = false;     ///< the dictionary-open flag

    /// OpenDialogDictEc's initial folder (no trailing separator but for a root) and file
    /// name; New E-C updates both, so the next New E-C starts where the last one ended.
    std::string ecDialogFolder;
    std::string ecDialogFileName;
    /// OpenDialogDictCe's initial folder; New C-E never changes it.
    std::string ceDialogFolder;
};

} // namespace kelvara
