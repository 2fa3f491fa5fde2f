#include "app/About.h"
#include "app/CSMain.h"
#include "app/Save.h"
#include "app/width.h"
#include "platform/Paths.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    using namespace kelvara;
    QApplication application(argc, argv);

    // The four windows live for the whole run, created in this order; the first is the main
    // window, whose closing ends the program.
    TCustomDictForm form(ProgramFolder());
    TSaveDlg saveDlg(form.language());
    TColWidthDlg colWidthDlg(form.language());
    TAboutForm aboutForm;
    form.attachDialogs(&saveDlg, &colWidthDlg, &aboutForm);

    form.show();
    return application.exec();
}
