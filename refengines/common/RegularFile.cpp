#include "common/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::ref {

namespace {

// Opened with O_NONBLOCK so that nothing waits for a FIFO's other end; a regular file ignores
// the flag, which is dropped again so that later reads and writes behave as usual.
int keepIfRegular(int fd)
{
    if (fd < 0)
        return -1;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status == -1 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int Descriptor::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

int OpenRegularFile(const std::string& path, int flags)
{
    return keepIfRegular(::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
}

int CreateRegularFile(const std::string& path, mode_t mode)
{
    return keepIfRegular(
        ::open(path.c_str(),
               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode));
}

std::string SqliteFileName(const std::string& path)
{
    if (path.empty() || path.front() == '/')
        return path;
    return "./" + path;
}

} // namespace kelvara::ref
