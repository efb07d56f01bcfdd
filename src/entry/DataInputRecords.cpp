// The record commands of the entry view: add or cancel, delete, save and reset, with the answers
// to the data errors they meet.
#include "entry/DataInput.h"

#include "platform/db/CauseMessage.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/LockWait.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <algorithm>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

namespace {

void setTabStripEnabled(bool enabled) {
    if (frmMain* main = frmMain::existing(); main && main->TabStrip1) main->TabStrip1->setEnabled(enabled);
}

// A step of an error handler's recovery: an error in it is reported and the handler goes on.
template <typename F>
void recover(F&& step) {
    try {
        step();
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    } catch (const std::exception& e) {
        vb::ShowUnexpectedError(e);
    }
}

}  // namespace

void DataInput::setAddMode(bool adding) {
    if (cmdAdd) cmdAdd->setText(adding ? kCancelCaption : kAddCaption);
    if (cmdAction[0]) cmdAction[0]->setIcon(QIcon(adding ? strCancelIcon : strAddIcon));
}

void DataInput::browsingTail() {
    setAddMode(false);
    bAddingRec = false;
    SetVisible(true);
    setTabStripEnabled(true);
}

void DataInput::focusFirstFieldBox() {
    // The first row may be hidden (a keyword-named field, a column of no known type) or disabled.
    for (int i = 1; i <= kRows; ++i) {
        QLineEdit* box = flddata[size_t(i)];
        if (box && !box->isHidden() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            if (gate_) gate_->SetPending(box);
            return;
        }
    }
}

void DataInput::showSaveRefused(const vb::VbError& e) {
    vb::MsgBox(QStringLiteral("The record could not be saved: ") + e.description, vb::vbOKOnly,
               QStringLiteral("Save Changes"));
}

void DataInput::cmdAction_Click(int Index) {
    strCancelIcon = QDir(vb::resourceFolder()).filePath(QStringLiteral("res/Cancel2.ico"));
    strAddIcon = QDir(vb::resourceFolder()).filePath(QStringLiteral("res/Add3.ico"));
    // Under another program's lock the command waits once, not once per statement.
    db::LockWait wait;
    try {
        Load();
        const int n = Module1::CountDescFlds();
        db::Recordset& rs = adoUserTbl.Recordset();
        auto resetTrueFalse = [this] {
            for (int k = 0; k < intTFCount; ++k) {
                const int i = intTFFlds[size_t(k)];
                if (i < 1 || i > kRows || !CmboTF[size_t(i)]) continue;
                CmboTF[size_t(i)]->setCurrentIndex(0);
                CmboTF_Click(i);
                flddata[size_t(i)]->setText(QStringLiteral("FALSE"));
            }
        };

        switch (Index) {
        case 0:
            if (cmdAdd->text() == kAddCaption) {
                // Add. A change typed into the shown record is stored first, as a move stores it.
                PushBoundBoxes();
                if (rs.RecordCount() > 0) {
                    varBookmark = rs.Bookmark();
                    if (varBookmark > 0) {
                        rs.MoveLast();
                        varBookmark = rs.Bookmark();
                    }
                    bAddingRec = true;
                    rs.AddNew();
                    focusFirstFieldBox();
                    setAddMode(true);
                    SetVisible(false);
                    setTabStripEnabled(false);
                    resetTrueFalse();
                } else {
                    bAddingRec = true;
                    rs.AddNew();
                    varBookmark = rs.Bookmark();
                    focusFirstFieldBox();
                    setAddMode(true);
                    resetTrueFalse();
                    SetVisible(false);
                }
            } else {
                // Cancel.
                rs.CancelUpdate();
                ShowCurrentRecord();
                if (rs.RecordCount() > 0) {
                    if (varBookmark > 0) rs.SetBookmark(varBookmark);
                    else rs.MoveFirst();
                }
                browsingTail();
            }
            break;

        case 1: {
            // Delete.
            const int answer = vb::MsgBox(QStringLiteral("Are you sure you want to delete this record? ") + QStringLiteral("\r\n"),
                                          vb::vbYesNo | vb::vbCritical | vb::vbDefaultButton2,
                                          QStringLiteral("Record Deletion"));
            if (answer != vb::vbYes) return;
            if (EditMode() == 0) {
                // The set drops the deleted row itself; its keys are not read again.
                rs.Delete();
                rs.MoveNext();
                rs.MoveLast();
                if (rs.RecordCount() > 0 && rs.Eof()) rs.MoveLast();
            } else {
                vb::MsgBox(QStringLiteral("Must update or refresh record before deleting!"));
            }
            break;
        }

        case 3:
            // Save.
            PushBoundBoxes();
            if (bAddingRec) {
                int filled = 0;
                for (int i = 1; i <= std::min(n, int(kRows)); ++i)
                    if (flddata[size_t(i)] && !flddata[size_t(i)]->text().isEmpty()) ++filled;
                if (filled == 0) {
                    vb::MsgBox(QStringLiteral("Enter information in at least one field, before updating record."),
                               vb::vbOKOnly, QStringLiteral("Data Entry"));
                    rs.CancelUpdate();
                    ShowCurrentRecord();
                    varBookmark = rs.Bookmark();
                    rs.Requery();
                    rs.SetBookmark(varBookmark);
                    browsingTail();
                    return;
                }
            }
            {
                // A new record and an edited one are stored alike.
                const qint64 b = rs.Bookmark();
                if (bHasMemo) rs.Fields(QStringLiteral("SrchMemo")).SetValue(0);
                rs.Update();
                varBookmark = b;
                if (varBookmark > 0) rs.SetBookmark(varBookmark);
                else rs.MoveLast();
                browsingTail();
            }
            break;

        case 4:
            // Reset: the table is read again (changes not saved are dropped) and the view returns
            // to its record.
            varBookmark = rs.Bookmark();
            adoUserTbl.Refresh();
            if (varBookmark > 0) rs.SetBookmark(varBookmark);
            else rs.MoveLast();
            // Other users' changes come in with the table: the keyword list is read again too.
            if (intKeyCount > 0) RefreshKeyList();
            break;

        default: break;
        }
        // The keyword list follows each stored row by itself (adoUserTbl_RowWritten).
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        handleActionError(e, Index);
    } catch (const std::exception& e) {
        db::LockWait::Settle();
        vb::ShowUnexpectedError(e);
        recover([this] { browsingTail(); });
    }
}

QString DataInput::refusalText(const vb::VbError& e, const QString& outcome) {
    const db::Cause cause = db::causeOf(e);
    return cause == db::Cause::Missing ? QString() : vb::DatabaseCauseMessage(cause, outcome);
}

bool DataInput::shownRecordDeleted() {
    if (!adoUserTbl.IsOpen()) return false;
    db::Recordset& rs = adoUserTbl.Recordset();
    if (rs.Bof() || rs.Eof()) return false;
    try {
        (void)rs.Fields(0).Value();
        return false;
    } catch (const vb::VbError& e) {
        if (e.number != vb::err::NoCurrentRecord) throw;
    }
    return true;
}

void DataInput::dropDeletedRecord() {
    if (!shownRecordDeleted()) return;
    db::Recordset& rs = adoUserTbl.Recordset();
    // Another user deleted it: the view reads the table again and stands where the record was.
    const qint64 at = rs.AbsolutePosition();
    rs.Requery();
    const qint64 count = rs.RecordCount();
    if (count > 1 && at > 1) rs.Move(std::min(at, count) - 1);
}

void DataInput::handleActionError(const vb::VbError& e, int Index) {
    using namespace vb::err;
    auto cancelChange = [this] {
        if (!adoUserTbl.IsOpen()) return;
        adoUserTbl.Recordset().CancelUpdate();
        ShowCurrentRecord();
    };
    switch (e.number) {
    case NoCurrentRecord:
        vb::MsgBox(QStringLiteral("Ravelstow cannot locate a record.  Create a record by clicking Add."), vb::vbOKOnly,
                   QStringLiteral("Save Changes"));
        break;
    case E_FAIL_:
        // The file refused the write (locked, read-only, full, damaged): the cause is named. The
        // general failure without such a cause is the empty record's.
        if (const QString refusal = refusalText(e, Index == 1 ? QStringLiteral("Record was not deleted.")
                                                              : QStringLiteral("Record was not saved."));
            !refusal.isEmpty())
            vb::MsgBox(refusal, vb::vbOKOnly, Index == 1 ? QStringLiteral("Record Deletion") : QStringLiteral("Save Changes"));
        else
            vb::MsgBox(QStringLiteral("A record must be added, Either Enter Data or Cancel Record Add"), vb::vbOKOnly,
                       QStringLiteral("Save Changes"));
        // The new record is still pending: the view stays in add mode, so that Save can be tried
        // again or the add cancelled.
        if (bAddingRec && adoUserTbl.IsOpen() && adoUserTbl.Recordset().EditMode() == db::adEditAdd) return;
        break;
    case DB_E_NOTABLE:
        recover([this] {
            db::Recordset& rs = adoUserTbl.Recordset();
            varBookmark = rs.Bookmark();
            rs.Requery();
            rs.SetBookmark(varBookmark);
        });
        break;
    case DB_E_CANCELED:
    case DB_E_BADBOOKMARK:
        recover(cancelChange);
        break;
    case DB_E_ERRORSOCCURRED:
        // A value the column refuses: the user's input and the pending record stay, to be corrected.
        showSaveRefused(e);
        return;
    case DB_E_CONCURRENCYVIOLATION: {
        // Another copy of the program changed the record since it was shown: what this user typed
        // stays, to be saved over the other change or dropped by Reset Changes.
        bool gone = Index == 1;
        if (!gone) recover([&] { gone = shownRecordDeleted(); });
        if (!gone) {
            vb::MsgBox(QStringLiteral("Another user changed this record since it was shown. Save again to keep your "
                                      "changes, or Reset Changes to see theirs."),
                       vb::vbOKOnly, QStringLiteral("Save Changes"));
            break;
        }
        vb::MsgBox(QStringLiteral("Another user deleted this record since it was shown."), vb::vbOKOnly,
                   Index == 1 ? QStringLiteral("Record Deletion") : QStringLiteral("Save Changes"));
        recover(cancelChange);
        recover([this] { dropDeletedRecord(); });
        break;
    }
    default:
        vb::ShowErrorPair(e);
        recover(cancelChange);
        break;
    }
    recover([this] { browsingTail(); });
}
