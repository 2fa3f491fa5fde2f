#pragma once

// The C interface of the platform's two engine libraries, shared by the bindings and by the
// reference engines that stand in for them. Texts are zero-terminated 8-bit strings in the
// platform code page, in caller-owned buffers of 256 (E-C texts, paths), 128 (C-E words and
// translations) and 16 bytes (the C-E part-of-speech word).
//
// What the utility relies on beyond the signatures, and what it does with an engine that
// does not give these answers:
//
// - open_cstm_RW / dicopen: 1 / nonzero = open. Anything else: nothing is written; an E-C open
//   that failed still gets its close_cstm_RW, a C-E one no dicclose.
// - close_cstm_RW / dicclose are the commit: 1 / nonzero = everything since the open is
//   stored; anything else = nothing of it is (the engine rolls it back). Rows are shown stored
//   only after that answer. An engine that answers 0 although it stored makes every save say
//   that the dictionary could not be written, with the rows left as they were; the next save
//   sends them again (E-C: an "A" or "D" already done is then refused and marked "E"; C-E
//   rewrites from what is stored then), so nothing is lost but the messages are wrong.
// - ModifyWord: 1 = done, anything else = refused, and the row is marked "E".
// - dicretrieve: 2 = the word is held; the sense list stays readable until the next call and,
//   within an open, already shows what that open added and deleted. A C-E save reads every
//   word it wrote back and trusts only that: the answers of dicadd and dicdelete are not
//   relied on (an engine whose answers mean nothing still saves right). With an engine whose
//   list does not show the open's own writes no C-E word can be saved: each is put back or the
//   save abandoned, and nothing is shown stored.
// - diccreate (optional, with dicreset): nonzero = an empty dictionary was created at the path
//   and dicopen of the engine directory opens it until dicreset; 0 = nothing created, and New
//   C-E opens nothing. Without both entry points New C-E is not offered.
// - dicreset (optional): makes dicopen open the directory's own dictionary again; called when
//   a dictionary made by New C-E is closed. Its answer is not used: an engine that ignores the
//   call leaves a later Open C-E of the same run on the new dictionary.
// - diccheck (optional, between dicopen and dicclose): nonzero = dicadd would take the sense
//   now (or holds it already), storing nothing. A C-E save asks it for every sense of a word
//   before it deletes the word, and writes nothing of a word with a sense it would refuse.
//   Without it the save applies the rules every engine of the kind is known to apply (see
//   access/CeAddRules.h). An engine that answers nonzero and then refuses: see dicabort.
// - dicabort (optional, in place of dicclose): nonzero = the open is ended and nothing since
//   dicopen is stored; 0 = the open goes on and still gets its dicclose. A C-E save whose
//   re-add is refused writes the word's stored senses back; when even that does not give the
//   word back as it was, it abandons the whole save with dicabort and the grid stays as it
//   was. Without dicabort (or when it answers 0) the save stops writing, commits what the
//   dictionary holds, marks every row of that word "E", leaves the rows of the words after it
//   pending and says that the word could not be put back.
// - dicadd / diccheck answering 2 (kAddHeldAlready): the word holds that very sense already,
//   and nothing is added. Imports and checks count such a record as already held; an engine
//   that answers 1 for it has it counted as written.

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
/// What the reference C-E engine's dicadd and diccheck answer for a sense the word holds
/// already (kept once, nothing added); other engines may answer 1 for it.
inline constexpr int kAddHeldAlready = 2;

} // namespace kelvara::abi
