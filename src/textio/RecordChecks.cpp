#include "textio/RecordChecks.h"

#include "lang/Localized.h"
#include "platform/CodePage.h"

namespace kelvara {

namespace {

bool hasControlByte(std::string_view text)
{
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            return true;
    }
    return false;
}

bool isTrail(unsigned char b, int codePage)
{
    if (b >= 0x40 && b <= 0x7E)
        return true;
    return codePage == kCodePageBig5 ? b >= 0xA1 && b <= 0xFE : b >= 0x80 && b <= 0xFE;
}

} // namespace

std::optional<RecordField> FieldWithControlByte(const EntryRecord& record)
{
    if (hasControlByte(record.source))
        return RecordField::Source;
    if (hasControlByte(record.label))
        return RecordField::Label;
    if (hasControlByte(record.target))
        return RecordField::Target;
    return std::nullopt;
}

bool IsCodePageText(std::string_view bytes, int codePage)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            continue;
        if (!IsLeadByte(b, codePage) || i + 1 >= bytes.size() ||
            !isTrail(static_cast<unsigned char>(bytes[i + 1]), codePage))
            return false;
        ++i;
    }
    return true;
}

std::optional<RecordField> FieldNotInCodePage(const EntryRecord& record, int codePage)
{
    if (!IsCodePageText(record.source, codePage))
        return RecordField::Source;
    if (!IsCodePageText(record.target, codePage))
        return RecordField::Target;
    return std::nullopt;
}

std::string WithFullWidthParentheses(std::string_view text, int codePage)
{
    const std::string& open = CodePageBytes("（", codePage);
    const std::string& close = CodePageBytes("）", codePage);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(b, codePage) && i + 1 < text.size()) {
            out.append(text.substr(i, 2)); // a trail byte is never a parenthesis, but keep pairs
            ++i;
        } else if (b == '(') {
            out += open;
        } else if (b == ')') {
            out += close;
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    return out;
}

} // namespace kelvara
