#pragma once

#include <QProxyStyle>

class QAction;
class QStyleOptionMenuItem;

namespace kelvara {

/// Hands the items of owner-drawn menus to the draw and measure handlers installed on their
/// actions, and everything else to the application's style. The menus are item-aware ones
/// (ItemAwareMenu, ItemAwareMenuBar), which say which action an item's option stands for;
/// the items of any other menu are the base style's. A menu whose owner-draw switch
/// is off, and an item without handlers, are drawn exactly as the base style draws them.
class FlatMenuStyle : public QProxyStyle
{
    Q_OBJECT
public:
    /// The one style the owner-drawn menus share (owned by the application object).
    static FlatMenuStyle* instance();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    /// Tool buttons of a bar with a custom-draw handler are drawn by the handler alone.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;

private:
    explicit FlatMenuStyle(QStyle* base);
    bool drawItem(const QStyleOptionMenuItem* option, QPainter* painter,
                  const QWidget* widget) const;
    bool measureItem(const QStyleOptionMenuItem* option, const QWidget* widget, QSize& size) const;
    void drawSubMenuArrow(const QStyleOptionMenuItem* option, QPainter* painter,
                          const QWidget* widget) const;
};

} // namespace kelvara
