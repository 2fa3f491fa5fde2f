#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace kelvara::ref {

class Statement;

/// The rows of a whole-dictionary export, read in one pass over the table and put in the
/// order of an index on (key, number) in memory.
///
/// Walking the index itself costs a lookup in the table for every row, and with the page
/// cache far smaller than a large dictionary each lookup reads pages from the file again: a
/// million entries took seconds. The table read in its own order touches every page once.
/// Keys compare as SQLite compares blobs (bytes, then the shorter first), numbers as integers;
/// rows equal in both keep the order they were added in.
class ExportRows
{
public:
    struct Row
    {
        std::string_view key;
        std::int64_t number = 0;
        std::string_view first;
        std::string_view second;
    };

    void clear();
    /// Makes room for about that many rows at once (a hint; rows beyond it still fit).
    void reserve(std::size_t rows);
    /// Adds a row; its texts are copied.
    void add(std::string_view key, std::int64_t number, std::string_view first,
             std::string_view second);
    /// Puts the rows in (key, number) order; nothing to do when they came in it.
    void sort();

    std::size_t size() const { return m_rows.size(); }
    Row operator[](std::size_t i) const;

private:
    struct Slot
    {
        std::uint64_t prefix; // the key's first eight bytes, big-endian, zero-padded
        std::int64_t number;
        const char* bytes; // the key, then first and second
        std::uint32_t keyLength;
        std::uint32_t firstLength;
        std::uint32_t secondLength;
        std::uint32_t sequence; // the order rows were added in
    };
    static bool before(const Slot& a, const Slot& b);
    char* room(std::size_t size);

    // The texts live in blocks that never move: a growing array would copy them again and
    // again, and on a large dictionary its copies and fresh pages cost more than the read.
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_free = nullptr;
    std::size_t m_left = 0;
    std::vector<Slot> m_rows;
    bool m_inOrder = true;
};

/// Reads a whole table for an export: `lastId` answers max(id), `scan` and `indexWalk` answer
/// (key, number, first, second) in the table's own order and in the index's. A scanned row
/// whose column types `storedAsExpected` refuses would sort by SQLite's rules across types, so
/// such a table is read through the index instead.
bool ReadForExport(Statement& lastId, Statement& scan, Statement& indexWalk,
                   bool (*storedAsExpected)(const Statement& row), ExportRows& rows);

} // namespace kelvara::ref
