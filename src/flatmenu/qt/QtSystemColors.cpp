#include "flatmenu/qt/QtSystemColors.h"

#include "flatmenu/Font.h"
#include "platform/SystemColors.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QPalette>

namespace kelvara {

namespace {

void take(int index, const QColor& c)
{
    SystemColors::instance().setValue(index, RGB(c.red(), c.green(), c.blue()));
}

} // namespace

void LoadSystemColors(const QPalette& palette)
{
    SystemColors::instance().reset();
    const auto active = QPalette::Active;
    take(ColorBtnFace, palette.color(active, QPalette::Button));
    take(ColorBtnShadow, palette.color(active, QPalette::Dark));
    take(ColorBtnHighlight, palette.color(active, QPalette::Light));
    take(Color3DDkShadow, palette.color(active, QPalette::Shadow));
    take(Color3DLight, palette.color(active, QPalette::Midlight));
    take(ColorBtnText, palette.color(active, QPalette::ButtonText));
    take(ColorHighlight, palette.color(active, QPalette::Highlight));
    take(ColorHighlightText, palette.color(active, QPalette::HighlightedText));
    take(ColorWindow, palette.color(active, QPalette::Base));
    take(ColorWindowText, palette.color(active, QPalette::Text));
    take(ColorMenu, palette.color(active, QPalette::Window));
    take(ColorMenuText, palette.color(active, QPalette::WindowText));
    take(ColorGrayText, palette.color(QPalette::Disabled, QPalette::Text));
    take(ColorInfoBk, palette.color(active, QPalette::ToolTipBase));
    take(ColorInfoText, palette.color(active, QPalette::ToolTipText));
}

void LoadSystemMenuFont()
{
    const QFont menuFont = QApplication::font("QMenu");
    Font& font = SystemMenuFont();
    font.name = menuFont.family().toStdU16String();
    font.height = -QFontInfo(menuFont).pixelSize();
    font.bold = menuFont.bold();
    font.italic = menuFont.italic();
}

SystemColorTracker* SystemColorTracker::instance()
{
    static SystemColorTracker* tracker = nullptr;
    if (!tracker && qApp) {
        tracker = new SystemColorTracker(qApp);
        QObject::connect(tracker, &QObject::destroyed, [] { tracker = nullptr; });
    }
    return tracker;
}

SystemColorTracker::SystemColorTracker(QObject* parent) : QObject(parent)
{
    LoadSystemColors(QApplication::palette());
    LoadSystemMenuFont();
    qApp->installEventFilter(this);
}

bool SystemColorTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        LoadSystemColors(QApplication::palette());
        emit systemColorsChanged();
    }
    return false;
}

} // namespace kelvara
