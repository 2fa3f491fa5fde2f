// The exported entry points of the reference C-E engine (Hanbank.dll), plus our own entry
// points: diccreate and dicreset, which New C-E uses, and diccheck and dicabort, with which a
// save checks a word's senses before it rewrites them and abandons a save it cannot finish.

#include "ce/CeEngine.h"
#include "common/Guarded.h"
#include "engines/EngineAbi.h"

using kelvara::ref::Guarded;
using kelvara::ref::TheCeEngine;

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicopen(const char* engineDirectory)
{
    return Guarded([&] { return TheCeEngine().open(engineDirectory); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicclose()
{
    return Guarded([&] { return TheCeEngine().close(); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dll_mark_gstack(std::int32_t* mark)
{
    return Guarded([&] { return TheCeEngine().markGStack(mark); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dll_release_gstack(std::int32_t mark)
{
    return Guarded([&] { return TheCeEngine().releaseGStack(mark); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicretrieve(const char* word, const char** senseList)
{
    return Guarded([&] { return TheCeEngine().retrieve(word, senseList); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicdelete(const char* word)
{
    return Guarded([&] { return TheCeEngine().remove(word); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicadd(const char* word, const char* pos,
                                                     const char* translation)
{
    return Guarded([&] { return TheCeEngine().add(word, pos, translation); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL diccheck(const char* word, const char* pos,
                                                       const char* translation)
{
    return Guarded([&] { return TheCeEngine().check(word, pos, translation); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicabort()
{
    return Guarded([&] { return TheCeEngine().abort(); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicexport(const char* textPath)
{
    return Guarded([&] { return TheCeEngine().exportTo(textPath); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL diccreate(const char* engineDirectory,
                                                        const char* path)
{
    return Guarded([&] { return TheCeEngine().create(engineDirectory, path); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicreset(const char* engineDirectory)
{
    return Guarded([&] { return TheCeEngine().reset(engineDirectory); });
}

// The signatures above must stay those of the interface the bindings use.
namespace {
[[maybe_unused]] const kelvara::abi::DicOpenFn kCheckOpen = &dicopen;
[[maybe_unused]] const kelvara::abi::DicCloseFn kCheckClose = &dicclose;
[[maybe_unused]] const kelvara::abi::MarkGStackFn kCheckMark = &dll_mark_gstack;
[[maybe_unused]] const kelvara::abi::ReleaseGStackFn kCheckRelease = &dll_release_gstack;
[[maybe_unused]] const kelvara::abi::DicRetrieveFn kCheckRetrieve = &dicretrieve;
[[maybe_unused]] const kelvara::abi::DicDeleteFn kCheckDelete = &dicdelete;
[[maybe_unused]] const kelvara::abi::DicAddFn kCheckAdd = &dicadd;
[[maybe_unused]] const kelvara::abi::DicExportFn kCheckExport = &dicexport;
[[maybe_unused]] const kelvara::abi::DicCreateFn kCheckCreate = &diccreate;
[[maybe_unused]] const kelvara::abi::DicResetFn kCheckReset = &dicreset;
[[maybe_unused]] const kelvara::abi::DicCheckFn kCheckCheck = &diccheck;
[[maybe_unused]] const kelvara::abi::DicAbortFn kCheckAbort = &dicabort;
} // namespace
