#include "textio/TextExport.h"

#include "editor/EntryEditor.h"
#include "engines/EngineSessions.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/SignalCleanup.h"
#include "platform/Utf8Text.h"
#include "textio/EngineDumpFile.h"
#include "textio/EngineExportLine.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"
#include "textio/ExportTemporaryFile.h"
#include "textio/PosLabels.h"

#include <memory>
#include <optional>

namespace kelvara {

namespace {

// The lines as the chosen encoding has them.
class LineEncoder
{
public:
    LineEncoder(ExportEncoding encoding, int codePage)
        : m_utf8(encoding == ExportEncoding::Utf8), m_codePage(codePage)
    {}
    std::string_view operator()(std::string_view line)
    {
        if (!m_utf8)
            return line;
        m_buffer = EncodeUtf8(DecodeCodePage(line, m_codePage));
        return m_buffer;
    }

private:
    bool m_utf8;
    int m_codePage;
    std::string m_buffer;
};

// The export's output: a replacement file and its writer. finish() puts it in place when the
// work ran to its end; otherwise, or when anything failed, the chosen file stays as it was.
class ExportOutput
{
public:
    bool open(const std::string& path)
    {
        m_file = ReplacementFile::create(path);
        if (m_file)
            m_writer = EntryTextWriter::adopt(m_file->takeStream());
        return m_writer.has_value();
    }
    EntryTextWriter& writer() { return *m_writer; }

    void finish(TextCommandResult& result)
    {
        const bool whole = result.failure == TextFailure::None && !result.cancelled;
        if (!m_writer->closeSynced() && whole)
            result.failure = TextFailure::FileWriteFailed;
        if (result.failure == TextFailure::None && !result.cancelled && !m_file->commit())
            result.failure = TextFailure::FileWriteFailed;
        result.notWritten = result.failure != TextFailure::None || result.cancelled;
        // What was converted never reached the chosen file.
        if (result.notWritten)
            result.written = 0;
    }

private:
    std::unique_ptr<ReplacementFile> m_file;
    std::optional<EntryTextWriter> m_writer;
};

// Converts the engine's file into the output, record by record (E-C) or line by line (C-E,
// convert set). Lines are read whole: no field is cut.
template <typename Convert>
void convertDumpFile(const EngineDumpFile& dump, ExportOutput& output, int codePage,
                     const TextProgressCallback& progress, TextCommandResult& result,
                     Convert convert)
{
    std::optional<EntryTextReader> reader;
    if (dump.written())
        reader = EntryTextReader::open(dump.path(), codePage, EncodingPolicy::CodePageOnly);
    if (!reader) {
        result.failure = TextFailure::EngineWroteNothing;
        return;
    }
    TextProgressPacer pacer(progress, FileSizeOrZero(dump.path()));
    while (!reader->atEnd()) {
        if (!convert(*reader, output.writer())) {
            result.failure = TextFailure::FileWriteFailed;
            break;
        }
        ++result.records;
        if (!pacer.step(result.records, reader->bytesConsumed())) {
            result.cancelled = !reader->atEnd();
            break;
        }
    }
    if (reader->failed() && result.failure == TextFailure::None)
        result.failure = TextFailure::FileReadFailed;
}

// The engine's dump file beside the chosen one and the output it is converted into, both
// made sure of before the engine is asked.
TextFailure prepareExport(const std::string& path, std::optional<std::string>& dumpPath,
                          ExportOutput& output)
{
    dumpPath = FreeTemporaryExportPath(path);
    if (!dumpPath)
        return TextFailure::NoTemporaryFile;
    return output.open(path) ? TextFailure::None : TextFailure::FileNotCreated;
}

} // namespace

TextCommandResult ExportEditorToFile(const EntryEditor& editor, const std::string& path,
                                     const TextProgressCallback& progress)
{
    TextCommandResult result;
    result.ran = true;
    ExportOutput output;
    if (!output.open(path)) {
        result.failure = TextFailure::FileNotCreated;
        return result;
    }
    const auto rows = static_cast<std::uint64_t>(editor.dataRowCount());
    TextProgressPacer pacer(progress, rows);
    for (int row = kFirstDataRow; row < editor.rowCount(); ++row) {
        const std::string& mark = editor.mark(row);
        if (mark != kMarkDeleted && mark != kMarkDropped) {
            if (!output.writer().writeRecord(editor.cell(kColSource, row),
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
    output.finish(result);
    return result;
}

TextCommandResult ExportEcDictionaryToFile(const EcBinding& ec, const std::string& ecPath,
                                           const std::string& path, int codePage,
                                           const TextProgressCallback& progress,
                                           ExportEncoding encoding)
{
    TextCommandResult result;
    result.ran = true;
    Buffer256 base;
    if (!base.assign(ecPath)) {
        result.failure = TextFailure::EngineNotOpened;
        return result;
    }
    std::optional<std::string> dumpPath;
    ExportOutput output;
    result.failure = prepareExport(path, dumpPath, output);
    if (result.failure != TextFailure::None)
        return result;
    const EngineDumpFile dump(*dumpPath);
    {
        // The engine's answer is not relied on: only a file it wrote counts.
        const UninterruptibleEngineCall call;
        (void)ec.getAllWordsToFile(Buffer256(dump.path()), base);
    }
    LineEncoder encode(encoding, codePage);
    convertDumpFile(dump, output, codePage, progress, result,
                    [&](EntryTextReader& reader, EntryTextWriter& writer) {
                        // Three lines per record, copied unchanged as they are read (each
                        // view lasts until the next read); a short last record is completed
                        // with empty lines.
                        for (int line = 0; line < 3; ++line) {
                            if (!writer.writeLine(encode(reader.readLineView())))
                                return false;
                        }
                        ++result.written;
                        return true;
                    });
    output.finish(result);
    return result;
}

TextCommandResult ExportCeDictionaryToFile(const CeBinding& ce, const Buffer256& engineDirectory,
                                           std::int32_t& stackMark, const std::string& path,
                                           int codePage, const TextProgressCallback& progress,
                                           ExportEncoding encoding)
{
    TextCommandResult result;
    result.ran = true;
    std::optional<std::string> dumpPath;
    ExportOutput output;
    result.failure = prepareExport(path, dumpPath, output);
    if (result.failure != TextFailure::None)
        return result;
    const EngineDumpFile dump(*dumpPath);
    {
        CeSession session(ce, engineDirectory, stackMark);
        if (!session.isOpen()) {
            result.failure = TextFailure::EngineNotOpened;
            result.notWritten = true;
            return result;
        }
        const UninterruptibleEngineCall call;
        ce.dicExport(Buffer256(dump.path()));
    }
    const EngineWordLabels labels(codePage);
    LineEncoder source(encoding, codePage);
    LineEncoder label(encoding, codePage);
    LineEncoder target(encoding, codePage);
    convertDumpFile(dump, output, codePage, progress, result,
                    [&](EntryTextReader& reader, EntryTextWriter& writer) {
                        const auto fields = ParseEngineExportLine(reader.readLineView(), codePage);
                        if (!fields) {
                            ++result.malformed;
                            return true;
                        }
                        if (!writer.writeRecord(source(fields->source),
                                                label(labels.labelFor(fields->engineWord)),
                                                target(fields->target)))
                            return false;
                        ++result.written;
                        return true;
                    });
    output.finish(result);
    return result;
}

} // namespace kelvara
