#pragma once

#include <QHash>
#include <QProxyStyle>

class QAction;
class QStyleOptionMenuItem;

namespace kelvara {

/// Hands the items of owner-drawn menus to the draw and measure handlers installed on their
/// actions, and everything else to the application's style. A menu whose owner-draw switch
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
    QAction* measuredAction(const QStyleOptionMenuItem* option, const QWidget* widget) const;
    void drawSubMenuArrow(const QStyleOptionMenuItem* option, QPainter* painter,
                          const QWidget* widget) const;

    // Where the last measured action of each menu was found: a menu measures its items in
    // order, so the search for the next starts after it (two items alike stay apart).
    mutable QHash<const QWidget*, qsizetype> m_measureCursor;
};

} // namespace kelvara
