#include "platform/IniFile.h"

#include <cerrno>
#include <cstdio>
#include <unordered_set>

#ifdef _WIN32
#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kelvara {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

#ifdef _WIN32

bool readSmallRegularFile(const std::string& path, std::string& text)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char chunk[4096];
    std::size_t n = 0;
    while (text.size() <= IniFile::kMaxFileBytes &&
           (n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed && text.size() <= IniFile::kMaxFileBytes;
}

#else

// A name can stand for a FIFO (an open would wait for a writer), a device without end, or a
// file that changes between the look and the open: only a regular file whose size is within
// the limit is read, it is opened without waiting, and the open file is checked again.
bool readSmallRegularFile(const std::string& path, std::string& text)
{
    struct stat before
    {
    };
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode) ||
        before.st_size > static_cast<off_t>(IniFile::kMaxFileBytes))
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened
    {
    };
    bool ok = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
              opened.st_size <= static_cast<off_t>(IniFile::kMaxFileBytes);
    // One byte past the limit tells a file that grew since from one that did not.
    char chunk[4096];
    while (ok) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(n));
        if (text.size() > IniFile::kMaxFileBytes)
            ok = false;
    }
    ::close(fd);
    return ok;
}

#endif

} // namespace

IniFile IniFile::load(const std::string& path)
{
    // What is not a readable regular file of at most kMaxFileBytes is no configuration: the
    // defaults apply, as for a missing file.
    std::string text;
    if (!readSmallRegularFile(path, text))
        return {};
    return parse(text);
}

IniFile IniFile::parse(std::string_view text)
{
    IniFile ini;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    // Hash sets, not scans of what was read: a file of many keys must not take quadratic time.
    std::unordered_set<std::string> seenSections;
    std::unordered_set<std::string> seenKeys; // length of the section, ':', section, key
    std::string section;
    bool sectionIsDuplicate = false;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);

        line = trim(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = lowerAscii(trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            // A section that appears again later is not read again: the first one wins.
            sectionIsDuplicate = !seenSections.insert(section).second;
            inSection = true;
            continue;
        }
        if (!inSection || sectionIsDuplicate)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        std::string key = lowerAscii(trim(line.substr(0, eq)));
        if (key.empty())
            continue;
        if (!seenKeys.insert(std::to_string(section.size()) + ':' + section + key).second)
            continue;
        ini.m_entries.push_back(
            {section, std::move(key), std::string(unquote(trim(line.substr(eq + 1))))});
    }
    return ini;
}

std::string IniFile::value(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const
{
    const std::string s = lowerAscii(trim(section));
    const std::string k = lowerAscii(trim(key));
    for (const auto& e : m_entries)
        if (e.section == s && e.key == k)
            return e.value;
    return std::string(defaultValue);
}

} // namespace kelvara
