// File > Save As: copies the open database to a new path and opens the copy in its place.
#include "entry/DataInput.h"
#include "platform/fs/DatabaseCopy.h"
#include "platform/fs/FileSystem.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1Views.h"
#include "shell/OpenErrors.h"
#include "shell/frmMain.h"

using namespace Module1;
using vb::MsgBox;

void frmMain::mnDBSaveAs_Click() {
    try {
        if (!DBOpen) {
            MsgBox(QStringLiteral("No database is currently opened."), vb::vbOKOnly, QStringLiteral("Save As Database"));
            return;
        }
        // The copy is made from the file: a record being edited or added would be lost.
        if (DataInput::instance().EditMode() != 0) {
            MsgBox(QStringLiteral("Data View is in Edit Mode, Please Save Changes, By Pressing Update Key in Edit/View Then "
                                  "Save The Database As A New File."),
                   vb::vbOKOnly, QStringLiteral("Save As Database"));
            return;
        }
        ComnDlgFile.CancelError = true;
        ComnDlgFile.DialogTitle = QStringLiteral("Save Database As");
        ComnDlgFile.InitDir = vb::inProgramFolder(QStringLiteral("DBFiles"));
        ComnDlgFile.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files(*.mdb)|*.mdb");
        ComnDlgFile.FilterIndex = 2;
        ComnDlgFile.Flags = vb::cdlOFNHideReadOnly;
        ComnDlgFile.DefaultExt.clear();
        ComnDlgFile.ShowSave();

        // A name typed without an extension is given the database files' own, so Open lists it.
        const QString target = vb::WithExtension(ComnDlgFile.FileName, QStringLiteral("mdb"));
        if (target.isEmpty()) {
            MsgBox(QStringLiteral("Filename cannot be Blank"), vb::vbOKOnly, QStringLiteral("File Error"));
            return;
        }
        if (vb::SamePath(target, CurrentDBPath)) {
            MsgBox(QStringLiteral("Save To A Different Name"), vb::vbOKOnly, QStringLiteral("Save As Database."));
            return;
        }
        if (vb::FileExists(target)) {
            if (MsgBox(QStringLiteral("Database already exists. Replace existing database?"), vb::vbOKCancel,
                       QStringLiteral("Database Exists")) == vb::vbCancel)
                return;
        }
        // The copy is written beside the target and replaces it only once complete; a target that
        // cannot be written is named before anything is copied.
        vb::CopyDatabase(CurrentDBPath, target);

        SilentClose = true;
        try {
            CloseDatabase();
        } catch (...) {
            SilentClose = false;
            throw;
        }
        SilentClose = false;

        CurrentDBPath = target;
        AcceptFile(FileCommand::SaveAs);
    } catch (const vb::VbError& e) {
        ReportOpenError(e, QStringLiteral("Save As Database"), QStringLiteral("the database was not saved."));
    }
}
