#include "textio/EntryTextReader.h"

#include "platform/CodePage.h"
#include "platform/Utf8Text.h"
#include "textio/EncodingGuess.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kelvara {

namespace {

// Large enough that a read costs little per line, small enough that any file streams.
constexpr std::size_t kChunkSize = 64 * 1024;

constexpr char kEndOfFile = 0x1A;

class FileSource final : public ByteSource
{
public:
    explicit FileSource(std::FILE* file, bool owned = true)
        : m_file(file), m_owned(owned), m_seekable(std::fseek(file, 0, SEEK_CUR) == 0)
    {}
    ~FileSource() override
    {
        if (m_owned)
            std::fclose(m_file);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* buffer, std::size_t size) override
    {
        return std::fread(buffer, 1, size, m_file);
    }
    bool rewind() override
    {
        std::clearerr(m_file);
        return std::fseek(m_file, 0, SEEK_SET) == 0;
    }
    bool failed() const override { return std::ferror(m_file) != 0; }
    bool canRewind() const override { return m_seekable; }

private:
    std::FILE* m_file;
    bool m_owned;
    bool m_seekable;
};

// The bytes a guess looked at, handed out again before the rest of a source that cannot
// rewind.
class ReplaySource final : public ByteSource
{
public:
    ReplaySource(std::string prefix, std::unique_ptr<ByteSource> rest)
        : m_prefix(std::move(prefix)), m_rest(std::move(rest))
    {}

    std::size_t read(char* buffer, std::size_t size) override
    {
        if (m_pos < m_prefix.size()) {
            const std::size_t n = std::min(size, m_prefix.size() - m_pos);
            std::memcpy(buffer, m_prefix.data() + m_pos, n);
            m_pos += n;
            return n;
        }
        return m_rest->read(buffer, size);
    }
    bool rewind() override { return false; }
    bool failed() const override { return m_rest->failed(); }
    bool canRewind() const override { return false; }

private:
    std::string m_prefix;
    std::size_t m_pos = 0;
    std::unique_ptr<ByteSource> m_rest;
};

class MemorySource final : public ByteSource
{
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::size_t read(char* buffer, std::size_t size) override
    {
        const std::size_t n = std::min(size, m_bytes.size() - m_pos);
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    bool rewind() override
    {
        m_pos = 0;
        return true;
    }
    bool failed() const override { return false; }

private:
    std::string m_bytes;
    std::size_t m_pos = 0;
};

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::optional<EntryTextReader> EntryTextReader::open(const std::string& path, int codePage,
                                                     EncodingPolicy policy,
                                                     const ScanCallback& scan)
{
    // A FIFO or device would block the open or never end; only a regular file is text.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    return EntryTextReader(std::make_unique<FileSource>(file), codePage, policy, scan);
}

EntryTextReader EntryTextReader::standardInput(int codePage, EncodingPolicy policy,
                                               const ScanCallback& scan)
{
    return EntryTextReader(std::make_unique<FileSource>(stdin, false), codePage, policy, scan);
}

EntryTextReader EntryTextReader::fromBytes(std::string bytes, int codePage, EncodingPolicy policy,
                                           const ScanCallback& scan)
{
    return EntryTextReader(std::make_unique<MemorySource>(std::move(bytes)), codePage, policy,
                           scan);
}

EntryTextReader::EntryTextReader(std::unique_ptr<ByteSource> source, int codePage,
                                 EncodingPolicy policy, const ScanCallback& scan)
    : m_source(std::move(source)), m_codePage(codePage), m_chunk(kChunkSize)
{
    if (policy == EncodingPolicy::Detect) {
        detectEncoding(scan);
    } else if (policy == EncodingPolicy::Utf8Only) {
        m_encoding = TextEncoding::Utf8;
        skipByteOrderMark();
    }
}

EntryTextReader::EntryTextReader(EntryTextReader&&) noexcept = default;
EntryTextReader& EntryTextReader::operator=(EntryTextReader&&) noexcept = default;
EntryTextReader::~EntryTextReader() = default;

void EntryTextReader::detectEncoding(const ScanCallback& scan)
{
    // The guess looks chunk by chunk, never holding the file, and stops as soon as its answer
    // is settled (most GBK and Big5 files within their first Chinese text). What it looked at
    // is read again: by rewinding a file, from memory for a pipe.
    EncodingGuess guess(m_codePage);
    const bool rewindable = m_source->canRewind();
    std::string prefix;
    bool prefixWhole = true; // prefix holds every byte read so far
    std::string head;
    std::uint64_t scanned = 0;
    while (true) {
        std::size_t n = m_source->read(m_chunk.data(), m_chunk.size());
        if (n == 0)
            break;
        if (prefixWhole) {
            if (!rewindable || prefix.size() + n <= kGuessPrefixBytes) {
                prefix.append(m_chunk.data(), n);
            } else {
                prefixWhole = false;
                std::string().swap(prefix);
            }
        }
        scanned += n;
        const void* stop = std::memchr(m_chunk.data(), kEndOfFile, n);
        if (stop)
            n = static_cast<std::size_t>(static_cast<const char*>(stop) - m_chunk.data());
        const std::string_view piece(m_chunk.data(), n);
        if (head.size() < kUtf8Bom.size()) {
            head.append(piece.substr(0, kUtf8Bom.size() - head.size()));
            if (head == kUtf8Bom)
                guess.setByteOrderMark();
        }
        guess.feed(piece);
        if (stop || guess.settled() || (!rewindable && prefix.size() >= kGuessPrefixBytes))
            break;
        if (scan && !scan(scanned)) {
            m_cancelled = true;
            m_sourceDone = true;
            return;
        }
    }
    if (guess.isUtf8())
        m_encoding = TextEncoding::Utf8;
    if (prefixWhole) {
        m_source = std::make_unique<ReplaySource>(std::move(prefix), std::move(m_source));
    } else if (!m_source->rewind()) {
        // Nothing can be read twice: read nothing rather than guess.
        m_sourceDone = true;
        m_rewindFailed = true;
        return;
    }
    if (head == kUtf8Bom)
        skipByteOrderMark();
}

void EntryTextReader::skipByteOrderMark()
{
    // A source may hand out fewer bytes than asked for: read byte by byte through the mark,
    // keeping what is no mark for the first line.
    while (m_end < kUtf8Bom.size()) {
        const std::size_t n = m_source->read(m_chunk.data() + m_end, kUtf8Bom.size() - m_end);
        if (n == 0)
            break;
        m_end += n;
    }
    if (std::string_view(m_chunk.data(), m_end) == kUtf8Bom) {
        m_bom = true;
        m_consumed += m_end;
        m_pos = m_end = 0;
    } else if (std::memchr(m_chunk.data(), kEndOfFile, m_end)) {
        m_end = static_cast<std::size_t>(
            static_cast<const char*>(std::memchr(m_chunk.data(), kEndOfFile, m_end)) -
            m_chunk.data());
        m_sourceDone = true;
    }
}

bool EntryTextReader::fill()
{
    if (m_pos < m_end)
        return true;
    if (m_sourceDone)
        return false;
    std::size_t n = m_source->read(m_chunk.data(), m_chunk.size());
    if (const void* stop = std::memchr(m_chunk.data(), kEndOfFile, n)) {
        n = static_cast<std::size_t>(static_cast<const char*>(stop) - m_chunk.data());
        m_sourceDone = true;
    }
    if (n == 0)
        m_sourceDone = true;
    m_pos = 0;
    m_end = n;
    return n > 0;
}

bool EntryTextReader::atEnd()
{
    return !fill();
}

bool EntryTextReader::failed() const
{
    return m_rewindFailed || m_source->failed();
}

std::size_t EntryTextReader::takeLine(std::string& out, std::size_t keep)
{
    std::size_t length = 0;
    while (fill()) {
        const char* begin = m_chunk.data() + m_pos;
        const char* end = m_chunk.data() + m_end;
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_pos));
        const char* segmentEnd = lf ? lf : end;
        // Every CR is dropped: before the LF it is part of the line end, elsewhere the format
        // drops it from the line.
        const char* p = begin;
        while (p < segmentEnd) {
            const auto* cr = static_cast<const char*>(
                std::memchr(p, '\r', static_cast<std::size_t>(segmentEnd - p)));
            const char* pieceEnd = cr ? cr : segmentEnd;
            const auto piece = static_cast<std::size_t>(pieceEnd - p);
            if (length < keep)
                out.append(p, std::min(piece, keep - length));
            length += piece;
            p = cr ? cr + 1 : segmentEnd;
        }
        const char* next = lf ? lf + 1 : end;
        if (m_rawOut && !m_rawOverflow) {
            // Three lines of at most kMaxLineBytes and their ends; a longer one is not kept.
            const auto taken = static_cast<std::size_t>(next - begin);
            if (m_rawOut->size() + taken <= 3 * (kMaxLineBytes + 2))
                m_rawOut->append(begin, taken);
            else
                m_rawOverflow = true;
        }
        m_consumed += static_cast<std::uint64_t>(next - begin);
        m_pos = static_cast<std::size_t>(next - m_chunk.data());
        if (lf)
            break;
    }
    return length;
}

ReadStatus EntryTextReader::readLine(std::string& line, std::size_t limit)
{
    ++m_lines;
    return readField(line, limit);
}

ReadStatus EntryTextReader::readField(std::string& line, std::size_t limit)
{
    line.clear();
    limit = std::min(limit, kMaxLineBytes);
    if (m_encoding == TextEncoding::CodePage) {
        if (takeLine(line, limit) > limit) {
            line.clear();
            return ReadStatus::TooLong;
        }
        return ReadStatus::Ok;
    }
    // A code-page form is never longer than its UTF-8 form, and at least two thirds of it
    // (three UTF-8 bytes become two): a raw line beyond half as much again cannot fit.
    const std::size_t rawLimit = std::min(kMaxLineBytes, limit + limit / 2 + 4);
    m_raw.clear();
    if (takeLine(m_raw, rawLimit) > rawLimit)
        return ReadStatus::TooLong;
    bool usedDefault = false;
    if (isAscii(m_raw))
        line = m_raw;
    else
        line = EncodeCodePage(DecodeUtf8(m_raw), m_codePage, &usedDefault);
    if (line.size() > limit) {
        line.clear();
        return ReadStatus::TooLong;
    }
    if (usedDefault) {
        // Stored, the '?' would stand for a character that is gone.
        line.clear();
        return ReadStatus::Unrepresentable;
    }
    return ReadStatus::Ok;
}

std::string_view EntryTextReader::readLineView()
{
    if (m_encoding == TextEncoding::CodePage && fill()) {
        const char* begin = m_chunk.data() + m_pos;
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_pos));
        if (lf) {
            const char* end = lf > begin && lf[-1] == '\r' ? lf - 1 : lf;
            const auto length = static_cast<std::size_t>(end - begin);
            if (!std::memchr(begin, '\r', length)) {
                const auto taken = static_cast<std::size_t>(lf + 1 - begin);
                m_consumed += taken;
                m_pos += taken;
                return {begin, length};
            }
        }
    }
    // A line across chunks, with CRs to drop or to convert: read the usual way.
    (void)readLine(m_line);
    return m_line;
}

ReadStatus EntryTextReader::readRecord(EntryRecord& record, const FieldLimits& limits)
{
    RecordRead read;
    readRecord(record, limits, read);
    return read.status;
}

void EntryTextReader::readRecord(EntryRecord& record, const FieldLimits& limits, RecordRead& read)
{
    read.raw.clear();
    read.rawKept = true;
    read.lineNumber = m_lines + 1;
    read.begin = m_consumed;
    m_rawOut = &read.raw;
    m_rawOverflow = false;
    const ReadStatus statuses[] = {readLine(record.source, limits.source),
                                   readLine(record.label, limits.label),
                                   readLine(record.target, limits.target)};
    m_rawOut = nullptr;
    read.end = m_consumed;
    if (m_rawOverflow) {
        read.raw.clear();
        read.rawKept = false;
    }
    // Too long wins over a missing character: the line may not have been read whole.
    read.status = ReadStatus::Ok;
    for (int i = 0; i < 3; ++i) {
        const ReadStatus s = statuses[i];
        if (s == ReadStatus::TooLong && read.status != ReadStatus::TooLong) {
            read.status = s;
            read.field = static_cast<RecordField>(i);
        } else if (s == ReadStatus::Unrepresentable && read.status == ReadStatus::Ok) {
            read.status = s;
            read.field = static_cast<RecordField>(i);
        }
    }
    if (read.status != ReadStatus::Ok)
        record = {};
}

} // namespace kelvara
