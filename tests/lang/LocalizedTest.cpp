#include "lang/Localized.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(LocalizedTest, ShowsTheInterfaceLanguagesText)
{
    const LocalizedText text{"保存", "儲存", u"Save"};
    EXPECT_EQ(Localized(InterfaceLanguage::Simplified, text), u"保存");
    EXPECT_EQ(Localized(InterfaceLanguage::Traditional, text), u"儲存");
    EXPECT_EQ(Localized(InterfaceLanguage::English, text), u"Save");
}

} // namespace
} // namespace kelvara
