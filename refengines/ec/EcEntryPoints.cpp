// The exported entry points of the reference E-C engine (Ecbank.dll). Each one hands its
// arguments to the process's engine; nothing is thrown across this boundary.

#include "common/Guarded.h"
#include "ec/EcEngine.h"
#include "engines/EngineAbi.h"

using kelvara::ref::Guarded;
using kelvara::ref::TheEcEngine;

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL open_cstm_RW(const char* basePath)
{
    return Guarded([&] { return TheEcEngine().open(basePath); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL close_cstm_RW()
{
    return Guarded([&] { return TheEcEngine().close(); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL SearchWord(char* word, unsigned char* pos,
                                                         char* translation)
{
    return Guarded([&] { return TheEcEngine().searchWord(word, pos, translation); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL GetNextWord(char* word, unsigned char* pos,
                                                          char* translation)
{
    return Guarded([&] { return TheEcEngine().getNextWord(word, pos, translation); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL ModifyWord(std::int32_t op, const char* source,
                                                         std::int32_t pos, const char* target)
{
    return Guarded([&] { return TheEcEngine().modifyWord(op, source, pos, target); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL GetAllWordsToFile(const char* textPath,
                                                                const char* basePath)
{
    return Guarded([&] { return TheEcEngine().getAllWordsToFile(textPath, basePath); });
}

// The platform's utility never calls it; it exists because the binding requires it.
KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL UpdateUserDict()
{
    return 1;
}

// The signatures above must stay those of the interface the bindings use.
namespace {
[[maybe_unused]] const kelvara::abi::OpenCstmRwFn kCheckOpen = &open_cstm_RW;
[[maybe_unused]] const kelvara::abi::CloseCstmRwFn kCheckClose = &close_cstm_RW;
[[maybe_unused]] const kelvara::abi::SearchWordFn kCheckSearch = &SearchWord;
[[maybe_unused]] const kelvara::abi::GetNextWordFn kCheckNext = &GetNextWord;
[[maybe_unused]] const kelvara::abi::ModifyWordFn kCheckModify = &ModifyWord;
[[maybe_unused]] const kelvara::abi::GetAllWordsToFileFn kCheckExport = &GetAllWordsToFile;
[[maybe_unused]] const kelvara::abi::UpdateUserDictFn kCheckUpdate = &UpdateUserDict;
} // namespace
