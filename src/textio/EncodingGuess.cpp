#include "textio/EncodingGuess.h"

#include "platform/CodePage.h"

namespace kelvara {

namespace {

// Past this many text-like UTF-8 characters without a single ill-formed byte, a GBK or Big5
// file is out of the question.
constexpr std::size_t kSettledUtf8 = 4096;

bool isAsciiLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAccentedLetter(char32_t c)
{
    return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

bool isCjkText(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x3000 && c <= 0x30FF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x2000 && c <= 0x206F) ||
           (c >= 0x20000 && c <= 0x2FFFF);
}

// The ordinary double-byte characters of each code page: what the platform's own files hold.
bool isOrdinary(unsigned char lead, unsigned char trail, int codePage)
{
    if (codePage == kCodePageBig5) {
        const unsigned code = lead << 8 | trail;
        return (code >= 0xA140 && code <= 0xA3BF) || (code >= 0xA440 && code <= 0xC67E) ||
               (code >= 0xC940 && code <= 0xF9D5);
    }
    return trail >= 0xA1 && trail <= 0xFE &&
           ((lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7));
}

bool isTrail(unsigned char trail, int codePage)
{
    if (trail >= 0x40 && trail <= 0x7E)
        return true;
    return codePage == kCodePageBig5 ? trail >= 0xA1 && trail <= 0xFE
                                     : trail >= 0x80 && trail <= 0xFE;
}

} // namespace

void EncodingGuess::feed(std::string_view bytes)
{
    m_validator.feed(bytes);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (m_validator.valid())
            feedUtf8(b);
        feedCodePage(b);
    }
}

void EncodingGuess::feedUtf8(unsigned char b)
{
    if (b < 0x80) {
        m_partialLeft = 0;
        codePoint(b);
        return;
    }
    if (b < 0xC0) {
        if (m_partialLeft == 0)
            return; // ill-formed: the validator has it
        m_partial = m_partial << 6 | (b & 0x3F);
        if (--m_partialLeft == 0)
            codePoint(m_partial);
        return;
    }
    m_partialLeft = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    m_partial = b & (0x3F >> m_partialLeft);
}

void EncodingGuess::codePoint(char32_t c)
{
    // An accented letter after exactly one ASCII letter counts once the next character shows
    // it inside a word (naïve); after two letters it counts at once (café).
    if (m_pendingAccent && isAsciiLetter(c))
        ++m_utf8Textlike;
    m_pendingAccent = false;
    if (c >= 0x80) {
        ++m_utf8NonAscii;
        if (isCjkText(c)) {
            ++m_utf8Textlike;
        } else if (isAccentedLetter(c) && isAsciiLetter(m_before1)) {
            if (isAsciiLetter(m_before2))
                ++m_utf8Textlike;
            else
                m_pendingAccent = true;
        }
    }
    m_before2 = m_before1;
    m_before1 = c;
}

void EncodingGuess::feedCodePage(unsigned char b)
{
    if (m_lead < 0) {
        if (b >= 0x80) {
            if (IsLeadByte(b, m_codePage))
                m_lead = b;
            else
                m_codePageBroken = true;
        }
        return;
    }
    const auto lead = static_cast<unsigned char>(m_lead);
    m_lead = -1;
    if (!isTrail(b, m_codePage)) {
        m_codePageBroken = true;
        return;
    }
    ++m_doubleBytes;
    if (!isOrdinary(lead, b, m_codePage))
        ++m_unusual;
}

bool EncodingGuess::settled() const
{
    if (m_bom || !m_validator.valid())
        return true;
    return isUtf8() && m_utf8Textlike >= kSettledUtf8;
}

bool EncodingGuess::isUtf8() const
{
    if (m_bom)
        return true;
    if (!m_validator.complete() || !m_validator.sawNonAscii())
        return false;
    if (m_codePageBroken || m_lead >= 0)
        return true;
    if (m_utf8Textlike > 0 && m_utf8Textlike * 2 >= m_utf8NonAscii)
        return true;
    return m_doubleBytes > 0 && m_unusual * 4 >= m_doubleBytes;
}

} // namespace kelvara
