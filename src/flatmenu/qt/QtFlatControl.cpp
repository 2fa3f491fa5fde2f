#include "flatmenu/qt/QtFlatControl.h"

#include "flatmenu/Bitmap.h"
#include "flatmenu/qt/QtCanvas.h"
#include "platform/qt/ControlMessageChain.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFontInfo>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVariant>

#include <cmath>

namespace kelvara {

namespace {

const char* const kBorderStyleProperty = "BorderStyle";

TBevelCut bevelFrom(const QVariant& value, TBevelCut fallback)
{
    const QString name = value.toString();
    if (name == QLatin1String("bvNone"))
        return TBevelCut::bvNone;
    if (name == QLatin1String("bvLowered"))
        return TBevelCut::bvLowered;
    if (name == QLatin1String("bvRaised"))
        return TBevelCut::bvRaised;
    if (name == QLatin1String("bvSpace"))
        return TBevelCut::bvSpace;
    return fallback;
}

bool isPanelFrame(const QWidget* widget)
{
    if (widget->property("className").toString() == QLatin1String("TPanel"))
        return true;
    // Only a plain QFrame: scroll areas (the grid), labels and the like are frames too.
    const auto* frame = qobject_cast<const QFrame*>(widget);
    return frame && frame->metaObject() == &QFrame::staticMetaObject &&
           frame->frameShape() != QFrame::NoFrame;
}

} // namespace

TColor fromQColor(const QColor& colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

Font fromQFont(const QFont& font, TColor colour)
{
    Font f;
    f.name = font.family().toStdU16String();
    f.height = -(font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize());
    f.bold = font.bold();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    f.color = colour;
    return f;
}

QtFlatControl::QtFlatControl(QWidget* widget, TagLookup tags)
    : m_widget(widget), m_tags(std::move(tags))
{}

QWidget* QtFlatControl::parentWidgetOf(const QWidget* widget)
{
    if (!widget || widget->isWindow())
        return nullptr;
    for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (p->isWindow() || qobject_cast<QToolBar*>(p) || isPanelFrame(p))
            return p;
    }
    return nullptr;
}

std::string QtFlatControl::className() const
{
    if (!m_widget)
        return {};
    const QString named = m_widget->property("className").toString();
    if (!named.isEmpty())
        return named.toStdString();
    if (qobject_cast<QLineEdit*>(m_widget))
        return "TEdit";
    if (qobject_cast<QComboBox*>(m_widget))
        return "TComboBox";
    if (qobject_cast<QPushButton*>(m_widget))
        return "TButton";
    if (qobject_cast<QToolBar*>(m_widget))
        return "TToolBar";
    if (isPanelFrame(m_widget))
        return "TPanel";
    return m_widget->metaObject()->className();
}

bool QtFlatControl::isCustomCombo() const
{
    return qobject_cast<QComboBox*>(m_widget) != nullptr;
}

bool QtFlatControl::isEdit() const
{
    return qobject_cast<QLineEdit*>(m_widget) != nullptr;
}

bool QtFlatControl::isCustomPanel() const
{
    return m_widget && isPanelFrame(m_widget);
}

bool QtFlatControl::isToolBar() const
{
    return qobject_cast<QToolBar*>(m_widget) != nullptr;
}

bool QtFlatControl::isCustomForm() const
{
    return m_widget && m_widget->isWindow();
}

bool QtFlatControl::isButton() const
{
    return qobject_cast<QPushButton*>(m_widget) != nullptr;
}

int QtFlatControl::tag() const
{
    if (!m_widget)
        return 0;
    return m_tags ? m_tags(m_widget) : m_widget->property("Tag").toInt();
}

std::shared_ptr<FlatControl> QtFlatControl::parent() const
{
    QWidget* p = parentWidgetOf(m_widget);
    return p ? std::make_shared<QtFlatControl>(p, m_tags) : nullptr;
}

TColor QtFlatControl::color() const
{
    if (!m_widget)
        return clBtnFace;
    return fromQColor(m_widget->palette().color(m_widget->backgroundRole()));
}

Rect QtFlatControl::clientRect() const
{
    if (!m_widget)
        return {};
    return {0, 0, m_widget->width(), m_widget->height()};
}

bool QtFlatControl::enabled() const
{
    return m_widget && m_widget->isEnabled();
}

bool QtFlatControl::focused() const
{
    return m_widget && m_widget->hasFocus();
}

bool QtFlatControl::rightToLeft() const
{
    return m_widget && m_widget->layoutDirection() == Qt::RightToLeft;
}

bool QtFlatControl::ctl3D() const
{
    // The sunken frame of an edit or combo is its 3-D look.
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget))
        return edit->hasFrame();
    if (auto* combo = qobject_cast<QComboBox*>(m_widget))
        return combo->hasFrame();
    return false;
}

void QtFlatControl::setCtl3D(bool on)
{
    if (!m_widget)
        return;
    (void)borderStyle(); // the border style is fixed before the frame goes
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget))
        edit->setFrame(on);
    else if (auto* combo = qobject_cast<QComboBox*>(m_widget))
        combo->setFrame(on);
}

TBorderStyle QtFlatControl::borderStyle() const
{
    if (!m_widget)
        return TBorderStyle::bsNone;
    const QVariant stored = m_widget->property(kBorderStyleProperty);
    if (stored.isValid())
        return stored.toInt() == 0 ? TBorderStyle::bsNone : TBorderStyle::bsSingle;
    // Seen the first time: an edit drawn without a frame has no border.
    const TBorderStyle style = ctl3D() ? TBorderStyle::bsSingle : TBorderStyle::bsNone;
    m_widget->setProperty(kBorderStyleProperty, static_cast<int>(style));
    return style;
}

void QtFlatControl::setBorderStyle(TBorderStyle style)
{
    if (m_widget)
        m_widget->setProperty(kBorderStyleProperty, static_cast<int>(style));
}

TComboStyle QtFlatControl::comboStyle() const
{
    if (m_widget && m_widget->property("Style").toString() == QLatin1String("csSimple"))
        return TComboStyle::csSimple;
    auto* combo = qobject_cast<QComboBox*>(m_widget);
    return combo && combo->isEditable() ? TComboStyle::csDropDown : TComboStyle::csDropDownList;
}

bool QtFlatControl::droppedDown() const
{
    auto* combo = qobject_cast<QComboBox*>(m_widget);
    return combo && combo->view() && combo->view()->isVisible();
}

int QtFlatControl::scrollThumbWidth() const
{
    return m_widget ? m_widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_widget)
                    : 16;
}

TBevelCut QtFlatControl::bevelOuter() const
{
    if (!m_widget)
        return TBevelCut::bvNone;
    TBevelCut fallback = TBevelCut::bvRaised;
    if (auto* frame = qobject_cast<QFrame*>(m_widget)) {
        fallback = frame->frameShadow() == QFrame::Sunken  ? TBevelCut::bvLowered
                   : frame->frameShadow() == QFrame::Plain ? TBevelCut::bvNone
                                                           : TBevelCut::bvRaised;
    }
    return bevelFrom(m_widget->property("BevelOuter"), fallback);
}

TBevelCut QtFlatControl::bevelInner() const
{
    return m_widget ? bevelFrom(m_widget->property("BevelInner"), TBevelCut::bvNone)
                    : TBevelCut::bvNone;
}

int QtFlatControl::bevelWidth() const
{
    if (!m_widget)
        return 1;
    const QVariant v = m_widget->property("BevelWidth");
    if (v.isValid())
        return v.toInt();
    auto* frame = qobject_cast<QFrame*>(m_widget);
    return frame ? std::max(1, frame->lineWidth()) : 1;
}

int QtFlatControl::borderWidth() const
{
    return m_widget ? m_widget->property("BorderWidth").toInt() : 0;
}

std::u16string QtFlatControl::caption() const
{
    auto* button = qobject_cast<QPushButton*>(m_widget);
    return button ? button->text().toStdU16String() : std::u16string();
}

Font QtFlatControl::font() const
{
    if (!m_widget)
        return {};
    return fromQFont(m_widget->font(), fromQColor(m_widget->palette().color(QPalette::ButtonText)));
}

bool QtFlatControl::isDefault() const
{
    auto* button = qobject_cast<QPushButton*>(m_widget);
    return button && button->isDefault();
}

bool QtFlatControl::glyph(Bitmap& bitmap) const
{
    auto* button = qobject_cast<QPushButton*>(m_widget);
    if (!button || button->icon().isNull())
        return false;
    const QSize size = button->iconSize();
    const int count = std::max(1, numGlyphs());
    // Transparent pixels become a background colour the glyph painter leaves out; on a scaled
    // screen the bitmap's grid asks the icon for its larger picture.
    bool made = false;
    IconToBitmap(bitmap, button->icon(), QSize(size.width() * count, size.height()),
                 RGB(255, 0, 255), &made);
    return made;
}

int QtFlatControl::numGlyphs() const
{
    const QVariant v = m_widget ? m_widget->property("NumGlyphs") : QVariant();
    return v.isValid() ? std::max(1, v.toInt()) : 1;
}

int QtFlatControl::spacing() const
{
    const QVariant v = m_widget ? m_widget->property("Spacing") : QVariant();
    return v.isValid() ? v.toInt() : 4;
}

TButtonLayout QtFlatControl::layout() const
{
    const QString name = m_widget ? m_widget->property("Layout").toString() : QString();
    if (name == QLatin1String("blGlyphRight"))
        return TButtonLayout::blGlyphRight;
    if (name == QLatin1String("blGlyphTop"))
        return TButtonLayout::blGlyphTop;
    if (name == QLatin1String("blGlyphBottom"))
        return TButtonLayout::blGlyphBottom;
    return TButtonLayout::blGlyphLeft;
}

void QtFlatControl::invalidate()
{
    if (m_widget)
        m_widget->update();
}

void QtFlatControl::sendMessage(const ControlMessage& message)
{
    if (m_widget)
        ControlMessageChain::of(m_widget)->send(message);
}

WindowProc* QtFlatControl::windowProc() const
{
    const ControlMessageChain* chain = ControlMessageChain::existing(m_widget);
    return chain ? chain->windowProc() : nullptr;
}

void QtFlatControl::setWindowProc(WindowProc* proc)
{
    if (ControlMessageChain* chain = ControlMessageChain::existing(m_widget))
        chain->setWindowProc(proc);
    else if (proc && m_widget)
        ControlMessageChain::of(m_widget)->setWindowProc(proc);
}

void QtFlatControl::defaultProc(ControlMessage& message)
{
    if (ControlMessageChain* chain = ControlMessageChain::existing(m_widget))
        chain->defaultProc(message);
}

Canvas* QtFlatControl::beginPaint()
{
    const ControlMessageChain* chain = ControlMessageChain::existing(m_widget);
    if (!chain || !chain->painting() || m_painter)
        return nullptr;
    // Drawn on a clear layer first, so that what the painters read back (the text shadow
    // reads the face under it) is what they drew; the layer then goes over the widget.
    // At the widget's device pixel ratio, and shifted by the fraction of a device pixel that
    // the widget lies off the device grid (a widget at an odd position on a 1.5x screen), so
    // that the layer's 1x edges fall where the widget's own would.
    qreal ratio = m_widget->devicePixelRatioF();
    QPointF offGrid;
    {
        const QPainter onWidget(m_widget.data());
        const QTransform toDevice = onWidget.deviceTransform();
        if (onWidget.isActive() && toDevice.m11() > 0) {
            ratio = toDevice.m11();
            const QPointF origin = toDevice.map(QPointF(0, 0));
            offGrid = {origin.x() - std::floor(origin.x() + 0.5),
                       origin.y() - std::floor(origin.y() + 0.5)};
        }
    }
    const QSizeF device = QSizeF(m_widget->size()) * ratio;
    m_layer = QImage(static_cast<int>(std::ceil(device.width())) + 1,
                     static_cast<int>(std::ceil(device.height())) + 1,
                     QImage::Format_ARGB32_Premultiplied);
    m_layer.setDevicePixelRatio(ratio);
    m_layer.fill(Qt::transparent);
    m_painter = std::make_unique<QPainter>(&m_layer);
    m_painter->translate(offGrid / ratio);
    m_canvas = std::make_unique<QtCanvas>(m_painter.get(), m_widget.data());
    return m_canvas.get();
}

void QtFlatControl::endPaint()
{
    m_canvas.reset();
    m_painter.reset();
    if (m_widget && !m_layer.isNull()) {
        QPainter onWidget(m_widget.data());
        onWidget.drawImage(0, 0, m_layer);
    }
    m_layer = QImage();
}

} // namespace kelvara
