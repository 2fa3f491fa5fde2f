#include "platform/qt/QtFormLook.h"

#include "platform/CodePage.h"

#include <QString>

namespace kelvara {

QFont QtFormFont(FormFont font)
{
    const FontSpec spec = FormFontSpec(font);
    QFont qFont(QString::fromStdU16String(DecodeCodePage(spec.family, spec.codePage)));
    qFont.setPixelSize(spec.pixelSize);
    qFont.setBold(spec.bold);
    return qFont;
}

QColor QtFormColor(TColor color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace kelvara
