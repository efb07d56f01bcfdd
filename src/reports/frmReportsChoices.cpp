// The reports view's choices: the field slots and their labels, the notes option, the record
// source, the report font, and the snapshot the outputs read.
#include "entry/DataInput.h"
#include "reports/ExportCommands.h"
#include "reports/frmReports.h"
#include "shell/Module1.h"
#include "platform/ui/RefusedBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {
// A search result the reports can use: the flag, and the search's final SELECT still stored.
bool searchResultPresent() { return Module1::SrchFlg && !Module1::SrchSQL.trimmed().isEmpty(); }
}  // namespace

QList<reports::ExportField> reports::DescriptionFields() {
    QList<ExportField> out;
    const DBFldFunct& list = DataInput::instance().DBDefMain().DBFldFunct();
    const int n = Module1::CountDescFlds();
    for (int i = 1; i <= n && i <= list.Count(); ++i) out << ExportField{list.Item(i).FldName, list.Item(i).FldType};
    return out;
}

const DBFlds* frmReports::SlotField(int k) const {
    const int entry = SlotEntry(k);
    if (entry <= 0) return nullptr;
    const DBFldFunct& fields = DataInput::instance().DBDefMain().DBFldFunct();
    return entry <= fields.Count() ? &fields.Item(entry) : nullptr;
}

int frmReports::SlotEntry(int k) const { return k >= 1 && k < int(slotEntry_.size()) ? slotEntry_[size_t(k)] : 0; }

bool frmReports::SlotTicked(int k) const {
    return IsLoaded() && k >= 1 && k <= kSlots && ChkRepLbl[size_t(k)] && ChkRepLbl[size_t(k)]->isChecked();
}

int frmReports::TickedCount() const {
    int t = 0;
    for (int k = 1; k <= kSlots; ++k)
        if (SlotTicked(k)) ++t;
    return t;
}

QString frmReports::SlotLabel(int k) const {
    return IsLoaded() && k >= 1 && k <= kSlots && txtRptLbl[size_t(k)] ? txtRptLbl[size_t(k)]->text() : QString();
}

QString frmReports::TitleLine(int i) const {
    return IsLoaded() && i >= 0 && i < 4 && RptText[size_t(i)] ? RptText[size_t(i)]->text() : QString();
}

QString frmReports::SortField() const {
    if (!IsLoaded() || !cmboAllRecs || cmboAllRecs->currentIndex() <= 0) return {};
    return cmboAllRecs->currentText();
}

bool frmReports::SearchResultsChosen() const { return IsLoaded() && OptSrchRes && OptSrchRes->isChecked(); }

QFont frmReports::ReportFont() const { return lblSurname ? lblSurname->font() : QFont(QStringLiteral("Arial"), 9); }

ReportChoices frmReports::Choices() const {
    ReportChoices c;
    for (int k = 1; k <= kSlots; ++k) {
        if (!SlotTicked(k)) continue;
        const DBFlds* f = SlotField(k);
        if (!f) vb::raise(vb::err::SubscriptRange, QStringLiteral("The field of box %1 is not in the field list.").arg(k));
        c.columns.push_back(ReportColumn{k, f->FldName, f->FldType, SlotLabel(k)});
    }
    for (int i = 0; i < 4; ++i) c.titles[size_t(i)] = TitleLine(i);
    c.inclNotes = bInclNotes;
    c.hasNotes = bHasNotes;
    c.allRecords = Module1::AllRecsFlg;
    c.searchResults = SearchResultsChosen();
    c.sortField = SortField();
    const QFont f = ReportFont();
    c.fontName = f.family();
    c.fontSize = f.pointSizeF() > 0 ? f.pointSizeF() : 9;
    c.fontBold = f.bold();
    c.dbPath = Module1::CurrentDBPath;
    c.searchSql = searchResultPresent() ? Module1::SrchSQL : QString();
    return c;
}

void frmReports::ChkRepLbl_Click(int Index) {
    QLineEdit* label = txtRptLbl[size_t(Index)];
    if (ChkRepLbl[size_t(Index)]->isChecked()) {
        const DBFlds* f = SlotField(Index);
        label->show();
        label->raise();
        label->setEnabled(true);
        label->setText(f ? f->FldName : ChkRepLbl[size_t(Index)]->text());
    } else {
        label->hide();
        label->setEnabled(false);
    }
}

void frmReports::chkInclMemo_Click() { bInclNotes = chkInclMemo->isChecked(); }

void frmReports::txtRptLbl_Validate(int Index) {
    QLineEdit* label = txtRptLbl[size_t(Index)];
    QString text = label->text();
    text.remove(QLatin1Char('-'));
    if (text != label->text()) label->setText(text);
}

bool frmReports::txtRptLbl_LostFocus(int Index) {
    QLineEdit* label = txtRptLbl[size_t(Index)];
    if (label->text().size() <= 20) return true;
    vb::MsgBox(QStringLiteral("Report Labels Can Be 20 Characters or Less"), vb::vbOKOnly, QStringLiteral("Reports"));
    vb::FocusRefusedLater(label);
    return false;
}

void frmReports::selectAllRecords() {
    OptAllRecs->setChecked(true);
    OptAllRecs_Click();
}

void frmReports::selectSearchResults() {
    OptSrchRes->setChecked(true);
    OptSrchRes_Click();
}

void frmReports::OptAllRecs_Click() {
    if (!OptAllRecs->isChecked()) return;
    Module1::AllRecsFlg = true;
    OptSrchRes->setChecked(false);
    cmboAllRecs->setEnabled(true);
}

void frmReports::OptSrchRes_Click() {
    if (searchResultPresent()) {
        OptSrchRes->setChecked(true);
        OptAllRecs->setChecked(false);
        Module1::AllRecsFlg = false;
        cmboAllRecs->setEnabled(false);
    } else {
        vb::MsgBox(QStringLiteral("There Are No Current Search Results"), vb::vbOKOnly, QStringLiteral("Search Results"));
        selectAllRecords();
    }
}

void frmReports::cmdRptFont_Click() {
    try {
        const QFont current = ReportFont();
        cmdlgFont.FontName = current.family();
        cmdlgFont.FontSize = current.pointSizeF();
        cmdlgFont.FontBold = current.bold();
        cmdlgFont.Flags = vb::cdlCFBoth;
        cmdlgFont.CancelError = false;
        cmdlgFont.ShowFont();
        QFont chosen(cmdlgFont.FontName.isEmpty() ? current.family() : cmdlgFont.FontName);
        chosen.setPointSizeF(cmdlgFont.FontSize > 0 ? cmdlgFont.FontSize : current.pointSizeF());
        chosen.setBold(cmdlgFont.FontBold);
        lblSurname->setFont(chosen);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}
