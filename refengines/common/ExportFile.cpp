#include "common/ExportFile.h"

#include <cerrno>
#include <fcntl.h>
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
    // What fopen(path, "wb") does, without its stream.
    m_fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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

bool ExportFile::close()
{
    if (m_fd < 0)
        return false;
    flush();
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return m_ok && closed;
}

} // namespace kelvara::ref
