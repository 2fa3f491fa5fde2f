#include "common/ExportRows.h"

#include "common/Statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace kelvara::ref {

namespace {

constexpr std::size_t kTextBlock = 4 << 20;
constexpr std::size_t kMaxReserve = 4 << 20;

std::uint64_t prefixOf(std::string_view key)
{
    std::uint64_t prefix = 0;
    const std::size_t n = std::min<std::size_t>(key.size(), 8);
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < n ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

} // namespace

void ExportRows::clear()
{
    m_blocks.clear();
    m_free = nullptr;
    m_left = 0;
    m_rows.clear();
    m_inOrder = true;
}

void ExportRows::reserve(std::size_t rows)
{
    // Only the pages of rows that come are touched; the cap keeps an odd hint (ids set by
    // another program) from asking for more than a large dictionary needs.
    m_rows.reserve(std::min<std::size_t>(rows, kMaxReserve));
}

char* ExportRows::room(std::size_t size)
{
    if (size > m_left) {
        const std::size_t blockSize = std::max(size, kTextBlock);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
        m_free = m_blocks.back().get();
        m_left = blockSize;
    }
    char* at = m_free;
    m_free += size;
    m_left -= size;
    return at;
}

void ExportRows::add(std::string_view key, std::int64_t number, std::string_view first,
                     std::string_view second)
{
    char* bytes = room(key.size() + first.size() + second.size());
    char* next = bytes;
    for (const std::string_view text : {key, first, second}) {
        if (!text.empty())
            std::memcpy(next, text.data(), text.size());
        next += text.size();
    }
    const Slot slot{prefixOf(key),
                    number,
                    bytes,
                    static_cast<std::uint32_t>(key.size()),
                    static_cast<std::uint32_t>(first.size()),
                    static_cast<std::uint32_t>(second.size()),
                    static_cast<std::uint32_t>(m_rows.size())};
    if (m_inOrder && !m_rows.empty() && before(slot, m_rows.back()))
        m_inOrder = false;
    m_rows.push_back(slot);
}

bool ExportRows::before(const Slot& a, const Slot& b)
{
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix;
    // Equal first eight bytes (zero-padded): the keys themselves decide.
    if (a.keyLength > 8 || b.keyLength > 8 || a.keyLength != b.keyLength) {
        const std::size_t n = std::min(a.keyLength, b.keyLength);
        if (const int c = n ? std::memcmp(a.bytes, b.bytes, n) : 0; c != 0)
            return c < 0;
        if (a.keyLength != b.keyLength)
            return a.keyLength < b.keyLength;
    }
    if (a.number != b.number)
        return a.number < b.number;
    return a.sequence < b.sequence;
}

void ExportRows::sort()
{
    if (m_inOrder)
        return;
    std::sort(m_rows.begin(), m_rows.end(),
              [](const Slot& a, const Slot& b) { return before(a, b); });
    m_inOrder = true;
}

ExportRows::Row ExportRows::operator[](std::size_t i) const
{
    const Slot& s = m_rows[i];
    const char* first = s.bytes + s.keyLength;
    const char* second = first + s.firstLength;
    return {{s.bytes, s.keyLength}, s.number, {first, s.firstLength}, {second, s.secondLength}};
}

namespace {

bool readInIndexOrder(Statement& indexWalk, ExportRows& rows)
{
    rows.clear();
    StatementScope scope(indexWalk);
    int rc;
    while ((rc = indexWalk.step()) == SQLITE_ROW)
        rows.add(indexWalk.bytes(0), indexWalk.integer(1), indexWalk.bytes(2), indexWalk.bytes(3));
    return rc == SQLITE_DONE;
}

} // namespace

bool ReadForExport(Statement& lastId, Statement& scan, Statement& indexWalk,
                   bool (*storedAsExpected)(const Statement& row), ExportRows& rows)
{
    rows.clear();
    {
        // The ids count the rows added, so the largest is about how many there are.
        StatementScope scope(lastId);
        if (lastId.step() == SQLITE_ROW && lastId.integer(0) > 0)
            rows.reserve(static_cast<std::size_t>(lastId.integer(0)));
    }
    bool ours = true;
    int rc;
    {
        StatementScope scope(scan);
        while ((rc = scan.step()) == SQLITE_ROW) {
            if (!storedAsExpected(scan)) {
                ours = false;
                break;
            }
            rows.add(scan.bytes(0), scan.integer(1), scan.bytes(2), scan.bytes(3));
        }
    }
    if (!ours)
        return readInIndexOrder(indexWalk, rows);
    if (rc != SQLITE_DONE)
        return false;
    rows.sort();
    return true;
}

} // namespace kelvara::ref
