// The caption sets of the main window: how a table of (control, property, text) entries is
// applied to the window's actions, menus and controls.
#include "app/CSMain.h"
#include "app/FileDialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStringList>
#include <QTableView>
#include <QWidget>

namespace kelvara {

namespace {

// A filter of the form "description|pattern|description|pattern" as the file dialog's
// name filters; a description that already names its pattern in parentheses stays as it is.
QStringList nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

} // namespace

void TCustomDictForm::ApplySimplifiedCaptions()
{
    applyCaptionTable(MainWindowCaptions(InterfaceLanguage::Simplified));
}

void TCustomDictForm::ApplyTraditionalCaptions()
{
    applyCaptionTable(MainWindowCaptions(InterfaceLanguage::Traditional));
}

void TCustomDictForm::ApplyEnglishCaptions()
{
    applyCaptionTable(MainWindowCaptions(InterfaceLanguage::English));
}

QString TCustomDictForm::applicationTitle()
{
    // The application's own name, never appended to window titles: Qt appends only an
    // explicitly set display name, and none is set.
    return QCoreApplication::applicationName();
}

void TCustomDictForm::applyCaptionTable(const CaptionTable& table)
{
    for (const CaptionEntry& entry : table)
        applyCaptionEntry(table, entry);
    if (m_editor)
        m_editor->setTitles(m_titles[kColSource], m_titles[kColPartOfSpeech], m_titles[kColTarget]);
}

void TCustomDictForm::applyCaptionEntry(const CaptionTable& table, const CaptionEntry& entry)
{
    const QString text = QString::fromStdU16String(table.text(entry));
    const std::string_view control = entry.control;
    if (entry.property == CaptionProperty::ColumnTitle) {
        // The title row belongs to the entry model, which may not exist yet.
        if (control == "StringGridDict" && entry.column > kColMark && entry.column < kColumnCount)
            m_titles[static_cast<std::size_t>(entry.column)] = table.text(entry);
        return;
    }
    QObject* object = nullptr;
    if (control == kMainFormName) {
        object = this;
    } else if (const Component* component = m_components.find(control)) {
        object = static_cast<QObject*>(component->object);
    }
    if (!object)
        return;

    switch (entry.property) {
    case CaptionProperty::Title:
        if (object == this) {
            setWindowTitle(text);
            QCoreApplication::setApplicationName(text); // the application takes the title
        } else if (auto* dialog = qobject_cast<LazyFileDialog*>(object)) {
            dialog->setTitle(text);
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            widget->setWindowTitle(text);
        }
        break;
    case CaptionProperty::Caption:
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->setTitle(text);
        } else if (auto* a = qobject_cast<QAction*>(object)) {
            a->setText(text);
        }
        break;
    case CaptionProperty::Hint:
        if (auto* a = qobject_cast<QAction*>(object)) {
            a->setToolTip(text);
            a->setStatusTip(text);
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            widget->setToolTip(text);
        }
        break;
    case CaptionProperty::ColumnTitle:
        break;
    case CaptionProperty::Filter:
        if (auto* dialog = qobject_cast<LazyFileDialog*>(object))
            dialog->setNameFilters(nameFilters(text));
        break;
    }
}

} // namespace kelvara
