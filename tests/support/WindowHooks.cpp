// The window half of the fixtures and of the scripted answers (see WindowHooks.h).
#include "support/WindowHooks.h"

#include "accounts/dlgUserSecur.h"
#include "accounts/frmLogin.h"
#include "accounts/frmUserSecurity.h"
#include "create/CreateDatabase.h"
#include "create/frmDtaTransfer.h"
#include "entry/DataInput.h"
#include "entry/DlgEntryDte.h"
#include "platform/ui/BusyCursor.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/FrmMailLbls.h"
#include "reports/frmReports.h"
#include "search/frmSearch.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>

void unloadAllForms() {
    for (Form* f : std::initializer_list<Form*>{&DataInput::instance(), &frmSearch::instance(), &frmReports::instance(),
                                                &CreateDatabase::instance(), &frmLogin::instance(),
                                                &frmUserSecurity::instance(), &frmAbout::instance(),
                                                &frmDtaTransfer::instance(), &dlgUserSecur::instance(),
                                                &DlgEntryDte::instance(), &FrmMailLbls::instance(),
                                                &FrmExpToExcel::instance(), &frmGenDB::instance()})
        f->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

void setUp(Fixture& fx, Fixture::Window window) {
    vb::InstallLockWaitCursor();
    DataInput::instance().DBDefMain().DBFldFunct().Clear();
    unloadAllForms();
    if (window == Fixture::WithMainWindow) {
        fx.main = &frmMain::instance();
        fx.main->Quit = [&fx] { ++fx.quits; };
        fx.main->MDIForm_Load();
    }
}

void tearDown(Fixture& fx) {
    // The views go before the main window that hosts them.
    unloadAllForms();
    delete fx.main;
}

QObject* takeFocus() {
    QWidget* focus = QApplication::focusWidget();
    if (focus) focus->clearFocus();
    return focus;
}

void giveFocusBack(QObject* widget) {
    auto* focus = qobject_cast<QWidget*>(widget);
    if (focus && focus->isVisible()) focus->setFocus(Qt::OtherFocusReason);   // as an MDI area gives it back
}

std::pair<QString, QString> describe(QDialog& dialog) {
    return {QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle()};
}

}  // namespace

namespace rvtest {

void installWindowHooks() { windowHooks() = {setUp, tearDown, takeFocus, giveFocusBack, describe}; }

}  // namespace rvtest
