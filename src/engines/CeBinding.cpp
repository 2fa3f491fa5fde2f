#include "engines/CeBinding.h"

#include "engines/BindingLoader.h"

#include <utility>

namespace kelvara {

CeBinding::CeBinding(CeBinding&& other) noexcept
    : m_library(std::move(other.m_library)), m_entry(std::exchange(other.m_entry, {}))
{}

CeBinding& CeBinding::operator=(CeBinding&& other) noexcept
{
    if (this != &other) {
        m_library = std::move(other.m_library);
        m_entry = std::exchange(other.m_entry, {});
    }
    return *this;
}

bool CeBinding::load(const Buffer256& libraryPath)
{
    unload();
    if (libraryPath.empty())
        return false;
    void* slots[8] = {};
    void** const slotPtrs[8] = {&slots[0], &slots[1], &slots[2], &slots[3],
                                &slots[4], &slots[5], &slots[6], &slots[7]};
    const LibraryHandle handle =
        detail::LoadAndBind(libraryPath.data(), kEntryPointNames, slotPtrs, 8);
    if (!handle)
        return false;
    m_library = OwnedLibrary(handle, true);
    m_entry.markGStack = reinterpret_cast<abi::MarkGStackFn>(slots[0]);
    m_entry.dicAdd = reinterpret_cast<abi::DicAddFn>(slots[1]);
    m_entry.dicDelete = reinterpret_cast<abi::DicDeleteFn>(slots[2]);
    m_entry.dicClose = reinterpret_cast<abi::DicCloseFn>(slots[3]);
    m_entry.dicOpen = reinterpret_cast<abi::DicOpenFn>(slots[4]);
    m_entry.dicExport = reinterpret_cast<abi::DicExportFn>(slots[5]);
    m_entry.dicRetrieve = reinterpret_cast<abi::DicRetrieveFn>(slots[6]);
    m_entry.releaseGStack = reinterpret_cast<abi::ReleaseGStackFn>(slots[7]);
    // The creation entry point is ours, not the platform's: an engine without it still serves.
    m_entry.dicCreate =
        reinterpret_cast<abi::DicCreateFn>(FindEntryPoint(handle, kCreateEntryPointName));
    m_entry.dicReset =
        reinterpret_cast<abi::DicResetFn>(FindEntryPoint(handle, kResetEntryPointName));
    // Our own too: without them a save checks the engine's known rules itself and, when a word
    // cannot be put back, commits what is there and says so.
    m_entry.dicCheck =
        reinterpret_cast<abi::DicCheckFn>(FindEntryPoint(handle, kCheckEntryPointName));
    m_entry.dicAbort =
        reinterpret_cast<abi::DicAbortFn>(FindEntryPoint(handle, kAbortEntryPointName));
    return true;
}

void CeBinding::unload()
{
    m_library.reset();
    m_entry = {};
}

CeBinding CeBinding::fromTable(const CeEntryPoints& table)
{
    CeBinding b;
    b.m_entry = table;
    b.m_library = OwnedLibrary(detail::tableHandle(), false);
    return b;
}

int CeBinding::dicOpen(const Buffer256& engineDirectory) const
{
    return m_entry.dicOpen ? m_entry.dicOpen(engineDirectory.data()) : 0;
}

int CeBinding::dicClose() const
{
    return m_entry.dicClose ? m_entry.dicClose() : 0;
}

void CeBinding::markGStack(std::int32_t& mark) const
{
    if (m_entry.markGStack)
        m_entry.markGStack(&mark);
}

void CeBinding::releaseGStack(std::int32_t mark) const
{
    if (m_entry.releaseGStack)
        m_entry.releaseGStack(mark);
}

int CeBinding::dicRetrieve(const Buffer128& word, const char*& senseList) const
{
    senseList = nullptr;
    return m_entry.dicRetrieve ? m_entry.dicRetrieve(word.data(), &senseList) : 0;
}

void CeBinding::dicDelete(const Buffer128& word) const
{
    if (m_entry.dicDelete)
        m_entry.dicDelete(word.data());
}

int CeBinding::dicAdd(const Buffer128& word, const Buffer16& pos,
                      const Buffer128& translation) const
{
    return m_entry.dicAdd ? m_entry.dicAdd(word.data(), pos.data(), translation.data()) : 0;
}

void CeBinding::dicExport(const Buffer256& textPath) const
{
    if (m_entry.dicExport)
        m_entry.dicExport(textPath.data());
}

int CeBinding::dicCreate(const Buffer256& engineDirectory, const Buffer256& path) const
{
    return canCreate() ? m_entry.dicCreate(engineDirectory.data(), path.data()) : 0;
}

int CeBinding::dicReset(const Buffer256& engineDirectory) const
{
    return m_entry.dicReset ? m_entry.dicReset(engineDirectory.data()) : 0;
}

int CeBinding::dicCheck(const Buffer128& word, const Buffer16& pos,
                        const Buffer128& translation) const
{
    return m_entry.dicCheck ? m_entry.dicCheck(word.data(), pos.data(), translation.data()) : 0;
}

int CeBinding::dicAbort() const
{
    return m_entry.dicAbort ? m_entry.dicAbort() : 0;
}

} // namespace kelvara
