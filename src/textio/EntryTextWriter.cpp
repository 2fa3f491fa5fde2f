#include "textio/EntryTextWriter.h"

#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

void AppendEntryRecord(std::string& out, std::string_view source, std::string_view label,
                       std::string_view target)
{
    for (const std::string_view field : {source, label, target}) {
        out.append(field);
        out.append(kLineEnd);
    }
}

std::optional<EntryTextWriter> EntryTextWriter::create(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return std::nullopt;
    return EntryTextWriter(file);
}

std::optional<EntryTextWriter> EntryTextWriter::adopt(std::FILE* stream)
{
    if (!stream)
        return std::nullopt;
    return EntryTextWriter(stream);
}

EntryTextWriter::~EntryTextWriter()
{
    if (m_file && m_ok)
        flush();
}

EntryTextWriter& EntryTextWriter::operator=(EntryTextWriter&& other) noexcept
{
    if (this != &other) {
        if (m_file && m_ok)
            flush();
        m_file = std::move(other.m_file);
        m_ok = other.m_ok;
        m_pending = std::move(other.m_pending);
    }
    return *this;
}

bool EntryTextWriter::writeLine(std::string_view line)
{
    if (!m_file || !m_ok)
        return false;
    m_pending.append(line);
    m_pending.append(kLineEnd);
    return m_pending.size() < kBlockSize || flush();
}

bool EntryTextWriter::writeRecord(std::string_view source, std::string_view label,
                                  std::string_view target)
{
    if (!m_file || !m_ok)
        return false;
    AppendEntryRecord(m_pending, source, label, target);
    return m_pending.size() < kBlockSize || flush();
}

bool EntryTextWriter::flush()
{
    if (!m_pending.empty())
        m_ok = std::fwrite(m_pending.data(), 1, m_pending.size(), m_file.get()) == m_pending.size();
    m_pending.clear();
    return m_ok;
}

bool EntryTextWriter::close()
{
    if (!m_file)
        return false;
    if (m_ok)
        flush();
    // fclose flushes the stream: a full disk shows here, not at the writes.
    const bool closed = std::fclose(m_file.release()) == 0;
    return m_ok && closed;
}

bool EntryTextWriter::closeSynced()
{
    if (!m_file)
        return false;
    if (m_ok)
        flush();
    // A full disk shows at the flush or the sync, not at the writes.
    const bool synced =
        m_ok && std::fflush(m_file.get()) == 0 && ::fsync(::fileno(m_file.get())) == 0;
    const bool closed = std::fclose(m_file.release()) == 0;
    return synced && closed;
}

} // namespace kelvara
