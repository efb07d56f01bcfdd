#include "support/Fixture.h"

#include "accounts/frmLogin.h"
#include "accounts/dlgUserSecur.h"
#include "accounts/frmUserSecurity.h"
#include "create/CreateDatabase.h"
#include "create/frmDtaTransfer.h"
#include "entry/DataInput.h"
#include "entry/DlgEntryDte.h"
#include "platform/paths/AppPaths.h"
#include "platform/ui/BusyCursor.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/FrmMailLbls.h"
#include "reports/frmReports.h"
#include "search/frmSearch.h"
#include "shell/Module1.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QTest>
#include <sqlite3.h>

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

Fixture::Fixture(Window window) {
    Q_ASSERT(dir.isValid());
    vb::setProgramFolderForTesting(dir.path());
    vb::InstallLockWaitCursor();
    Module1::Reset();
    // The colours the main window's start-up reads when there is no settings file.
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));
    DataInput::instance().DBDefMain().DBFldFunct().Clear();
    unloadAllForms();
    if (window == WithMainWindow) {
        main = &frmMain::instance();
        main->Quit = [this] { ++quits; };
        main->MDIForm_Load();
    }
}

Fixture::~Fixture() {
    // The views go before the main window that hosts them.
    unloadAllForms();
    delete main;
    Module1::Reset();
    vb::setProgramFolderForTesting(QString());
    if (ui.pending() > 0) QTest::qFail("Scripted answers left unused", __FILE__, __LINE__);
}

QString Fixture::path(const QString& name) const { return QDir(dir.path()).filePath(name); }

void makeSqliteFile(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        qFatal("cannot create %s", qPrintable(path));
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "?");
        sqlite3_free(err);
        sqlite3_close(db);
        qFatal("sql failed: %s", qPrintable(msg));
    }
    sqlite3_close(db);
}

void openDatabase(const QString& path, const QString& level, bool security, const QString& user) {
    Module1::CurrentDBPath = path;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SecurityOn = security;
    Module1::SetCurrentUser(user);
    Module1::SetCurrentUserLevel(level);
}
