#include "app/DoodleApp.h"

#include "app/MainDlg.h"
#include "app/QtTranslations.h"
#include "geometry/DiagLog.h"

#include <QApplication>

#include <memory>

void CDoodleApp::PrepareInput()
{
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QCoreApplication::setAttribute(Qt::AA_CompressTabletEvents, false);
}

int CDoodleApp::Run(int argc, char** argv)
{
    PrepareInput();
    QApplication app(argc, argv);
    QtTranslations::Install(app);
    int status = 0;
    {
        auto dlg = std::make_unique<CMainDlg>();
        dlg->show();
        status = QApplication::exec();
        DiagLogClose();
        // The window and everything it owns go while the application still
        // exists.
        dlg.reset();
    }
    return status;
}
