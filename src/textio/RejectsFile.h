#pragma once

#include "textio/RecordFate.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kelvara {

/// Collects the records of an import that did not go in, byte for byte as they stood in the
/// input (line ends included, the file's byte-order mark before the first), so that the
/// records can be mended and imported again. They are spooled to an anonymous temporary file,
/// never held in memory; a record with a line too long to keep is copied again from the input
/// file when there is one (not from standard input: such a record is counted as left out).
/// Why a rejects file may not be written at a path, if it may not.
enum class RejectsTargetProblem {
    None,
    NotRegular,     ///< a folder, FIFO, device or socket, or a path stat cannot tell
    DictionaryFile, ///< the dictionary's file or one of its side files
    SourceFile,     ///< the file being imported
};

/// Checks a path chosen for the rejects before anything opens it: by device and inode against
/// each of the open dictionary's files (opening one would drop the engine's locks) and the
/// file being read ("-" or "" for none).
RejectsTargetProblem CheckRejectsTarget(const std::string& path,
                                        const std::vector<std::string>& dictionaryFiles,
                                        const std::string& sourcePath);

class RejectsFile final : public RejectSink
{
public:
    RejectsFile();
    ~RejectsFile() override;
    RejectsFile(const RejectsFile&) = delete;
    RejectsFile& operator=(const RejectsFile&) = delete;

    /// Told of every rejected record as it comes (kvdict --verbose: "LINE: reason").
    void setListener(std::function<void(const RecordRead&, const RecordProblem&)> listener)
    {
        m_listener = std::move(listener);
    }

    void begin(const std::string& sourcePath, bool byteOrderMark) override;
    void reject(const RecordRead& read, const RecordProblem& problem) override;

    std::size_t count() const { return m_count; }
    /// The file the records came from ("" for standard input or before the import began).
    const std::string& sourcePath() const { return m_sourcePath; }
    /// Rejected records whose bytes could not be kept (see above).
    std::size_t leftOut() const { return m_leftOut; }
    /// False once writing the spool failed.
    bool good() const { return m_good; }

    /// Writes the collected records to path: into a new file beside it, renamed into place
    /// once written whole and flushed, so an existing file is replaced whole or not at all.
    /// The caller has made sure path may be written (no dictionary file, a regular file).
    bool saveTo(const std::string& path) const;

private:
    bool copyFromSource(std::uint64_t begin, std::uint64_t end);

    std::string m_sourcePath;
    std::FILE* m_spool = nullptr;
    bool m_bom = false;
    bool m_good = true;
    std::size_t m_count = 0;
    std::size_t m_leftOut = 0;
    std::function<void(const RecordRead&, const RecordProblem&)> m_listener;
};

} // namespace kelvara
