#include "app/SolidToolBar.h"

#include <QPaintEvent>
#include <QPainter>

namespace kelvara {

SolidToolBar::SolidToolBar(QWidget* parent) : QToolBar(parent)
{
    // The painter reads a control's colour from its background role: the bar's is its button
    // colour, the one it is filled with.
    setBackgroundRole(QPalette::Button);
}

QColor SolidToolBar::groundColor() const
{
    return palette().color(backgroundRole());
}

void SolidToolBar::paintEvent(QPaintEvent* event)
{
    // The bar cannot be moved or floated: it has no handle, and nothing of the style's panel
    // is wanted.
    QPainter painter(this);
    painter.fillRect(event->rect(), groundColor());
}

} // namespace kelvara
