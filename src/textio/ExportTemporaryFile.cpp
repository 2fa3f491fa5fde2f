#include "textio/ExportTemporaryFile.h"

#include "platform/FixedBuffer.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

std::string candidateName(const std::string& chosenPath, int n, const std::string& suffix)
{
    std::string path = chosenPath;
    if (n > 0)
        path += "." + std::to_string(n);
    return path + suffix;
}

// The file a chosen path finally names: a symbolic link is followed, so the export replaces
// the file it points at and the link itself stays.
std::string finalTarget(const std::string& chosenPath)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(chosenPath, ec))
        return chosenPath;
    const auto resolved = std::filesystem::weakly_canonical(chosenPath, ec);
    return ec ? chosenPath : resolved.string();
}

std::string folderOf(const std::string& path)
{
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

} // namespace

std::optional<std::string> FreeTemporaryExportPath(const std::string& chosenPath,
                                                   const std::string& suffix)
{
    for (int n = 0; n < kMaxTries; ++n) {
        std::string path = candidateName(chosenPath, n, suffix);
        if (path.size() > Buffer256::kMaxText)
            return std::nullopt;
        if (!nameTaken(path))
            return path;
    }
    return std::nullopt;
}

std::unique_ptr<ReplacementFile> ReplacementFile::create(const std::string& chosenPath)
{
    const std::string target = finalTarget(chosenPath);
    struct stat existing
    {
    };
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    for (int n = 0; n < kMaxTries; ++n) {
        const std::string temporary = candidateName(target, n, ".part");
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST || errno == ELOOP)
                continue;
            return nullptr;
        }
        if (targetExists)
            (void)::fchmod(fd, existing.st_mode & 07777);
        std::FILE* stream = ::fdopen(fd, "wb");
        if (!stream) {
            ::close(fd);
            ::unlink(temporary.c_str());
            return nullptr;
        }
        return std::unique_ptr<ReplacementFile>(new ReplacementFile(target, temporary, stream));
    }
    return nullptr;
}

ReplacementFile::ReplacementFile(std::string target, std::string temporary, std::FILE* stream)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_stream(stream),
      m_cleanup(m_temporary)
{}

ReplacementFile::~ReplacementFile()
{
    if (m_stream)
        std::fclose(m_stream);
    if (!m_committed)
        ::unlink(m_temporary.c_str());
}

std::FILE* ReplacementFile::takeStream()
{
    std::FILE* stream = m_stream;
    m_stream = nullptr;
    return stream;
}

bool ReplacementFile::commit()
{
    if (m_committed || m_stream)
        return m_committed;
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return false;
    m_committed = true;
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace kelvara
