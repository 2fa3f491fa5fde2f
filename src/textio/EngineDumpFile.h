#pragma once

#include "platform/SignalCleanup.h"

#include <string>

namespace kelvara {

/// The file an engine dumps a dictionary into. Its name was free before the engine wrote it,
/// so it is never a file of the user's; it is removed at the end, whatever way it ends (also
/// by a signal that ends the tool during the dump).
class EngineDumpFile
{
public:
    explicit EngineDumpFile(std::string path);
    ~EngineDumpFile();
    EngineDumpFile(const EngineDumpFile&) = delete;
    EngineDumpFile& operator=(const EngineDumpFile&) = delete;

    const std::string& path() const { return m_path; }
    /// True when the engine left a regular file there (a link is never read through).
    bool written() const;

private:
    std::string m_path;
    SignalCleanupPath m_cleanup;
};

} // namespace kelvara
