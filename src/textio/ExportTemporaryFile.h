#pragma once

#include "platform/SignalCleanup.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace kelvara {

/// The temporary file an engine exports into before the conversion: the chosen path with
/// `suffix` appended, or, when something of that name is there already, the first free name
/// of ".1<suffix>", ".2<suffix>", ... beside it, so that no file the user had is overwritten
/// or deleted. Nothing when no free name fits the engines' 256-byte path buffer.
std::optional<std::string> FreeTemporaryExportPath(const std::string& chosenPath,
                                                   const std::string& suffix = ".tmp");

/// The file an export is written into: a new file beside the chosen one that takes its place
/// by rename only once it is whole and on the disk, so that a cancel, an interrupt, a write
/// error or a full disk leaves an existing file exactly as it was. It is created new
/// (O_EXCL, O_NOFOLLOW) under a free name, so it is never a file or a link of anyone else's;
/// it is removed again unless commit() put it in place.
class ReplacementFile
{
public:
    /// Creates the new file beside the file the chosen path names (beside the final target
    /// when the chosen path is a symbolic link, so the link stays a link). An existing
    /// target's permissions are given to the new file. Nothing when it cannot be created.
    static std::unique_ptr<ReplacementFile> create(const std::string& chosenPath);

    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    /// The stream to write into; the caller closes it (flushed and synced) before commit().
    std::FILE* takeStream();
    const std::string& temporaryPath() const { return m_temporary; }

    /// Renames the new file over the target and syncs the folder; true when it is in place.
    bool commit();

private:
    ReplacementFile(std::string target, std::string temporary, std::FILE* stream);

    std::string m_target;
    std::string m_temporary;
    std::FILE* m_stream = nullptr;
    bool m_committed = false;
    SignalCleanupPath m_cleanup;
};

} // namespace kelvara
