#pragma once

#include <cstddef>
#include <cstdint>

namespace kelvara {

/// How far a long import or export has come.
struct TextProgress
{
    std::size_t records = 0;     ///< records (or engine export lines) handled so far
    std::uint64_t workDone = 0;  ///< bytes of the file read so far (rows for an editor export)
    std::uint64_t workTotal = 0; ///< the file's size (the rows); 0 when unknown
};

/// What kept an import or export from running to its end, if anything.
enum class TextFailure {
    None,
    FileNotOpened,          ///< the text file to import could not be opened: nothing was read
    FileNotCreated,         ///< the chosen export file could not be created: nothing was written
    FileReadFailed,         ///< reading the file failed midway: what was read before was handled
    FileWriteFailed,        ///< a write to the export file or its close failed: the file is short
    EngineNotOpened,        ///< the engine did not open the dictionary: nothing was imported
    EngineStopped,          ///< a C-E dicopen or commit failed midway: the import stopped there
    NotCommitted,           ///< the E-C engine did not commit: nothing of the import is stored
    EngineWroteNothing,     ///< the engine wrote no export file: the chosen file was not touched
    NoTemporaryFile,        ///< no free temporary export name fits the engine's path buffer
    ChosenFileIsDictionary, ///< the chosen file is an open dictionary or a side file of one
    ChosenFileNotRegular,   ///< the chosen export file is a folder, FIFO, device or socket
};

/// What one of the four text commands did, for the caller to show. Counts are of records.
struct TextCommandResult
{
    bool ran = false; ///< false: a dialog was cancelled (or no dictionary is open)
    TextFailure failure = TextFailure::None;
    bool cancelled = false;          ///< the user stopped it between two records
    std::size_t records = 0;         ///< records read from the file (engine lines for C-E)
    std::size_t written = 0;         ///< stored by the engine, added to the grid, or written
    std::size_t refused = 0;         ///< refused by the engine
    std::size_t tooLong = 0;         ///< skipped: a field longer than the engine's buffer
    std::size_t unrepresentable = 0; ///< skipped: a character the platform code page lacks
    std::size_t malformed = 0;       ///< engine export lines that held no entry
    std::size_t blank = 0;           ///< records of three empty lines, handed to no engine
    std::size_t notStored = 0;       ///< taken by the engine but lost with a failed commit
    bool notWritten = false; ///< an export that stopped or failed: the chosen file is as it was
    // Import only: every record read falls into exactly one of written and these.
    std::size_t replaced = 0;        ///< E-C --replace: a held sense of that word and pos replaced
    std::size_t alreadyHeld = 0;     ///< E-C: the very sense was held already: nothing to do
    std::size_t controlByte = 0;     ///< skipped: a NUL or another control byte in a field
    std::size_t keptBack = 0;        ///< C-E: a backslash in the word, a parenthesis in the target
    std::size_t heldOtherSense = 0;  ///< E-C refused: another sense of that word and pos is held
    std::size_t notOpened = 0;       ///< not handed on: the engine did not open (or stopped)
    std::size_t fullWidth = 0;       ///< stored with full-width parentheses (among the written)
    std::size_t stoppedAtRecord = 0; ///< C-E: the record at which the engine stopped
    bool checkOnly = false;          ///< kvdict check: classified, nothing written

    /// True when everything the file held went where it was meant to go.
    bool complete() const
    {
        return failure == TextFailure::None && !cancelled && refused == 0 && tooLong == 0 &&
               unrepresentable == 0 && malformed == 0 && notStored == 0 && controlByte == 0 &&
               keptBack == 0 && heldOtherSense == 0 && notOpened == 0;
    }
};

} // namespace kelvara
