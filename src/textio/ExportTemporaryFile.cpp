#include "textio/ExportTemporaryFile.h"

#include "platform/FixedBuffer.h"

#include <filesystem>
#include <system_error>

namespace kelvara {

namespace {

// Also a dangling link counts as taken: the engine would write through it.
bool nameTaken(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    return !ec ? status.type() != std::filesystem::file_type::not_found
               : ec != std::errc::no_such_file_or_directory;
}

constexpr int kMaxTries = 1000;

} // namespace

std::optional<std::string> FreeTemporaryExportPath(const std::string& chosenPath)
{
    for (int n = 0; n < kMaxTries; ++n) {
        std::string path = chosenPath;
        if (n > 0)
            path += "." + std::to_string(n);
        path += ".tmp";
        if (path.size() > Buffer256::kMaxText)
            return std::nullopt;
        if (!nameTaken(path))
            return path;
    }
    return std::nullopt;
}

} // namespace kelvara
