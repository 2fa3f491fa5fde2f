#pragma once

// The C interface of the platform's two engine libraries, shared by the bindings and by the
// reference engines that stand in for them. Texts are zero-terminated 8-bit strings in the
// platform code page, in caller-owned buffers of 256 (E-C texts, paths), 128 (C-E words and
// translations) and 16 bytes (the C-E part-of-speech word).

#include <cstdint>

/// The engines' calling convention: stdcall on 32-bit Windows, the plain C convention elsewhere.
#if defined(_WIN32) && !defined(_WIN64)
#define KELVARA_ENGINE_CALL __stdcall
#else
#define KELVARA_ENGINE_CALL
#endif

/// Marks an entry point that a reference engine exports.
#if defined(_WIN32)
#define KELVARA_ENGINE_EXPORT extern "C" __declspec(dllexport)
#else
#define KELVARA_ENGINE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace kelvara::abi {

// E-C engine (Ecbank.dll).
using OpenCstmRwFn = int(KELVARA_ENGINE_CALL*)(const char* basePath);
using CloseCstmRwFn = int(KELVARA_ENGINE_CALL*)();
using SearchWordFn = int(KELVARA_ENGINE_CALL*)(char* word, unsigned char* pos, char* translation);
using GetNextWordFn = int(KELVARA_ENGINE_CALL*)(char* word, unsigned char* pos, char* translation);
/// op and pos travel as 32-bit arguments of which only the low byte counts.
using ModifyWordFn = int(KELVARA_ENGINE_CALL*)(std::int32_t op, const char* source,
                                               std::int32_t pos, const char* target);
using GetAllWordsToFileFn = int(KELVARA_ENGINE_CALL*)(const char* textPath, const char* basePath);
using UpdateUserDictFn = int(KELVARA_ENGINE_CALL*)();

// C-E engine (Hanbank.dll).
using DicOpenFn = int(KELVARA_ENGINE_CALL*)(const char* engineDirectory);
using DicCloseFn = int(KELVARA_ENGINE_CALL*)();
using MarkGStackFn = int(KELVARA_ENGINE_CALL*)(std::int32_t* mark);
using ReleaseGStackFn = int(KELVARA_ENGINE_CALL*)(std::int32_t mark);
using DicRetrieveFn = int(KELVARA_ENGINE_CALL*)(const char* word, const char** senseList);
using DicDeleteFn = int(KELVARA_ENGINE_CALL*)(const char* word);
using DicAddFn = int(KELVARA_ENGINE_CALL*)(const char* word, const char* pos,
                                           const char* translation);
using DicExportFn = int(KELVARA_ENGINE_CALL*)(const char* textPath);
/// Optional: creates an empty C-E dictionary at path for the engine directory. Nonzero = done.
using DicCreateFn = int(KELVARA_ENGINE_CALL*)(const char* engineDirectory, const char* path);
/// Optional, goes with dicCreate: ends what a creation redirected, so that dicopen of the
/// engine directory opens the engine's own dictionary again. Nonzero = done.
using DicResetFn = int(KELVARA_ENGINE_CALL*)(const char* engineDirectory);
/// Optional, between dicopen and dicclose: whether dicadd would take this sense now (or holds
/// it already), storing nothing. Nonzero = it would. Arguments as for dicadd.
using DicCheckFn = int(KELVARA_ENGINE_CALL*)(const char* word, const char* pos,
                                             const char* translation);
/// Optional, in place of dicclose: ends the open and stores nothing of what happened since
/// dicopen. Nonzero = abandoned, and no dicclose follows; 0 = the open goes on (the caller still
/// owes it its dicclose).
using DicAbortFn = int(KELVARA_ENGINE_CALL*)();

/// dicretrieve's answer for a word that is in the dictionary.
inline constexpr int kRetrieveFound = 2;

} // namespace kelvara::abi
