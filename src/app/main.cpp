#include "app/About.h"
#include "app/CSMain.h"
#include "app/FirstPaintReport.h"
#include "app/Save.h"
#include "app/ToolkitTranslation.h"
#include "app/width.h"
#include "flatmenu/qt/QtFlatForms.h"
#include "platform/Paths.h"
#include "startup/DisplayCheck.h"
#include "startup/StartupState.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    using namespace kelvara;
    // Without a display the toolkit aborts with a list of plugins; say what is missing
    // instead, before the application object is made.
    if (!DisplayAvailable([](const char* name) { return std::getenv(name); }, argc, argv)) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage().c_str());
        return 1;
    }
    QApplication application(argc, argv);
    // Wayland compositors and task bars match the window to its desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(KELVARA_APP_ID));

    // Qt's standard buttons and dialogs speak the interface language. Installed before any
    // widget exists, the translation reaches no widget as a language change; the form's
    // own captions are its own.
    const std::string programFolder = ProgramFolder();
    const ToolkitTranslation toolkitTexts(ReadInterfaceLanguage(programFolder));

    // The four windows live for the whole run, created in this order; the first is the main
    // window, whose closing ends the program.
    TCustomDictForm form(programFolder);
    TSaveDlg saveDlg(form.language());
    TColWidthDlg colWidthDlg(form.language());
    TAboutForm aboutForm;
    form.attachDialogs(&saveDlg, &colWidthDlg, &aboutForm);
    // The dialogs take the main window's flat look when the application first hears of them.
    FlatForms::Announce(&saveDlg, saveDlg.components());
    FlatForms::Announce(&colWidthDlg, colWidthDlg.components());
    FlatForms::Announce(&aboutForm, aboutForm.components());

    ReportFirstPaintIfAsked(&form);
    form.show();
    return application.exec();
}
