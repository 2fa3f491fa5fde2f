#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// A map from byte strings to byte strings that only ever grows (nothing is removed), kept in
/// one block of bytes (at most 4 GiB) and one open-addressed table, with no allocation per
/// entry: a map of std::string pairs spends most of its time on allocations and cache misses
/// once it holds a dictionary. Views it hands out last until the next assign.
class ByteStringMap
{
public:
    /// Room for this many entries of this many bytes in all, so that filling does not grow.
    void reserve(std::size_t entries, std::size_t bytes);
    /// Sets the value of the key; a later value replaces an earlier one. False, and nothing
    /// changed, when the block of bytes would pass its bound.
    bool assign(std::string_view key, std::string_view value);
    std::optional<std::string_view> find(std::string_view key) const;
    std::size_t size() const { return m_used; }

private:
    struct Slot
    {
        std::uint64_t hash = 0;
        std::uint32_t at = 0; // key, then value, in m_bytes
        std::uint32_t keyLength = 0;
        std::uint32_t valueLength = 0;
        std::uint32_t used = 0;
    };
    std::size_t slotOf(std::string_view key, std::uint64_t hash) const;
    void grow();

    std::string m_bytes;
    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
};

} // namespace kelvara
