// The search view's run and results: the search button hands the criteria to the engine and
// shows its outcome; the grid's columns, picking a row, the report button and the clear button.
#include "entry/DataInput.h"
#include "entry/EntryWidgets.h"
#include "platform/core/UiServices.h"
#include "platform/db/CauseMessage.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorMap.h"
#include "platform/format/FieldType.h"
#include "reports/frmReports.h"
#include "search/SearchEngine.h"
#include "search/SearchResultModel.h"
#include "search/frmSearch.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "platform/ui/RefusedBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <limits>

namespace {

// The run's error boxes: the number, the description, then the procedure.
void showRunError(const vb::VbError& e) {
    // A lock or a full disk is named; what nobody can name keeps the three boxes.
    if (vb::ShowCause(e, QStringLiteral("the search was not run."), QStringLiteral("Search Results"))) return;
    vb::ShowErrorPair(e);
    vb::MsgBox(QStringLiteral("error in cmdSearch_click Subroutine"));
}

}  // namespace

void frmSearch::cmdSearch_Click() {
    if (!IsLoaded()) return;
    search::Criteria c;
    for (int i = 0; i < LayoutRows; ++i) {
        search::RowCriterion r;
        rowField(i, r.name, r.type);
        r.checked = chfldSrch[size_t(i)]->isChecked();
        r.caption = chfldSrch[size_t(i)]->text();
        r.value = txtSrcFld[size_t(i)]->text();
        r.op = cmbonum[size_t(i)]->currentIndex() >= 0 ? cmbonum[size_t(i)]->currentText() : QString();
        r.trueFalse = cmbSrchTF[size_t(i)]->currentText();
        r.hasRange = RowRange[size_t(i)].set;
        r.from = RowRange[size_t(i)].from;
        r.to = RowRange[size_t(i)].to;
        c.rows.push_back(r);
    }
    c.fieldAnd = AndOption->isChecked();
    c.keyAnd = OptKeyAnd->isChecked();
    for (const auto& box : txtKeySrch) c.keywordBoxes << box->text();
    c.hasNotes = bHasMemo;
    c.memoChecked = chkMemoSrch->isChecked();
    c.memoText = txtmemo->text();
    c.notesFlag = bMemoSrch;
    c.sort = cmboSort->currentText();
    if (cmboSort->currentIndex() > 0) {
        for (int i = 0; i < LayoutRows; ++i) {
            QString name, type;
            if (rowField(i, name, type) && name == c.sort) c.sortType = type;
        }
    }
    c.keyWordCount = Module1::GetKeyWrdCount();

    search::Outcome o;
    try {
        db::Connection conn;
        conn.Open(Module1::DBConnStr);
        o = search::Run(conn, c);
        conn.Close();
    } catch (const vb::VbError& e) {
        showRunError(e);
        return;
    }
    // The options the run decided stay selected.
    if (o.fieldAnd) AndOption->setChecked(true);
    else OrOption->setChecked(true);
    if (o.keyAnd) OptKeyAnd->setChecked(true);
    else OptKeyOr->setChecked(true);
    if (c.memoChecked) bMemoSrch = o.notesOn;

    switch (o.kind) {
    case search::Outcome::Message:
        vb::MsgBox(o.prompt, o.style, o.title);
        if (o.focusRow >= 0 && o.focusRow < kRows) {
            QLineEdit* box = txtSrcFld[size_t(o.focusRow)];
            if (o.clearValue) box->clear();
            if (box->isVisible() && box->isEnabled()) vb::FocusRefused(box);
        }
        return;
    case search::Outcome::Failed:
        // The run rolled back: the previous result, its marks and SrchFlg stand.
        if (o.readOnly) vb::MsgBox(search::readOnlyText());
        else showRunError(o.error);
        return;
    case search::Outcome::Found:
    case search::Outcome::NotFound: break;
    }
    Module1::SrchSQL = o.sql;
    try {
        model_->SetQuery(Module1::DBConnStr, o.sql);
    } catch (const vb::VbError& e) {
        showRunError(e);
        return;
    }
    if (o.kind == search::Outcome::Found) {
        grdSrchRes->show();
        Module1::SrchFlg = true;
        FillGrdColNmes(c.keyWordCount);
    } else {
        vb::MsgBox(o.prompt, o.style, o.title);
        Module1::SrchFlg = false;
        // A grid that was shown stays, now empty; its hidden columns stay hidden.
        if (!grdSrchRes->isHidden()) formatColumns();
    }
}

void frmSearch::FillGrdColNmes(int /*NoKey*/) {
    if (!IsLoaded()) return;
    if (!Module1::SrchFlg) {
        grdSrchRes->hide();
        return;
    }
    if (formatColumns()) grdSrchRes->show();
}

bool frmSearch::formatColumns() {
    try {
        const DBFldFunct& defs = DataInput::instance().DBDefMain().DBFldFunct();
        for (int d = 1; d <= defs.Count(); ++d) {
            const QString name = defs.Item(d).FldName;
            const vb::FieldKind kind = vb::FieldType::parse(defs.Item(d).FldType).kind;
            const int column = model_->ColumnOf(name);
            if (column < 0) continue;
            using D = SearchResultModel::Display;
            if (kind == vb::FieldKind::Integer) model_->SetDisplay(column, D::Integer);
            else if (kind == vb::FieldKind::Double) model_->SetDisplay(column, D::Double);
            else if (kind == vb::FieldKind::DateTime) model_->SetDisplay(column, D::Date);
            else if (kind == vb::FieldKind::Currency) model_->SetDisplay(column, D::Currency);
            else if (kind == vb::FieldKind::Boolean) model_->SetDisplay(column, D::Boolean);
        }
        static const QStringList hidden = {"SrchKey", "SrchInt", "RptFlg", "TolvaneID", "SrchMemo"};
        for (int col = 0; col < model_->columnCount(); ++col)
            grdSrchRes->setColumnHidden(col, hidden.contains(model_->FieldName(col), Qt::CaseInsensitive));
    } catch (const vb::VbError& e) {
        showRunError(e);
        return false;
    }
    return true;
}

void frmSearch::grdSrchRes_Click(int row) {
    if (!IsLoaded() || row < 0 || row >= model_->rowCount()) return;
    const qint64 id = model_->IdAt(row);
    if (id <= 0) return;   // no current record: nothing happens
    if (id > std::numeric_limits<int32_t>::max()) {
        vb::ShowErrorPair(vb::VbError(vb::err::Overflow, vb::describe(vb::err::Overflow)));
        return;
    }
    Module1::SetCurRecID(int32_t(id));
}

void frmSearch::cmdPrtRep_Click() {
    if (!IsLoaded()) return;
    // Only a result with records is handed on: an empty grid after "not found" hands nothing.
    if (!grdSrchRes->isHidden() && model_->rowCount() > 0 && !Module1::SrchSQL.isEmpty()) {
        Module1::SrchFlg = true;
        frmMain::instance().SelectTab(3);
        frmReports::instance().SetFocus();
    } else {
        Module1::SrchFlg = false;
    }
}

void frmSearch::cmdClear_Click() {
    if (!IsLoaded()) return;
    try {
        db::Connection conn;
        conn.Open(Module1::DBConnStr);
        search::ClearMarks(conn);
        conn.Close();
    } catch (const vb::VbError& e) {
        // The marks are reset in one statement: refused, nothing changed.
        if (db::IsReadOnlyError(e)) vb::MsgBox(search::readOnlyText());
        else if (!vb::ShowCause(e, QStringLiteral("the marks were not cleared."), QStringLiteral("Search Results")))
            vb::ShowErrorPair(e);
        return;
    }
    const int n = Module1::CountDescFlds();
    for (int i = 0; i < n && i < kRows; ++i) {
        chfldSrch[size_t(i)]->setChecked(false);
        cmbSrchTF[size_t(i)]->hide();
    }
    for (auto& box : txtKeySrch) box->clear();
    if (bHasMemo) {
        chkMemoSrch->show();
        txtmemo->show();
        txtmemo->setText(QStringLiteral("Search For Text in Notes:"));
        chkMemoSrch->setChecked(false);
    } else {
        chkMemoSrch->hide();
        txtmemo->hide();
    }
    Module1::SrchFlg = false;
    grdSrchRes->hide();
}
