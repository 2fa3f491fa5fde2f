#include "platform/Utf8Text.h"

namespace kelvara {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The lead byte's sequence length and the allowed range of its first continuation byte
// (Unicode's table of well-formed byte sequences); length 0 for a byte that starts nothing.
struct LeadInfo
{
    int length;
    unsigned char low;
    unsigned char high;
};

LeadInfo leadInfo(unsigned char b)
{
    if (b < 0x80)
        return {1, 0, 0};
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F}; // no surrogates
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F}; // nothing above U+10FFFF
    return {0, 0, 0};
}

} // namespace

void Utf8Validator::feed(std::string_view bytes)
{
    for (const char c : bytes) {
        if (!m_valid)
            return;
        const auto b = static_cast<unsigned char>(c);
        if (m_pending > 0) {
            if (b < m_low || b > m_high) {
                m_valid = false;
                return;
            }
            --m_pending;
            m_low = 0x80;
            m_high = 0xBF;
            continue;
        }
        if (b < 0x80)
            continue;
        m_nonAscii = true;
        const LeadInfo info = leadInfo(b);
        if (info.length == 0) {
            m_valid = false;
            return;
        }
        m_pending = info.length - 1;
        m_low = info.low;
        m_high = info.high;
    }
}

std::u16string DecodeUtf8(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        const LeadInfo info = leadInfo(b);
        bool ok = info.length > 0 && i + static_cast<std::size_t>(info.length) <= bytes.size();
        for (int k = 1; ok && k < info.length; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            const unsigned char low = k == 1 ? info.low : 0x80;
            const unsigned char high = k == 1 ? info.high : 0xBF;
            ok = c >= low && c <= high;
        }
        if (!ok) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        char32_t cp = b & (0xFF >> (info.length + 1));
        for (int k = 1; k < info.length; ++k)
            cp = (cp << 6) |
                 (static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += static_cast<std::size_t>(info.length);
    }
    return out;
}

std::string EncodeUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace kelvara
