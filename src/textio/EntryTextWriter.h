#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara {

/// Appends one entry record to out: source, label and target, each followed by CR LF.
void AppendEntryRecord(std::string& out, std::string_view source, std::string_view label,
                       std::string_view target);

/// Writes entry text files: every line as its bytes followed by CR LF, the last one too. Lines
/// are gathered and reach the file in blocks of kBlockSize bytes, so that a million records
/// cost some thirty writes rather than a stream call each.
class EntryTextWriter
{
public:
    static constexpr std::size_t kBlockSize = 1 << 20;

    /// Creates the file, emptying one that exists; nothing when it cannot be created.
    static std::optional<EntryTextWriter> create(const std::string& path);
    /// Writes into a stream opened elsewhere (a replacement file); the writer closes it.
    static std::optional<EntryTextWriter> adopt(std::FILE* stream);

    EntryTextWriter(EntryTextWriter&&) noexcept = default;
    EntryTextWriter& operator=(EntryTextWriter&& other) noexcept;
    /// A writer dropped without close still hands its gathered lines to the file.
    ~EntryTextWriter();

    /// Writes one line and its CR LF; false once anything failed to reach the file.
    bool writeLine(std::string_view line);
    /// Writes the three lines of a record.
    bool writeRecord(std::string_view source, std::string_view label, std::string_view target);
    /// Flushes and closes the file; true when every byte written reached it.
    bool close();
    /// As close(), and first has the system put every byte on the disk (fsync), for a file
    /// that is to replace another one.
    bool closeSynced();

private:
    struct Closer
    {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    explicit EntryTextWriter(std::FILE* file) : m_file(file) {}
    bool flush();

    std::unique_ptr<std::FILE, Closer> m_file;
    bool m_ok = true;
    std::string m_pending; // lines not yet handed to the stream
};

} // namespace kelvara
