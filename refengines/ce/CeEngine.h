#pragma once

#include "ce/CeStore.h"
#include "common/EngineText.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace kelvara::ref {

/// The C-E engine's state for the process. Like the E-C engine it keeps its connection across
/// dicclose (which commits), because the utility's import opens and closes once per record.
/// It also keeps the sense list of the last dicretrieve, which the caller copies after
/// dll_release_gstack, and the dictionaries that diccreate made for an engine directory.
class CeEngine
{
public:
    static constexpr std::size_t kPathCapacity = 256;
    static constexpr std::size_t kWordCapacity = 128;
    static constexpr std::size_t kPosCapacity = 16;
    /// The engine's own dictionary in an engine directory.
    static constexpr const char* kDictionaryName = "UserCe.ext";

    int open(const char* engineDirectory);
    int close();
    int markGStack(std::int32_t* mark);
    int releaseGStack(std::int32_t mark);
    int retrieve(const char* word, const char** senseList);
    int remove(const char* word);
    /// 1 when the sense was added, 2 (abi::kAddHeldAlready) when the word holds it already and
    /// it is kept once, 0 when refused.
    int add(const char* word, const char* pos, const char* translation);
    /// What add would answer now, storing nothing: 1 when add would take the sense, 2 when
    /// the word holds it already, 0 when add would refuse it.
    int check(const char* word, const char* pos, const char* translation);
    /// Ends the open without storing anything since it: 1 when an open was abandoned.
    int abort();
    int exportTo(const char* textPath);
    int create(const char* engineDirectory, const char* path);
    /// Ends what create redirected for the engine directory; 1 also when nothing was.
    int reset(const char* engineDirectory);

    /// dicretrieve's answer for a word the dictionary does not hold (2 means found, 0 failed).
    static constexpr int kRetrieveAbsent = 1;

private:
    std::string dictionaryPathFor(std::string_view engineDirectory) const;
    bool validWord(std::string_view word) const;
    /// The sense add would store (part of speech and translation) when every text passes the
    /// rules; nothing when add refuses the texts themselves.
    std::optional<CeSense> acceptable(const char* word, const char* pos, const char* translation,
                                      std::string_view& wordText) const;
    /// The write lock for the open, taken at its first write; false when it cannot be had.
    bool claimWrite();

    std::unique_ptr<CeStore> m_store;
    bool m_open = false;
    EngineCodePage m_codePage = EngineCodePage::Gbk;
    std::string m_senseList;
    std::int32_t m_depth = 0;
    std::map<std::string, std::string, std::less<>> m_created; // engine directory -> file
};

/// The one engine of the loaded library.
CeEngine& TheCeEngine();

} // namespace kelvara::ref
