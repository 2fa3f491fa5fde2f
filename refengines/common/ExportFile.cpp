#include "common/ExportFile.h"

#include "common/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::ref {

namespace {

constexpr std::size_t kFileBlock = 1 << 20;

} // namespace

ExportFile::~ExportFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ExportFile::open(const char* path)
{
    // The caller picks a free name: an existing one is refused rather than emptied, so a
    // symlink planted at the name never redirects the export onto its target.
    m_path = path;
    m_fd = CreateRegularFile(m_path, 0666);
    m_ok = m_fd >= 0;
    if (m_ok)
        m_buffer.resize(kFileBlock);
    m_used = 0;
    return m_ok;
}

void ExportFile::writeAll(const char* data, std::size_t size)
{
    while (m_ok && size > 0) {
        const ssize_t n = ::write(m_fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_ok = false;
            break;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void ExportFile::flush()
{
    writeAll(m_buffer.data(), m_used);
    m_used = 0;
}

void ExportFile::appendLong(std::string_view bytes)
{
    flush();
    if (bytes.size() >= m_buffer.size()) {
        writeAll(bytes.data(), bytes.size());
        return;
    }
    std::memcpy(m_buffer.data(), bytes.data(), bytes.size());
    m_used = bytes.size();
}

namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

bool ExportFile::close(bool keep)
{
    if (m_fd < 0)
        return false;
    flush();
    struct stat mine
    {
    };
    const bool known = ::fstat(m_fd, &mine) == 0;
    const bool ok = ::close(m_fd) == 0 && m_ok && keep;
    m_fd = -1;
    struct stat named
    {
    };
    // Removed by name only while the name still leads to this export's own file.
    if (!ok && known && ::lstat(m_path.c_str(), &named) == 0 && sameFile(mine, named))
        ::unlink(m_path.c_str());
    return ok;
}

} // namespace kelvara::ref
