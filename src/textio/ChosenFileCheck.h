#pragma once

#include "textio/TextCommandResult.h"

#include <string>
#include <vector>

namespace kelvara {

struct DictionaryState;
struct StartupState;

/// The dictionary files the engines may hold open in this run: the open E-C dictionary, the
/// C-E dictionary New C-E made, and the C-E engine's own dictionary in its folder.
std::vector<std::string> OpenDictionaryFiles(const DictionaryState& state,
                                             const StartupState& startup);

/// Whether a file the user chose may be read (an import) or replaced (an export) before
/// anything opens it. A file that is, by device and inode, one of the dictionaries or their
/// side files is refused: a descriptor of this process opened and closed on it would drop the
/// locks the engine holds. A path naming a side file that is not there yet is refused too (a
/// file of that name would be taken for the dictionary's journal). An export target must
/// also be a regular file or nothing: a FIFO would block, a device or folder would mislead.
TextFailure CheckFileToRead(const std::string& path, const std::vector<std::string>& dictionaries);
TextFailure CheckFileToWrite(const std::string& path, const std::vector<std::string>& dictionaries);

} // namespace kelvara
