#pragma once

#include "platform/FixedBuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// One entry record of an entry text file: three lines, as bytes of the platform code page.
struct EntryRecord
{
    std::string source;
    std::string label;
    std::string target;
    bool operator==(const EntryRecord&) const = default;
};

/// A line read that keeps no limit of its own (kMaxLineBytes still holds).
inline constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();

/// The longest line a reader keeps, in bytes as they stand in the file: a longer line makes
/// its record too long, whatever the field, so no file can make the reader hold more.
inline constexpr std::size_t kMaxLineBytes = 1024 * 1024;

/// Which field of a record a problem lies in.
enum class RecordField { Source, Label, Target };

/// The longest field, in bytes of the platform code page, that a reader hands on; a longer
/// one makes the whole record too long (it is never cut).
struct FieldLimits
{
    std::size_t source = kUnbounded;
    std::size_t label = kUnbounded;
    std::size_t target = kUnbounded;

    /// What the E-C engine takes: source and target as its buffers hold, any label (a code).
    static constexpr FieldLimits ecEngine()
    {
        return {Buffer256::kMaxText, kUnbounded, Buffer256::kMaxText};
    }
    /// What the C-E engine takes: word, part-of-speech word and target as its buffers hold.
    static constexpr FieldLimits ceEngine()
    {
        return {Buffer128::kMaxText, Buffer16::kMaxText, Buffer128::kMaxText};
    }
};

/// What became of one record or line read.
enum class ReadStatus {
    Ok,              ///< the fields hold the text
    TooLong,         ///< a field was over its limit: skip the record (its fields are empty)
    Unrepresentable, ///< a UTF-8 file held a character the code page lacks: skip the record
};

/// What reading one record found, beside its fields.
struct RecordRead
{
    ReadStatus status = ReadStatus::Ok;
    RecordField field = RecordField::Source; ///< the first field that was not Ok
    std::uint64_t lineNumber = 0;            ///< the record's first line, counted from 1
    std::uint64_t begin = 0;                 ///< the record's first byte in the file
    std::uint64_t end = 0;                   ///< one past its last byte (its line ends included)
    /// The record's bytes exactly as they stood in the file, line ends included; when a line
    /// was over kMaxLineBytes they are not kept (rawKept false) and begin/end tell where
    /// they lie.
    std::string raw;
    bool rawKept = true;
};

/// Called while the encoding is guessed, with the bytes looked at so far; false stops it.
using ScanCallback = std::function<bool(std::uint64_t scanned)>;

/// How the bytes of the file were read.
enum class TextEncoding {
    CodePage, ///< the platform code page, bytes as they are
    Utf8,     ///< UTF-8, converted to the platform code page line by line
};

/// Whether a reader may take a file for UTF-8.
enum class EncodingPolicy {
    Detect,       ///< a UTF-8 byte-order mark, or valid UTF-8 holding non-ASCII bytes, is UTF-8
    CodePageOnly, ///< an engine's own file, or the user said so: always the platform code page
    Utf8Only,     ///< the user said so: UTF-8 (a byte-order mark is skipped)
};

/// Where a reader takes its bytes from.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    /// Reads up to size bytes; 0 at the end or after an error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    /// Starts again at the first byte; false when the source cannot.
    virtual bool rewind() = 0;
    /// True once a read failed for another reason than the end.
    virtual bool failed() const = 0;
    /// False for a pipe or terminal: rewind() would fail.
    virtual bool canRewind() const { return true; }
};

/// Reads entry text files in a stream, a chunk at a time, so a file of any size is never
/// held whole. A line ends at LF (a CR before it, or anywhere else, is dropped); a 0x1A byte
/// ends the file. Records are three line reads; a read past the end gives an empty field.
class EntryTextReader
{
public:
    /// Opens a file; nothing when it cannot be opened or is no regular file. With
    /// EncodingPolicy::Detect the file is looked through first (EncodingGuess), as far as
    /// the guess needs, a chunk at a time; scan hears how far, and may stop it (cancelled()).
    static std::optional<EntryTextReader> open(const std::string& path, int codePage,
                                               EncodingPolicy policy = EncodingPolicy::Detect,
                                               const ScanCallback& scan = {});
    /// Reads standard input the same way. A pipe cannot be read twice, so the guess looks at
    /// no more than its first kGuessPrefixBytes, which are then read again from memory.
    static EntryTextReader standardInput(int codePage,
                                         EncodingPolicy policy = EncodingPolicy::Detect,
                                         const ScanCallback& scan = {});
    /// What a guess on a source that cannot rewind looks at.
    static constexpr std::size_t kGuessPrefixBytes = 4 * 1024 * 1024;
    /// Reads bytes held in memory, the same way.
    static EntryTextReader fromBytes(std::string bytes, int codePage,
                                     EncodingPolicy policy = EncodingPolicy::Detect,
                                     const ScanCallback& scan = {});
    /// Reads from any source of bytes.
    EntryTextReader(std::unique_ptr<ByteSource> source, int codePage, EncodingPolicy policy,
                    const ScanCallback& scan = {});

    EntryTextReader(EntryTextReader&&) noexcept;
    EntryTextReader& operator=(EntryTextReader&&) noexcept;
    ~EntryTextReader();

    /// True when no byte is left before the end of the file (or a 0x1A byte).
    bool atEnd();

    /// Reads one record: three lines, whatever atEnd says. Test atEnd before each record.
    ReadStatus readRecord(EntryRecord& record, const FieldLimits& limits = {});
    /// The same, telling which field failed and where the record lay, with its bytes as they
    /// stood (for a file of the records that did not go in).
    void readRecord(EntryRecord& record, const FieldLimits& limits, RecordRead& read);

    /// Reads one line without its end. A line over limit is skipped to its end and reported
    /// too long (line left empty).
    ReadStatus readLine(std::string& line, std::size_t limit = kUnbounded);

    /// Reads one line without its end, as readLine does without a limit, and hands it as a view
    /// that stays valid until the next read. A code-page line that lies whole in the chunk
    /// read last and holds no CR but the one before its LF is viewed where it lies, uncopied.
    std::string_view readLineView();

    /// How the file's bytes are read.
    TextEncoding encoding() const { return m_encoding; }
    /// Bytes of the file consumed so far (for progress).
    std::uint64_t bytesConsumed() const { return m_consumed; }
    /// True when reading the file failed midway (what was read before stays valid).
    bool failed() const;
    /// True when the scan callback stopped the encoding guess: nothing will be read.
    bool cancelled() const { return m_cancelled; }
    /// True when the file began with a UTF-8 byte-order mark.
    bool hadByteOrderMark() const { return m_bom; }

private:
    bool fill();
    // Appends the raw bytes of the next line to out, at most keep of them; answers the line's
    // length without CRs, so a longer line can be told from one that fitted.
    std::size_t takeLine(std::string& out, std::size_t keep);
    void detectEncoding(const ScanCallback& scan);
    void skipByteOrderMark();
    ReadStatus readField(std::string& line, std::size_t limit);

    std::unique_ptr<ByteSource> m_source;
    int m_codePage;
    TextEncoding m_encoding = TextEncoding::CodePage;
    std::vector<char> m_chunk;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_sourceDone = false; // the source is exhausted or a 0x1A byte was met
    bool m_rewindFailed = false;
    bool m_cancelled = false;
    bool m_bom = false;
    std::uint64_t m_consumed = 0;
    std::uint64_t m_lines = 0;
    std::string* m_rawOut = nullptr; // while a record is read for its bytes: where they go
    bool m_rawOverflow = false;
    std::string m_raw;  // one line before conversion, reused
    std::string m_line; // a line readLineView could not view in the chunk, reused
};

} // namespace kelvara
