#include "engines/BindingLoader.h"

namespace kelvara::detail {

LibraryHandle LoadAndBind(const char* path, const char* const* names, void** const* slots,
                          std::size_t count)
{
    LibraryHandle library = LoadLibraryFile(path);
    if (!library)
        return nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        *slots[i] = FindEntryPoint(library, names[i]);
        if (!*slots[i]) {
            // A partly resolved library is never kept.
            FreeLibraryFile(library);
            for (std::size_t j = 0; j < count; ++j)
                *slots[j] = nullptr;
            return nullptr;
        }
    }
    return library;
}

} // namespace kelvara::detail
