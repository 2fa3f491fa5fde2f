#include "textio/EntryTextWriter.h"

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

bool EntryTextWriter::writeLine(std::string_view line)
{
    if (!m_file || !m_ok)
        return false;
    m_ok = std::fwrite(line.data(), 1, line.size(), m_file.get()) == line.size() &&
           std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), m_file.get()) == kLineEnd.size();
    return m_ok;
}

bool EntryTextWriter::writeRecord(std::string_view source, std::string_view label,
                                  std::string_view target)
{
    if (!m_file || !m_ok)
        return false;
    // One write per record rather than six: each stdio call takes the stream's lock.
    m_record.clear();
    AppendEntryRecord(m_record, source, label, target);
    m_ok = std::fwrite(m_record.data(), 1, m_record.size(), m_file.get()) == m_record.size();
    return m_ok;
}

bool EntryTextWriter::close()
{
    if (!m_file)
        return false;
    // fclose flushes the buffer: a full disk shows here, not at the writes.
    const bool closed = std::fclose(m_file.release()) == 0;
    return m_ok && closed;
}

} // namespace kelvara
