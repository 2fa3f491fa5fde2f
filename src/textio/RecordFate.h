#pragma once

#include "textio/EntryTextReader.h"

#include <cstddef>
#include <string>

namespace kelvara {

struct TextCommandResult;

/// What became of one record of an import, one fate each. The first problem found decides,
/// in this order: too long, a character the code page lacks, a control byte, a backslash in a
/// C-E word, a parenthesis in a C-E translation, then what the engine did.
enum class RecordFate {
    Written,         ///< stored (added to the grid, taken by the engine)
    Replaced,        ///< E-C --replace: the held sense of that word and part of speech replaced
    AlreadyHeld,     ///< E-C: the dictionary holds this very sense; nothing to do
    Blank,           ///< three empty lines: nothing to store
    TooLong,         ///< a field over the engine's buffer, or a line over kMaxLineBytes
    Unrepresentable, ///< a character the code page lacks, or bytes that are no text of it
    ControlByte,     ///< a NUL or another control byte in a field
    KeptBack,        ///< C-E: a backslash in the word or a parenthesis in the translation
    HeldOtherSense,  ///< E-C: refused, the dictionary holds another sense of that word and
                     ///< part of speech
    Refused,         ///< refused by the engine for a reason of its own
    NotOpened,       ///< not handed on: the engine did not open (or stopped opening)
    NotStored,       ///< taken by the engine, lost when its commit failed
};

/// One fate and the field it concerns (too long, unrepresentable, control byte, kept back).
struct RecordProblem
{
    RecordFate fate = RecordFate::Written;
    RecordField field = RecordField::Source;
    std::size_t limit = 0; ///< too long: the field's limit in bytes
};

/// True for the fates of a record that did not go in (a blank record or one already held
/// lost nothing).
bool IsRejected(RecordFate fate);

/// The reason in one line of plain English ("too long: the target is over 127 bytes").
std::string DescribeProblem(const RecordProblem& problem);

/// Counts the fate in the result's categories.
void CountFate(TextCommandResult& result, RecordFate fate);

/// Hears of every record that did not go in, with its bytes as they stood in the file.
class RejectSink
{
public:
    virtual ~RejectSink() = default;
    /// Before the first record: the file read ("-" for standard input) and whether it began
    /// with a UTF-8 byte-order mark.
    virtual void begin(const std::string& sourcePath, bool byteOrderMark)
    {
        (void)sourcePath;
        (void)byteOrderMark;
    }
    virtual void reject(const RecordRead& read, const RecordProblem& problem) = 0;
};

} // namespace kelvara
