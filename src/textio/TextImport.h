#pragma once

#include "platform/FixedBuffer.h"
#include "textio/EntryTextReader.h"
#include "textio/RecordFate.h"
#include "textio/TextCommandResult.h"
#include "textio/TextProgressPacer.h"

#include <cstdint>
#include <string>

namespace kelvara {

class CeBinding;
class EcBinding;
class EntryEditor;

/// How an import reads its file and what it does where the format cannot hold a record.
struct ImportOptions
{
    /// Detect: EncodingGuess; CodePageOnly or Utf8Only: as the user said.
    EncodingPolicy encoding = EncodingPolicy::Detect;
    /// C-E: store ASCII parentheses of a translation as the code page's full-width ones
    /// (otherwise such a record is kept back).
    bool fullWidthParentheses = false;
    /// E-C: a record whose word and part of speech are held with another sense replaces that
    /// sense ("M") instead of being refused.
    bool replace = false;
    /// Classify every record as the import would, storing nothing: what the dictionary holds
    /// comes from the engine's Find, or from its dump when the dictionary is small beside the
    /// file (EcHeldEntries).
    bool checkOnly = false;
    /// Hears of every record that did not go in; may be null.
    RejectSink* rejects = nullptr;
};

/// The path that names standard input.
inline constexpr const char* kStandardInputPath = "-";

/// Reads an entry text file into the grid: one "A" row per record, showing the item of the
/// grid's part-of-speech list that the record's label stands for, appended in bulk. Sets the
/// changed flag, also when nothing was read. Records with a line over kMaxLineBytes, a
/// character the code page lacks or a control byte are skipped and counted.
TextCommandResult ImportFileToEditor(const std::string& path, EntryEditor& editor,
                                     const TextProgressCallback& progress = {},
                                     const ImportOptions& options = {});

/// Hands every record of the file to the E-C engine as an "A" within one open of the
/// dictionary at ecPath; only a close that commits makes any of them stored. A refused "A" is
/// looked up: the same sense held already counts as held, another sense of that word and part
/// of speech as refused for it (or, with replace, is replaced by "M").
TextCommandResult ImportFileToEcDictionary(const std::string& path, const EcBinding& ec,
                                           const std::string& ecPath, int codePage,
                                           const TextProgressCallback& progress = {},
                                           const ImportOptions& options = {});

/// Hands every record of the file to the C-E engine, each in its own dicopen, bracketed
/// dicadd and dicclose. A failed dicopen or commit stops the engine's work there; the rest of
/// the file is read and counted as not imported. Fields beyond the engine's buffers (127,
/// 127 bytes), a backslash in a word and a parenthesis in a translation are kept from it.
/// Labels reach the engine as one of its six part-of-speech words (CeEngineWordOfLabel).
TextCommandResult ImportFileToCeDictionary(const std::string& path, const CeBinding& ce,
                                           const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, int codePage,
                                           const TextProgressCallback& progress = {},
                                           const ImportOptions& options = {});

} // namespace kelvara
