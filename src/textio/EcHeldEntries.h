#pragma once

#include "platform/ByteStringMap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara {

class EcBinding;

/// The key under which the E-C engine holds an entry: its source with ASCII letters folded to
/// lower case (never the bytes of a double-byte character, whose trail byte may lie in the
/// letter range) and its code.
std::string EcIdentity(std::string_view source, unsigned char code, int codePage);

/// What an E-C dictionary holds, asked by source and code: through the engine's Find for
/// every question, or from the engine's dump read once into memory, which costs less when
/// the dictionary is small beside the file that asks.
class EcHeldEntries
{
public:
    /// Asks Find (SearchWord, then GetNextWord) every time; the dictionary must be open.
    EcHeldEntries(const EcBinding& ec, int codePage);

    /// Reads the whole dictionary at ecPath from the engine's dump, made outside any open
    /// into a free temporary file that is removed again. Nothing when the engine wrote no
    /// file or it could not be read to its end.
    static std::optional<EcHeldEntries> readWhole(const EcBinding& ec, const std::string& ecPath,
                                                  int codePage);

    /// For a check of a file of inputBytes (0: unknown, as for standard input): the whole
    /// dictionary when ReadWholeEcDictionary says so and the dump works, Find otherwise.
    /// Call it outside any open of the dictionary.
    static EcHeldEntries forCheck(const EcBinding& ec, const std::string& ecPath, int codePage,
                                  std::uint64_t inputBytes);

    /// The target held for this source and code; nothing when the dictionary holds none.
    std::optional<std::string> targetOf(const std::string& source, unsigned char code) const;

    /// True when the answers come from the dump rather than from Find.
    bool isWhole() const { return m_whole.has_value(); }

private:
    const EcBinding* m_ec;
    int m_codePage;
    std::optional<ByteStringMap> m_whole;
};

/// True when reading a dictionary file of dictionaryBytes whole costs less than a Find for
/// every record of a file of inputBytes, and what it holds stays within the memory bound
/// (a dictionary file of at most 16 MiB).
bool ReadWholeEcDictionary(std::uint64_t inputBytes, std::uint64_t dictionaryBytes);

} // namespace kelvara
