// Saves a picture of the main window on an installation: WindowScreenshot <folder> <png>
// [open]. With "open" the window shows the state of an open dictionary with one entry.
#include "app/CSMain.h"

#include <QApplication>
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
    if (argc > 3) {
        form.setDictionaryOpen(true);
        form.setGridVisible(true);
        form.editor().AddEntryRow(" ", "word", "Noun", "\xB4\xCA"); // GBK for one character
    }
    form.show();
    QTimer::singleShot(300, [&] {
        form.ActionListMenuUpdate();
        const bool saved = form.grab().save(QString::fromLocal8Bit(argv[2]));
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
