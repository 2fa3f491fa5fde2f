// Saves a picture of the main window on an installation: WindowScreenshot <folder> <png>
// [open|prompt|about|menu]. With "open" the window shows the state of an open dictionary with
// one entry; "prompt" and "about" picture the save prompt and the About box, "menu" the File
// menu.
#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <png> [open]\n", argv[0]);
        return 2;
    }
    kelvara::TCustomDictForm form(argv[1]);
    const QString mode = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    kelvara::TSaveDlg prompt(form.language());
    kelvara::TAboutForm about;
    QWidget* shown = &form;
    if (mode == QLatin1String("prompt"))
        shown = &prompt;
    else if (mode == QLatin1String("about"))
        shown = &about;
    if (mode == QLatin1String("menu")) {
        const kelvara::Component* file = form.components().find("MenuItemFile");
        shown = static_cast<QMenu*>(file->object);
    }
    if (mode == QLatin1String("open")) {
        form.setDictionaryOpen(true);
        form.setGridVisible(true);
        form.editor().AddEntryRow(" ", "word", "Noun", "\xB4\xCA"); // GBK for one character
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
