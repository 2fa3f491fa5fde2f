#pragma once

#include "lang/Language.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

/// Why a text was refused at input.
enum class InputRefusal {
    None,             ///< the text is accepted
    LineBreak,        ///< CR, LF or a Unicode line/paragraph separator: it would split a
                      ///< record of the three-line entry file
    ControlCharacter, ///< any other control character (C0, DEL, C1), tab included
    NotInCodePage,    ///< a character the platform code page (GBK or Big5) cannot hold
};

/// The verdict on a text typed or pasted into an entry field.
struct InputCheck
{
    InputRefusal refusal = InputRefusal::None;
    std::size_t position = 0; ///< UTF-16 index of the first refused character
    char16_t character = 0;   ///< the first refused code unit

    bool accepted() const { return refusal == InputRefusal::None; }
};

/// Checks wide text before it becomes cell or input bytes: refuses line breaks, control
/// characters and characters (unpaired surrogates included) that the code page cannot hold.
InputCheck CheckInputText(std::u16string_view text, int codePage);

/// How many characters of the text CheckInputText would refuse (a surrogate pair counts once).
std::size_t CountRefused(std::u16string_view text, int codePage);

/// A short hint for a refusal, in the interface language; empty for an accepted text.
std::u16string InputRefusalHint(InputRefusal refusal, InterfaceLanguage language);

} // namespace kelvara
