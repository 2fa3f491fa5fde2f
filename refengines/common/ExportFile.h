#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara::ref {

/// The file an export writes, filled in large blocks: one write per megabyte rather than a
/// stdio call per field.
class ExportFile
{
public:
    ExportFile() = default;
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    /// Creates the file; false when it cannot be created or anything is at the name already
    /// (a file, a FIFO, a symlink: the export never writes through a link).
    bool open(const char* path);
    void append(std::string_view bytes)
    {
        if (bytes.size() <= m_buffer.size() - m_used) {
            if (!bytes.empty())
                std::memcpy(m_buffer.data() + m_used, bytes.data(), bytes.size());
            m_used += bytes.size();
        } else {
            appendLong(bytes);
        }
    }
    /// Writes what is held and closes the file; true when every byte reached it. When not
    /// (or when `keep` is false) the file is removed again, unless another file has taken
    /// its name meanwhile.
    bool close(bool keep = true);

private:
    void appendLong(std::string_view bytes);
    void flush();
    void writeAll(const char* data, std::size_t size);

    int m_fd = -1;
    std::string m_path;
    bool m_ok = false;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
};

} // namespace kelvara::ref
