#pragma once

#include "common/EngineText.h"
#include "ec/EcStore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelvara::ref {

/// The E-C engine's state for the process: the kept connection with its statements, whether
/// the utility holds the dictionary open, and the senses of the last search. The connection
/// outlives close_cstm_RW, which only ends the session, so an open/close pair costs two
/// prepared statements; it is reopened when the path changes or the file was replaced.
class EcEngine
{
public:
    /// Buffer sizes of the interface, terminator included.
    static constexpr std::size_t kTextCapacity = 256;
    /// Part-of-speech codes 0 to 4: noun, verb, adjective, adverb, preposition.
    static constexpr int kPosCount = 5;

    int open(const char* basePath);
    int close();
    int searchWord(char* word, unsigned char* pos, char* translation);
    int getNextWord(char* word, unsigned char* pos, char* translation);
    int modifyWord(std::int32_t op, const char* source, std::int32_t pos, const char* target);
    int getAllWordsToFile(const char* textPath, const char* basePath);

private:
    EcStore* storeFor(const std::string& filePath, bool create);
    bool validText(std::string_view text) const;
    /// The write lock for the open, taken at its first write; false when it cannot be had.
    bool claimWrite();
    int deliver(char* word, unsigned char* pos, char* translation);

    std::unique_ptr<EcStore> m_store;
    bool m_open = false;
    EngineCodePage m_codePage = EngineCodePage::Gbk;
    std::vector<EcEntry> m_found;
    std::size_t m_next = 0;
};

/// The one engine of the loaded library.
EcEngine& TheEcEngine();

/// The label GetAllWordsToFile writes for a part-of-speech code.
std::string EcExportLabel(int pos);

} // namespace kelvara::ref
