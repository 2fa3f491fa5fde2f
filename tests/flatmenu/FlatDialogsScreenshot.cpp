// Pictures of the main window's tool bar and its three dialogs with the flat look, wired as
// the window would wire them: flat_dialogs_screenshot <program folder> <png>
// toolbar|prompt|width|about [hot]. With "hot" the last button of a dialog (or the tool bar's
// find button) shows the mouse over it.
#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"
#include "app/width.h"
#include "flatmenu/qt/QtFlatForms.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>

namespace kelvara {
namespace {

int run(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <program folder> <png> toolbar|prompt|width|about [hot]\n",
                     argv[0]);
        return 2;
    }
    TCustomDictForm form(argv[1]);
    TSaveDlg prompt(form.language());
    TColWidthDlg width(form.language());
    TAboutForm about;
    // The save prompt's buttons are bitmap buttons with glyphs.
    const QStyle::StandardPixmap glyphs[] = {QStyle::SP_DialogYesButton, QStyle::SP_DialogNoButton,
                                             QStyle::SP_DialogCancelButton};
    int i = 0;
    for (const char* name : {"OKBtn", "NoBtn", "CancalBtn"}) {
        auto* button = prompt.findChild<QPushButton*>(QString::fromLatin1(name));
        button->setProperty("className", QStringLiteral("TBitBtn"));
        button->setIcon(app.style()->standardIcon(glyphs[i++]));
    }
    FlatForms::Announce(&prompt, prompt.components());
    FlatForms::Announce(&width, width.components());
    FlatForms::Announce(&about, about.components());

    const QString mode = QString::fromLocal8Bit(argv[3]);
    QWidget* shown = &form;
    if (mode == QLatin1String("prompt"))
        shown = &prompt;
    else if (mode == QLatin1String("width"))
        shown = &width;
    else if (mode == QLatin1String("about"))
        shown = &about;
    shown->show();
    const bool hot = argc > 4 && QByteArray(argv[4]) == "hot";
    QTimer::singleShot(300, [&] {
        form.ActionListMenuUpdate();
        if (!hot)
            return;
        // The mouse over the last button (focus, which highlights too, is on the first), or
        // over the tool bar's find button.
        if (shown == &form) {
            if (auto* find = form.findChild<QToolButton*>(QStringLiteral("ToolButtonFind"))) {
                find->setAttribute(Qt::WA_UnderMouse, true);
                find->update();
            }
            return;
        }
        const QList<QPushButton*> buttons = shown->findChildren<QPushButton*>();
        if (!buttons.isEmpty()) {
            QEvent enter(QEvent::Enter);
            QCoreApplication::sendEvent(buttons.last(), &enter);
        }
    });
    QTimer::singleShot(600, [&] {
        QWidget* picture = shown;
        if (shown == &form)
            picture = form.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        app.exit(picture->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1);
    });
    return app.exec();
}

} // namespace
} // namespace kelvara

int main(int argc, char** argv)
{
    return kelvara::run(argc, argv);
}
