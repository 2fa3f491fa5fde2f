#pragma once

// What the Qt tests of the flat painter share: a test form's component list with the painter
// over it, made with the stored properties of the window's FlatPainter1, and probes of what
// was painted.

#include "flatmenu/qt/QtFlatPainter.h"
#include "platform/Components.h"
#include "platform/SystemColors.h"
#include "platform/qt/ControlMessageChain.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace kelvara {

/// The colour of one pixel of a grabbed image.
inline TColor at(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

/// A red square inset 2 on a transparent 16 x 16 icon.
inline QIcon redIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(2, 2, 12, 12, Qt::red);
    return QIcon(pixmap);
}

/// Whether a control's messages pass through a window procedure of the painter's.
inline bool hooked(const QWidget* w)
{
    const ControlMessageChain* chain = ControlMessageChain::existing(w);
    return chain && chain->windowProc();
}

// The components of a test form, and the painter a test puts over them. The painter goes
// before the form, as in a window: TearDown runs before the members of a derived fixture go.
class QtFlatFixture : public ::testing::Test
{
protected:
    QtFlatFixture() : components("FormTest") {}

    void TearDown() override { flat.reset(); }

    /// The painter over the form's components, given the stored properties (by default
    /// those of the window's FlatPainter1).
    QtFlatPainter& paintFlat(QWidget* form, const TFlatPainterStoredProperties& properties =
                                                TFlatPainterStoredProperties::FlatPainter1())
    {
        flat = std::make_unique<QtFlatPainter>(form, components);
        properties.Assign(flat->painter());
        return *flat;
    }
    TFlatPainter& painter() { return flat->painter(); }

    ComponentList components;
    std::unique_ptr<QtFlatPainter> flat;
};

} // namespace kelvara
