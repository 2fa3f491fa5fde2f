#pragma once

#include "flatmenu/ToolBarModel.h"
#include "flatmenu/qt/QtFlatControl.h"

#include <QObject>
#include <QPointer>
#include <QToolBar>

#include <map>
#include <memory>

class QPainter;
class QStyleOptionToolButton;
class QToolButton;

namespace kelvara {

class QtToolBar;

/// A widget on a QToolBar seen as one of its buttons: a QToolButton is a button (a drop-down
/// one when it pops up a menu beside its arrow, a check button when checkable), a plain
/// QFrame a separator (a divider with the "Style" property "tbsDivider"). Its image index
/// is its action's "imageIndex" property.
class QtToolButton : public ToolButton
{
public:
    QtToolButton(QWidget* widget, QtToolBar* bar) : m_widget(widget), m_bar(bar) {}
    QWidget* widget() const { return m_widget; }

    ToolButtonStyle style() const override;
    Rect bounds() const override;
    int imageIndex() const override;
    bool enabled() const override;
    int tag() const override;
    std::u16string caption() const override;
    bool down() const override;
    bool hasDropdownMenu() const override;
    bool rightToLeft() const override;

private:
    QPointer<QWidget> m_widget;
    QtToolBar* m_bar;
};

/// The icons of a bar's buttons as an image list: image i is the icon of the action whose
/// "imageIndex" is i.
class ToolBarImages : public MenuImages
{
public:
    ToolBarImages(const QToolBar* bar) : m_bar(bar) {}
    int width() const override;
    int height() const override;
    int count() const override;
    void draw(Canvas& target, int x, int y, int index) const override;

private:
    QPointer<const QToolBar> m_bar;
};

/// A QToolBar as the tool button painter sees it. It lives as a child of the bar; its
/// buttons draw through FlatMenuStyle, which hands them to the installed custom-draw handler
/// (and to the toolkit without one). A separator is drawn with the button after it.
class QtToolBar : public QObject, public ToolBar
{
    Q_OBJECT
public:
    QtToolBar(QToolBar* bar, TagLookup tags);
    /// The adapter of a bar, or null when none was made.
    static QtToolBar* of(const QWidget* bar);

    QToolBar* bar() const { return m_bar; }
    int tagOf(const QObject* object) const;
    /// Draws a button of the bar through the handler; false without a handler.
    bool paintButton(const QToolButton* button, const QStyleOptionToolButton* option,
                     QPainter* painter);

    int buttonCount() const override;
    ToolButton* button(int index) const override;
    TColor color() const override;
    bool list() const override;
    bool showCaptions() const override;
    const Font& font() const override;
    const MenuImages* images() const override { return &m_images; }
    bool flat() const override;
    void setFlat(bool flat) override;
    void invalidate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh() const;
    QtToolButton* buttonFor(const QWidget* widget) const;
    unsigned stateOf(const QToolButton* button) const;
    void paintSeparator(QWidget* gap);

    QPointer<QToolBar> m_bar;
    TagLookup m_tags;
    ToolBarImages m_images;
    mutable Font m_font;
    mutable std::vector<QtToolButton*> m_order;
    mutable std::map<const QWidget*, std::unique_ptr<QtToolButton>> m_buttons;
    const QWidget* m_gapPainting = nullptr; // the gap whose paint is being handed on
};

} // namespace kelvara
