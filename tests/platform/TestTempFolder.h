#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes away. Tests lay out program folders and files in it.

#include <filesystem>
#include <random>
#include <string>

namespace kelvara {

class TestTempFolder
{
public:
    TestTempFolder()
    {
        std::random_device rd;
        const auto base = std::filesystem::temp_directory_path();
        do {
            m_path = base / ("kelvara-test-" + std::to_string(rd()) + std::to_string(rd()));
        } while (!std::filesystem::create_directory(m_path));
    }
    ~TestTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TestTempFolder(const TestTempFolder&) = delete;
    TestTempFolder& operator=(const TestTempFolder&) = delete;

    /// The folder itself.
    const std::filesystem::path& path() const { return m_path; }
    /// The folder as text with its trailing separator, as a program folder is given.
    std::string folder() const { return (m_path / "").string(); }

private:
    std::filesystem::path m_path;
};

} // namespace kelvara
