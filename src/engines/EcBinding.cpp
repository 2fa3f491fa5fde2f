#include "engines/EcBinding.h"

#include "engines/BindingLoader.h"

#include <utility>

namespace kelvara {

EcBinding::EcBinding(EcBinding&& other) noexcept
    : m_library(std::move(other.m_library)), m_entry(std::exchange(other.m_entry, {}))
{}

EcBinding& EcBinding::operator=(EcBinding&& other) noexcept
{
    if (this != &other) {
        m_library = std::move(other.m_library);
        m_entry = std::exchange(other.m_entry, {});
    }
    return *this;
}

bool EcBinding::load(const Buffer256& libraryPath)
{
    unload();
    if (libraryPath.empty())
        return false;
    void* slots[7] = {};
    void** const slotPtrs[7] = {&slots[0], &slots[1], &slots[2], &slots[3],
                                &slots[4], &slots[5], &slots[6]};
    const LibraryHandle handle =
        detail::LoadAndBind(libraryPath.data(), kEntryPointNames, slotPtrs, 7);
    if (!handle)
        return false;
    m_library = OwnedLibrary(handle, true);
    m_entry.closeCstmRw = reinterpret_cast<abi::CloseCstmRwFn>(slots[0]);
    m_entry.getAllWordsToFile = reinterpret_cast<abi::GetAllWordsToFileFn>(slots[1]);
    m_entry.getNextWord = reinterpret_cast<abi::GetNextWordFn>(slots[2]);
    m_entry.modifyWord = reinterpret_cast<abi::ModifyWordFn>(slots[3]);
    m_entry.openCstmRw = reinterpret_cast<abi::OpenCstmRwFn>(slots[4]);
    m_entry.searchWord = reinterpret_cast<abi::SearchWordFn>(slots[5]);
    m_entry.updateUserDict = reinterpret_cast<abi::UpdateUserDictFn>(slots[6]);
    return true;
}

void EcBinding::unload()
{
    m_library.reset();
    m_entry = {};
}

EcBinding EcBinding::fromTable(const EcEntryPoints& table)
{
    EcBinding b;
    b.m_entry = table;
    b.m_library = OwnedLibrary(detail::tableHandle(), false);
    return b;
}

int EcBinding::openCstmRw(const Buffer256& basePath) const
{
    return m_entry.openCstmRw ? m_entry.openCstmRw(basePath.data()) : 0;
}

int EcBinding::closeCstmRw() const
{
    return m_entry.closeCstmRw ? m_entry.closeCstmRw() : 0;
}

int EcBinding::searchWord(Buffer256& word, unsigned char& pos, Buffer256& translation) const
{
    if (!m_entry.searchWord)
        return 0;
    const int rc = m_entry.searchWord(word.data(), &pos, translation.data());
    word.terminate();
    translation.terminate();
    return rc;
}

int EcBinding::getNextWord(Buffer256& word, unsigned char& pos, Buffer256& translation) const
{
    if (!m_entry.getNextWord)
        return 0;
    const int rc = m_entry.getNextWord(word.data(), &pos, translation.data());
    word.terminate();
    translation.terminate();
    return rc;
}

int EcBinding::modifyWord(char op, const Buffer256& source, unsigned char pos,
                          const Buffer256& target) const
{
    if (!m_entry.modifyWord)
        return 0;
    return m_entry.modifyWord(static_cast<unsigned char>(op), source.data(), pos, target.data());
}

int EcBinding::getAllWordsToFile(const Buffer256& textPath, const Buffer256& basePath) const
{
    return m_entry.getAllWordsToFile ? m_entry.getAllWordsToFile(textPath.data(), basePath.data())
                                     : 0;
}

} // namespace kelvara
