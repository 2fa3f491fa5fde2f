// The exported entry points of the reference C-E engine (Hanbank.dll), plus diccreate, our
// own creation entry point that New C-E uses when the engine offers it.

#include "ce/CeEngine.h"
#include "engines/EngineAbi.h"

namespace {

template <typename Call>
int guarded(Call call)
{
    try {
        return call();
    } catch (...) {
        return 0; // out of memory inside the engine: a failure, not a crash of the caller
    }
}

} // namespace

using kelvara::ref::TheCeEngine;

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicopen(const char* engineDirectory)
{
    return guarded([&] { return TheCeEngine().open(engineDirectory); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicclose()
{
    return guarded([&] { return TheCeEngine().close(); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dll_mark_gstack(std::int32_t* mark)
{
    return guarded([&] { return TheCeEngine().markGStack(mark); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dll_release_gstack(std::int32_t mark)
{
    return guarded([&] { return TheCeEngine().releaseGStack(mark); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicretrieve(const char* word, const char** senseList)
{
    return guarded([&] { return TheCeEngine().retrieve(word, senseList); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicdelete(const char* word)
{
    return guarded([&] { return TheCeEngine().remove(word); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicadd(const char* word, const char* pos,
                                                     const char* translation)
{
    return guarded([&] { return TheCeEngine().add(word, pos, translation); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicexport(const char* textPath)
{
    return guarded([&] { return TheCeEngine().exportTo(textPath); });
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL diccreate(const char* engineDirectory,
                                                        const char* path)
{
    return guarded([&] { return TheCeEngine().create(engineDirectory, path); });
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
} // namespace
