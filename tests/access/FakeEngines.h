#pragma once

#include "engines/CeBinding.h"
#include "engines/EcBinding.h"

#include <map>
#include <string>
#include <vector>

namespace kelvara {

/// A recording E-C engine: every call lands in calls as one line ("open UserS",
/// "search word", "next", "modify A|source|0|target", "close"); answers come from the script
/// fields. The entry points are plain functions, so the state is one shared instance.
struct EcFake
{
    struct Entry
    {
        std::string word;
        unsigned char code = 0;
        std::string target;
    };

    std::vector<std::string> calls;
    int openResult = 1;
    std::vector<Entry> entries; ///< delivered by SearchWord, then GetNextWord, in order
    std::size_t nextEntry = 0;
    std::vector<int> modifyResults; ///< one answer per ModifyWord call; 1 once they run out
    int closeResult = 1;            ///< what close_cstm_RW answers: 0 is a commit that failed

    static EcFake& instance();
    /// Clears calls and script, and answers a binding over the recording functions.
    static EcBinding reset();
};

/// A recording C-E engine over a small in-memory dictionary: word -> sense list text.
/// dicadd appends "(" label ") " translation to the word's text, the label being the Chinese
/// one of the six part-of-speech words, and keeps a sense it holds already once. The text handed
/// out by dicretrieve is overwritten by the next call other than dll_release_gstack, as the real
/// engine may do, so a caller that reads it late sees garbage.
struct CeFake
{
    std::vector<std::string> calls;
    int openResult = 1;
    int createResult = 1;
    int closeResult = 1; ///< what dicclose answers: 0 is a commit that failed
    std::map<std::string, std::string> senses;
    std::string handedOut; ///< the text last handed out by dicretrieve
    std::int32_t nextMark = 41;

    static CeFake& instance();
    static CeBinding reset();
};

} // namespace kelvara
