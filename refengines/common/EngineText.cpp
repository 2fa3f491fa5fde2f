#include "common/EngineText.h"

#include <cstring>

namespace kelvara::ref {

namespace {

bool isLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool isTrail(unsigned char b, EngineCodePage codePage)
{
    if (b >= 0x40 && b <= 0x7E)
        return true;
    if (codePage == EngineCodePage::Big5)
        return b >= 0xA1 && b <= 0xFE;
    return b >= 0x80 && b <= 0xFE;
}

bool isSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::optional<std::string_view> BoundedText(const char* text, std::size_t capacity)
{
    if (!text)
        return std::nullopt;
    const void* end = std::memchr(text, '\0', capacity);
    if (!end)
        return std::nullopt;
    return std::string_view(text, static_cast<const char*>(end) - text);
}

std::string_view TrimSeparators(std::string_view folder)
{
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.remove_suffix(1);
    return folder;
}

EngineCodePage CodePageOfFolder(std::string_view folder)
{
    folder = TrimSeparators(folder);
    std::size_t start = folder.size();
    while (start > 0 && !isSeparator(folder[start - 1]))
        --start;
    const std::string_view name = folder.substr(start);
    static constexpr std::string_view kTraditionalFolder = "articlet";
    if (name.size() != kTraditionalFolder.size())
        return EngineCodePage::Gbk;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (lowerAscii(name[i]) != kTraditionalFolder[i])
            return EngineCodePage::Gbk;
    }
    return EngineCodePage::Big5;
}

std::string_view FolderPart(std::string_view path)
{
    std::size_t end = path.size();
    while (end > 0 && !isSeparator(path[end - 1]))
        --end;
    return TrimSeparators(path.substr(0, end));
}

bool IsWellFormed(std::string_view bytes, EngineCodePage codePage)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!isLead(static_cast<unsigned char>(bytes[i])))
            continue;
        if (i + 1 >= bytes.size() || !isTrail(static_cast<unsigned char>(bytes[i + 1]), codePage))
            return false;
        ++i;
    }
    return true;
}

bool HasLineBreak(std::string_view bytes)
{
    return bytes.find_first_of("\r\n") != std::string_view::npos;
}

bool HasSingleByteChar(std::string_view bytes, char c)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (isLead(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size())
            ++i;
        else if (bytes[i] == c)
            return true;
    }
    return false;
}

std::string FoldAsciiCase(std::string_view bytes)
{
    std::string out(bytes);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (isLead(static_cast<unsigned char>(out[i])) && i + 1 < out.size())
            ++i;
        else
            out[i] = lowerAscii(out[i]);
    }
    return out;
}

void CopyToBuffer(std::string_view text, char* buffer, std::size_t capacity)
{
    if (!buffer || capacity == 0)
        return;
    std::size_t n = 0;
    while (n < text.size()) {
        const std::size_t step =
            (isLead(static_cast<unsigned char>(text[n])) && n + 1 < text.size()) ? 2 : 1;
        if (n + step > capacity - 1)
            break;
        n += step;
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace kelvara::ref
