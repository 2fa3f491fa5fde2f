#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvara {

/// The native path separator.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

/// Whether a character separates the parts of a path on this platform.
bool IsPathSeparator(char c);

/// A folder as a file dialog keeps it: without its trailing separator unless it is a root.
std::string DialogFolderOf(std::string_view folderWithSeparator);

/// The folder of the running executable, with its trailing separator.
std::string ProgramFolder();

/// Joins a folder and a name with exactly one native separator between them; an empty
/// folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

/// The folder part of a path with its trailing separator ("" when the path has none).
std::string FolderOf(std::string_view path);

/// The name part of a path (after the last separator).
std::string FileNameOf(std::string_view path);

bool FileExists(const std::string& path);
bool RemoveFile(const std::string& path);
/// The size of a file in bytes; 0 when it cannot be told (progress then shows a busy bar).
std::uint64_t FileSizeOrZero(const std::string& path);

} // namespace kelvara
