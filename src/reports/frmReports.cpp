#include "reports/frmReports.h"

#include "entry/DataInput.h"
#include "platform/core/Colors.h"
#include "platform/core/Twips.h"
#include "platform/format/FieldType.h"
#include "platform/ui/FormWidgets.h"
#include "platform/ui/ValidationGate.h"
#include "platform/ui/WidgetColors.h"
#include "reports/FrmMailLbls.h"
#include "shell/Module1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

using vb::PlaceTwips;
using vb::twipsToPx;

namespace {

constexpr int kWidth = 16890;
constexpr int kLoadHeight = 10245;

QFont arial(double points, bool bold = true) {
    QFont f = vb::BoldFont(QStringLiteral("Arial"), points);
    f.setBold(bold);
    return f;
}

// Slot k (1..20): four columns of five.
int slotLeft(int k) {
    static const int lefts[4] = {1920, 4800, 7560, 10560};
    return lefts[(k - 1) / 5];
}
int slotTop(int k) { return 3600 + 840 * ((k - 1) % 5); }

QToolButton* pictureButton(QWidget* parent, const QString& name, const QString& tip, const QIcon& icon, int left) {
    auto* b = vb::PictureButton(parent, name, tip, icon);
    b->setIconSize(QSize(22, 22));
    PlaceTwips(b, left, 0, 495, 495);
    return b;
}

}  // namespace

frmReports& frmReports::instance() {
    static frmReports form;
    return form;
}

QWidget* frmReports::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Reports"));
    w->setMinimumSize(twipsToPx(kWidth), twipsToPx(kLoadHeight));
    w->setFont(arial(9));
    vb::SetBackColor(w, vb::RGB(192, 192, 192));
    auto* gate = new vb::ValidationGate(w);
    QStyle* style = QApplication::style();

    // The band across the top: the record source and the sort list.
    Picture1 = vb::Placed(new QFrame(w), "Picture1", 0, 0, kWidth, 495);
    {   // the button face, whatever the form's colour, behind the band and its captions
        QPalette band = Picture1->palette();
        band.setColor(QPalette::Window, band.color(QPalette::Button));
        band.setColor(QPalette::WindowText, band.color(QPalette::ButtonText));
        Picture1->setPalette(band);
        Picture1->setAutoFillBackground(true);
    }
    Label3 = vb::Placed(new QLabel(QStringLiteral("Output Options:"), Picture1), "Label3", 0, 120, 1335, 255);
    Label3->setFont(arial(8.25));
    OptAllRecs = vb::Placed(new QRadioButton(QStringLiteral("All Records"), Picture1), "OptAllRecs",
                            1440, 0, 1575, 255);
    OptAllRecs->setFont(arial(8.25));
    OptSrchRes = vb::Placed(new QRadioButton(QStringLiteral("Search Results"), Picture1), "OptSrchRes",
                            1440, 240, 1575, 240);
    OptSrchRes->setFont(arial(8.25));
    auto* source = new QButtonGroup(w);
    source->addButton(OptAllRecs);
    source->addButton(OptSrchRes);
    QObject::connect(OptAllRecs, &QRadioButton::clicked, w, [this] { vb::RunTrapped([this] { OptAllRecs_Click(); }); });
    QObject::connect(OptSrchRes, &QRadioButton::clicked, w, [this] { vb::RunTrapped([this] { OptSrchRes_Click(); }); });
    // A little wider than designed, for its first item.
    cmboAllRecs = vb::Placed(new vb::FittingComboBox(Picture1), "cmboAllRecs", 3120, 0, 2010, 330);
    cmboAllRecs->setEditable(false);   // the sort list offers the fields only
    cmboAllRecs->setFont(arial(8.25, false));
    Label2 = vb::Placed(new QLabel(QStringLiteral("Export Options:"), Picture1), "Label2", 6480, 120, 1335, 255);
    Label2->setFont(arial(8.25));

    // The command buttons stand on the window, over the band.
    cmdPrintRep = pictureButton(w, QStringLiteral("cmdPrintRep"), QStringLiteral("Print/Preview"),
                                QIcon::fromTheme(QStringLiteral("document-print"), style->standardIcon(QStyle::SP_FileDialogContentsView)), 5280);
    cmdRptFont = pictureButton(w, QStringLiteral("cmdRptFont"), QStringLiteral("Change Report Fonts"),
                               QIcon::fromTheme(QStringLiteral("preferences-desktop-font"), style->standardIcon(QStyle::SP_FileDialogDetailedView)), 5760);
    QObject::connect(cmdPrintRep, &QToolButton::clicked, w, [this, gate] { gate->Run([this] { cmdPrintRep_Click(); }); });
    QObject::connect(cmdRptFont, &QToolButton::clicked, w, [this, gate] { gate->Run([this] { cmdRptFont_Click(); }); });
    // The export buttons act as commands: pressed while their output runs, released after it.
    struct Export { QPointer<QToolButton>* button; const char* name; const char* tip; const char* theme; QStyle::StandardPixmap icon; int left; void (frmReports::*handler)(); };
    const Export exports[] = {
        {&OptPDF, "OptPDF", "Export To PDF", "application-pdf", QStyle::SP_FileIcon, 7920, &frmReports::OptPDF_Click},
        {&OptTxt, "OptTxt", "Export To Text", "text-richtext", QStyle::SP_FileDialogInfoView, 8400, &frmReports::OptTxt_Click},
        {&OptHTML, "OptHTML", "Export To HTML", "text-html", QStyle::SP_DriveNetIcon, 8880, &frmReports::OptHTML_Click},
        {&OptExcel, "OptExcel", "Export To Excel", "x-office-spreadsheet", QStyle::SP_FileDialogListView, 9360, &frmReports::OptExcel_Click},
        {&OptExpDB, "OptExpDB", "Generate Database", "drive-harddisk", QStyle::SP_DriveHDIcon, 9840, &frmReports::OptExpDB_Click},
        {&OptMailLbls, "OptMailLbls", "Create Mailing Labels", "mail-message-new", QStyle::SP_DirHomeIcon, 10320, &frmReports::OptMailLbls_Click},
    };
    for (const Export& e : exports) {
        QToolButton* b = pictureButton(w, QString::fromLatin1(e.name), QString::fromLatin1(e.tip),
                                       QIcon::fromTheme(QString::fromLatin1(e.theme), style->standardIcon(e.icon)), e.left);
        b->setCheckable(true);
        *e.button = b;
        const auto handler = e.handler;
        QObject::connect(b, &QToolButton::clicked, w, [this, gate, b, handler] {
            b->setChecked(true);
            gate->Run([this, handler] { (this->*handler)(); });
            // The label button stays set while its window is open.
            if (b && !(b == OptMailLbls && FrmMailLbls::instance().IsLoaded())) b->setChecked(false);
        });
    }

    // Title and report information.
    FrmCompInfo = vb::Placed(new QGroupBox(QStringLiteral("Title And Report Information"), w), "FrmCompInfo",
                             1800, 960, 7215, 1815);
    FrmCompInfo->setFont(arial(12));
    lblTitle = vb::Placed(new QLabel(QStringLiteral("Title:"), FrmCompInfo), "lblTitle", 240, 360, 1575, 255);
    lblTitle->setFont(vb::BoldFont(QStringLiteral("MS Sans Serif"), 9.75));
    LblComp = vb::Placed(new QLabel(QStringLiteral("Report Information:"), FrmCompInfo), "LblComp",
                         3480, 360, 2175, 255);
    LblComp->setFont(arial(9.75));
    RptText.assign(4, nullptr);
    for (int i = 0; i < 4; ++i) {
        auto* box = vb::Placed(new QLineEdit(FrmCompInfo), QStringLiteral("RptText_%1").arg(i),
                               i == 0 ? 240 : 3480, i == 0 ? 600 : 600 + 360 * (i - 1), 2775, 330);
        box->setFont(arial(9));
        RptText[size_t(i)] = box;
    }

    // The field panel: the frame, and the slots standing on the window over it.
    RepLblFrame = vb::Placed(new QGroupBox(QStringLiteral("Select And Label Fields"), w), "RepLblFrame",
                             1800, 3000, 11775, 4815);
    RepLblFrame->setFont(arial(12));
    ChkRepLbl.assign(kSlots + 1, nullptr);
    txtRptLbl.assign(kSlots + 1, nullptr);
    for (int k = 1; k <= kSlots; ++k) {
        auto* box = vb::Placed(new vb::FittingCheckBox(QStringLiteral("Name of Field"), w),
                               QStringLiteral("ChkRepLbl_%1").arg(k), slotLeft(k), slotTop(k), 2655, 495);
        ChkRepLbl[size_t(k)] = box;
        QObject::connect(box, &QCheckBox::clicked, w, [this, k] { vb::RunTrapped([this, k] { ChkRepLbl_Click(k); }); });
        auto* label = vb::Placed(new QLineEdit(w), QStringLiteral("txtRptLbl_%1").arg(k),
                                 slotLeft(k), slotTop(k) + 480, 2655, 330);
        label->setFont(arial(9));
        txtRptLbl[size_t(k)] = label;
        gate->Watch(label, [this, k] {
            txtRptLbl_Validate(k);
            return txtRptLbl_LostFocus(k);
        });
    }
    chkInclMemo = vb::Placed(new QCheckBox(QStringLiteral("Include Notes"), w), "chkInclMemo", 4800, 3240, 1575, 255);
    QObject::connect(chkInclMemo, &QCheckBox::clicked, w, [this] { vb::RunTrapped([this] { chkInclMemo_Click(); }); });

    lblSurname = new QLabel(w);
    lblSurname->setObjectName(QStringLiteral("lblSurname"));
    lblSurname->setFont(arial(9, false));   // the report font until one is chosen
    lblSurname->hide();
    return w;
}

void frmReports::Form_Load() {
    QWidget* w = Widget();
    FrmColor = Module1::GetFrmColor();
    TextColor = Module1::GetTextColor();
    const uint32_t back = vb::colourOrDefault(FrmColor, 16711680);
    for (QWidget* c : std::initializer_list<QWidget*>{w, RepLblFrame, FrmCompInfo, lblTitle, LblComp}) vb::SetBackColor(c, back);
    try {
        for (int k = 1; k <= kSlots; ++k) {
            ChkRepLbl[size_t(k)]->hide();
            txtRptLbl[size_t(k)]->hide();
        }
        slotEntry_.assign(kSlots + 1, 0);
        bHasNotes = false;
        bInclNotes = false;
        chkInclMemo->hide();
        if (Module1::SrchFlg) selectSearchResults();
        else selectAllRecords();

        const int n = Module1::CountDescFlds();
        if (n <= 5) {
            PlaceTwips(RepLblFrame, 1800, 3000, 3015, 4815);
            PlaceTwips(chkInclMemo, 1920, 3240, 1575, 255);
            PlaceTwips(FrmCompInfo, 1800, 960, 7215, 1815);
        } else if (n <= 10) {
            PlaceTwips(RepLblFrame, 1800, 3000, 5775, 4815);
            PlaceTwips(chkInclMemo, 4800, 3240, 1575, 255);
        } else {
            PlaceTwips(RepLblFrame, 1800, 3000, 11775, 4815);
        }

        cmboAllRecs->clear();
        const DBFldFunct& fields = DataInput::instance().DBDefMain().DBFldFunct();
        if (fields.Count() > 0) {
            cmboAllRecs->addItem(reports::kSortOff);
            int k = 1;
            // The whole collection is walked: the notes entry comes after the last field slot.
            for (int entry = 1; entry <= fields.Count(); ++entry) {
                const DBFlds& f = fields.Item(entry);
                const vb::FieldKind type = vb::FieldType::parse(f.FldType).kind;
                if (type == vb::FieldKind::Text) {
                    if (f.FldName.startsWith(QLatin1String("KeyWord"))) continue;
                    if (k <= kSlots) fillSlot(k, entry, f);
                    ++k;
                } else if (type == vb::FieldKind::Integer) {
                    if (f.FldName.startsWith(QLatin1String("Srch"))) {
                        ++k;
                        continue;
                    }
                    if (k <= kSlots) fillSlot(k, entry, f);
                    ++k;
                } else if (type == vb::FieldKind::Double || type == vb::FieldKind::Decimal ||
                           type == vb::FieldKind::DateTime || type == vb::FieldKind::Currency ||
                           type == vb::FieldKind::Boolean) {
                    if (k <= kSlots) fillSlot(k, entry, f);
                    ++k;
                } else if (type == vb::FieldKind::Memo) {
                    bHasNotes = true;
                    chkInclMemo->show();
                    vb::SetBackColor(chkInclMemo, back);
                }
            }
        }
        if (cmboAllRecs->count() > 0) cmboAllRecs->setCurrentIndex(0);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    } catch (const std::exception& e) {
        vb::ShowUnexpectedError(e);
    }
}

void frmReports::fillSlot(int k, int entry, const DBFlds& field) {
    QCheckBox* box = ChkRepLbl[size_t(k)];
    box->show();
    box->raise();
    vb::SetBackColor(box, vb::colourOrDefault(FrmColor, 16711680));
    const QString& name = field.FldName;
    box->setText(name.endsWith(QLatin1String("FP")) ? name.left(name.size() - 2) : name);
    slotEntry_[size_t(k)] = entry;
    cmboAllRecs->addItem(name);
}

void frmReports::Form_Activate() {
    Form_Resize();
    applyColours(true);
}

// The view sits at the document area's origin; it is at least as large as its design and
// grows with its frame, showing the form colour where no control stands.
void frmReports::Form_Resize() {
    QWidget* w = Widget();
    if (!w) return;
    w->setMinimumSize(twipsToPx(kWidth), twipsToPx(kLoadHeight));
    if (auto* sub = w->parentWidget()) sub->move(0, 0);
}

void frmReports::Form_Unload() {
    slotEntry_.clear();
    bHasNotes = bInclNotes = false;
    RptObj.reset();
    RptDef.reset();
}

void frmReports::UpdateRepFrmClr() {
    Load();
    applyColours(false);
}

void frmReports::applyColours(bool switchSource) {
    FrmColor = Module1::GetFrmColor();
    TextColor = Module1::GetTextColor();
    const uint32_t back = vb::colourOrDefault(FrmColor, 16711680);
    const uint32_t fore = vb::colourOrDefault(TextColor, 16777215);
    vb::SetBackColor(Widget(), back);
    auto paint = [&](QWidget* c) {
        vb::SetBackColor(c, back);
        vb::SetForeColor(c, fore);
    };
    for (QWidget* c : std::initializer_list<QWidget*>{RepLblFrame, FrmCompInfo, lblTitle, LblComp, chkInclMemo}) paint(c);
    const int n = Module1::CountDescFlds();
    if (n > 0) {
        for (int i = 1; i <= n && i <= kSlots; ++i) paint(ChkRepLbl[size_t(i)]);
        if (switchSource) {
            if (Module1::SrchFlg) selectSearchResults();
            else selectAllRecords();
        }
    }
}
