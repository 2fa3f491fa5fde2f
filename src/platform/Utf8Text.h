#pragma once

#include <string>
#include <string_view>

namespace kelvara {

/// The byte-order mark a UTF-8 file may begin with.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

/// Checks, piece by piece, that a byte stream is well-formed UTF-8 (no overlong forms, no
/// surrogates, nothing above U+10FFFF), so a file can be judged without holding it whole.
class Utf8Validator
{
public:
    /// Takes the next piece of the stream; a character may straddle two pieces.
    void feed(std::string_view bytes);
    /// True when everything fed so far is well formed and ends on a character boundary.
    bool complete() const { return m_valid && m_pending == 0; }
    /// False once an ill-formed byte was fed (an unfinished last character is not one yet).
    bool valid() const { return m_valid; }
    /// True when a byte above 0x7F was fed.
    bool sawNonAscii() const { return m_nonAscii; }

private:
    bool m_valid = true;
    bool m_nonAscii = false;
    int m_pending = 0;          // continuation bytes still expected
    unsigned char m_low = 0x80; // range of the next continuation byte
    unsigned char m_high = 0xBF;
};

/// Encodes UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

/// Decodes UTF-8 into UTF-16. Each ill-formed byte becomes U+FFFD; decoding never fails.
std::u16string DecodeUtf8(std::string_view bytes);

} // namespace kelvara
