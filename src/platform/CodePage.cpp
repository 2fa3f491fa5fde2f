#include "platform/CodePage.h"

#include <bit>
#include <cerrno>
#include <iconv.h>

namespace kelvara {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// std::u16string holds native-order units; naming the order keeps iconv from adding a BOM.
constexpr const char* kUtf16 = std::endian::native == std::endian::big ? "UTF-16BE" : "UTF-16LE";

// One converter per direction and code page, opened on first use and kept for the thread:
// iconv_open costs far more than converting one grid cell.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter& decoder(int codePage)
{
    thread_local Converter gbk(kUtf16, "CP936");
    thread_local Converter big5(kUtf16, "CP950");
    return codePage == kCodePageBig5 ? big5 : gbk;
}

Converter& encoder(int codePage)
{
    thread_local Converter gbk("CP936", kUtf16);
    thread_local Converter big5("CP950", kUtf16);
    return codePage == kCodePageBig5 ? big5 : gbk;
}

// The second byte of a double-byte character: GBK takes 0x40-0xFE but 0x7F, Big5 only
// 0x40-0x7E and 0xA1-0xFE (0x80-0xA0 start characters of their own there).
bool isTrailByte(unsigned char byte, int codePage)
{
    if (codePage == kCodePageBig5)
        return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xFE);
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// How many bytes one U+FFFD stands for where iconv refused the input: a lead byte with a
// proper trail byte is one unknown character; anything else is one bad byte, so that an
// ASCII byte after a stray lead byte still comes through.
std::size_t skipUndecodable(std::string_view rest, int codePage)
{
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (IsLeadByte(lead, codePage) && rest.size() >= 2 &&
        isTrailByte(static_cast<unsigned char>(rest[1]), codePage))
        return 2;
    return 1;
}

} // namespace

bool IsLeadByte(unsigned char byte, int codePage)
{
    (void)codePage; // GBK and Big5 (Windows forms) share the lead-byte range
    return byte >= 0x81 && byte <= 0xFE;
}

std::u16string DecodeCodePage(std::string_view bytes, int codePage)
{
    std::u16string out;
    if (bytes.empty())
        return out;
    Converter& conv = decoder(codePage);
    if (!conv.valid()) {
        // No converter on this system: keep ASCII, replace the rest.
        for (unsigned char c : bytes)
            out.push_back(c < 0x80 ? char16_t(c) : kReplacement);
        return out;
    }
    iconv_t cd = conv.get();
    out.reserve(bytes.size());
    std::size_t pos = 0;
    char16_t chunk[512];
    while (pos < bytes.size()) {
        char* in = const_cast<char*>(bytes.data() + pos);
        std::size_t inLeft = bytes.size() - pos;
        char* outPtr = reinterpret_cast<char*>(chunk);
        std::size_t outLeft = sizeof(chunk);
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(chunk, (sizeof(chunk) - outLeft) / sizeof(char16_t));
        pos = bytes.size() - inLeft;
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (err == E2BIG)
            continue;
        // EILSEQ or EINVAL (a lead byte at the end): one replacement, then go on.
        out.push_back(kReplacement);
        pos += skipUndecodable(bytes.substr(pos), codePage);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string EncodeCodePage(std::u16string_view text, int codePage, bool* usedDefault)
{
    std::string out;
    bool replaced = false;
    Converter& conv = encoder(codePage);
    if (!conv.valid()) {
        for (char16_t c : text) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else {
                out.push_back(kDefaultChar);
                replaced = true;
            }
        }
        if (usedDefault)
            *usedDefault = replaced;
        return out;
    }
    iconv_t cd = conv.get();
    out.reserve(text.size() * 2);
    std::size_t pos = 0; // in UTF-16 units
    char chunk[1024];
    while (pos < text.size()) {
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data() + pos));
        std::size_t inLeft = (text.size() - pos) * sizeof(char16_t);
        char* outPtr = chunk;
        std::size_t outLeft = sizeof(chunk);
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(chunk, sizeof(chunk) - outLeft);
        pos = text.size() - inLeft / sizeof(char16_t);
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (err == E2BIG)
            continue;
        // A character the code page lacks, or a broken surrogate pair.
        out.push_back(kDefaultChar);
        replaced = true;
        const char16_t c = text[pos];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && pos + 1 < text.size() &&
                          text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF;
        pos += pair ? 2 : 1;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    if (usedDefault)
        *usedDefault = replaced;
    return out;
}

bool IsRepresentable(std::u16string_view text, int codePage)
{
    bool replaced = false;
    EncodeCodePage(text, codePage, &replaced);
    return !replaced;
}

std::size_t CutLength(std::string_view bytes, std::size_t maxBytes, int codePage)
{
    if (bytes.size() <= maxBytes)
        return bytes.size();
    std::size_t pos = 0;
    while (pos < maxBytes) {
        const bool wide =
            IsLeadByte(static_cast<unsigned char>(bytes[pos]), codePage) && pos + 1 < bytes.size();
        const std::size_t step = wide ? 2 : 1;
        if (pos + step > maxBytes)
            break;
        pos += step;
    }
    return pos;
}

} // namespace kelvara
