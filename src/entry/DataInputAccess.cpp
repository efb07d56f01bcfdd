// What the signed-in user may touch, where the view stands when it comes to the front, and its
// colours.
#include "entry/DataInput.h"

#include "platform/core/Colors.h"
#include "platform/ui/WidgetColors.h"
#include "search/frmSearch.h"
#include "shell/Module1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void DataInput::SetVisible(bool& blnStatus) {
    Load();
    // Only the exact supervisor level has the supervisor's rights; any other level is restricted.
    if (!SupervisorRights()) {
        for (int i : {0, 1, 3, 4}) cmdAction[size_t(i)]->setEnabled(blnStatus);
        // Browsing only: the boxes, and the editors that write into them, stay disabled while the
        // view is loaded.
        for (int i = 1; i <= kRows; ++i) {
            flddata[size_t(i)]->setEnabled(false);
            if (CmboTF[size_t(i)]) CmboTF[size_t(i)]->setEnabled(false);
            if (chkDteTme[size_t(i)]) chkDteTme[size_t(i)]->setEnabled(false);
        }
        for (int i = 1; i <= kRows; ++i) Keywrd[size_t(i)]->setEnabled(false);
    } else {
        // A record set that could not be opened holds no records.
        if (!adoUserTbl.IsOpen() || adoUserTbl.Recordset().RecordCount() == 0) blnStatus = false;
        for (int i = 0; i < 4; ++i) cmdNegotiate[size_t(i)]->setEnabled(blnStatus);
        cmdAction[1]->setEnabled(blnStatus);
        cmdAction[4]->setEnabled(blnStatus);
    }
}

void DataInput::applyFormColours() {
    const uint32_t back = uint32_t(vb::colourFromText(strFrmClr));
    vb::SetBackColor(Widget(), back);
    vb::SetBackColor(Frame1, back);
    vb::SetForeColor(Frame1, uint32_t(vb::colourFromText(strTxtClr)));
}

void DataInput::Form_Activate() {
    try {
        // 1-3. Colours, place and size.
        strFrmClr = Module1::GetFrmColor();
        strTxtClr = Module1::GetTextColor();
        applyFormColours();
        placeWindow(0, 0, 16890, 10745);
        // A load that failed left no record set: there is nothing to show or move.
        if (!adoUserTbl.IsOpen()) return;
        db::Recordset& rs = adoUserTbl.Recordset();

        // 4. Access. While a record is being added the buttons Add turned off stay off.
        if (bAddingRec) {
            SetVisible(false);
        } else if (Module1::SecurityOn) {
            if (!SupervisorRights()) SetVisible(false);
        } else {
            SetVisible(rs.RecordCount() > 0);
        }

        // 5. Back on the record. A record being added or edited is not read again: that would
        // drop the user's change. The records are read again only when the file changed since
        // they were read (not when the view comes up on the records its load just read).
        if (EditMode() != 0) return;
        if (rs.RecordCount() > 0) {
            const bool reread = !rs.KeysCurrent();
            if (Module1::CurRecID == 0) {
                Module1::RecBookmark = rs.Bookmark();
                if (reread) adoUserTbl.Refresh();
                rs.SetBookmark(Module1::RecBookmark);
            } else {
                Module1::RecBookmark = rs.Bookmark();
                if (reread) adoUserTbl.Refresh();
                rs.Find(QStringLiteral("TolvaneID = ") + QString::number(Module1::CurRecID) + QStringLiteral(" "), 0, true);
                Module1::RecBookmark = rs.Bookmark();
                rs.SetBookmark(Module1::RecBookmark);
            }
        }
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::NoCurrentRecord) {
            vb::MsgBox(QStringLiteral("This Record Has Been Deleted."), vb::vbOKOnly, QStringLiteral("Deletion"));
            try {
                adoUserTbl.Refresh();
                // An emptied table has no record to keep.
                if (adoUserTbl.Recordset().RecordCount() > 0) Module1::RecBookmark = adoUserTbl.Recordset().Bookmark();
            } catch (const vb::VbError& inner) {
                vb::ShowErrorPair(inner);
            }
            frmSearch& search = frmSearch::instance();
            if (search.ResultsVisible()) vb::RunTrapped([&search] { search.cmdSearch_Click(); });
        } else {
            vb::ShowErrorPair(e);
        }
    }
}

QListWidget* DataInput::KeywordListBox() { return lstKeywrd; }

void DataInput::UpdateFrmClr() {
    strFrmClr = Module1::GetFrmColor();
    strTxtClr = Module1::GetTextColor();
    // A view that is not loaded takes the colours when it loads.
    if (!IsLoaded()) return;
    const uint32_t back = uint32_t(vb::colourFromText(strFrmClr));
    vb::SetBackColor(Widget(), back);
    vb::SetBackColor(Frame1, back);
    const uint32_t fore = uint32_t(vb::colourFromText(strTxtClr));
    vb::SetForeColor(Frame1, fore);
    const int n = Module1::CountDescFlds();
    if (n > 0) {
        for (int i = 1; i <= std::min(n, int(kRows)); ++i) {
            vb::SetBackColor(Label1[size_t(i)], back);
            vb::SetForeColor(Label1[size_t(i)], fore);
        }
        vb::SetBackColor(lblNote, back);
        vb::SetForeColor(lblNote, fore);
        vb::SetBackColor(PicNote, back);
        vb::SetBackColor(LblKeyWrd, back);
        vb::SetForeColor(LblKeyWrd, fore);
    }
}
