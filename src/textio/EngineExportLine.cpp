#include "textio/EngineExportLine.h"

#include "platform/CodePage.h"
#include "textio/PosLabels.h"

namespace kelvara {

namespace {

// The second byte of a double-byte character, as the engines check it: GBK takes 0x40-0xFE
// but 0x7F, Big5 0x40-0x7E and 0xA1-0xFE.
bool isTrailByte(unsigned char byte, int codePage)
{
    if (codePage == kCodePageBig5)
        return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xFE);
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Bytes of the character that starts at pos: two for a lead byte with its trail byte, else
// one (a stray lead byte stands alone, so the byte after it is read for itself).
std::size_t characterLength(std::string_view text, std::size_t pos, int codePage)
{
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (IsLeadByte(byte, codePage) && pos + 1 < text.size() &&
        isTrailByte(static_cast<unsigned char>(text[pos + 1]), codePage))
        return 2;
    return 1;
}

// Position of the first backslash character at or after from, or npos. ASCII bytes are
// characters of their own and are passed without asking the code page.
std::size_t findBackslash(std::string_view text, std::size_t from, int codePage)
{
    std::size_t pos = from;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\\')
            return pos;
        pos += static_cast<unsigned char>(c) < 0x80 ? 1 : characterLength(text, pos, codePage);
    }
    return std::string_view::npos;
}

// The text less its last character, one or two bytes.
std::string_view withoutLastCharacter(std::string_view text, int codePage)
{
    std::size_t last = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        last = pos;
        pos +=
            static_cast<unsigned char>(text[pos]) < 0x80 ? 1 : characterLength(text, pos, codePage);
    }
    return text.substr(0, last);
}

} // namespace

std::optional<EngineExportFields> ParseEngineExportLine(std::string_view line, int codePage)
{
    const std::size_t first = findBackslash(line, 0, codePage);
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = findBackslash(line, first + 1, codePage);
    if (second == std::string_view::npos)
        return std::nullopt;
    EngineExportFields fields;
    fields.engineWord = line.substr(0, first);
    fields.source = line.substr(first + 1, second - first - 1);
    fields.target = withoutLastCharacter(line.substr(second + 1), codePage);
    return fields;
}

std::optional<EntryRecord> EngineExportLineToRecord(std::string_view line, int codePage)
{
    const auto fields = ParseEngineExportLine(line, codePage);
    if (!fields)
        return std::nullopt;
    return EntryRecord{std::string(fields->source), EngineWordToLabel(fields->engineWord, codePage),
                       std::string(fields->target)};
}

} // namespace kelvara
