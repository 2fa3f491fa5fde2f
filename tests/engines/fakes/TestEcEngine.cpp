// A small E-C engine for the loading tests, built as Ecbank.dll. It keeps a fixed list of
// three senses per word and writes down every call, so a test can see what the binding
// handed over. Built without UpdateUserDict when KELVARA_TEST_OMIT_UPDATE is defined.
//
// Only plain C data here: a library with C++ statics of vague linkage may never be
// unloaded, and the tests check that unloading really happens.

#include "engines/EngineAbi.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>

namespace kelvara {
namespace {

constexpr std::size_t kText = 256;

char g_log[4096];
int g_nextSense;
char g_word[200]; // short enough that a sense text built from it always fits

void note(const char* format, const char* a = "", const char* b = "")
{
    char line[700];
    std::snprintf(line, sizeof line, format, a, b);
    std::strncat(g_log, line, sizeof g_log - std::strlen(g_log) - 1);
}

// Delivers sense number n of the word last searched; the word "overrun" makes the engine
// fill both buffers to their last byte without a terminator.
int deliver(char* word, unsigned char* pos, char* translation, int n)
{
    if (n >= 3)
        return 0;
    if (std::strcmp(g_word, "overrun") == 0) {
        std::memset(word, 'w', kText);
        std::memset(translation, 't', kText);
        *pos = 7;
        return 1;
    }
    std::snprintf(word, kText, "%s", g_word);
    std::snprintf(translation, kText, "%s-sense%d", g_word, n + 1);
    *pos = static_cast<unsigned char>(n + 1);
    return 1;
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

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL open_cstm_RW(const char* basePath)
{
    note("open(%s);", basePath);
    return std::strstr(basePath, "refuse") ? 0 : 1;
}

#ifdef KELVARA_TEST_SLOW_EXPORT
// The slow variant: its dump writes one record and then takes ten seconds, and a commit
// after an import takes as long, so a test can interrupt the tool during either.
bool g_modified = false;
void slowly()
{
    std::this_thread::sleep_for(std::chrono::seconds(10));
}
#endif

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL close_cstm_RW()
{
    note("close;");
#ifdef KELVARA_TEST_SLOW_EXPORT
    if (g_modified)
        slowly();
#endif
    return 1;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL SearchWord(char* word, unsigned char* pos,
                                                         char* translation)
{
    note("search(%s);", word);
    std::snprintf(g_word, sizeof g_word, "%s", word);
    g_nextSense = 1;
    return deliver(word, pos, translation, 0);
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL GetNextWord(char* word, unsigned char* pos,
                                                          char* translation)
{
    note("next;");
    return deliver(word, pos, translation, g_nextSense++);
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL ModifyWord(std::int32_t op, const char* source,
                                                         std::int32_t pos, const char* target)
{
    const char opText[2] = {static_cast<char>(op & 0xFF), '\0'};
    char line[700];
    std::snprintf(line, sizeof line, "modify(%s,%s,%d,%s);", opText, source,
                  static_cast<int>(pos & 0xFF), target);
    note("%s", line);
#ifdef KELVARA_TEST_SLOW_EXPORT
    g_modified = true;
#endif
    return opText[0] == 'A' || opText[0] == 'D' || opText[0] == 'M' ? 1 : 0;
}

KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL GetAllWordsToFile(const char* textPath,
                                                                const char* basePath)
{
    note("export(%s,%s);", textPath, basePath);
#ifdef KELVARA_TEST_SLOW_EXPORT
    if (std::FILE* file = std::fopen(textPath, "wb")) {
        std::fputs("a\r\nNoun\r\nb\r\n", file);
        std::fclose(file);
    }
    slowly();
#endif
    return 1;
}

#ifndef KELVARA_TEST_OMIT_UPDATE
KELVARA_ENGINE_EXPORT int KELVARA_ENGINE_CALL UpdateUserDict()
{
    note("update;");
    return 1;
}
#endif

} // namespace kelvara
