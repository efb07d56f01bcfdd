// The search view's criteria entry: ticking a row prepares the controls its field type needs,
// the value boxes check and reformat what is typed, the notes box switches the notes criterion,
// the file picker of file-path rows, and keywords dropped on the keyword boxes.
#include "entry/EntryWidgets.h"
#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/db/YesNo.h"
#include "platform/format/FieldType.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "platform/paths/AppPaths.h"
#include "search/DlgToFrmDte.h"
#include "platform/ui/ValidationGate.h"
#include "search/frmSearch.h"
#include "platform/ui/RefusedBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using vb::twipsToPx;

void frmSearch::chfldSrch_Click(int Index) {
    QString name, type;
    if (!IsLoaded() || !rowField(Index, name, type)) return;
    QCheckBox* check = chfldSrch[size_t(Index)];
    QLineEdit* box = txtSrcFld[size_t(Index)];
    const bool ticked = check->isChecked();
    const vb::FieldType field = vb::FieldType::parse(type, name);
    if (field.kind == vb::FieldKind::Text) {
        if (ticked) {
            box->show();
            box->setEnabled(true);
            // A file-path box opens its picker once, here, rather than again from the focus event.
            pickerByCode_ = true;
            box->setFocus();
            pickerByCode_ = false;
            gate_->SetPending(box);
            if (field.filePath) txtSrcFld_GotFocus(Index);
        } else {
            box->hide();
            box->setEnabled(false);
        }
    } else if (field.isNumber()) {
        if (ticked) {
            box->show();
            box->resize(twipsToPx(1335), box->height());
            cmbonum[size_t(Index)]->show();
            box->setEnabled(true);
        } else {
            box->hide();
            box->setEnabled(false);
            cmbonum[size_t(Index)]->hide();
        }
    } else if (field.kind == vb::FieldKind::Currency) {
        box->setVisible(ticked);
        box->setEnabled(ticked);
    } else if (field.kind == vb::FieldKind::DateTime) {
        if (!ticked) {
            box->hide();
            return;
        }
        DlgToFrmDte& dlg = DlgToFrmDte::instance();
        dlg.ShowModal();
        if (dlg.bDteCancel) {
            check->setChecked(false);   // handled as an untick: the box is hidden
            return;
        }
        box->show();
        // Under the row's check box, inside the frame as the other boxes are.
        box->setGeometry(twipsToPx(Index < 10 ? 360 : 4200), box->y(), twipsToPx(3555), box->height());
        box->setText(dlg.FrmDtTm + QStringLiteral(" - ") + dlg.ToDtTm);
        box->setEnabled(false);
        // Each row keeps the range it was ticked with.
        RowRange[size_t(Index)] = {true, dlg.FrmValue, dlg.ToValue};
    } else if (field.kind == vb::FieldKind::Boolean) {
        QComboBox* tf = cmbSrchTF[size_t(Index)];
        if (ticked) {
            // In the frame's coordinates, less only the frame's top offset.
            tf->move(box->x(), box->y() - twipsToPx(840));
            tf->show();
            tf->setCurrentIndex(0);
        } else {
            box->hide();
            box->setEnabled(false);
            tf->hide();
        }
    }
}

void frmSearch::chkMemoSrch_Click() {
    if (!IsLoaded()) return;
    if (chkMemoSrch->isChecked()) {
        bMemoSrch = true;
        txtmemo->setEnabled(true);
        txtmemo->setFocus();
        txtmemo->clear();
    } else {
        bMemoSrch = false;
        txtmemo->setEnabled(false);
        txtmemo->setText(QStringLiteral("Search For Text in Notes"));
    }
}

void frmSearch::txtSrcFld_GotFocus(int Index) {
    QString name, type;
    if (!IsLoaded() || !rowField(Index, name, type) || !name.endsWith(QLatin1String("FP"))) return;
    try {
        vb::CommonDialog dlg;
        dlg.CancelError = true;
        dlg.Flags = vb::cdlOFNHideReadOnly;
        dlg.DialogTitle = QStringLiteral("Select File ");
        dlg.InitDir = vb::programFolder();
        dlg.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files|*.mdb");
        dlg.FilterIndex = 2;
        dlg.ShowOpen();
        if (dlg.FileName.isEmpty()) vb::MsgBox(QStringLiteral("Filename cannot be Blank"));
        else txtSrcFld[size_t(Index)]->setText(dlg.FileName);
    } catch (const vb::VbError& e) {
        if (e.number != vb::err::CancelError) vb::ShowErrorPair(e);
    }
}

bool frmSearch::txtSrcFld_Validate(int Index) {
    QString name, type;
    if (!IsLoaded() || !rowField(Index, name, type)) return false;
    QLineEdit* box = txtSrcFld[size_t(Index)];
    const QString text = box->text();
    auto refuse = [box](const QString& prompt, const QString& title) {
        vb::MsgBox(prompt, vb::vbOKOnly, title);
        box->clear();
        vb::FocusRefused(box);
        return true;
    };
    const vb::FieldType field = vb::FieldType::parse(type, name);
    if (field.isNumber()) {
        if (text.isEmpty()) {
            chfldSrch[size_t(Index)]->setChecked(false);
            return false;
        }
        const auto number = vb::parseNumber(text);
        if (!number) return refuse(QStringLiteral("This is a numeric field, please enter all numbers"), QStringLiteral("Ravelstow Search"));
        QString pattern = QStringLiteral("0");
        if (field.kind == vb::FieldKind::Double) pattern = QStringLiteral("0###.000");
        else if (field.kind == vb::FieldKind::Decimal) {
            const int places = field.scale;
            pattern = places > 0 ? QStringLiteral("0.") + QString(places, QLatin1Char('0')) : QStringLiteral("0");
        }
        box->setText(vb::Format(*number, pattern));
        return false;
    }
    if (field.kind == vb::FieldKind::Currency) {
        if (text.isEmpty()) {
            chfldSrch[size_t(Index)]->setChecked(false);
            box->clear();
            return false;
        }
        const auto number = vb::parseNumber(text);
        if (!number) return refuse(QStringLiteral("This is a Currency field, please enter a monetary value"), QStringLiteral("Ravelstow"));
        box->setText(vb::Format(*number, QStringLiteral("$ ###0.00")));
        return false;
    }
    if (field.kind == vb::FieldKind::Boolean) {
        if (db::readYesNo(QStringView(text))) return false;
        return refuse(QStringLiteral("Please Enter True or False for Value"), QStringLiteral("Ravelstow"));
    }
    return false;
}

bool frmSearch::txtKeySrch_OLEDragDrop(int Index, const QMimeData* data) {
    if (!IsLoaded() || Index < 0 || Index >= kKeyBoxes) return false;
    return txtKeySrch[size_t(Index)]->DropText(data);
}
