#include "platform/FormLook.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(FormLookTest, ChineseFamilyNamesAreTheResourcesGbkBytes)
{
    // 宋体 as the form resources hold it, and the fonts that name it.
    for (FormFont font :
         {FormFont::Grid, FormFont::SaveQuestion, FormFont::WidthDialog, FormFont::AboutProduct}) {
        const FontSpec spec = FormFontSpec(font);
        EXPECT_EQ(spec.family, "\xCB\xCE\xCC\xE5");
        EXPECT_EQ(spec.codePage, kCodePageGbk);
    }
    EXPECT_EQ(FormFontSpec(FormFont::Grid).pixelSize, 12);
    EXPECT_EQ(FormFontSpec(FormFont::AboutProduct).bold, true);
    EXPECT_EQ(FormFontSpec(FormFont::MainWindow).family, "Times New Roman");
    // Made once: every font names the same bytes.
    EXPECT_EQ(FormFontSpec(FormFont::Grid).family.data(),
              FormFontSpec(FormFont::WidthDialog).family.data());
}

} // namespace
} // namespace kelvara
