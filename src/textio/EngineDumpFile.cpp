#include "textio/EngineDumpFile.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kelvara {

EngineDumpFile::EngineDumpFile(std::string path) : m_path(std::move(path)), m_cleanup(m_path) {}

EngineDumpFile::~EngineDumpFile()
{
    // Only what the engine made is removed: a regular file, not a link put there since.
    if (written())
        ::unlink(m_path.c_str());
}

bool EngineDumpFile::written() const
{
    std::error_code ec;
    return std::filesystem::symlink_status(m_path, ec).type() ==
           std::filesystem::file_type::regular;
}

} // namespace kelvara
