#pragma once

#include "platform/DynamicLibrary.h"

#include <cstddef>

namespace kelvara::detail {

// A pseudo handle for bindings over a table of functions: non-null, never loaded or freed.
inline LibraryHandle tableHandle()
{
    static char token;
    return &token;
}

/// Loads a library and resolves names[i] into *slots[i] in order; the first missing name
/// unloads the library, clears every slot and answers null.
LibraryHandle LoadAndBind(const char* path, const char* const* names, void** const* slots,
                          std::size_t count);

} // namespace kelvara::detail
