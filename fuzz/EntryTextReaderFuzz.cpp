// Fuzz target of the entry text reader: any bytes read as records without a fault, whatever
// the chunks the file arrives in; a record read is within its limits and holds no line end;
// the records written back read again as the same records; and lines viewed in place are the
// lines read.
#include "FuzzCheck.h"
#include "platform/CodePage.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {
namespace {

// Hands out the bytes a few at a time, so lines and line ends straddle every boundary.
class TrickleSource final : public ByteSource
{
public:
    explicit TrickleSource(std::string_view bytes) : m_bytes(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override
    {
        const std::size_t n = std::min({size, m_bytes.size() - m_pos, 1 + m_pos % 7});
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
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

struct Outcome
{
    std::vector<EntryRecord> records; // the records read Ok
    std::size_t skipped = 0;
    TextEncoding encoding = TextEncoding::CodePage;
};

Outcome readAll(EntryTextReader& reader, const FieldLimits& limits)
{
    Outcome out;
    out.encoding = reader.encoding();
    EntryRecord record;
    while (!reader.atEnd()) {
        const ReadStatus status = reader.readRecord(record, limits);
        if (status == ReadStatus::Ok) {
            out.records.push_back(record);
        } else {
            require(record == EntryRecord{});
            ++out.skipped;
        }
    }
    return out;
}

bool clean(std::string_view field, std::size_t limit)
{
    return field.size() <= limit &&
           field.find_first_of(std::string_view("\r\n\x1A", 3)) == std::string_view::npos;
}

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the code page, the policy and the limits.
    const std::uint8_t mode = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const int codePage = mode & 1 ? kCodePageBig5 : kCodePageGbk;
    const EncodingPolicy policy = mode & 2 ? EncodingPolicy::CodePageOnly : EncodingPolicy::Detect;
    const FieldLimits limits = mode & 4   ? FieldLimits::ceEngine()
                               : mode & 8 ? FieldLimits::ecEngine()
                                          : FieldLimits{};

    EntryTextReader whole = EntryTextReader::fromBytes(bytes, codePage, policy);
    const Outcome outcome = readAll(whole, limits);
    require(whole.bytesConsumed() <= bytes.size());
    // No more records than groups of three lines, counting a last line without its end.
    const std::size_t lines =
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    require(outcome.records.size() + outcome.skipped <= (lines + 2) / 3);
    for (const EntryRecord& r : outcome.records)
        require(clean(r.source, limits.source) && clean(r.label, limits.label) &&
                clean(r.target, limits.target));

    EntryTextReader trickled(std::make_unique<TrickleSource>(bytes), codePage, policy);
    const Outcome again = readAll(trickled, limits);
    require(again.encoding == outcome.encoding);
    require(again.records == outcome.records);
    require(again.skipped == outcome.skipped);

    // Lines viewed in place read as lines read, from whole chunks and from trickled ones.
    EntryTextReader lineByLine = EntryTextReader::fromBytes(bytes, codePage, policy);
    EntryTextReader views = EntryTextReader::fromBytes(bytes, codePage, policy);
    EntryTextReader trickledViews(std::make_unique<TrickleSource>(bytes), codePage, policy);
    std::string line;
    while (!lineByLine.atEnd()) {
        require(!views.atEnd() && !trickledViews.atEnd());
        (void)lineByLine.readLine(line);
        require(views.readLineView() == line);
        require(trickledViews.readLineView() == line);
        require(views.bytesConsumed() == lineByLine.bytesConsumed());
    }
    require(views.atEnd() && trickledViews.atEnd());

    // Written back (in the code page, as an export writes) the records read again unchanged.
    std::string written;
    for (const EntryRecord& r : outcome.records)
        AppendEntryRecord(written, r.source, r.label, r.target);
    EntryTextReader reread =
        EntryTextReader::fromBytes(written, codePage, EncodingPolicy::CodePageOnly);
    const Outcome back = readAll(reread, limits);
    require(back.skipped == 0);
    require(back.records == outcome.records);
    return 0;
}

} // namespace
} // namespace kelvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelvara::fuzzOne(data, size);
}
