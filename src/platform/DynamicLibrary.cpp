#include "platform/DynamicLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kelvara {

LibraryHandle LoadLibraryFile(const char* path)
{
    if (!path || !*path)
        return nullptr;
#ifdef _WIN32
    return reinterpret_cast<LibraryHandle>(::LoadLibraryA(path));
#else
    // RTLD_LOCAL: the two engines must not see each other's symbols.
    return ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
#endif
}

void* FindEntryPoint(LibraryHandle library, const char* name)
{
    if (!library || !name)
        return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return ::dlsym(library, name);
#endif
}

void FreeLibraryFile(LibraryHandle library)
{
    if (!library)
        return;
#ifdef _WIN32
    ::FreeLibrary(static_cast<HMODULE>(library));
#else
    ::dlclose(library);
#endif
}

} // namespace kelvara
