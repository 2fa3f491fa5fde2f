// Fuzz target of the C-E export conversion: the engine's file is read line by line and each
// line split; the fields are the line's own bytes in order, separated by backslash
// characters only, and the record written for a line reads back unchanged.
#include "FuzzCheck.h"
#include "platform/CodePage.h"
#include "textio/EngineExportLine.h"
#include "textio/EntryTextReader.h"
#include "textio/EntryTextWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvara {
namespace {

// The second byte of a double-byte character, as the engines check it.
bool isTrailByte(unsigned char byte, int codePage)
{
    if (codePage == kCodePageBig5)
        return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xFE);
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// True when the text holds a backslash that is a character of its own, not the trail byte
// of a double-byte character.
bool holdsBackslashCharacter(std::string_view text, int codePage)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\')
            return true;
        if (IsLeadByte(byte, codePage) && i + 1 < text.size() &&
            isTrailByte(static_cast<unsigned char>(text[i + 1]), codePage))
            ++i;
    }
    return false;
}

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int codePage = data[0] & 1 ? kCodePageBig5 : kCodePageGbk;
    std::string file(reinterpret_cast<const char*>(data + 1), size - 1);

    EntryTextReader reader =
        EntryTextReader::fromBytes(file, codePage, EncodingPolicy::CodePageOnly);
    std::string line;
    while (!reader.atEnd()) {
        require(reader.readLine(line) == ReadStatus::Ok);
        const auto fields = ParseEngineExportLine(line, codePage);
        if (!fields)
            continue;
        // The fields are the line's bytes in order, with one backslash after each of the
        // first two and one character, or nothing, after the target.
        const std::string head =
            std::string(fields->engineWord) + '\\' + std::string(fields->source) + '\\';
        require(line.starts_with(head));
        require(std::string_view(line).substr(head.size()).starts_with(fields->target));
        const std::size_t dropped = line.size() - head.size() - fields->target.size();
        require(dropped <= 2 && (dropped > 0 || fields->target.empty()));
        require(!holdsBackslashCharacter(fields->engineWord, codePage));
        require(!holdsBackslashCharacter(fields->source, codePage));

        const auto record = EngineExportLineToRecord(line, codePage);
        require(record && record->source == fields->source && record->target == fields->target);
        std::string written;
        AppendEntryRecord(written, record->source, record->label, record->target);
        EntryTextReader back =
            EntryTextReader::fromBytes(written, codePage, EncodingPolicy::CodePageOnly);
        EntryRecord read;
        require(back.readRecord(read) == ReadStatus::Ok);
        require(read == *record);
        require(back.atEnd());
    }
    return 0;
}

} // namespace
} // namespace kelvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelvara::fuzzOne(data, size);
}
