#include "platform/Paths.h"

#include <cstdio>
#include <sys/stat.h>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kelvara {

namespace {} // namespace

bool IsPathSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string DialogFolderOf(std::string_view folder)
{
    std::string out(folder);
    const bool driveRoot = out.size() == 3 && out[1] == ':';
    if (out.size() > 1 && !driveRoot && IsPathSeparator(out.back()))
        out.pop_back();
    return out;
}

std::string ProgramFolder()
{
    std::string path;
#ifdef _WIN32
    std::vector<char> buf(32768);
    const DWORD n = ::GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    path.assign(buf.data(), n);
#else
    std::vector<char> buf(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0)
            break;
        if (static_cast<std::size_t>(n) < buf.size()) {
            path.assign(buf.data(), static_cast<std::size_t>(n));
            break;
        }
        buf.resize(buf.size() * 2);
    }
#endif
    return FolderOf(path);
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string out(folder);
    if (out.empty())
        return std::string(name);
    if (!IsPathSeparator(out.back()))
        out.push_back(kPathSeparator);
    while (!name.empty() && IsPathSeparator(name.front()))
        name.remove_prefix(1);
    out.append(name);
    return out;
}

std::string FolderOf(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1]))
            return std::string(path.substr(0, i));
    return {};
}

std::string FileNameOf(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1]))
            return std::string(path.substr(i));
    return std::string(path);
}

bool FileExists(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0;
}

std::uint64_t FileSizeOrZero(const std::string& path)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0 || st.st_size < 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool RemoveFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

} // namespace kelvara
