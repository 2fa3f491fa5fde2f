#pragma once

namespace kelvara {

/// An opaque handle of a loaded library; null means not loaded.
using LibraryHandle = void*;

/// Loads the library named by a full path (LoadLibrary on Windows, dlopen elsewhere; the file
/// name is taken as it is, extension and all). Null when it does not load.
LibraryHandle LoadLibraryFile(const char* path);

/// The address of an exported function, or null when the library does not export it.
void* FindEntryPoint(LibraryHandle library, const char* name);

/// Unloads a library loaded by LoadLibraryFile; a null handle is ignored.
void FreeLibraryFile(LibraryHandle library);

} // namespace kelvara
