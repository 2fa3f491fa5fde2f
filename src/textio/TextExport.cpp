#include "textio/TextExport.h"

#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "platform/Paths.h"
#include "textio/EngineExportLine.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"
#include "textio/ExportTemporaryFile.h"
#include "textio/PosLabels.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace kelvara {

namespace {

// Deletes the temporary file at the end of the conversion, whatever way it ends. Its name
// was free before the engine wrote it, so it is never a file of the user's.
class TemporaryFile
{
public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    ~TemporaryFile()
    {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// The chosen file, made sure of before the engine is asked: it is created when missing (and
// removed again when the export writes nothing), an existing one stays as it is until the
// conversion empties it, so a failing engine never costs the user a file.
class ChosenFile
{
public:
    explicit ChosenFile(std::string path) : m_path(std::move(path))
    {
        std::error_code ec;
        const bool existed = std::filesystem::exists(m_path, ec);
        std::FILE* file = std::fopen(m_path.c_str(), "ab");
        m_ok = file != nullptr;
        m_created = m_ok && !existed;
        if (file)
            std::fclose(file);
    }
    ~ChosenFile()
    {
        std::error_code ec;
        if (m_created && !m_written)
            std::filesystem::remove(m_path, ec);
    }
    ChosenFile(const ChosenFile&) = delete;
    ChosenFile& operator=(const ChosenFile&) = delete;

    bool ok() const { return m_ok; }
    const std::string& path() const { return m_path; }
    void markWritten() { m_written = true; }

private:
    std::string m_path;
    bool m_ok = false;
    bool m_created = false;
    bool m_written = false;
};

// Finds a free temporary name beside the chosen file for the engine to write and makes sure of
// the chosen file; the failure says which of them could not be had.
TextFailure prepareExportFiles(const std::string& path, std::optional<std::string>& temporaryPath,
                               std::optional<ChosenFile>& chosen)
{
    temporaryPath = FreeTemporaryExportPath(path);
    if (!temporaryPath)
        return TextFailure::NoTemporaryFile;
    chosen.emplace(path);
    return chosen->ok() ? TextFailure::None : TextFailure::FileNotCreated;
}

// Converts the temporary file into the chosen one, record by record (E-C) or line by line
// (C-E, convert set). Lines are read whole: no field is cut.
template <typename Convert>
void convertTemporaryFile(const TemporaryFile& temporary, ChosenFile& chosen, int codePage,
                          const TextProgressCallback& progress, TextCommandResult& result,
                          Convert convert)
{
    auto reader = EntryTextReader::open(temporary.path(), codePage, EncodingPolicy::CodePageOnly);
    if (!reader) {
        result.failure = TextFailure::EngineWroteNothing;
        return;
    }
    auto writer = EntryTextWriter::create(chosen.path());
    if (!writer) {
        result.failure = TextFailure::FileNotCreated;
        return;
    }
    chosen.markWritten();
    TextProgressPacer pacer(progress, FileSizeOrZero(temporary.path()));
    while (!reader->atEnd()) {
        if (!convert(*reader, *writer)) {
            result.failure = TextFailure::FileWriteFailed;
            break;
        }
        ++result.records;
        if (!pacer.step(result.records, reader->bytesConsumed())) {
            result.cancelled = !reader->atEnd();
            break;
        }
    }
    if (!writer->close())
        result.failure = TextFailure::FileWriteFailed;
    else if (reader->failed() && result.failure == TextFailure::None)
        result.failure = TextFailure::FileReadFailed;
}

} // namespace

TextCommandResult ExportEditorToFile(const EntryEditor& editor, const std::string& path,
                                     const TextProgressCallback& progress)
{
    TextCommandResult result;
    result.ran = true;
    auto writer = EntryTextWriter::create(path);
    if (!writer) {
        result.failure = TextFailure::FileNotCreated;
        return result;
    }
    const auto rows = static_cast<std::uint64_t>(editor.dataRowCount());
    TextProgressPacer pacer(progress, rows);
    for (int row = kFirstDataRow; row < editor.rowCount(); ++row) {
        const std::string& mark = editor.mark(row);
        if (mark != kMarkDeleted && mark != kMarkDropped) {
            if (!writer->writeRecord(editor.cell(kColSource, row),
                                     editor.cell(kColPartOfSpeech, row),
                                     editor.cell(kColTarget, row))) {
                result.failure = TextFailure::FileWriteFailed;
                break;
            }
            ++result.written;
        }
        ++result.records;
        if (!pacer.step(result.records, result.records)) {
            result.cancelled = row + 1 < editor.rowCount();
            break;
        }
    }
    if (!writer->close())
        result.failure = TextFailure::FileWriteFailed;
    return result;
}

TextCommandResult ExportEcDictionaryToFile(const EcBinding& ec, const std::string& ecPath,
                                           const std::string& path, int codePage,
                                           const TextProgressCallback& progress)
{
    TextCommandResult result;
    result.ran = true;
    Buffer256 base;
    if (!base.assign(ecPath)) {
        result.failure = TextFailure::EngineNotOpened;
        return result;
    }
    std::optional<std::string> temporaryPath;
    std::optional<ChosenFile> chosen;
    result.failure = prepareExportFiles(path, temporaryPath, chosen);
    if (result.failure != TextFailure::None)
        return result;
    const TemporaryFile temporary(*temporaryPath);
    // The engine's answer is not relied on: only a file it wrote counts.
    (void)ec.getAllWordsToFile(Buffer256(temporary.path()), base);
    convertTemporaryFile(temporary, *chosen, codePage, progress, result,
                         [&](EntryTextReader& reader, EntryTextWriter& writer) {
                             // Three lines per record, copied unchanged as they are read
                             // (each view lasts until the next read); a short last record
                             // is completed with empty lines.
                             for (int line = 0; line < 3; ++line) {
                                 if (!writer.writeLine(reader.readLineView()))
                                     return false;
                             }
                             ++result.written;
                             return true;
                         });
    return result;
}

TextCommandResult ExportCeDictionaryToFile(const CeBinding& ce, const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, const std::string& path,
                                           int codePage, const TextProgressCallback& progress)
{
    TextCommandResult result;
    result.ran = true;
    std::optional<std::string> temporaryPath;
    std::optional<ChosenFile> chosen;
    result.failure = prepareExportFiles(path, temporaryPath, chosen);
    if (result.failure != TextFailure::None)
        return result;
    {
        CeSession session(ce, engineDirectory, stackMark);
        if (!session.isOpen()) {
            result.failure = TextFailure::EngineNotOpened;
            return result;
        }
        ce.dicExport(Buffer256(*temporaryPath));
    }
    const TemporaryFile temporary(*temporaryPath);
    const EngineWordLabels labels(codePage);
    convertTemporaryFile(
        temporary, *chosen, codePage, progress, result,
        [&](EntryTextReader& reader, EntryTextWriter& writer) {
            const auto fields = ParseEngineExportLine(reader.readLineView(), codePage);
            if (!fields) {
                ++result.malformed;
                return true;
            }
            if (!writer.writeRecord(fields->source, labels.labelFor(fields->engineWord),
                                    fields->target))
                return false;
            ++result.written;
            return true;
        });
    return result;
}

} // namespace kelvara
