// The one way a file becomes the open database (Open, Save As) or is refused.
#include "accounts/frmLogin.h"
#include "entry/DataInput.h"
#include "platform/db/LockWait.h"
#include "shell/Module1Views.h"
#include "shell/OpenErrors.h"
#include "shell/frmMain.h"

#include <QTabBar>

using namespace Module1;

void frmMain::AcceptFile(FileCommand command) {
    const bool opening = command == FileCommand::Open;
    try {
        SetTabCaption(4, CurrentDBPath);
        TabStrip1->setEnabled(true);
        if (!CheckDBStructure() || !HasRequiredColumns()) {
            vb::MsgBox(QStringLiteral("Please Open A Ravelstow Database"), vb::vbOKOnly, QStringLiteral("Database Structure"));
            RefuseFile();
            return;
        }
        // Views still loaded were loaded on a file that was refused or failed: the file starts from
        // fresh views, as at start-up.
        UnloadFileViews();
        // A cancelled login leaves nothing open, whether or not a database was open before.
        if (SecurityOn && !frmLogin::instance().Run()) {
            RefuseFile();
            return;
        }
        SetMenuVisible(Menu::UserMaint, SecurityOn);
        SetMenuVisible(Menu::ScrConfig, true);
        if (!SecurityOn) {
            SetCurrentUser(QStringLiteral("Admin"));
            SetCurrentUserLevel(QStringLiteral("SUPRVR"));
        }
        DBOpen = true;
        DbUndefined = false;
        BuildConnStr();
        DataInput& entry = DataInput::instance();
        if (opening) {
            SelectTab(1);
            entry.SetFocus();
        } else {
            entry.Show();   // Save As leaves the tab strip as it is
        }
        // Damage the check did not reach stopped the view's load, which named it: the file is
        // refused as the check refuses one.
        if (entry.LoadFailed()) RefuseFile();
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        if (opening) ReportOpenError(e, QStringLiteral("Ravelstow"), QStringLiteral("the database was not opened."));
        else ReportOpenError(e, QStringLiteral("Save As Database"), QStringLiteral("the database was not saved."));
        if (!DBOpen) RefuseFile();
    }
}

void frmMain::RefuseFile() {
    // A refused file leaves nothing open, as when no file was chosen at all.
    CurrentDBPath.clear();
    DBConnStr.clear();
    DBOpen = false;
    SecurityOn = false;
    SetTabCaption(4, QString());
    UnloadFileViews();
    SetMenuVisible(Menu::UserMaint, false);
    SetMenuVisible(Menu::ScrConfig, false);
    TabStrip1->setEnabled(false);
}
