#pragma once

#include <string_view>

namespace kelvara {

/// Whether a C-E engine that cannot answer for itself (one without diccheck) would take the
/// sense through dicadd: the rules every engine of this kind is known to apply. The word and
/// the translation are not empty and hold at most 127 bytes, the part-of-speech word at most
/// 15 (an empty one stands for "noun"); no text holds a CR or LF or a double-byte character
/// cut off or with a trail byte the code page lacks; neither the word nor the part-of-speech
/// word holds a backslash, and the part-of-speech word no parenthesis, as characters of their
/// own. An engine may refuse more; the save reads every word back and puts back what it
/// cannot finish.
bool CeEngineWouldTake(std::string_view word, std::string_view posWord,
                       std::string_view translation, int codePage);

} // namespace kelvara
