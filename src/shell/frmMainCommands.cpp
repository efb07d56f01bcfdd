// The File menu's New, Open, Close and Exit commands, and the tab strip.
#include "create/CreateDatabase.h"
#include "create/frmDtaTransfer.h"
#include "entry/DataInput.h"
#include "platform/db/Connection.h"
#include "platform/db/LockWait.h"
#include "platform/db/CauseMessage.h"
#include "platform/fs/FileSystem.h"
#include "platform/paths/AppPaths.h"
#include "reports/frmReports.h"
#include "search/frmSearch.h"
#include "shell/Module1Views.h"
#include "shell/OpenErrors.h"
#include "shell/frmMain.h"

#include <QFileInfo>
#include <QTabBar>

using namespace Module1;
using vb::MsgBox;

Form& hostedView(View view) {
    switch (view) {
    case View::Entry: return DataInput::instance();
    case View::Search: return frmSearch::instance();
    case View::Reports: return frmReports::instance();
    case View::NewDatabase: break;
    }
    return CreateDatabase::instance();
}

void frmMain::mnuCreateDB_Click() {
    CreatingDB = true;
    if (!DBOpen) {
        CreateDatabase::instance().SetFocus();
        return;
    }
    if (MsgBox(QStringLiteral("Create A New Database File?"), vb::vbOKCancel, QStringLiteral("Create Ravelstow Database")) ==
        vb::vbCancel)
        return;
    CloseDatabase();
    if (!CloseConfirmed) return;
    CreateDatabase::instance().SetFocus();
}

void frmMain::mnuOpenDB_Click() {
    db::LockWait wait;
    try {
        // The open database is closed once a file that exists is chosen: its question comes first.
        const bool wasOpen = DBOpen;
        if (wasOpen && !ConfirmClose()) return;
        ComnDlgFile.CancelError = true;
        ComnDlgFile.Flags = vb::cdlOFNHideReadOnly;
        ComnDlgFile.InitDir = vb::inProgramFolder(QStringLiteral("DBFiles"));
        ComnDlgFile.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files(*.mdb)|*.mdb");
        ComnDlgFile.FilterIndex = 2;
        ComnDlgFile.DialogTitle = QStringLiteral("Open Existing Database");
        bool cancelled = false;
        try {
            ComnDlgFile.ShowOpen();
        } catch (const vb::VbError& e) {
            if (e.number != vb::err::CancelError) throw;
            cancelled = true;
        }
        const QString chosen = ComnDlgFile.FileName;
        if (!cancelled && !chosen.isEmpty() && vb::NothingAt(chosen)) {
            MsgBox(QStringLiteral("File does not exist: ") + chosen, vb::vbOKOnly, QStringLiteral("File Error"));
            return;
        }
        if (wasOpen) CloseSteps();
        if (cancelled) return;

        if (chosen.isEmpty()) {
            MsgBox(QStringLiteral("Filename cannot be Blank"), vb::vbOKOnly, QStringLiteral("File Error"));
        } else {
            CurrentDBPath = chosen;
            // Temporary files that a run killed while writing left beside the database go.
            vb::RemoveStaleTempFiles(QFileInfo(CurrentDBPath).absolutePath());
        }
        AcceptFile(FileCommand::Open);
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        ReportOpenError(e, QStringLiteral("Ravelstow"), QStringLiteral("the database was not opened."));
        if (!DBOpen) RefuseFile();
    }
}

void frmMain::mnuCloseDB_Click() {
    try {
        if (CurrentDBPath.isEmpty()) {
            MsgBox(QStringLiteral("There Is No Database Currently Opened."), vb::vbOKOnly, QStringLiteral("Open Database"));
            return;
        }
        if (DataInput::instance().EditMode() != 0) {
            MsgBox(QStringLiteral("Data View is in Edit Mode, Please Save Changes, By Pressing Update Key in Edit/View Then "
                                  "Close Database."),
                   vb::vbOKOnly, QStringLiteral("Close Database"));
            return;
        }
        CloseDatabase();
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::NoCurrentRecord) CloseDatabase();
        else vb::ShowErrorPair(e);
    }
}

void frmMain::mnuExit_Click() {
    if (CurrentDBPath.isEmpty()) {
        MDIForm_Unload();
        return;
    }
    DataInput& entry = DataInput::instance();
    if (entry.AtBofOrEof()) {
        MDIForm_Unload();
        return;
    }
    if (entry.EditMode() != 0) {
        MsgBox(QStringLiteral("Data View is in Edit Mode, Please confirm Updates then Exit Program."), vb::vbOKOnly,
               QStringLiteral("Close Database"));
        return;
    }
    CloseDatabase();
    if (!CloseConfirmed) return;
    CreateDatabase::instance().Unload();
    UnloadFileViews();
    frmDtaTransfer::instance().Unload();
    MDIForm_Unload();
}

void frmMain::TabStrip1_Click() {
    const int tab = SelectedTab();
    // One wait for another program's lock, however many statements the views' loads run.
    db::LockWait wait;
    try {
        switch (tab) {
        case 1:
            if (!CurrentDBPath.isEmpty() || DBOpen || CreatingDB || !CloseConfirmed) {
                DataInput& entry = DataInput::instance();
                entry.Show();
                if (DbUndefined) entry.Hide();
                else entry.SetFocus();
                TabStrip1->setEnabled(true);
            } else {
                MsgBox(QStringLiteral("A Database File Is Not Currently Open"), vb::vbOKOnly, QStringLiteral("Open Database"));
            }
            break;
        case 2:
        case 3:
            if (!DBOpen && !CreatingDB) {
                MsgBox(QStringLiteral("A Database File Is Not Currently Open"), vb::vbOKOnly, QStringLiteral("Open Database"));
                break;
            }
            // One record is enough to know: asked on the open connection, whatever the table's size.
            if (DataInput::instance().TableHasRecords()) {
                if (tab == 2) {
                    frmSearch::instance().SetFocus();
                } else {
                    TabStrip1->setEnabled(true);
                    frmReports::instance().SetFocus();
                    TabStrip1->setEnabled(true);
                }
            } else if (tab == 2) {
                MsgBox(QStringLiteral("There are currently no records Entered in the Database.  A Search Cannot Be Performed"),
                       vb::vbOKOnly, QStringLiteral("Search"));
                SelectTab(1);
            } else {
                MsgBox(QStringLiteral("There are currently no records Entered in the Database.  Reports Cannot Be Performed"),
                       vb::vbOKOnly, QStringLiteral("Open Database"));
                SelectTab(1);
            }
            break;
        case 4:
            MsgBox(QStringLiteral("Name Of Current Database: ") + CurrentDBPath, vb::vbOKOnly, QStringLiteral("Database Name"));
            break;
        default: break;
        }
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        const bool search = tab == 2;
        if (e.number == vb::err::InvalidProcCall) {
            MsgBox(QStringLiteral("Change to Tab ") + QString::number(tab), vb::vbOKOnly, QStringLiteral("Incorrect Tab"));
        } else if ((search || tab == 3) &&
                   vb::ShowCause(e, search ? QStringLiteral("the search was not opened.") : QStringLiteral("the reports were not opened."),
                                 search ? QStringLiteral("Search") : QStringLiteral("Reports"))) {
            // The file refused the check (another program's lock): the view was not opened, and
            // the strip stays on the tab the user was on.
            keepTab(tabBefore_);
        } else {
            vb::ShowErrorPair(e);
            MsgBox(QStringLiteral("Change to tab ") + QString::number(tab));
        }
    }
}

void frmMain::mnuImport_Click() { ImportExcelTable(ComnDlgFile); }
