#include "platform/ByteStringMap.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <limits>
#include <utility>

namespace kelvara {

namespace {

std::uint64_t hashOf(std::string_view key)
{
    return std::hash<std::string_view>{}(key);
}

} // namespace

void ByteStringMap::reserve(std::size_t entries, std::size_t bytes)
{
    m_bytes.reserve(bytes);
    // At most half full, so that a probe ends soon.
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(entries * 2, 16));
    if (slots > m_slots.size()) {
        std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(slots));
        for (const Slot& slot : old) {
            if (slot.used)
                m_slots[slotOf(std::string_view(m_bytes).substr(slot.at, slot.keyLength),
                               slot.hash)] = slot;
        }
    }
}

void ByteStringMap::grow()
{
    reserve(std::max<std::size_t>(m_used * 2, 8), m_bytes.size());
}

std::size_t ByteStringMap::slotOf(std::string_view key, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (!slot.used ||
            (slot.hash == hash && std::string_view(m_bytes).substr(slot.at, slot.keyLength) == key))
            return i;
    }
}

bool ByteStringMap::assign(std::string_view key, std::string_view value)
{
    if (key.size() + value.size() > std::numeric_limits<std::uint32_t>::max() - m_bytes.size())
        return false;
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const std::uint64_t hash = hashOf(key);
    Slot& slot = m_slots[slotOf(key, hash)];
    if (!slot.used)
        ++m_used;
    slot.hash = hash;
    slot.at = static_cast<std::uint32_t>(m_bytes.size());
    slot.keyLength = static_cast<std::uint32_t>(key.size());
    slot.valueLength = static_cast<std::uint32_t>(value.size());
    slot.used = 1;
    m_bytes.append(key);
    m_bytes.append(value);
    return true;
}

std::optional<std::string_view> ByteStringMap::find(std::string_view key) const
{
    if (m_slots.empty())
        return std::nullopt;
    const Slot& slot = m_slots[slotOf(key, hashOf(key))];
    if (!slot.used)
        return std::nullopt;
    return std::string_view(m_bytes).substr(slot.at + slot.keyLength, slot.valueLength);
}

} // namespace kelvara
