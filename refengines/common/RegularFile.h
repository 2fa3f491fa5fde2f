#pragma once

#include <string>
#include <sys/types.h>

namespace kelvara::ref {

/// A descriptor closed at the end of its scope.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    /// Hands the descriptor over; this scope no longer closes it.
    int release();

private:
    int m_fd;
};

/// Opens an existing regular file without ever blocking: a FIFO or a device at the path would
/// hang an ordinary open (or the first read) for good. -1 with errno set when the open fails,
/// errno EINVAL when the path names anything but a regular file.
int OpenRegularFile(const std::string& path, int flags);

/// Creates a new regular file for writing: refuses an existing name of any kind (also a
/// symlink, whose target is never touched) and never blocks. -1 with errno set.
int CreateRegularFile(const std::string& path, mode_t mode);

/// The name under which SQLite gets a path. SQLite reads a name beginning "file:" as a URI
/// (Debian's build turns URIs on for every connection), which would open another file than
/// the one the engine checked; a relative path therefore gets a "./" in front.
std::string SqliteFileName(const std::string& path);

} // namespace kelvara::ref
