// The floor for the utility's start-up: a main window with what the utility's window shows
// at start (two menus, a tool bar with buttons and a line edit, a table view) and nothing
// else, started and reporting its first paint as the utility does. With the argument
// "hello" it shows a single label instead: a Qt hello-world; with "translated" it first
// installs Qt's Simplified Chinese translation, as the utility does for that interface.

#include "app/FirstPaintReport.h"
#include "app/ToolkitTranslation.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>

#include <cstring>
#include <memory>

namespace kelvara {
namespace {

std::unique_ptr<QWidget> comparableWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->resize(505, 309);
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("&File"));
    for (const char* text : {"&New", "&Open", "&Save", "&Close", "&Import", "E&xport", "E&xit"})
        file->addAction(QString::fromLatin1(text));
    QMenu* edit = window->menuBar()->addMenu(QStringLiteral("&Edit"));
    for (const char* text : {"&Find", "&Add", "&Delete", "&Modify", "&Copy", "Column &Width"})
        edit->addAction(QString::fromLatin1(text));

    QToolBar* bar = window->addToolBar(QStringLiteral("Tools"));
    bar->addAction(QStringLiteral("Save"));
    auto* input = new QLineEdit(bar);
    input->setFixedSize(212, 24);
    bar->addWidget(input);
    for (const char* text : {"Find", "Add", "Delete"})
        bar->addAction(QString::fromLatin1(text));

    auto* model = new QStandardItemModel(2, 4, window.get());
    auto* table = new QTableView(window.get());
    table->setModel(model);
    table->verticalHeader()->hide();
    window->setCentralWidget(table);
    return window;
}

int run(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool translated = argc > 1 && std::strcmp(argv[1], "translated") == 0;
    std::unique_ptr<ToolkitTranslation> translation;
    // Before any widget, as the utility installs it.
    if (translated)
        translation = std::make_unique<ToolkitTranslation>(InterfaceLanguage::Simplified);
    std::unique_ptr<QWidget> window;
    if (argc > 1 && std::strcmp(argv[1], "hello") == 0)
        window = std::make_unique<QLabel>(QStringLiteral("Hello, world"));
    else
        window = comparableWindow();
    ReportFirstPaintIfAsked(window.get());
    window->show();
    return application.exec();
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
