// A small C-E engine for the loading tests, built as Hanbank.dll. It writes down every call
// so a test can see what the binding handed over. KELVARA_TEST_OMIT_EXPORT leaves out
// dicexport, KELVARA_TEST_WITH_CREATE adds the optional diccreate and dicreset,
// KELVARA_TEST_WITH_SAVE_ENTRIES the optional diccheck and dicabort.
//
// Only plain C data here, so that the library really goes away when it is unloaded.

#include "engines/EngineAbi.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kelvara {
namespace {

char g_log[4096];
char g_senses[256];
std::int32_t g_nextMark = 41;

void note(const char* format, const char* a = "", const char* b = "", const char* c = "")
{
    char line[700];
    std::snprintf(line, sizeof line, format, a, b, c);
    std::strncat(g_log, line, sizeof g_log - std::strlen(g_log) - 1);
}

} // namespace

KELVARA_ENGINE_EXPORT const char* KELVARA_ENGINE_CALL test_engine_log()
{
    return g_log;
}

KELVARA_ENGINE_EXPORT void KELVARA_ENGINE_CALL test_engine_reset()
{
    g_log[0] = '\0';
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicopen(const char* engineDirectory)
{
    note("open(%s);", engineDirectory);
    return 1;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicclose()
{
    note("close;");
    return 1;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dll_mark_gstack(std::int32_t* mark)
{
    *mark = ++g_nextMark;
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(*mark));
    note("mark(%s);", text);
    return 1;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dll_release_gstack(std::int32_t mark)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(mark));
    note("release(%s);", text);
    return 1;
}

// Knows one word, "known", with two senses; any other word is absent (null sense list).
KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicretrieve(const char* word, const char** senseList)
{
    note("retrieve(%s);", word);
    if (std::strcmp(word, "known") != 0) {
        *senseList = nullptr;
        return 0;
    }
    std::snprintf(g_senses, sizeof g_senses, "(n.)first(vt.)second");
    *senseList = g_senses;
    return 2;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicdelete(const char* word)
{
    note("delete(%s);", word);
    return 1;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicadd(const char* word, const char* pos,
                                                     const char* translation)
{
    note("add(%s,%s,%s);", word, pos, translation);
    return 1;
}

#ifndef KELVARA_TEST_OMIT_EXPORT
KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicexport(const char* textPath)
{
    note("export(%s);", textPath);
    return 1;
}
#endif

#ifdef KELVARA_TEST_WITH_CREATE
KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL diccreate(const char* engineDirectory,
                                                        const char* path)
{
    note("create(%s,%s);", engineDirectory, path);
    return 1;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicreset(const char* engineDirectory)
{
    note("reset(%s);", engineDirectory);
    return 1;
}
#endif

#ifdef KELVARA_TEST_WITH_SAVE_ENTRIES
KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL diccheck(const char* word, const char* pos,
                                                       const char* translation)
{
    note("check(%s,%s,%s);", word, pos, translation);
    return std::strcmp(translation, "refused") != 0;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL dicabort()
{
    note("abort;");
    return 1;
}
#endif

} // namespace kelvara
