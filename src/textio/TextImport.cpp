#include "textio/TextImport.h"

#include "access/SenseList.h"
#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "lang/PartOfSpeech.h"
#include "platform/Paths.h"
#include "textio/EntryTextReader.h"
#include "textio/PosLabels.h"

#include <utility>
#include <vector>

namespace kelvara {

namespace {

bool isBlank(const EntryRecord& record)
{
    return record.source.empty() && record.label.empty() && record.target.empty();
}

// Reads every record, counts the skipped ones, and hands the others to handle, which
// answers false to stop. Progress and the user's stop come between two records.
template <typename Handle>
void forEachRecord(EntryTextReader& reader, const FieldLimits& limits, TextProgressPacer& pacer,
                   TextCommandResult& result, Handle handle)
{
    EntryRecord record;
    while (!reader.atEnd()) {
        const ReadStatus status = reader.readRecord(record, limits);
        ++result.records;
        if (status == ReadStatus::TooLong)
            ++result.tooLong;
        else if (status == ReadStatus::Unrepresentable)
            ++result.unrepresentable;
        else if (!handle(record))
            break;
        if (!pacer.step(result.records, reader.bytesConsumed())) {
            result.cancelled = !reader.atEnd();
            break;
        }
    }
    if (reader.failed() && result.failure == TextFailure::None)
        result.failure = TextFailure::FileReadFailed;
}

// The text file to import, read in the code page; nothing, with the result saying so, when it
// cannot be opened.
std::optional<EntryTextReader> openTextFile(const std::string& path, int codePage,
                                            TextCommandResult& result)
{
    result.ran = true;
    auto reader = EntryTextReader::open(path, codePage);
    if (!reader)
        result.failure = TextFailure::FileNotOpened;
    return reader;
}

} // namespace

TextCommandResult ImportFileToEditor(const std::string& path, EntryEditor& editor,
                                     const TextProgressCallback& progress)
{
    TextCommandResult result;
    auto reader = openTextFile(path, editor.codePage(), result);
    if (!reader) {
        editor.setChanged(true);
        return result;
    }

    const auto& list = editor.partOfSpeechList();
    const DictionaryKind kind = editor.partOfSpeechKind();
    std::vector<EntryEditor::Row> pending;
    const auto flush = [&] {
        if (!pending.empty())
            editor.AppendEntryRows(std::exchange(pending, {}));
    };
    // The rows read so far reach the grid before each progress report, so a view shows them.
    TextProgressCallback paced;
    if (progress)
        paced = [&](const TextProgress& p) {
            flush();
            return progress(p);
        };
    TextProgressPacer pacer(paced, FileSizeOrZero(path));
    forEachRecord(*reader, FieldLimits{}, pacer, result, [&](EntryRecord& record) {
        const unsigned char code = PosLabelToCode(record.label, kind, editor.codePage());
        std::string label = code < list.size() ? list[code].cellText : std::move(record.label);
        pending.push_back(EntryEditor::Row{std::string(kMarkAdded), std::move(record.source),
                                           std::move(label), std::move(record.target)});
        ++result.written;
        return true;
    });
    flush();
    editor.setChanged(true);
    return result;
}

TextCommandResult ImportFileToEcDictionary(const std::string& path, const EcBinding& ec,
                                           const std::string& ecPath, int codePage,
                                           const TextProgressCallback& progress)
{
    TextCommandResult result;
    auto reader = openTextFile(path, codePage, result);
    if (!reader)
        return result;
    Buffer256 base;
    if (!base.assign(ecPath)) {
        // A cut path would name another dictionary.
        result.failure = TextFailure::EngineNotOpened;
        return result;
    }
    EcSession session(ec, base);
    if (!session.isOpen()) {
        result.failure = TextFailure::EngineNotOpened;
        return result;
    }

    std::size_t taken = 0;
    Buffer256 source;
    Buffer256 target;
    TextProgressPacer pacer(progress, FileSizeOrZero(path));
    forEachRecord(*reader, FieldLimits::ecEngine(), pacer, result, [&](const EntryRecord& record) {
        if (isBlank(record)) {
            ++result.blank;
            return true;
        }
        // Both fit: longer fields made the record too long.
        (void)source.assign(record.source);
        (void)target.assign(record.target);
        const unsigned char code = PosLabelToCode(record.label, DictionaryKind::EC, codePage);
        if (ec.modifyWord('A', source, code, target) == 1)
            ++taken;
        else
            ++result.refused;
        return true;
    });
    if (session.close()) {
        result.written = taken;
    } else {
        result.failure = TextFailure::NotCommitted;
        result.notStored = taken;
    }
    return result;
}

TextCommandResult ImportFileToCeDictionary(const std::string& path, const CeBinding& ce,
                                           const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, int codePage,
                                           const TextProgressCallback& progress)
{
    TextCommandResult result;
    auto reader = openTextFile(path, codePage, result);
    if (!reader)
        return result;

    bool engineReached = false;
    Buffer128 word;
    Buffer16 engineWord;
    Buffer128 translation;
    TextProgressPacer pacer(progress, FileSizeOrZero(path));
    forEachRecord(*reader, FieldLimits::ceEngine(), pacer, result, [&](const EntryRecord& record) {
        if (isBlank(record)) {
            ++result.blank;
            return true;
        }
        // The grid could not show such a sense again, nor the export write it back.
        if (!IsStorableCeWord(record.source) || !IsStorableCeText(record.target)) {
            ++result.refused;
            return true;
        }
        CeSession session(ce, engineDirectory, stackMark);
        if (!session.isOpen()) {
            result.failure =
                engineReached ? TextFailure::EngineStopped : TextFailure::EngineNotOpened;
            return false;
        }
        engineReached = true;
        (void)word.assign(record.source);
        (void)engineWord.assign(record.label);
        (void)translation.assign(record.target);
        PosLabelToEngineWord(engineWord, codePage);
        const bool taken = session.add(word, engineWord, translation) != 0;
        if (!session.close()) {
            // Nothing of this open is stored; the next records would fare no better.
            result.failure = TextFailure::EngineStopped;
            ++(taken ? result.notStored : result.refused);
            return false;
        }
        ++(taken ? result.written : result.refused);
        return true;
    });
    return result;
}

} // namespace kelvara
