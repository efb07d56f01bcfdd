// The search view's window: its controls, the load that builds the criteria rows from the field
// list and takes the keyword list from the entry view, activation and colours.
#include "search/frmSearch.h"

#include "entry/DataInput.h"
#include "entry/EntryWidgets.h"
#include "platform/core/Colors.h"
#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/format/FieldType.h"
#include "platform/ui/FormWidgets.h"
#include "platform/ui/ValidationGate.h"
#include "platform/ui/WidgetColors.h"
#include "search/SearchResultModel.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

using vb::PlaceTwips;
using vb::twipsToPx;

namespace {

constexpr int kClientWidth = 16890;
constexpr int kClientHeight = 10140;

QFont arialBold(double points) { return vb::BoldFont(QStringLiteral("Arial"), points); }

QToolButton* pictureButton(QWidget* parent, const QString& name, const QString& tip, const QIcon& icon) {
    auto* b = vb::PictureButton(parent, name, tip, icon);
    b->setIconSize(QSize(24, 24));
    return b;
}

QIcon themed(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

// The operator lists: a prompt, then five items whose first two characters are the operator.
QStringList operatorItems(int row) {
    if (row == 1) return {"> Greater Than", ">= Greater Equal To", "<  Less Than", "<= Less Equal To", "=  Equal To"};
    if (row == 2) return {"> Greater ", ">= Greater Equal To", "<  Less ", "<= Less Equal To", "=  Equal To"};
    return {"> Greater ", ">= Greater Equal To", "<  Less ", "<= Less  Equal To", "=  Equal To"};
}

int rowLeft(int i) { return i < 10 ? 360 : 4200; }
int rowTop(int i) { return 1200 + 600 * (i % 10); }

}  // namespace

frmSearch& frmSearch::instance() {
    static frmSearch form;
    return form;
}

QWidget* frmSearch::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Tolvane Search"));
    w->setFixedSize(twipsToPx(kClientWidth), twipsToPx(kClientHeight));
    gate_ = new vb::ValidationGate(w);

    Picture1 = vb::Placed(new QFrame(w), "Picture1", 0, -120, 16890, 615);
    Picture1->setBackgroundRole(QPalette::Button);   // the button face, whatever the form's colour
    Picture1->setAutoFillBackground(true);

    cmdSearch = pictureButton(w, QStringLiteral("cmdSearch"), QStringLiteral("Search Database"),
                              themed("edit-find", QStyle::SP_FileDialogContentsView));
    PlaceTwips(cmdSearch, 0, 0, 495, 495);
    cmdClear = pictureButton(w, QStringLiteral("cmdClear"), QStringLiteral("Clear Search Criteria And Results"),
                             themed("edit-clear", QStyle::SP_DialogResetButton));
    PlaceTwips(cmdClear, 480, 0, 495, 495);
    cmdPrtRep = pictureButton(w, QStringLiteral("cmdPrtRep"), QStringLiteral("Report Search Results"),
                              themed("document-print", QStyle::SP_FileDialogDetailedView));
    PlaceTwips(cmdPrtRep, 960, 0, 495, 495);

    Frame2 = vb::Placed(new QGroupBox(QStringLiteral("Field Search Logic"), w), "Frame2", 1440, 0, 1695, 495);
    // Wide enough for "AND" in this font.
    AndOption = vb::Placed(new QRadioButton(QStringLiteral("AND"), Frame2), "AndOption", 120, 240, 705, 210);
    OrOption = vb::Placed(new QRadioButton(QStringLiteral("OR"), Frame2), "OrOption", 840, 240, 615, 210);
    Frame3 = vb::Placed(new QGroupBox(QStringLiteral("Keyword Search Logic"), w), "Frame3", 3120, 0, 2055, 495);
    OptKeyAnd = vb::Placed(new QRadioButton(QStringLiteral("AND"), Frame3), "OptKeyAnd", 360, 240, 705, 210);
    OptKeyOr = vb::Placed(new QRadioButton(QStringLiteral("OR"), Frame3), "OptKeyOr", 1200, 240, 615, 210);
    QFont small = QApplication::font();
    small.setPointSizeF(7.5);
    for (QWidget* c : std::initializer_list<QWidget*>{Frame2, Frame3, AndOption, OrOption, OptKeyAnd, OptKeyOr}) c->setFont(small);
    // The logic frames keep the face colour of their own (the view's colours do not reach them),
    // so their dark captions stay readable on any form colour.
    for (QGroupBox* frame : {Frame2.data(), Frame3.data()}) {
        QPalette face = frame->palette();
        face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
        face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
        frame->setPalette(face);
        frame->setAutoFillBackground(true);
    }

    cmboSort = vb::Placed(new vb::FittingComboBox(w), "cmboSort", 5280, 120, 2175, 315);

    chkMemoSrch = vb::Placed(new QCheckBox(Picture1), "chkMemoSrch", 7800, 240, 255, 315);
    chkMemoSrch->setToolTip(QStringLiteral("Search For Text in Notes:"));
    txtmemo = vb::Placed(new QLineEdit(QStringLiteral("Search For Text in Notes"), w), "txtmemo", 8160, 120, 2655, 315);
    txtmemo->setEnabled(false);

    SrchFldsFrame = vb::Placed(new QGroupBox(QStringLiteral("Field Search Criteria"), w), "SrchFldsFrame",
                               120, 840, 7695, 6375);
    SrchFldsFrame->setFont(arialBold(12));
    vb::SetBackColor(SrchFldsFrame, vb::RGB(255, 255, 255));
    vb::SetForeColor(SrchFldsFrame, vb::RGB(0, 0, 64));

    LblKeyWrd = vb::Placed(new QLabel(QStringLiteral("Keyword Search Criteria Drag Keyword To Text Box"), w),
                           "LblKeyWrd", 8040, 840, 2295, 495);
    LblKeyWrd->setFont(arialBold(9));
    LblKeyWrd->setWordWrap(true);
    LblKeyWrd->setAutoFillBackground(true);
    lstKeywrd = vb::Placed(new KeywordList(w), "lstKeywrd", 8040, 1320, 2415, 4680);
    lstKeywrd->setFont(arialBold(8.25));
    lstKeywrd->setDragEnabled(true);
    lstKeywrd->setDragDropMode(QAbstractItemView::DragOnly);
    lstKeywrd->setDefaultDropAction(Qt::CopyAction);
    txtKeySrch.clear();
    for (int i = 0; i < kKeyBoxes; ++i) {
        auto* box = vb::Placed(new KeywordBox(w), QStringLiteral("txtKeySrch_%1").arg(i),
                               10560, 1200 + 480 * i, 1815, 375);
        box->setAcceptDrops(true);
        txtKeySrch.push_back(box);
    }

    buildRows(w);

    model_ = new SearchResultModel(w);
    grdSrchRes = vb::Placed(new QTableView(w), "grdSrchRes", 120, 7320, 14775, 2535);
    grdSrchRes->setModel(model_);
    grdSrchRes->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdSrchRes->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSrchRes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSrchRes->verticalHeader()->setDefaultSectionSize(twipsToPx(255));
    grdSrchRes->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdSrchRes->hide();

    QObject::connect(cmdSearch.data(), &QToolButton::clicked, w, [this] { gate_->Run([this] { cmdSearch_Click(); }); });
    QObject::connect(cmdClear.data(), &QToolButton::clicked, w, [this] { gate_->Run([this] { cmdClear_Click(); }); });
    QObject::connect(cmdPrtRep.data(), &QToolButton::clicked, w, [this] { gate_->Run([this] { cmdPrtRep_Click(); }); });
    QObject::connect(chkMemoSrch.data(), &QCheckBox::toggled, w, [this] { vb::RunTrapped([this] { chkMemoSrch_Click(); }); });
    QObject::connect(grdSrchRes.data(), &QTableView::clicked, w,
                     [this](const QModelIndex& index) { vb::RunTrapped([this, index] { grdSrchRes_Click(index.row()); }); });
    return w;
}

void frmSearch::buildRows(QWidget* w) {
    chfldSrch.clear();
    txtSrcFld.clear();
    cmbonum.clear();
    cmbSrchTF.clear();
    const QFont rowFont = arialBold(9);
    // The file picker of a file-path row opens when the user moves into its box (Tab or a click).
    // Focus given back by code, by a closing box or by the MDI area on a click elsewhere in the view
    // (a button that takes no focus) is no move into the box and opens nothing.
    auto* focusHook = new EventHook(w, [this](QObject* watched, QEvent* e) {
        if (e->type() != QEvent::FocusIn || pickerByCode_ || vb::BoxShowing()) return false;
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::MouseFocusReason)
            return false;
        for (int i = 0; i < kRows; ++i) {
            if (txtSrcFld[size_t(i)] != watched) continue;
            // Once the focus has settled, and not while a box that opened meanwhile is showing.
            QMetaObject::invokeMethod(
                txtSrcFld[size_t(i)],
                [this, i] {
                    if (!vb::BoxShowing()) vb::RunTrapped([this, i] { txtSrcFld_GotFocus(i); });
                },
                Qt::QueuedConnection);
        }
        return false;
    });
    for (int i = 0; i < kRows; ++i) {
        auto* check = vb::Placed(new vb::FittingCheckBox(QStringLiteral("Name of Field"), w),
                                 QStringLiteral("chfldSrch_%1").arg(i), rowLeft(i), rowTop(i), i < 10 ? 3015 : 3375, 255);
        check->setFont(rowFont);
        check->setBackgroundRole(QPalette::Window);   // a button fills with its Button colour otherwise
        check->setAutoFillBackground(true);
        vb::SetBackColor(check, vb::RGB(255, 255, 255));
        vb::SetForeColor(check, vb::RGB(0, 0, 64));
        check->hide();
        chfldSrch.push_back(check);

        auto* value = vb::Placed(new QLineEdit(w), QStringLiteral("txtSrcFld_%1").arg(i),
                                 rowLeft(i), rowTop(i) + 240, i < 10 ? 3135 : 3255, 315);
        value->hide();
        value->installEventFilter(focusHook);
        txtSrcFld.push_back(value);
        gate_->Watch(value, [this, i] { return !txtSrcFld_Validate(i); });

        // The operator list offers its own operators only; until one is picked it shows its prompt.
        auto* op = vb::Placed(new QComboBox(w), QStringLiteral("cmbonum_%1").arg(i),
                              i < 10 ? 1680 : 5520, rowTop(i) + 240, 1935, 315);
        op->addItems(operatorItems(i));
        op->setPlaceholderText(i == 0 ? QStringLiteral("Select <> or =") : QStringLiteral("Select < > or ="));
        op->setCurrentIndex(-1);
        op->hide();
        cmbonum.push_back(op);

        auto* tf = vb::Placed(new QComboBox(SrchFldsFrame), QStringLiteral("cmbSrchTF_%1").arg(i), 6240, 0, 1215, 315);
        tf->addItems({QStringLiteral("TRUE"), QStringLiteral("FALSE")});
        // The rows' own font, every property set, not the frame's large caption font.
        QFont listFont = op->font();
        listFont.setResolveMask(QFont::AllPropertiesResolved);
        tf->setFont(listFont);
        tf->hide();
        cmbSrchTF.push_back(tf);

        QObject::connect(check, &QCheckBox::toggled, w, [this, i] { vb::RunTrapped([this, i] { chfldSrch_Click(i); }); });
    }
}

void frmSearch::Form_Load() {
    QWidget* w = Widget();
    placeAtOrigin();
    FrmColor = Module1::GetFrmColor();
    TextColor = Module1::GetTextColor();
    vb::SetBackColor(w, uint32_t(vb::colourFromText(FrmColor)));
    vb::SetBackColor(SrchFldsFrame, uint32_t(vb::colourFromText(FrmColor)));
    RowRange = {};
    RowDef = {};
    bHasMemo = false;
    int keywordCount = 0;
    try {
        grdSrchRes->hide();
        model_->Clear();
        frmMain* main = frmMain::existing();
        const bool searchTab = main && main->TabCaption(main->SelectedTab()) == QLatin1String("Search");
        if (searchTab) {
            DataInput& entry = DataInput::instance();
            if (!entry.TableHasRecords()) {
                vb::MsgBox(QStringLiteral("There are currently no records Entered in the Database.  A Search Cannot Be Performed"));
                return;
            }
            for (int i = 0; i < kRows; ++i) {
                chfldSrch[size_t(i)]->hide();
                txtSrcFld[size_t(i)]->hide();
                cmbonum[size_t(i)]->hide();
            }
            int r = 0;
            cmboSort->clear();
            cmboSort->addItem(QStringLiteral("Sort Off"));
            const DBFldFunct& defs = DataInput::instance().DBDefMain().DBFldFunct();
            for (int d = 1; d <= defs.Count(); ++d) {
                const QString name = defs.Item(d).FldName;
                const vb::FieldType type = vb::FieldType::parse(defs.Item(d).FldType, name);
                if (name.startsWith(QLatin1String("KeyWord"))) {
                    ++keywordCount;
                    continue;
                }
                if (type.kind == vb::FieldKind::Memo) {
                    bHasMemo = true;
                    continue;
                }
                const bool getsRow = type.kind != vb::FieldKind::None &&
                                     (type.kind != vb::FieldKind::Integer || !name.startsWith(QLatin1String("Srch")));
                if (!getsRow || r >= kRows) continue;
                QCheckBox* box = chfldSrch[size_t(r)];
                box->show();
                vb::SetBackColor(box, uint32_t(vb::colourFromText(FrmColor)));
                box->setText(type.filePath ? name.left(name.size() - 2) : name);
                cmboSort->addItem(name);
                // Every handler reads the row's own definition: rows and definitions stay in step
                // even when a definition earns no row.
                RowDef[size_t(r)] = d;
                ++r;
            }
            LayoutRows = r;
            // The keywords are the entry view's list, which follows every record it stores: the
            // view holds the list as it is now.
            QStringList keywords = keywordCount > 0 ? entry.TableKeywords() : QStringList();
            Module1::KeyListChg = false;
            if (keywords.isEmpty()) {
                showKeywordArea(false);
            } else {
                showKeywordArea(true);
                Module1::FillKeyList(keywords, QStringLiteral("Search"));
            }
        } else {
            LayoutRows = 0;
        }
        placeLayout(LayoutRows);
        chkMemoSrch->setVisible(bHasMemo);
        txtmemo->setVisible(bHasMemo);
        // Defaults; a view built without data has no sort entry to select.
        AndOption->setChecked(true);
        OptKeyOr->setChecked(true);
        if (cmboSort->count() > 0) cmboSort->setCurrentIndex(0);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}

void frmSearch::showKeywordArea(bool show) {
    LblKeyWrd->setVisible(show);
    lstKeywrd->setVisible(show);
    for (auto& box : txtKeySrch) box->setVisible(show);
}

void frmSearch::placeLayout(int rows) {
    const bool wide = rows > 10;
    SrchFldsFrame->resize(twipsToPx(wide ? 7695 : 3885), SrchFldsFrame->height());
    const int listLeft = wide ? 8040 : 4200;
    LblKeyWrd->move(twipsToPx(listLeft), LblKeyWrd->y());
    lstKeywrd->move(twipsToPx(listLeft), lstKeywrd->y());
    for (auto& box : txtKeySrch) box->move(twipsToPx(wide ? 10560 : 6720), box->y());
    vb::SetBackColor(LblKeyWrd, uint32_t(vb::colourFromText(FrmColor)));
}

void frmSearch::placeAtOrigin() {
    // The view stands at the top left of the document area.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(Widget() ? Widget()->parentWidget() : nullptr)) sub->move(0, 0);
}

void frmSearch::Form_Activate() {
    placeAtOrigin();
    UpdateSrchClr();
    if (Module1::GetKeyWrdCount() > 0 && Module1::KeyListChg) {
        // The entry view's list changed since the view took it: the view takes it again (the
        // entry view keeps it up to date; nothing is counted here).
        const QStringList values = DataInput::instance().TableKeywords();
        Module1::KeyListChg = false;
        // A list of one keyword is shown too; with none left the keyword area goes, as at load.
        showKeywordArea(!values.isEmpty());
        lstKeywrd->clear();
        lstKeywrd->addItems(values);
    }
}

QListWidget* frmSearch::KeywordListBox() { return lstKeywrd; }

void frmSearch::UpdateSrchClr() {
    // Colours reach a view that is loaded; one that is not takes them when it loads.
    if (!IsLoaded()) return;
    FrmColor = Module1::GetFrmColor();
    TextColor = Module1::GetTextColor();
    const uint32_t back = uint32_t(vb::colourFromText(FrmColor));
    const uint32_t fore = uint32_t(vb::colourFromText(TextColor));
    vb::SetBackColor(Widget(), back);
    vb::SetBackColor(SrchFldsFrame, back);
    vb::SetForeColor(SrchFldsFrame, fore);
    const int n = Module1::CountDescFlds();
    if (n > 0) {
        for (int i = 0; i < n && i < kRows; ++i) {
            vb::SetBackColor(chfldSrch[size_t(i)], back);
            vb::SetForeColor(chfldSrch[size_t(i)], fore);
        }
        vb::SetBackColor(LblKeyWrd, back);
        vb::SetForeColor(LblKeyWrd, fore);
    }
}

void frmSearch::Form_Unload() { LayoutRows = 0; }

bool frmSearch::ResultsVisible() const { return IsLoaded() && grdSrchRes && !grdSrchRes->isHidden(); }

bool frmSearch::rowField(int Index, QString& name, QString& type) const {
    if (Index < 0 || Index >= kRows) return false;
    const DBFldFunct& defs = DataInput::instance().DBDefMain().DBFldFunct();
    if (defs.Count() == 0) return false;
    const int d = RowDef[size_t(Index)] > 0 ? RowDef[size_t(Index)] : Index + 1;
    if (d > defs.Count()) return false;
    name = defs.Item(d).FldName;
    type = defs.Item(d).FldType;
    return true;
}
