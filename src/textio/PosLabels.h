#pragma once

#include "lang/Language.h"
#include "lang/PartOfSpeech.h"

#include <array>
#include <string>
#include <string_view>

namespace kelvara {

/// The part-of-speech code of a label line (bytes of codePage, the platform code page) for
/// the dictionary kind: 0-4 for E-C, 0-5 for C-E; 0 (noun) for an empty or unknown label.
/// Latin labels are tested ASCII-upper-cased ("n.", "Vt", "adj", "PREP."); Chinese labels by
/// their first character, compared as Unicode, so Simplified and Traditional text both work.
unsigned char PosLabelToCode(std::string_view label, DictionaryKind kind, int codePage);

/// The engine part-of-speech word ("noun", "vt", "vi", "adj", "adv", "prep") a C-E import hands
/// the engine for a label line: PosLabelToEngineWord's word for a label of the C-E list,
/// otherwise the word of the code PosLabelToCode gives for the C-E list ("n." gives noun,
/// "v." noun, "adj." adj). Handed on unchanged, such a label would be stored as a part of
/// speech that no drop-down item shows.
std::string_view CeEngineWordOfLabel(std::string_view label, int codePage);

/// The label the C-E whole-dictionary export writes for an engine part-of-speech word, as
/// bytes of codePage: the Simplified label ("noun" gives 名词). Big5 lacks the Simplified
/// characters, so there the Traditional label of the same part of speech is written. A word
/// outside the six is written as it is, so importing the file gives the engine the same word.
std::string EngineWordToLabel(std::string_view word, int codePage);

/// EngineWordToLabel for one code page, its six labels made once: the whole-dictionary export
/// asks for a label on every line.
class EngineWordLabels
{
public:
    explicit EngineWordLabels(int codePage);
    /// What EngineWordToLabel(word, codePage) gives; views this object or word.
    std::string_view labelFor(std::string_view word) const;

private:
    std::array<std::string, kCePartOfSpeechCount> m_labels;
};

} // namespace kelvara
