#pragma once

#include "engines/EngineAbi.h"
#include "engines/OwnedLibrary.h"
#include "platform/DynamicLibrary.h"
#include "platform/FixedBuffer.h"

#include <cstdint>

namespace kelvara {

/// The eight entry points of the C-E engine, in the order they are looked up, and the
/// optional creation entry point.
struct CeEntryPoints
{
    abi::MarkGStackFn markGStack = nullptr;
    abi::DicAddFn dicAdd = nullptr;
    abi::DicDeleteFn dicDelete = nullptr;
    abi::DicCloseFn dicClose = nullptr;
    abi::DicOpenFn dicOpen = nullptr;
    abi::DicExportFn dicExport = nullptr;
    abi::DicRetrieveFn dicRetrieve = nullptr;
    abi::ReleaseGStackFn releaseGStack = nullptr;
    abi::DicCreateFn dicCreate = nullptr; ///< optional; its absence leaves the kind available
    abi::DicResetFn dicReset = nullptr;   ///< optional; ends what dicCreate redirected
    abi::DicCheckFn dicCheck = nullptr;   ///< optional; would dicAdd take a sense
    abi::DicAbortFn dicAbort = nullptr;   ///< optional; ends an open without storing
};

/// The binding of the C-E engine library. Its handle is the C-E kind's only availability flag.
class CeBinding
{
public:
    static constexpr const char* kEntryPointNames[8] = {
        "dll_mark_gstack", "dicadd",    "dicdelete",   "dicclose",
        "dicopen",         "dicexport", "dicretrieve", "dll_release_gstack"};
    static constexpr const char* kCreateEntryPointName = "diccreate";
    static constexpr const char* kResetEntryPointName = "dicreset";
    static constexpr const char* kCheckEntryPointName = "diccheck";
    static constexpr const char* kAbortEntryPointName = "dicabort";

    CeBinding() = default;
    CeBinding(CeBinding&& other) noexcept;
    CeBinding& operator=(CeBinding&& other) noexcept;
    CeBinding(const CeBinding&) = delete;
    CeBinding& operator=(const CeBinding&) = delete;

    bool load(const Buffer256& libraryPath);
    void unload();
    static CeBinding fromTable(const CeEntryPoints& table);

    LibraryHandle handle() const { return m_library.handle(); }
    bool available() const { return m_library.handle() != nullptr; }
    const CeEntryPoints& entryPoints() const { return m_entry; }
    /// New C-E needs both: a dictionary the engine was redirected to must be left again at
    /// Close, or the next Open C-E would work on the new file instead of the engine's own.
    bool canCreate() const { return m_entry.dicCreate != nullptr && m_entry.dicReset != nullptr; }

    int dicOpen(const Buffer256& engineDirectory) const;
    /// Commits; nonzero when the engine wrote what happened since dicOpen.
    int dicClose() const;
    void markGStack(std::int32_t& mark) const;
    void releaseGStack(std::int32_t mark) const;
    /// senseList is set to the engine's text (possibly null); it stays readable until the
    /// next engine call.
    int dicRetrieve(const Buffer128& word, const char*& senseList) const;
    void dicDelete(const Buffer128& word) const;
    /// Nonzero when the engine took the sense (or held it already).
    int dicAdd(const Buffer128& word, const Buffer16& pos, const Buffer128& translation) const;
    void dicExport(const Buffer256& textPath) const;
    /// 0 when the engine has no creation entry point.
    int dicCreate(const Buffer256& engineDirectory, const Buffer256& path) const;
    /// Makes dicOpen open the engine directory's own dictionary again; 0 when unsupported.
    int dicReset(const Buffer256& engineDirectory) const;
    bool canCheck() const { return m_entry.dicCheck != nullptr; }
    /// Nonzero when dicAdd would take the sense now; 0 also when the engine cannot say.
    int dicCheck(const Buffer128& word, const Buffer16& pos, const Buffer128& translation) const;
    bool canAbort() const { return m_entry.dicAbort != nullptr; }
    /// Nonzero when the open was abandoned and nothing since dicOpen is stored; 0 when the
    /// engine cannot abandon it (the open then still needs its dicClose).
    int dicAbort() const;

private:
    OwnedLibrary m_library;
    CeEntryPoints m_entry;
};

} // namespace kelvara
