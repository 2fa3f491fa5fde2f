#pragma once

#include "platform/DynamicLibrary.h"

#include <utility>

namespace kelvara {

/// The handle of an engine library and whether this binding must free it: a binding over a
/// table of functions holds a token handle that is never freed. Move-only; frees at the end.
class OwnedLibrary
{
public:
    OwnedLibrary() = default;
    OwnedLibrary(LibraryHandle handle, bool owned) : m_handle(handle), m_owned(owned) {}
    ~OwnedLibrary() { reset(); }
    OwnedLibrary(OwnedLibrary&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)),
          m_owned(std::exchange(other.m_owned, false))
    {}
    OwnedLibrary& operator=(OwnedLibrary&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, nullptr);
            m_owned = std::exchange(other.m_owned, false);
        }
        return *this;
    }
    OwnedLibrary(const OwnedLibrary&) = delete;
    OwnedLibrary& operator=(const OwnedLibrary&) = delete;

    LibraryHandle handle() const { return m_handle; }

    /// Frees a library this object owns; the handle becomes null.
    void reset()
    {
        if (m_handle && m_owned)
            FreeLibraryFile(m_handle);
        m_handle = nullptr;
        m_owned = false;
    }

private:
    LibraryHandle m_handle = nullptr;
    bool m_owned = false;
};

} // namespace kelvara
