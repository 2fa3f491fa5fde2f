#include "textio/TextImport.h"

#include "access/SenseList.h"
#include "editor/EntryEditor.h"
#include "engines/EngineAbi.h"
#include "engines/EngineSessions.h"
#include "lang/PartOfSpeech.h"
#include "platform/ByteStringMap.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "textio/EcHeldEntries.h"
#include "textio/EntryTextReader.h"
#include "textio/PosLabels.h"
#include "textio/RecordChecks.h"

#include <chrono>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kelvara {

namespace {

bool isBlank(const EntryRecord& record)
{
    return record.source.empty() && record.label.empty() && record.target.empty();
}

// The checks every import makes before a record reaches the grid or an engine: what the
// reader found, then the program's own rules on the fields.
RecordProblem readProblem(const RecordRead& read, const EntryRecord& record,
                          const FieldLimits& limits, TextEncoding encoding, int codePage)
{
    if (read.status == ReadStatus::TooLong) {
        const std::size_t limit = read.field == RecordField::Source  ? limits.source
                                  : read.field == RecordField::Label ? limits.label
                                                                     : limits.target;
        return {RecordFate::TooLong, read.field, std::min(limit, kMaxLineBytes)};
    }
    if (read.status == ReadStatus::Unrepresentable)
        return {RecordFate::Unrepresentable, read.field};
    if (isBlank(record))
        return {RecordFate::Blank};
    if (encoding == TextEncoding::CodePage) {
        if (const auto field = FieldNotInCodePage(record, codePage))
            return {RecordFate::Unrepresentable, *field};
    }
    if (const auto field = FieldWithControlByte(record))
        return {RecordFate::ControlByte, *field};
    return {};
}

// Reads every record of a file, gives each one fate and counts it; the records that did not
// go in go to the options' sink. handle decides the fate of a record the reader and the common
// checks let through. Progress and the user's stop come between two records (and during the
// encoding guess).
class ImportRun
{
public:
    ImportRun(const std::string& path, int codePage, const TextProgressCallback& progress,
              const ImportOptions& options, TextCommandResult& result)
        : m_codePage(codePage), m_options(options), m_result(result),
          m_pacer(progress, path == kStandardInputPath ? 0 : FileSizeOrZero(path))
    {
        m_result.ran = true;
        m_result.checkOnly = options.checkOnly;
        // The guess reports every 100 ms too, so a stop is heard while a large file is
        // looked through; a file looked through sooner reports nothing.
        const std::uint64_t total = path == kStandardInputPath ? 0 : FileSizeOrZero(path);
        auto last = std::chrono::steady_clock::now();
        const ScanCallback scan = [&, total](std::uint64_t scanned) {
            if (!progress)
                return true;
            const auto now = std::chrono::steady_clock::now();
            if (now - last < TextProgressPacer::kInterval)
                return true;
            last = now;
            return progress(TextProgress{0, scanned, total});
        };
        if (path == kStandardInputPath)
            m_reader.emplace(EntryTextReader::standardInput(codePage, options.encoding, scan));
        else
            m_reader = EntryTextReader::open(path, codePage, options.encoding, scan);
        if (!m_reader)
            m_result.failure = TextFailure::FileNotOpened;
        else if (m_reader->cancelled())
            m_result.cancelled = true;
        else if (options.rejects)
            options.rejects->begin(path, m_reader->hadByteOrderMark());
    }

    bool opened() const { return m_reader.has_value() && !m_reader->cancelled(); }
    TextEncoding encoding() const { return m_reader->encoding(); }

    // keepBlank: a record of three empty lines is handed on like any other (the grid shows it
    // as an empty row, as a trailing empty line always gave one).
    template <typename Handle>
    void run(const FieldLimits& limits, Handle handle, bool keepBlank = false)
    {
        EntryRecord record;
        RecordRead read;
        while (!m_reader->atEnd()) {
            m_reader->readRecord(record, limits, read);
            ++m_result.records;
            RecordProblem problem =
                readProblem(read, record, limits, m_reader->encoding(), m_codePage);
            if (problem.fate == RecordFate::Written ||
                (keepBlank && problem.fate == RecordFate::Blank))
                problem = handle(record);
            account(read, problem);
            if (!m_pacer.step(m_result.records, m_reader->bytesConsumed())) {
                m_result.cancelled = !m_reader->atEnd();
                break;
            }
        }
        if (m_reader->failed() && m_result.failure == TextFailure::None)
            m_result.failure = TextFailure::FileReadFailed;
    }

private:
    void account(const RecordRead& read, const RecordProblem& problem)
    {
        CountFate(m_result, problem.fate);
        if (m_options.rejects && IsRejected(problem.fate))
            m_options.rejects->reject(read, problem);
    }

    int m_codePage;
    const ImportOptions& m_options;
    TextCommandResult& m_result;
    TextProgressPacer m_pacer;
    std::optional<EntryTextReader> m_reader;
};

// What the C-E engine's buffers take: the label is only ever turned into an engine word.
FieldLimits ceReadLimits(bool fullWidth)
{
    FieldLimits limits = FieldLimits::ceEngine();
    limits.label = kUnbounded;
    if (fullWidth)
        limits.target *= 2; // each "(" may become two bytes; checked again once replaced
    return limits;
}

// CeEngineWordOfLabel for the few labels a file holds, each worked out once.
class CeEngineWords
{
public:
    explicit CeEngineWords(int codePage) : m_codePage(codePage) {}
    std::string_view of(const std::string& label)
    {
        const auto found = m_known.find(label);
        if (found != m_known.end())
            return found->second;
        const std::string_view word = CeEngineWordOfLabel(label, m_codePage);
        if (m_known.size() < 64)
            m_known.emplace(label, word);
        return word;
    }

private:
    int m_codePage;
    std::unordered_map<std::string, std::string_view> m_known;
};

} // namespace

TextCommandResult ImportFileToEditor(const std::string& path, EntryEditor& editor,
                                     const TextProgressCallback& progress,
                                     const ImportOptions& options)
{
    TextCommandResult result;
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
    ImportRun run(path, editor.codePage(), paced, options, result);
    if (run.opened()) {
        run.run(
            FieldLimits{},
            [&](EntryRecord& record) -> RecordProblem {
                const unsigned char code = PosLabelToCode(record.label, kind, editor.codePage());
                std::string label =
                    code < list.size() ? list[code].cellText : std::move(record.label);
                pending.push_back(EntryEditor::Row{std::string(kMarkAdded),
                                                   std::move(record.source), std::move(label),
                                                   std::move(record.target)});
                return {};
            },
            true);
    }
    flush();
    editor.setChanged(true);
    return result;
}

TextCommandResult ImportFileToEcDictionary(const std::string& path, const EcBinding& ec,
                                           const std::string& ecPath, int codePage,
                                           const TextProgressCallback& progress,
                                           const ImportOptions& options)
{
    TextCommandResult result;
    Buffer256 base;
    if (!base.assign(ecPath)) {
        // A cut path would name another dictionary.
        result.ran = true;
        result.failure = TextFailure::EngineNotOpened;
        return result;
    }
    ImportRun run(path, codePage, progress, options, result);
    if (!run.opened())
        return result;
    // A check may read the whole dictionary first, which the engine does outside an open.
    const EcHeldEntries held =
        options.checkOnly
            ? EcHeldEntries::forCheck(ec, ecPath, codePage,
                                      path == kStandardInputPath ? 0 : FileSizeOrZero(path))
            : EcHeldEntries(ec, codePage);
    EcSession session(ec, base);
    if (!session.isOpen()) {
        result.failure = TextFailure::EngineNotOpened;
        return result;
    }

    std::size_t taken = 0; // written and replaced: stored only by the commit
    Buffer256 sourceBuffer;
    Buffer256 targetBuffer;
    // check: the identities the records before would have stored, with their targets.
    ByteStringMap wouldHold;
    run.run(FieldLimits::ecEngine(), [&](const EntryRecord& record) -> RecordProblem {
        const unsigned char code = PosLabelToCode(record.label, DictionaryKind::EC, codePage);
        if (options.checkOnly) {
            if (record.source.empty() || record.target.empty())
                return {RecordFate::Refused};
            const std::string key = EcIdentity(record.source, code, codePage);
            std::optional<std::string> heldTarget;
            if (const auto seen = wouldHold.find(key))
                heldTarget = std::string(*seen);
            else
                heldTarget = held.targetOf(record.source, code);
            if (!heldTarget) {
                (void)wouldHold.assign(key, record.target);
                return {RecordFate::Written};
            }
            if (*heldTarget == record.target)
                return {RecordFate::AlreadyHeld};
            if (!options.replace)
                return {RecordFate::HeldOtherSense};
            (void)wouldHold.assign(key, record.target);
            return {RecordFate::Replaced};
        }
        // Both fit: longer fields made the record too long; no NUL can cut them.
        (void)sourceBuffer.assign(record.source);
        (void)targetBuffer.assign(record.target);
        if (ec.modifyWord('A', sourceBuffer, code, targetBuffer) == 1) {
            ++taken;
            return {RecordFate::Written};
        }
        // An empty field is why the engine refused it, whatever the word holds (as the check
        // says).
        if (record.source.empty() || record.target.empty())
            return {RecordFate::Refused};
        const std::optional<std::string> heldTarget = held.targetOf(record.source, code);
        if (!heldTarget)
            return {RecordFate::Refused};
        if (*heldTarget == record.target)
            return {RecordFate::AlreadyHeld};
        if (!options.replace)
            return {RecordFate::HeldOtherSense};
        if (ec.modifyWord('M', sourceBuffer, code, targetBuffer) != 1)
            return {RecordFate::Refused};
        ++taken;
        return {RecordFate::Replaced};
    });
    if (options.checkOnly) {
        // Nothing was written: the close has nothing to commit.
        (void)session.close();
    } else if (!session.close()) {
        result.failure = TextFailure::NotCommitted;
        result.notStored = taken;
        result.written = 0;
        result.replaced = 0;
    }
    return result;
}

TextCommandResult ImportFileToCeDictionary(const std::string& path, const CeBinding& ce,
                                           const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, int codePage,
                                           const TextProgressCallback& progress,
                                           const ImportOptions& options)
{
    TextCommandResult result;
    ImportRun run(path, codePage, progress, options, result);
    if (!run.opened())
        return result;
    // The check writes nothing: one open for all of it, in which diccheck (when the engine
    // has it) says what dicadd would answer.
    std::optional<CeSession> checkSession;
    if (options.checkOnly) {
        checkSession.emplace(ce, engineDirectory, stackMark);
        if (!checkSession->isOpen()) {
            result.failure = TextFailure::EngineNotOpened;
            return result;
        }
    }
    // check: the senses the records before would have added (word, engine word, translation).
    ByteStringMap wouldAdd;
    std::string senseKey;

    bool engineReached = false;
    bool engineGone = false; // a dicopen or commit failed: the rest is not handed on
    Buffer128 word;
    Buffer16 engineWord;
    Buffer128 translation;
    CeEngineWords engineWords(codePage);
    std::string fullWidth;
    const FieldLimits limits = ceReadLimits(options.fullWidthParentheses);
    run.run(limits, [&](const EntryRecord& record) -> RecordProblem {
        // The grid could not show such a sense again, nor the export write it back.
        if (!IsStorableCeWord(record.source))
            return {RecordFate::KeptBack, RecordField::Source};
        const std::string* text = &record.target;
        bool widened = false;
        if (!IsStorableCeText(record.target)) {
            if (!options.fullWidthParentheses)
                return {RecordFate::KeptBack, RecordField::Target};
            fullWidth = WithFullWidthParentheses(record.target, codePage);
            text = &fullWidth;
            widened = true;
        }
        if (text->size() > FieldLimits::ceEngine().target)
            return {RecordFate::TooLong, RecordField::Target, FieldLimits::ceEngine().target};
        if (engineGone)
            return {RecordFate::NotOpened};
        if (options.checkOnly) {
            if (record.source.empty() || text->empty())
                return {RecordFate::Refused};
            const std::string_view engineWordText = engineWords.of(record.label);
            (void)word.assign(record.source);
            (void)engineWord.assign(engineWordText);
            (void)translation.assign(*text);
            const std::optional<int> answer = checkSession->checkAdd(word, engineWord, translation);
            if (answer == 0)
                return {RecordFate::Refused};
            if (answer == abi::kAddHeldAlready)
                return {RecordFate::AlreadyHeld};
            // An engine that tells held senses apart also would for one an earlier record
            // added; without diccheck nothing more is known, as the import would count it.
            if (answer) {
                senseKey.assign(record.source).append(1, '\0').append(engineWordText);
                senseKey.append(1, '\0').append(*text);
                if (wouldAdd.find(senseKey))
                    return {RecordFate::AlreadyHeld};
                (void)wouldAdd.assign(senseKey, {});
            }
            result.fullWidth += widened;
            return {RecordFate::Written};
        }
        CeSession session(ce, engineDirectory, stackMark);
        if (!session.isOpen()) {
            if (!engineReached) {
                result.failure = TextFailure::EngineNotOpened;
                engineGone = true;
                return {RecordFate::NotOpened};
            }
            result.failure = TextFailure::EngineStopped;
            result.stoppedAtRecord = result.records;
            engineGone = true;
            return {RecordFate::NotOpened};
        }
        engineReached = true;
        (void)word.assign(record.source);
        (void)engineWord.assign(engineWords.of(record.label));
        (void)translation.assign(*text);
        const int answer = session.add(word, engineWord, translation);
        const bool held = answer == abi::kAddHeldAlready;
        if (!session.close()) {
            // Nothing of this open is stored; the next records would fare no better.
            result.failure = TextFailure::EngineStopped;
            result.stoppedAtRecord = result.records;
            engineGone = true;
            return {held          ? RecordFate::AlreadyHeld
                    : answer != 0 ? RecordFate::NotStored
                                  : RecordFate::Refused};
        }
        if (answer == 0)
            return {RecordFate::Refused};
        if (held)
            return {RecordFate::AlreadyHeld};
        result.fullWidth += widened;
        return {RecordFate::Written};
    });
    return result;
}

} // namespace kelvara
