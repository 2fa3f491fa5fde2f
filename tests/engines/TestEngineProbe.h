#pragma once

// Looks into a test engine library from the outside: whether the process still has it
// loaded, and the call log the test engines keep.

#include "platform/DynamicLibrary.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kelvara {

/// True while the library at path is loaded in this process (by anyone).
inline bool IsLibraryLoaded(const std::string& path)
{
#ifdef _WIN32
    return ::GetModuleHandleA(path.c_str()) != nullptr;
#else
    // RTLD_NOLOAD only looks; the reference it takes when it finds one is given back.
    void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h)
        ::dlclose(h);
    return h != nullptr;
#endif
}

/// The calls the test engine behind handle has seen since its last reset.
inline std::string EngineLog(LibraryHandle handle)
{
    using LogFn = const char* (*)();
    auto log = reinterpret_cast<LogFn>(FindEntryPoint(handle, "test_engine_log"));
    return log ? std::string(log()) : std::string("<no log>");
}

/// Empties the call log of the test engine behind handle.
inline void ResetEngineLog(LibraryHandle handle)
{
    using ResetFn = void (*)();
    if (auto reset = reinterpret_cast<ResetFn>(FindEntryPoint(handle, "test_engine_reset")))
        reset();
}

} // namespace kelvara
