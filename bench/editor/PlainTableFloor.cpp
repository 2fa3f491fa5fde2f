#include "editor/PlainTableFloor.h"

#include "editor/EntryEditor.h"
#include "editor/qt/EntryGridView.h"
#include "platform/qt/QtFormLook.h"

#include <QApplication>
#include <QHeaderView>

#include <string>

namespace kelvara {

PlainTableFloor::PlainTableFloor(int rows)
    : m_model(rows + 1, kColumnCount), m_panel(std::make_unique<QWidget>())
{
    const QString titles[kColumnCount] = {QString(), QStringLiteral("Source"),
                                          QStringLiteral("Part of Speech"),
                                          QStringLiteral("Target")};
    for (int column = 0; column < kColumnCount; ++column)
        m_model.setItem(0, column, new QStandardItem(titles[column]));
    const QString noun = QString::fromUtf8("名词");
    for (int i = 0; i < rows; ++i) {
        const QString n = QString::number(i);
        m_model.setItem(i + 1, kColMark, new QStandardItem(QStringLiteral("A")));
        m_model.setItem(i + 1, kColSource, new QStandardItem(QStringLiteral("word") + n));
        m_model.setItem(i + 1, kColSource + 1, new QStandardItem(noun));
        m_model.setItem(i + 1, kColTarget, new QStandardItem(QStringLiteral("target ") + n));
    }

    m_panel->resize(520, 320);
    m_view = new QTableView(m_panel.get());
    m_view->setGeometry(2, 2, 516, 316);
    m_view->setModel(&m_model);
    m_view->setFont(QtFormFont(FormFont::Grid));
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setMinimumSectionSize(0);
    for (int column = 0; column < kColumnCount; ++column)
        m_view->setColumnWidth(column, EntryGridView::kStartWidths[column]);
    m_view->verticalHeader()->setMinimumSectionSize(0);
    m_view->verticalHeader()->setDefaultSectionSize(EntryGridView::kRowHeight);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setWordWrap(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_panel->show();
    QApplication::processEvents();
}

} // namespace kelvara
