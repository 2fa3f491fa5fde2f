#pragma once

#include "platform/SystemColors.h"

#include <string>

namespace kelvara {

/// A font as the window layer describes it. A negative height is the character height in
/// pixels (without internal leading), a positive one the cell height.
struct Font
{
    std::u16string name = u"Tahoma";
    int height = -11;
    int charset = 1; ///< DEFAULT_CHARSET; GB2312_CHARSET is 134
    TColor color = clWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const Font&, const Font&) = default;
};

constexpr int kGb2312Charset = 134;

/// The desktop's menu font, which a new painter copies. The view side sets it from the
/// toolkit's menu font at start.
Font& SystemMenuFont();

} // namespace kelvara
