// Saves a picture of the main window on an installation: WindowScreenshot <folder> <png>
// [open|prompt|about|menu|filemenu [word]|dropmenu NAME [word]|message|filedialog|progress].
// With "open" the window shows the
// state of an open dictionary with one entry; "prompt" and "about" picture the save prompt and
// the About box, "menu" the File menu; "filemenu" opens the E-C dictionary, finds the word
// (default "book") and pictures the screen with the File menu dropped over the window (a real
// display); "dropmenu" does the same with the menu NAME (MenuItemEdit, PopupMenuEdit, ...).
// "message", "filedialog" and "progress" picture the screen with a message box, the Open E-C
// file dialog or the progress of a text command shown over the window, in the toolkit's
// translation for the interface language, as the program loads it.
#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"
#include "app/ToolkitTranslation.h"
#include "app/WindowPrompts.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "textio/TextCommandPrompts.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace kelvara {
namespace {

int run(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <png> [open]\n", argv[0]);
        return 2;
    }
    TCustomDictForm form(argv[1]);
    const ToolkitTranslation toolkitTexts(form.language());
    const QString mode = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    TSaveDlg prompt(form.language());
    TAboutForm about;
    // As the program entry does: the dialogs take the window's flat look.
    FlatForms::Announce(&prompt, prompt.components());
    FlatForms::Announce(&about, about.components());
    QWidget* shown = &form;
    if (mode == QLatin1String("prompt"))
        shown = &prompt;
    else if (mode == QLatin1String("about"))
        shown = &about;
    if (mode == QLatin1String("menu")) {
        const Component* file = form.components().find("MenuItemFile");
        shown = static_cast<QMenu*>(file->object);
    }
    if (mode == QLatin1String("open")) {
        form.setDictionaryOpen(true);
        form.prompts().setGridVisible(true);
        form.editor().AddEntryRow(" ", "word", "Noun", "\xB4\xCA"); // GBK for one character
    }
    if (mode == QLatin1String("filemenu") || mode == QLatin1String("dropmenu")) {
        const bool named = mode == QLatin1String("dropmenu") && argc > 4;
        const char* menuName = named ? argv[4] : "MenuItemFile";
        const int wordArg = named ? 5 : 4;
        const auto object = [&](const char* name) {
            return static_cast<QObject*>(form.components().find(name)->object);
        };
        form.show();
        qobject_cast<QAction*>(object("ActionFileOpenEc"))->trigger();
        qobject_cast<QLineEdit*>(object("EditWordInput"))
            ->setText(argc > wordArg ? QString::fromLocal8Bit(argv[wordArg])
                                     : QStringLiteral("book"));
        form.ActionListMenuUpdate();
        qobject_cast<QAction*>(object("ActionWordFind"))->trigger();
        auto* bar = qobject_cast<QMenuBar*>(object("MainMenu1"));
        auto* file = qobject_cast<QMenu*>(object(menuName));
        QTimer::singleShot(200, [&form, bar, file] {
            form.ActionListMenuUpdate();
            if (bar->actions().contains(file->menuAction()))
                bar->setActiveAction(file->menuAction());
            else // a pop-up menu: dropped over the grid, where a right click would drop it
                file->popup(form.mapToGlobal(QPoint(120, 110)));
        });
        QTimer::singleShot(700, [&] {
            const QRect area = form.frameGeometry().united(file->geometry());
            const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(
                0, area.x(), area.y(), area.width(), area.height());
            app.exit(screen.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1);
        });
        return app.exec();
    }
    if (mode == QLatin1String("message") || mode == QLatin1String("filedialog") ||
        mode == QLatin1String("progress")) {
        form.show();
        // The dialog runs modal; the picture is taken while it is up, then it is closed.
        QTimer::singleShot(700, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) // the progress is modal to the window only
                dialog = form.findChild<QProgressDialog*>();
            if (!dialog)
                dialog = &form;
            const QRect area = form.frameGeometry().united(dialog->frameGeometry());
            const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(
                0, area.x(), area.y(), area.width(), area.height());
            const bool saved = screen.save(QString::fromLocal8Bit(argv[2]));
            if (dialog != &form)
                dialog->close();
            app.exit(saved ? 0 : 1);
        });
        QTimer::singleShot(0, [&] {
            if (mode == QLatin1String("message")) {
                form.prompts().showInformation(u"The dictionary could not be written.", u"");
            } else if (mode == QLatin1String("filedialog")) {
                form.prompts().chooseEcDictionary(argv[1], "UserEcNew.key");
            } else {
                form.prompts().progress(TextProgress{120, 300, 1000});
            }
        });
        return app.exec();
    }
    if (auto* menu = qobject_cast<QMenu*>(shown)) {
        form.show();
        menu->popup(QPoint(0, 0));
    } else {
        shown->show();
    }
    QTimer::singleShot(300, [&] {
        form.ActionListMenuUpdate();
        const bool saved = shown->grab().save(QString::fromLocal8Bit(argv[2]));
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
