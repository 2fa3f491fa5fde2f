#pragma once

#include "platform/Utf8Text.h"

#include <cstddef>
#include <string_view>

namespace kelvara {

/// Tells, from the bytes of a text file fed piece by piece, whether it is UTF-8 or the platform
/// code page (GBK or Big5). Short GBK and Big5 texts are often well-formed UTF-8 as well
/// (学习 is D1 A7 CF B0 in GBK, and also two UTF-8 letters), so well-formed UTF-8 alone does
/// not make a file UTF-8. The file is read as UTF-8 only when its UTF-8 reading is clearly
/// text:
///   - it begins with a UTF-8 byte-order mark; or
///   - it is well-formed UTF-8 with non-ASCII characters, and
///       - it is no text of the code page (a broken double-byte character), or
///       - at least half of its non-ASCII characters, read as UTF-8, are CJK ideographs, kana,
///         CJK or general punctuation or full-width forms, or Latin letters with accents set
///         inside an English word (naïve, or café: after two ASCII letters), or
///       - at least a quarter of its double-byte characters, read in the code page, lie
///         outside the ordinary hanzi and punctuation (GB2312's rows of GBK; Big5's symbols,
///         frequent and less frequent hanzi), which is what UTF-8 Chinese read as GBK gives.
/// Anything else is the code page, as the platform's own files are.
class EncodingGuess
{
public:
    explicit EncodingGuess(int codePage) : m_codePage(codePage) {}

    /// Takes the next piece of the file (a character may straddle two pieces).
    void feed(std::string_view bytes);
    /// True once the rest of the file cannot change the answer, or makes it near enough
    /// certain (thousands of UTF-8 ideographs): the caller may stop feeding.
    bool settled() const;
    /// The answer for everything fed so far (after a byte-order mark: always UTF-8).
    bool isUtf8() const;

    void setByteOrderMark() { m_bom = true; }

private:
    void feedUtf8(unsigned char byte);
    void codePoint(char32_t c);
    void feedCodePage(unsigned char byte);

    int m_codePage;
    bool m_bom = false;
    Utf8Validator m_validator;
    // The UTF-8 reading.
    char32_t m_partial = 0;
    int m_partialLeft = 0;
    std::size_t m_utf8NonAscii = 0;
    std::size_t m_utf8Textlike = 0;
    char32_t m_before2 = 0, m_before1 = 0; // the two code points before the latest
    bool m_pendingAccent = false;          // the latest is an accented letter after one letter
    // The code-page reading.
    int m_lead = -1;
    bool m_codePageBroken = false;
    std::size_t m_doubleBytes = 0;
    std::size_t m_unusual = 0;
};

} // namespace kelvara
