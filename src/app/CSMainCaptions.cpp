// The caption sets of the main window: how a table of (control, property, text) entries is
// applied to the window's actions, menus and controls.
#include "app/CSMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMenu>
#include <QStandardItemModel>
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
    if (m_editor) {
        auto title = [this](int column) {
            return m_gridModel->item(kTitleRow, column)
                       ? m_gridModel->item(kTitleRow, column)->text().toStdU16String()
                       : std::u16string();
        };
        m_editor->setTitles(title(kColSource), title(kColPartOfSpeech), title(kColTarget));
    }
}

void TCustomDictForm::applyCaptionEntry(const CaptionTable& table, const CaptionEntry& entry)
{
    const QString text = QString::fromStdU16String(table.text(entry));
    const std::string_view control = entry.control;
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
        if (object == static_cast<QObject*>(m_grid) && entry.column > 0 && entry.column < kColumnCount) {
            auto* item = new QStandardItem(text);
            item->setEditable(false);
            m_gridModel->setItem(kTitleRow, entry.column, item);
        }
        break;
    case CaptionProperty::Filter:
        if (auto* dialog = qobject_cast<QFileDialog*>(object))
            dialog->setNameFilters(nameFilters(text));
        break;
    }
}

} // namespace kelvara
