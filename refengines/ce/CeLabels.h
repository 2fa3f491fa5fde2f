#pragma once

#include "common/EngineText.h"

#include <string_view>

namespace kelvara::ref {

/// The label a sense list shows for an engine part-of-speech word: the Chinese name in the
/// engine's code page ("noun" gives 名词 in GBK, 名詞 in Big5), or the word itself as stored
/// when it is none of the six.
std::string_view CeLabelFor(std::string_view posWord, EngineCodePage codePage);

} // namespace kelvara::ref
