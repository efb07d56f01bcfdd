// Navigation through the records, the record counter, and the bound boxes following the current
// row.
#include "entry/DataInput.h"

#include "platform/db/LockWait.h"
#include "platform/db/YesNo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

void DataInput::cmdNegotiate_Click(int Index) {
    db::LockWait wait;
    try {
        db::Recordset& rs = adoUserTbl.Recordset();
        // What the user typed goes to the row first; the move stores it.
        PushBoundBoxes();
        switch (Index) {
        case 0: rs.MoveFirst(); break;
        case 1:
            rs.MovePrevious();
            if (rs.Bof()) rs.MoveFirst();
            break;
        case 2:
            rs.MoveNext();
            if (rs.Eof()) rs.MoveLast();
            break;
        case 3: rs.MoveLast(); break;
        default: break;
        }
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        using namespace vb::err;
        auto recover = [](auto&& step) {
            try {
                step();
            } catch (const vb::VbError& inner) {
                vb::ShowErrorPair(inner);
            }
        };
        if (e.number == NoCurrentRecord) {
            vb::MsgBox(QStringLiteral("A Record Needs to be located before proceeding"));
        } else if (e.number == DB_E_NOTABLE) {
            recover([this] {
                db::Recordset& rs = adoUserTbl.Recordset();
                varBookmark = rs.Bookmark();
                rs.Requery();
                rs.SetBookmark(varBookmark);
            });
        } else if (e.number == DB_E_CANCELED) {
            recover([this] {
                db::Recordset& rs = adoUserTbl.Recordset();
                varBookmark = rs.Bookmark();
                rs.MoveNext();
                rs.Requery();
                rs.SetBookmark(varBookmark);
            });
        } else if (e.number == DB_E_ERRORSOCCURRED) {
            showSaveRefused(e);
        } else if (const bool unsaved = adoUserTbl.IsOpen() && adoUserTbl.Recordset().EditMode() != db::adEditNone;
                   e.number == E_FAIL_ && !refusalText(e, {}).isEmpty()) {
            // The edit the move stores first was refused (it stays in the view), or the row could
            // not be read: the view stays on the one it shows.
            vb::MsgBox(refusalText(e, unsaved ? QStringLiteral("Record was not saved.") : QStringLiteral("the record was not shown.")),
                       vb::vbOKOnly, unsaved ? QStringLiteral("Save Changes") : QStringLiteral("Ravelstow"));
        } else {
            vb::ShowErrorPair(e);
        }
    }
}

void DataInput::adoUserTbl_MoveComplete() {
    try {
        if (!IsLoaded() || !adoUserTbl.IsOpen()) return;
        db::Recordset& rs = adoUserTbl.Recordset();
        if (rs.RecordCount() > 0) {
            lblRecord->setText(QStringLiteral("Record: ") + QString::number(rs.AbsolutePosition()) + QStringLiteral(" of ") +
                               QString::number(rs.RecordCount()));
        } else {
            lblRecord->setText(QStringLiteral("No Records Available"));
            bool status = false;
            SetVisible(status);
            lstKeywrd->clear();
        }
        ShowCurrentRecord();
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}

void DataInput::ShowCurrentRecord() {
    if (!IsLoaded()) return;
    db::Recordset* rs = adoUserTbl.IsOpen() ? &adoUserTbl.Recordset() : nullptr;
    for (const auto& b : bound_)
        if (b->Alive()) b->Show(rs);
    showTrueFalseCombos();
}

void DataInput::showTrueFalseCombos() {
    // Each combo shows what its box holds (blank for a Null), without counting as a choice.
    for (int k = 0; k < intTFCount; ++k) {
        const int i = intTFFlds[size_t(k)];
        if (i < 1 || i > kRows || !CmboTF[size_t(i)] || !flddata[size_t(i)]) continue;
        const auto b = db::readYesNo(QStringView(flddata[size_t(i)]->text()));
        const int index = b ? (*b ? 1 : 0) : -1;
        const QSignalBlocker block(CmboTF[size_t(i)]);
        CmboTF[size_t(i)]->setCurrentIndex(index);
    }
}
