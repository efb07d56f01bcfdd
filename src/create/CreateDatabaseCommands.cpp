// The definition form's Create command: checks the definition, asks for the file, deals with a
// file that stands at that path, has the builder write the new file and opens it at once.
#include "create/CreateDatabase.h"
#include "create/DatabaseBuilder.h"
#include "entry/DataInput.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/format/VbConvert.h"
#include "platform/db/CauseMessage.h"
#include "platform/fs/FileErrors.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"
#include "platform/ui/RefusedBox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabBar>
#include <algorithm>
#include <optional>

using namespace Module1;
using vb::MsgBox;

void CreateDatabase::CreateDatabases(const QString& sNewFileName) {
    Load();
    DatabaseDefinition def;
    def.noFieldsText = txtNoFields->text();
    for (int i = 1; i <= kRows; ++i)
        def.rows.append(DbFieldRow{Text3[i]->text(), Combo1[i]->currentText(), cmbDec[i]->currentText()});
    def.bMemo = bMemo;
    def.keyWordsText = txtKeyWrds->text();
    def.bUserSec = bUserSec;
    def.firstAccount = bUserSec;
    const DatabaseBuildResult result = BuildDatabase(sNewFileName, def);
    NoFields = result.NoFields;
    bCreateFailed = result.bCreateFailed;
}

void CreateDatabase::CmdCreate_Click() {
    Load();
    // A database may still be open when the form is used again behind its entry view: it must
    // come through a refused or failed create unchanged.
    const bool wasOpen = DBOpen;
    const QString openPath = CurrentDBPath;
    const QString openConnStr = DBConnStr;
    std::optional<vb::ReplacingFile> out;   // the file being built, until it takes its place
    bool created = false;
    struct KeepOpenDatabase {
        const bool& created;
        bool wasOpen;
        QString path, connStr;
        ~KeepOpenDatabase() {
            if (wasOpen && !created) {
                CurrentDBPath = path;
                DBConnStr = connStr;
            }
        }
    } keep{created, wasOpen, openPath, openConnStr};
    try {
        // The counts and names.
        const QString count = txtNoFields->text();
        if (count == QLatin1String("0") || count.isEmpty()) {
            MsgBox(QStringLiteral("Number of description fields cannot be 0, please enter a number between 1-20, or cancel"));
            return;
        }
        const int n = std::min<int>(vb::CInt(count), kRows);
        int blanks = 0;
        for (int i = 1; i <= n; ++i)
            if (Text3[i]->text().isEmpty()) ++blanks;
        if (blanks >= 1) {
            MsgBox(QStringLiteral("Description Field Names Cannot be blank"));
            return;
        }
        if (txtKeyWrds->text().isEmpty()) txtKeyWrds->setText(QStringLiteral("0"));
        if (vb::CInt(txtKeyWrds->text()) > 20) {
            MsgBox(QStringLiteral("Enter number of keywords between 0-20."), vb::vbOKOnly, QStringLiteral("Keyword Definition"));
            vb::FocusRefused(txtKeyWrds);
            return;
        }

        // The file.
        const QString dbFiles = vb::inProgramFolder(QStringLiteral("DBFiles"));
        QDir().mkpath(dbFiles);
        DlgDB.CancelError = true;
        DlgDB.Flags = vb::cdlOFNHideReadOnly;
        DlgDB.DialogTitle = QStringLiteral("Create New Database");
        DlgDB.InitDir = dbFiles;
        DlgDB.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files") + QStringLiteral("(*.mdb)|*.mdb");
        DlgDB.FilterIndex = 2;
        DlgDB.ShowSave();
        // A name typed without an extension is given the database files' own, so Open lists it.
        const QString path = vb::WithExtension(DlgDB.FileName, QStringLiteral("mdb"));
        if (path.isEmpty()) {
            MsgBox(QStringLiteral("Please enter a filename or cancel from routine"));
            return;
        }
        if (wasOpen && (vb::SameFile(path, openPath) || vb::SameFile(path, db::Connection::DataSourceOf(openConnStr)))) {
            MsgBox(QStringLiteral("This Database Is Open And Cannot Be Overwritten, Please Choose Another Filename"),
                   vb::vbOKOnly, QStringLiteral("Database already Exists."));
            return;
        }
        CurrentDBPath = path;

        // A file of that name is replaced only when it is a database of this program and the user
        // agrees; it stays in place until the new file is complete.
        if (QFileInfo(path).isFile()) {
            if (MsgBox(QStringLiteral("Overwrite Database?"), vb::vbOKCancel, QStringLiteral("Database already Exists.")) ==
                vb::vbCancel)
                return;
            BuildConnStr();
            {
                db::Connection conn;
                conn.Open(DBConnStr);
                db::Recordset rs;
                rs.Open(QStringLiteral("SELECT * FROM UserTable"), conn, db::adOpenKeyset, db::adLockBatchOptimistic);
                if (rs.RecordCount() > 0 &&
                    MsgBox(QStringLiteral("Overwrite Database?"), vb::vbOKCancel, QStringLiteral("Database Contains Records.")) ==
                        vb::vbCancel) {
                    rs.Close();
                    conn.Close();
                    return;
                }
                rs.Close();
                if (conn.IsOpen()) conn.Close();
            }
            vb::RequireReplaceable(path);
        }

        // The build: the whole file, its first account included, is made under a temporary name
        // and takes its place only when complete.
        out.emplace(path);
        CreateDatabases(out->libraryPath());
        if (bCreateFailed) {
            out.reset();
            CmdCancel_Click();
            return;
        }
        out->commit();
        created = true;

        // The new file is the open database.
        if (wasOpen) {
            // The views still show the database that was open; they are rebuilt from the new one.
            UnloadFileViews();
        }
        BuildConnStr();
        DBOpen = true;
        DbUndefined = false;
        // The creator works in the new file as its supervisor from the view's first showing on,
        // whatever the account signed in to the file open before.
        SecurityOn = bUserSec;
        SetCurrentUser(QStringLiteral("Admin"));
        SetCurrentUserLevel(QStringLiteral("SUPRVR"));
        frmMain* main = frmMain::existing();
        if (main) {
            main->SetTabCaption(4, CurrentDBPath);
            main->TabStrip1->setEnabled(true);
            main->SelectTab(1);
        }
        if (bUserSec) {
            // The first account was written with the tables, before the file took its place.
            SetCurrentUser(QStringLiteral("Admin"));
            SetCurrentUserLevel(QStringLiteral("SUPRVR"));
            AddUserMode = false;
            DataInput::instance().SetVisible(true);
            if (main) main->SetMenuVisible(frmMain::Menu::UserMaint, true);
        } else {
            bUserSec = false;
            SetCurrentUser(QStringLiteral("Admin"));
            SetCurrentUserLevel(QStringLiteral("SUPRVR"));
            if (main) main->SetMenuVisible(frmMain::Menu::UserMaint, false);
        }
        // An open database always offers the colour commands, as after opening a file.
        if (main) main->SetMenuVisible(frmMain::Menu::ScrConfig, true);
        DataInput::instance().SetFocus();
    } catch (const vb::VbError& e) {
        out.reset();
        if (e.number == vb::err::CancelError) {
            // The dialog was cancelled: nothing has changed.
        } else if (db::causeOf(e) == db::Cause::Locked || e.fileCause == int(vb::FileCause::Locked) ||
                   (e.number == vb::err::PermissionDenied && e.fileCause < 0)) {
            bCreateFailed = true;
            MsgBox(QStringLiteral("Permission Denied, Database is locked by Program, Please Rename"));
        } else if (!vb::ShowCause(e, QStringLiteral("the database was not created."), QStringLiteral("Create New Database Error"))) {
            vb::ShowErrorPair(e);
        }
    } catch (const std::exception& e) {
        vb::ShowUnexpectedError(e);
    }
}
