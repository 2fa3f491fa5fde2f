#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QPointer>

class QAction;
class QStyleOption;
class QStyleOptionMenuItem;

namespace kelvara {

/// What a menu widget last filled a style option for: Qt fills an item's option through
/// initStyleOption right before it asks the style to measure or draw that item with it.
class StyledItemRecord
{
public:
    void filled(const QStyleOptionMenuItem* option, const QAction* action);
    /// The action the option was filled for, or null when it was not filled for one.
    QAction* actionFor(const QStyleOption* option) const;

private:
    const QStyleOption* m_option = nullptr;
    QPointer<QAction> m_action;
};

/// A QMenu that tells the flat style which action each item it measures and draws stands
/// for (two items with the same text stay apart; nothing is looked up by text or position).
class ItemAwareMenu : public QMenu
{
    Q_OBJECT
public:
    explicit ItemAwareMenu(QWidget* parent = nullptr) : QMenu(parent) {}
    ItemAwareMenu(const QString& title, QWidget* parent = nullptr) : QMenu(title, parent) {}

    QAction* styledAction(const QStyleOption* option) const { return m_record.actionFor(option); }

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    mutable StyledItemRecord m_record;
};

/// The menu bar counterpart of ItemAwareMenu.
class ItemAwareMenuBar : public QMenuBar
{
    Q_OBJECT
public:
    explicit ItemAwareMenuBar(QWidget* parent = nullptr) : QMenuBar(parent) {}

    QAction* styledAction(const QStyleOption* option) const { return m_record.actionFor(option); }

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    mutable StyledItemRecord m_record;
};

/// The action a menu item option stands for, when the widget is an item-aware menu or bar
/// that filled it; null otherwise.
QAction* styledMenuAction(const QWidget* widget, const QStyleOption* option);

} // namespace kelvara
