// Ravelstow: a desktop database manager for people who keep their own records.
#include "platform/ui/BusyCursor.h"
#include "platform/ui/QtUiServices.h"
#include "shell/HelpWindow.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelstow"));
    QApplication::setOrganizationName(QStringLiteral("Ravelstow"));
    QApplication::setApplicationVersion(QStringLiteral(RAVELSTOW_VERSION));

    vb::QtUiServices services;
    vb::setUi(&services);
    vb::InstallLockWaitCursor();

    auto* main = &frmMain::instance();
    services.setParentProvider([main] { return static_cast<QWidget*>(main); });
    services.setHelpViewer([](const vb::CommonDialog& dlg) { HelpWindow::instance().ShowHelp(dlg); });
    main->MDIForm_Load();
    main->show();
    const int rc = QApplication::exec();
    vb::setUi(nullptr);
    HelpWindow::instance().Close();
    delete main;
    return rc;
}
