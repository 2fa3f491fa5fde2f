#include "textio/RejectsFile.h"

#include "platform/FileIdentity.h"
#include "platform/Utf8Text.h"
#include "textio/ChosenFileCheck.h"
#include "textio/TextImport.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kelvara {

namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

RejectsTargetProblem CheckRejectsTarget(const std::string& path,
                                        const std::vector<std::string>& dictionaryFiles,
                                        const std::string& sourcePath)
{
    // The same check as any chosen export file, then: never the file being read.
    switch (CheckFileToWrite(path, dictionaryFiles)) {
    case TextFailure::None:
        break;
    case TextFailure::ChosenFileIsDictionary:
        return RejectsTargetProblem::DictionaryFile;
    default:
        return RejectsTargetProblem::NotRegular;
    }
    if (!sourcePath.empty() && sourcePath != kStandardInputPath) {
        const auto source = IdentityOf(sourcePath);
        if (source && source == IdentityOf(path))
            return RejectsTargetProblem::SourceFile;
    }
    return RejectsTargetProblem::None;
}

RejectsFile::RejectsFile()
{
    m_spool = std::tmpfile();
    m_good = m_spool != nullptr;
}

RejectsFile::~RejectsFile()
{
    if (m_spool)
        std::fclose(m_spool);
}

void RejectsFile::begin(const std::string& sourcePath, bool byteOrderMark)
{
    m_sourcePath = sourcePath == kStandardInputPath ? std::string() : sourcePath;
    m_bom = byteOrderMark;
}

void RejectsFile::reject(const RecordRead& read, const RecordProblem& problem)
{
    ++m_count;
    if (m_listener)
        m_listener(read, problem);
    if (!m_spool)
        return;
    if (read.rawKept) {
        if (std::fwrite(read.raw.data(), 1, read.raw.size(), m_spool) != read.raw.size())
            m_good = false;
    } else if (m_sourcePath.empty() || !copyFromSource(read.begin, read.end)) {
        ++m_leftOut;
    }
}

bool RejectsFile::copyFromSource(std::uint64_t begin, std::uint64_t end)
{
    const int fd = ::open(m_sourcePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::vector<char> buffer(kCopyChunk);
    bool ok = true;
    for (std::uint64_t at = begin; ok && at < end;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, end - at));
        const ssize_t n = ::pread(fd, buffer.data(), want, static_cast<off_t>(at));
        if (n <= 0) {
            ok = false;
            break;
        }
        if (std::fwrite(buffer.data(), 1, static_cast<std::size_t>(n), m_spool) !=
            static_cast<std::size_t>(n))
            m_good = ok = false;
        at += static_cast<std::uint64_t>(n);
    }
    ::close(fd);
    return ok;
}

bool RejectsFile::saveTo(const std::string& path) const
{
    if (!m_spool || !m_good || std::fflush(m_spool) != 0)
        return false;
    const std::filesystem::path target(path);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    if (target.parent_path().empty())
        pattern = "." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return false;
    bool ok = !m_bom || writeAll(fd, kUtf8Bom.data(), kUtf8Bom.size());
    std::vector<char> buffer(kCopyChunk);
    const int spool = ::fileno(m_spool);
    for (off_t at = 0; ok;) {
        const ssize_t n = ::pread(spool, buffer.data(), buffer.size(), at);
        if (n < 0) {
            ok = false;
        } else if (n == 0) {
            break;
        } else {
            ok = writeAll(fd, buffer.data(), static_cast<std::size_t>(n));
            at += n;
        }
    }
    // A file a user asked for reads as the others do: rw for those the umask lets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ok = ok && ::fchmod(fd, 0666 & ~mask) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(pattern.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(pattern.c_str());
    return false;
}

} // namespace kelvara
