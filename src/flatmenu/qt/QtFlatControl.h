#pragma once

#include "flatmenu/ControlModel.h"
#include "flatmenu/qt/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace kelvara {

/// The Tag of a widget: its form's component list says, else its "Tag" property.
using TagLookup = std::function<int(const QObject*)>;

/// A widget seen as a control of the control painters. The framework's class names map to
/// Qt classes thus, unless the widget's "className" property names one (a QPushButton that
/// should count as a bitmap button carries className "TBitBtn"):
///   QLineEdit -> "TEdit" (an edit), QComboBox -> "TComboBox" (a combo), QPushButton ->
///   "TButton", QToolBar -> "TToolBar", a plain QFrame with a frame shape -> "TPanel" (a
///   panel; scroll areas, labels and other QFrame subclasses are not), a window -> a form.
/// Bevels, border style and bitmap-button looks come from the properties "BevelOuter",
/// "BevelInner" ("bvNone", "bvLowered", "bvRaised"), "BevelWidth", "BorderWidth",
/// "BorderStyle" (0 or 1), "NumGlyphs", "Spacing" and "Layout" ("blGlyphLeft", ...); without
/// them a panel's outer bevel follows its frame shadow and an edit's border its frame.
class QtFlatControl : public FlatControl
{
public:
    QtFlatControl(QWidget* widget, TagLookup tags);

    QWidget* widget() const { return m_widget; }
    /// The widget a control's parent stands for: the nearest tool bar, panel or window
    /// above it (the inner widgets of views have no counterpart).
    static QWidget* parentWidgetOf(const QWidget* widget);

    std::string className() const override;
    bool isCustomCombo() const override;
    bool isEdit() const override;
    bool isCustomPanel() const override;
    bool isToolBar() const override;
    bool isCustomForm() const override;
    bool isButton() const override;
    int tag() const override;
    std::shared_ptr<FlatControl> parent() const override;
    TColor color() const override;
    Rect clientRect() const override;
    bool enabled() const override;
    bool focused() const override;
    bool rightToLeft() const override;
    bool ctl3D() const override;
    void setCtl3D(bool on) override;
    TBorderStyle borderStyle() const override;
    void setBorderStyle(TBorderStyle style) override;
    TComboStyle comboStyle() const override;
    bool droppedDown() const override;
    int scrollThumbWidth() const override;
    TBevelCut bevelOuter() const override;
    TBevelCut bevelInner() const override;
    int bevelWidth() const override;
    int borderWidth() const override;
    std::u16string caption() const override;
    Font font() const override;
    bool isDefault() const override;
    bool glyph(Bitmap& bitmap) const override;
    int numGlyphs() const override;
    int spacing() const override;
    TButtonLayout layout() const override;
    void invalidate() override;
    void sendMessage(const ControlMessage& message) override;
    WindowProc* windowProc() const override;
    void setWindowProc(WindowProc* proc) override;
    void defaultProc(ControlMessage& message) override;
    Canvas* beginPaint() override;
    void endPaint() override;

private:
    QPointer<QWidget> m_widget;
    TagLookup m_tags;
    QImage m_layer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtCanvas> m_canvas;
};

/// A Qt font as a window-layer font description, coloured.
Font fromQFont(const QFont& font, TColor colour);
/// A Qt colour as a window-layer colour.
TColor fromQColor(const QColor& colour);

} // namespace kelvara
