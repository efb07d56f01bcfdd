// The reports view's "Generate Database" button: the output database export.
#include "platform/core/UiServices.h"
#include "platform/db/Connection.h"
#include "platform/db/CauseMessage.h"
#include "platform/fs/FileErrors.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/paths/AppPaths.h"
#include "reports/AssocDatabase.h"
#include "reports/ExportCommands.h"
#include "reports/ExportTexts.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/frmReports.h"
#include "shell/Module1.h"

#include <QApplication>
#include <QFile>
#include <QToolButton>

namespace reports {

namespace {

struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { restore(); }
    void restore() {
        if (on) QApplication::restoreOverrideCursor();
        on = false;
    }
    bool on = true;
};

// The records of an existing file's UserTable; errors (not a database, no UserTable) go to the caller.
qint64 existingRecords(const QString& path) {
    db::Connection conn;
    conn.Open(path);
    return conn.RowCount(QStringLiteral("UserTable"));
}

}  // namespace

void RunDatabaseExport(const ReportChoices& v, vb::CommonDialog& rptDialog) {
    using namespace Module1;
    QString path;
    try {
        frmGenDB::instance().ShowModal();
        if (!bExpDBApply) return;
        const bool all = !bExpDBUsrFlds;
        if (bExpDBUsrFlds) {
            if (v.columns.empty()) {
                vb::MsgBox(texts::kDbNoFieldBuild, vb::vbOKOnly, QStringLiteral("Reports"));
                return;
            }
        } else if (!bExpDBAllFlds) {
            return;
        }

        rptDialog.CancelError = true;
        rptDialog.Flags = vb::cdlOFNHideReadOnly;
        rptDialog.DialogTitle = QStringLiteral("Create Output Database");
        rptDialog.InitDir = vb::inProgramFolder(QStringLiteral("DBFiles"));
        if (all) rptDialog.FileName.clear();
        rptDialog.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files") + QStringLiteral("(*.mdb)|*.mdb");
        rptDialog.FilterIndex = 2;
        rptDialog.ShowSave();
        path = vb::WithExtension(rptDialog.FileName, QStringLiteral("mdb"));

        // The open database is never the target, whatever spelling or link names it.
        if (vb::SamePath(path, CurrentDBPath)) {
            vb::MsgBox(texts::kCannotOverwriteCurrent, vb::vbOKOnly, QStringLiteral("Database"));
            return;
        }
        if (vb::FileExists(path)) {
            if (vb::MsgBox(texts::kOverwrite, vb::vbOKCancel, texts::kOverwriteTitle) == vb::vbCancel) return;
            if (existingRecords(path) > 0 &&
                vb::MsgBox(texts::kHasRecords, vb::vbOKCancel, texts::kHasRecordsTitle) == vb::vbCancel)
                return;
            vb::RequireWritableTarget(path);
        }

        AssocSpec spec;
        const bool notes = all ? v.hasNotes : v.inclNotes;
        spec.rows = specFor(DescriptionFields(), v, all, notes, SrchFlg);
        spec.hasNotes = v.hasNotes;
        spec.keywords = GetKeyWrdCount();

        // The new file is built and filled beside the target, and replaces it only when complete:
        // until then an existing file stays as it was.
        BusyPointer busy;
        vb::ReplacingFile out(path);
        const QString temp = out.libraryPath();
        try {
            CreateAssocDB(temp, spec);
        } catch (const vb::VbError& e) {
            busy.restore();
            vb::MsgBox(QStringLiteral(" Error No. ") + QString::number(e.number) + QStringLiteral(" \r\n") + e.description,
                       vb::vbCritical | vb::vbOKOnly, QStringLiteral("Create New Database Error"));
            return;
        }
        try {
            db::Connection conn;
            conn.Open(DBConnStr);
            TransferRecords(conn, temp, spec);
        } catch (const vb::VbError& e) {
            busy.restore();
            // A cause the user can act on (a lock, a full disk, ...) is named; it is not the reserved words.
            if (vb::ShowCause(e, QStringLiteral("the output database was not made."), texts::kRecordFailureTitle)) return;
            if (e.number == vb::err::DB_E_ERRORSINCOMMAND) vb::MsgBox(e.description, vb::vbOKOnly, QStringLiteral("Ravelstow"));
            else vb::ShowErrorPair(e);
            vb::MsgBox(texts::recordFailure(path), vb::vbOKOnly, texts::kRecordFailureTitle);
            return;
        }
        out.commit();
        busy.restore();
        vb::MsgBox(texts::created(path), vb::vbOKOnly, texts::kCreatedTitle);
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::CancelError) return;
        if (e.number == vb::err::PermissionDenied && (e.fileCause < 0 || e.fileCause == int(vb::FileCause::Locked))) {
            vb::MsgBox(texts::permissionDenied(path), vb::vbOKOnly, QStringLiteral("DATABASE ERROR"));
            return;
        }
        if (!vb::ShowCause(e, QStringLiteral("the output database was not made."), QStringLiteral("DATABASE ERROR"))) vb::ShowErrorPair(e);
    } catch (const std::exception& e) {
        vb::ShowUnexpectedError(e);
    }
}

}  // namespace reports

void frmReports::OptExpDB_Click() {
    OptExpDB->setChecked(true);
    reports::RunDatabaseExport(Choices(), rptDialog);
    if (OptExpDB) OptExpDB->setChecked(false);
}
