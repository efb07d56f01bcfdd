// The entry view's load: the column scan that decides which controls are shown and bound, the
// field list DBDefMain, the keyword area and the keyword list.
#include "entry/DataInput.h"
#include "entry/ColumnBox.h"
#include "platform/db/ErrorMap.h"

#include "platform/core/Colors.h"
#include "platform/core/Twips.h"
#include "platform/ui/WidgetColors.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolButton>

using vb::twipsToPx;

namespace {

const QString kRecordSource = QStringLiteral("SELECT * FROM UserTable Order By TolvaneID");

}  // namespace

namespace {

void colour(QWidget* w, uint32_t back, uint32_t fore) {
    vb::SetBackColor(w, back);
    vb::SetForeColor(w, fore);
}

}  // namespace

// ---- bounds-checked control arrays ----

template <typename T>
static T* element(const std::vector<QPointer<T>>& controls, int i) {
    if (i < 1 || i > DataInput::kRows || !controls[size_t(i)])
        vb::raise(vb::err::ControlArrayElement, QStringLiteral("Control array element '%1' doesn't exist").arg(i));
    return controls[size_t(i)];
}

QLineEdit* DataInput::fieldBox(int i) const { return element(flddata, i); }
QLabel* DataInput::fieldLabel(int i) const { return element(Label1, i); }
QLineEdit* DataInput::keywordBox(int i) const { return element(Keywrd, i); }

// ---- the per-field editors, made from their templates ----

void DataInput::loadOpenButton(int i) {
    QLineEdit* box = fieldBox(i);
    auto* b = new QToolButton(Widget());
    b->setObjectName(QStringLiteral("CmdOpen_%1").arg(i));
    b->setIcon(CmdOpen[0]->icon());
    b->setToolTip(CmdOpen[0]->toolTip());
    b->setFont(CmdOpen[0]->font());
    b->setFocusPolicy(CmdOpen[0]->focusPolicy());
    b->setGeometry(box->x() + box->width() + twipsToPx(10), box->y(), twipsToPx(375), twipsToPx(375));
    b->show();
    QWidget::setTabOrder(box, b);
    CmdOpen[size_t(i)] = b;
    QObject::connect(b, &QToolButton::clicked, b, [this, i] { gate_->Run([this, i] { CmdOpen_Click(i); }); });
}

void DataInput::loadDateCheck(int i) {
    QLineEdit* box = fieldBox(i);
    auto* c = new QToolButton(Widget());
    c->setObjectName(QStringLiteral("chkDteTme_%1").arg(i));
    c->setIcon(chkDteTme[0]->icon());
    c->setToolTip(chkDteTme[0]->toolTip());
    c->setCheckable(true);
    c->setFocusPolicy(chkDteTme[0]->focusPolicy());
    c->setGeometry(box->x() - twipsToPx(400), box->y(), twipsToPx(390), twipsToPx(375));
    c->setEnabled(box->isEnabled());   // the editor of a box a restricted user cannot change is disabled too
    c->show();
    QWidget::setTabOrder(box, c);
    chkDteTme[size_t(i)] = c;
    QObject::connect(c, &QToolButton::clicked, c, [this, i, c] {
        gate_->Run([this, i] { chkDteTme_Click(i); });
        c->setChecked(false);   // a push button in the look of a check box: never left checked
    });
}

void DataInput::loadTrueFalseCombo(int i) {
    QLineEdit* box = fieldBox(i);
    auto* c = new QComboBox(Widget());
    c->setObjectName(QStringLiteral("CmboTF_%1").arg(i));
    c->setFont(CmboTF[0]->font());
    c->addItems({QStringLiteral("False"), QStringLiteral("True")});
    c->setGeometry(box->x(), box->y(), twipsToPx(1215), CmboTF[0]->height());
    c->setEnabled(box->isEnabled());
    c->show();
    c->raise();
    QWidget::setTabOrder(box, c);
    CmboTF[size_t(i)] = c;
    QObject::connect(c, &QComboBox::activated, c, [this, i](int) { vb::RunTrapped([this, i] { CmboTF_Click(i); }); });
}

// ---- the load ----

void DataInput::Form_Load() {
    loadFailed_ = false;
    try {
        // 1. Colours.
        intTFCount = 0;
        intTFFlds.fill(0);
        bAddingRec = false;
        bound_.clear();
        keyColumns_.clear();
        strFrmClr = Module1::GetFrmColor();
        strTxtClr = Module1::GetTextColor();
        applyFormColours();

        // 2. Menus and the command bar.
        frmMain* main = frmMain::existing();
        if (main) main->SetMenuVisible(frmMain::Menu::ScrConfig, true);
        Picture1->show();

        // 3. The field list starts empty.
        DBFldFunct& fields = DBDefMain().DBFldFunct();
        for (int n = fields.Count(); n > 0; --n) fields.CollDelete(1);

        // 4. Keywords are dragged from the list by themselves.
        lstKeywrd->setDragEnabled(true);
        lstKeywrd->setDragDropMode(QAbstractItemView::DragOnly);

        // 5, 6. The data control on the table in record-id order.
        adoUserTbl.MoveComplete = [this] { adoUserTbl_MoveComplete(); };
        adoUserTbl.RowWritten = [this](const QVariantList& before, const QVariantList& after) {
            adoUserTbl_RowWritten(before, after);
        };
        adoUserTbl.ConnectionString = Module1::DBConnStr;
        adoUserTbl.RecordSource = kRecordSource;
        adoUserTbl.Refresh();

        // 7. Access level.
        bool restricted = false;
        if (Module1::SecurityOn) {
            if (!SupervisorRights()) {
                restricted = true;
                SetVisible(false);
            }
        } else {
            SetVisible(true);
        }

        // 8. Place and size.
        placeWindow(0, 15, 16050, 10245);

        // 9. Everything hidden until the scan shows it.
        const uint32_t back = uint32_t(vb::colourFromText(strFrmClr));
        const uint32_t fore = uint32_t(vb::colourFromText(strTxtClr));
        for (int i = 1; i <= kRows; ++i) {
            Label1[size_t(i)]->hide();
            colour(Label1[size_t(i)], back, fore);
            Keywrd[size_t(i)]->hide();
            flddata[size_t(i)]->hide();
        }
        PicNote->hide();
        colour(PicNote, back, fore);
        lblNote->hide();
        colour(lblNote, back, fore);
        txtmemo->hide();
        bHasMemo = false;

        // 10-12. The column scan. The keyword list is counted from the first rows now, and fills
        // lstKeywrd when complete; a table with more is counted on after its first record is shown.
        int f = 0, k = 0;
        scanColumns(f, k);
        Module1::SetKeyWrdCount(k);
        keywords_.Start(keyColumns_);

        // 13. The keyword area.
        if (k == 0) {
            LblKeyWrd->hide();
            colour(LblKeyWrd, back, fore);
            Frame1->hide();
            lstKeywrd->hide();
        } else {
            Frame1->show();
            lstKeywrd->show();
            lstKeywrd->setDragEnabled(true);
            intKeyCount = k;
            colour(LblKeyWrd, back, fore);
        }

        // 14. Its layout.
        layOutKeywordArea(f, k);

        // 15, 16.
        txtmemo->setEnabled(!restricted);
        if (main) main->TabStrip1->setEnabled(true);

        // The boxes bound by the scan show the current record.
        ShowCurrentRecord();
    } catch (const vb::VbError& e) {
        loadFailed_ = true;
        disableRecordCommands();
        handleLoadError(e);
    } catch (const std::exception& e) {
        loadFailed_ = true;
        disableRecordCommands();
        vb::ShowUnexpectedError(e);
    }
}

// A load that failed has no records to act on: no command of the bar is offered.
void DataInput::disableRecordCommands() {
    for (const auto& b : cmdAction)
        if (b) b->setEnabled(false);
    for (const auto& b : cmdNegotiate)
        if (b) b->setEnabled(false);
}

void DataInput::scanColumns(int& f, int& k) {
    db::Recordset& rs = adoUserTbl.Recordset();
    DBFldFunct& fields = DBDefMain().DBFldFunct();
    const int c = rs.FieldCount();
    int kw = 1;
    for (int i = 1; i <= c - 4; ++i) {
        const db::Field& column = rs.Fields(i);
        const QString name = column.Name();
        const vb::FieldType type = vb::FieldType::ofColumn(int16_t(column.Type()), column.NumericScale(), name);
        const vb::FieldKind t = type.kind;
        const ColumnBox goesTo = columnBox(name, type);

        if (goesTo == ColumnBox::Keyword) {
            QLineEdit* box = keywordBox(kw);
            f1 = vb::DataFormat();
            box->show();
            box->setAcceptDrops(true);
            bind(box, name, f1, vb::ValueKind::Text);
            fields.Add(name, vb::FieldType{vb::FieldKind::Text}.name());
            keyColumns_ << name;
            ++k;
            ++kw;
        } else if (goesTo == ColumnBox::Notes) {
            f1 = vb::DataFormat();
            txtmemo->show();
            bind(txtmemo, name, f1, vb::ValueKind::Text);
            PicNote->show();
            lblNote->show();
            bHasMemo = true;
            fields.Add(name, type.name());
        } else if (goesTo == ColumnBox::Hidden) {
            fields.Add(name, type.name());
            ++f;
        } else if (goesTo == ColumnBox::Field && t != vb::FieldKind::Boolean) {
            QLineEdit* box = fieldBox(i);
            f1 = vb::DataFormat::forFieldType(type);   // a text field's is the general one
            QLabel* label = fieldLabel(i);
            label->show();
            label->setText(type.filePath ? name.left(name.size() - 2) : name);   // a path field's without its "FP"
            if (type.filePath) loadOpenButton(i);
            box->show();
            bind(box, name, f1, type.valueKind());
            if (t == vb::FieldKind::DateTime) loadDateCheck(i);
            fields.Add(name, type.name());
            ++f;
        } else if (goesTo == ColumnBox::Field) {   // True/False
            QLineEdit* box = fieldBox(i);
            loadTrueFalseCombo(i);
            fmtBooleanData = vb::DataFormat(vb::DataFormat::Boolean, QString());   // "True", "False", and "" for Null
            QLabel* label = fieldLabel(i);
            label->show();
            label->setText(name);
            box->show();
            box->resize(twipsToPx(950), twipsToPx(315));
            bind(box, name, fmtBooleanData, vb::ValueKind::Boolean);
            // The combo shows the record's value (ShowCurrentRecord), so it never reads "False"
            // over a record that holds true.
            intTFFlds[size_t(intTFCount)] = i;
            ++intTFCount;
            fields.Add(name, type.name());
            ++f;
        }
        // Any other storage type: the column is left out of the view and of the field list.
    }
}

void DataInput::layOutKeywordArea(int f, int k) {
    int width = 0, labelTop = 0, labelLeft = 0, listTop = 0, listLeft = 0;
    if (f <= 5 && k <= 5) {
        width = 2655, labelTop = 2040, labelLeft = 3780, listTop = 2280, listLeft = 3780;
    } else if (f <= 10 && k <= 10) {
        width = 5535, labelTop = 2640, labelLeft = 7200, listTop = 2880, listLeft = 7200;
    } else if (f > 10 && k > 10) {
        width = 9735, labelTop = 3840, labelLeft = 10920, listTop = 4080, listLeft = 10920;
    } else {
        return;   // the design layout stays
    }
    Frame1->resize(twipsToPx(width), Frame1->height());
    LblKeyWrd->move(twipsToPx(labelLeft), twipsToPx(labelTop));
    lstKeywrd->move(twipsToPx(listLeft), twipsToPx(listTop));
    const uint32_t back = uint32_t(vb::colourFromText(strFrmClr));
    const uint32_t fore = uint32_t(vb::colourFromText(strTxtClr));
    colour(LblKeyWrd, back, fore);
}

void DataInput::handleLoadError(const vb::VbError& e) {
    handleTableError(e, QStringLiteral("A Database Has Not Been Defined, Please Finish Defining The User Table"),
                     QStringLiteral("Creating Database"), QStringLiteral("Incorrect Database Structure"));
}

// The answers of the load and the rename to an error on the table; they differ only in texts.
void DataInput::handleTableError(const vb::VbError& e, const QString& undefinedText, const QString& undefinedTitle,
                                 const QString& structureTitle) {
    using namespace vb::err;
    try {
        if (e.number == DB_SEC_E_AUTH_FAILED) {
            vb::MsgBox(undefinedText, vb::vbOKOnly, undefinedTitle);
            Module1::DbUndefined = true;
        } else if (e.number == CancelError) {
            // silent
        } else if (e.number == E_FAIL_ && db::IsDamagedError(e)) {
            vb::MsgBox(QStringLiteral("Database file is damaged and cannot be read."), vb::vbOKOnly,
                       QStringLiteral("Database Error"));
        } else if (e.number == E_FAIL_) {
            vb::MsgBox(QStringLiteral("Database is currently opened in design mode, Close Database"), vb::vbOKOnly,
                       QStringLiteral("Database Error"));
            if (frmMain* main = frmMain::existing()) main->SelectTab(4);
        } else if (e.number == DB_E_NOTABLE) {
            vb::MsgBox(QStringLiteral("This is not a Ravelstow database structure, please open a Ravelstow Database"),
                       vb::vbOKOnly, structureTitle);
        } else {
            vb::ShowErrorPair(e);
        }
    } catch (const vb::VbError& inner) {
        vb::ShowErrorPair(inner);
    }
}
