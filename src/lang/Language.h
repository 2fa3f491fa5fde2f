#pragma once

#include "platform/CodePage.h"

namespace kelvara {

/// The interface language, fixed for the run.
enum class InterfaceLanguage { Simplified = 0, Traditional = 1, English = 2 };

/// The platform's Chinese variant: chooses the engine folder, the fixed E-C dictionary and
/// the platform code page.
enum class ChineseVariant { Simplified = 0, Traditional = 1 };

/// Which engine every operation uses while a dictionary is open: the English-Chinese one or
/// the Chinese-English one.
enum class DictionaryKind { EC, CE };

/// GBK for the Simplified variant, Big5 for the Traditional one.
constexpr int CodePageOf(ChineseVariant variant)
{
    return variant == ChineseVariant::Traditional ? kCodePageBig5 : kCodePageGbk;
}

} // namespace kelvara
