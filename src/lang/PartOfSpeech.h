#pragma once

#include "lang/Language.h"
#include "platform/FixedBuffer.h"

#include <cstddef>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

namespace kelvara {

/// Items of the E-C and C-E part-of-speech lists; the index of a label is its code.
inline constexpr int kEcPartOfSpeechCount = 5;
inline constexpr int kCePartOfSpeechCount = 6;

/// The code page a language's labels are held in: GBK for Simplified, Big5 for
/// Traditional; English labels are ASCII and read the same in both.
constexpr int LabelCodePageOf(InterfaceLanguage language)
{
    return language == InterfaceLanguage::Traditional ? kCodePageBig5 : kCodePageGbk;
}

/// The E-C list (Noun, Verb, Adj, Adv, Prep) in the language, in code order, as bytes
/// of LabelCodePageOf(language).
std::span<const std::string_view> EcPartOfSpeechLabels(InterfaceLanguage language);

/// The C-E list (Noun, Vt, Vi, Adj, Adv, Prep) in the language, in code order, as bytes
/// of LabelCodePageOf(language).
std::span<const std::string_view> CePartOfSpeechLabels(InterfaceLanguage language);

/// The noun label of the language ("名词", "名詞" or "Noun"), bytes of LabelCodePageOf.
std::string_view NounLabel(InterfaceLanguage language);

/// The English label that stands for a Chinese label ("名词" or "名詞" gives "Noun", ...);
/// empty when the text is none of them ("动词" and "動詞" have none). The label is read as
/// bytes of codePage and compared as Unicode text.
std::string_view EnglishLabelFor(std::string_view label, int codePage);

/// Replaces, in place, a label equal to one of the known labels by its lower-case engine word
/// ("noun", "vt", "vi", "adj", "adv", "prep"); any other text is left as it is. The buffer's
/// text is read in codePage (the platform code page) and compared as Unicode text, exactly
/// and case-sensitively, in table order.
void PosLabelToEngineWord(Buffer16& buffer, int codePage);

/// The label an E-C code outside the part-of-speech list shows as: "#" and the code ("#7"),
/// which EcCodeOfLabel turns back into the same code, so an entry of an unknown part of
/// speech keeps it through an edit.
std::string UnknownEcCodeLabel(unsigned char code);

/// The label of an E-C code: the list's item at the code (through projection, e.g. the cell
/// text of an item), or UnknownEcCodeLabel for a code outside the list.
template <typename List, typename Projection = std::identity>
std::string LabelOfEcCode(unsigned char code, const List& list, Projection projection = {})
{
    if (code < std::size(list))
        return std::string(std::invoke(projection, list[code]));
    return UnknownEcCodeLabel(code);
}

/// The E-C code of a label whose index in the part-of-speech list is indexInList (-1 when it
/// is none of its items): that index; else N for "#N" (0-255, no leading zeros); else 255,
/// the code of no list item, which the E-C engine refuses.
int EcCodeOfLabel(std::string_view label, int indexInList);

} // namespace kelvara
