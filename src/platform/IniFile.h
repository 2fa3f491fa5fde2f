#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

/// Read-only access to a platform INI file with private-profile semantics: section and key
/// names compare without regard to ASCII case, blanks around keys and values are dropped, a
/// value in matching quotes loses them, the first of duplicate keys (and sections) wins,
/// lines starting with ';' are comments, lines end in CR LF or LF.
class IniFile
{
public:
    /// Largest configuration read; a larger file counts as absent.
    static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

    /// A file that does not exist, cannot be read, is not a regular file (a FIFO, a device,
    /// a folder) or is larger than kMaxFileBytes behaves as an empty file. Never blocks.
    static IniFile load(const std::string& path);
    static IniFile parse(std::string_view text);

    /// The value of key in section, or defaultValue when either is absent.
    std::string value(std::string_view section, std::string_view key,
                      std::string_view defaultValue) const;

private:
    struct Entry
    {
        std::string section; // ASCII lower-cased
        std::string key;     // ASCII lower-cased
        std::string value;
    };
    std::vector<Entry> m_entries;
};

} // namespace kelvara
