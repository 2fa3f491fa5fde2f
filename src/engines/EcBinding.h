#pragma once

#include "engines/EngineAbi.h"
#include "engines/OwnedLibrary.h"
#include "platform/DynamicLibrary.h"
#include "platform/FixedBuffer.h"

namespace kelvara {

/// The seven entry points of the E-C engine, in the order they are looked up.
struct EcEntryPoints
{
    abi::CloseCstmRwFn closeCstmRw = nullptr;
    abi::GetAllWordsToFileFn getAllWordsToFile = nullptr;
    abi::GetNextWordFn getNextWord = nullptr;
    abi::ModifyWordFn modifyWord = nullptr;
    abi::OpenCstmRwFn openCstmRw = nullptr;
    abi::SearchWordFn searchWord = nullptr;
    abi::UpdateUserDictFn updateUserDict = nullptr;
};

/// The binding of the E-C engine library. Its handle is the E-C kind's only availability
/// flag: null when the library did not load or lacked an entry point.
class EcBinding
{
public:
    /// The names looked up, in order.
    static constexpr const char* kEntryPointNames[7] = {
        "close_cstm_RW", "GetAllWordsToFile", "GetNextWord",   "ModifyWord",
        "open_cstm_RW",  "SearchWord",        "UpdateUserDict"};

    EcBinding() = default;
    EcBinding(EcBinding&& other) noexcept;
    EcBinding& operator=(EcBinding&& other) noexcept;
    EcBinding(const EcBinding&) = delete;
    EcBinding& operator=(const EcBinding&) = delete;

    /// Loads the library at the full path and binds all seven entry points; when one is
    /// missing the library is unloaded again and the handle stays null.
    bool load(const Buffer256& libraryPath);
    /// Unloads a library this binding loaded; the handle becomes null.
    void unload();

    /// A binding over a table of functions instead of a library (tests use recording fakes).
    /// Its handle is a non-null token that unload() never passes to the loader.
    static EcBinding fromTable(const EcEntryPoints& table);

    LibraryHandle handle() const { return m_library.handle(); }
    bool available() const { return m_library.handle() != nullptr; }
    const EcEntryPoints& entryPoints() const { return m_entry; }

    int openCstmRw(const Buffer256& basePath) const;
    /// Commits; 1 when the engine wrote what happened since openCstmRw.
    int closeCstmRw() const;
    /// word holds the search term on entry and the delivered source afterwards.
    int searchWord(Buffer256& word, unsigned char& pos, Buffer256& translation) const;
    int getNextWord(Buffer256& word, unsigned char& pos, Buffer256& translation) const;
    int modifyWord(char op, const Buffer256& source, unsigned char pos,
                   const Buffer256& target) const;
    int getAllWordsToFile(const Buffer256& textPath, const Buffer256& basePath) const;

private:
    OwnedLibrary m_library;
    EcEntryPoints m_entry;
};

} // namespace kelvara
