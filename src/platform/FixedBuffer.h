#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace kelvara {

/// A caller-owned, zero-terminated byte buffer of N bytes, as the engines take their texts.
/// Nothing copied into it can write past its end, and reading it never runs past it even
/// when an engine left it without a terminator.
template <std::size_t N> class FixedBuffer
{
    static_assert(N >= 2, "a buffer holds at least one byte and the terminator");

public:
    static constexpr std::size_t kCapacity = N;    ///< bytes, terminator included
    static constexpr std::size_t kMaxText = N - 1; ///< longest text it holds

    FixedBuffer() { m_bytes.fill('\0'); }
    explicit FixedBuffer(std::string_view text) : FixedBuffer() { (void)assign(text); }

    /// Copies the text whole. A text that does not fit is refused: the buffer is left empty
    /// and the answer is false (a cut path could name another file).
    [[nodiscard]] bool assign(std::string_view text)
    {
        clear();
        if (text.size() > kMaxText)
            return false;
        std::memcpy(m_bytes.data(), text.data(), text.size());
        return true;
    }

    void clear() { m_bytes.fill('\0'); }

    /// The raw storage handed to an engine, which may write up to N bytes into it.
    char* data() { return m_bytes.data(); }
    const char* data() const { return m_bytes.data(); }

    /// Restores the terminator after an engine wrote into the buffer.
    void terminate() { m_bytes[N - 1] = '\0'; }

    /// The text up to the terminator, never beyond the last byte.
    std::string_view view() const
    {
        const void* nul = std::memchr(m_bytes.data(), '\0', kMaxText);
        const std::size_t n =
            nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - m_bytes.data())
                : kMaxText;
        return {m_bytes.data(), n};
    }
    std::string str() const { return std::string(view()); }
    bool empty() const { return m_bytes[0] == '\0'; }
    std::size_t length() const { return view().size(); }

private:
    std::array<char, N> m_bytes;
};

/// The engines' buffer sizes: E-C texts and every path; C-E words and translations; the C-E
/// part-of-speech word.
using Buffer256 = FixedBuffer<256>;
using Buffer128 = FixedBuffer<128>;
using Buffer16 = FixedBuffer<16>;

} // namespace kelvara
