#pragma once

#include <string>

namespace kelvara {

/// Which engine every operation uses while a dictionary is open.
enum class DictionaryKind { EC, CE };

/// What the open commands settle and Close undoes: the dictionary the utility works on.
/// The changed flag lives with the entry grid; this is the rest of the main window's
/// dictionary state.
struct DictionaryState {
    DictionaryKind kind = DictionaryKind::EC;
    std::string ecPath;    ///< base path of the E-C dictionary without ".key"; empty when none
    std::string newCePath; ///< the path New C-E settled on; shown only as the window caption
    bool open = false;     ///< the dictionary-open flag
};

} // namespace kelvara
