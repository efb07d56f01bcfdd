// The entry view's window: its controls with their design layout, the state that outlives the
// window, and the unload.
#include "entry/DataInput.h"
#include "platform/ui/FormWidgets.h"
#include "platform/ui/PlainTextBox.h"
#include "entry/EntryWidgets.h"

#include "platform/core/Colors.h"
#include "platform/core/Twips.h"
#include "platform/paths/AppPaths.h"
#include "platform/ui/WidgetColors.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

using vb::twipsToPx;

const QString DataInput::kAddCaption = QStringLiteral("+ &Add");
const QString DataInput::kCancelCaption = QStringLiteral("&Cancel");

namespace {

constexpr int kClientWidth = 15240, kClientHeight = 9705;

QFont boldFont(double points) { return vb::BoldFont(QStringLiteral("Arial"), points); }

// Design placement of field row i (1..20) and keyword box i (frame coordinates).
int fieldLeft(int i) { return 480 + 3480 * ((i - 1) / 5); }
int fieldTop(int i) {
    static const int tops[5] = {840, 1440, 2040, 2760, 3360};
    return tops[(i - 1) % 5];
}
int keywordLeft(int i) { return 240 + 2400 * ((i - 1) / 5); }
int keywordTop(int i) { return 360 + 480 * ((i - 1) % 5); }

}  // namespace

DataInput& DataInput::instance() {
    static DataInput form;
    return form;
}

DataInput::DataInput() : Form(QStringLiteral("DataInput")) {
    // The keyword list is counted on the view's own connection while the view is loaded.
    keywords_.Attach([this]() -> db::Connection* { return IsLoaded() && adoUserTbl.IsOpen() ? &adoUserTbl.Connection() : nullptr; },
                     [this](const std::vector<KeywordTally::Change>* changes) { keywordsChanged(changes); },
                     [](const vb::VbError& e) { vb::ShowErrorPair(e); });
}

QWidget* DataInput::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("& +Add"));
    w->setFixedSize(twipsToPx(kClientWidth), twipsToPx(kClientHeight));
    vb::SetBackColor(w, vb::RGB(192, 192, 192));
    gate_ = new vb::ValidationGate(w);
    QStyle* style = QApplication::style();
    const QFont boxFont = boldFont(9);

    strAddIcon = QDir(vb::resourceFolder()).filePath(QStringLiteral("res/Add3.ico"));
    strCancelIcon = QDir(vb::resourceFolder()).filePath(QStringLiteral("res/Cancel2.ico"));

    // The bar across the top: record commands, navigation and the record counter.
    Picture1 = vb::Placed(new QFrame(w), "Picture1", 0, 0, 15240, 495);
    cmdAction.assign(5, nullptr);
    const struct { int index; const char* tip; } actions[] = {
        {0, "Add/Cancel Record"}, {1, "Delete Record"}, {3, "Save Changes"}, {4, "Reset Changes"}};
    const QIcon actionIcons[5] = {QIcon(strAddIcon), style->standardIcon(QStyle::SP_TrashIcon), QIcon(),
                                  style->standardIcon(QStyle::SP_DialogSaveButton),
                                  style->standardIcon(QStyle::SP_BrowserReload)};
    for (const auto& a : actions) {
        auto* b = vb::PictureButton(Picture1, QStringLiteral("cmdAction_%1").arg(a.index), QString::fromLatin1(a.tip),
                                    actionIcons[a.index]);
        vb::PlaceTwips(b, a.index == 0 ? 0 : a.index == 1 ? 480 : a.index == 3 ? 960 : 1440, 0, 495, 495);
        cmdAction[size_t(a.index)] = b;
        const int index = a.index;
        QObject::connect(b, &QToolButton::clicked, w, [this, index] { gate_->Run([this, index] { cmdAction_Click(index); }); });
    }
    cmdNegotiate.assign(4, nullptr);
    const struct { int left; const char* tip; QStyle::StandardPixmap icon; } moves[] = {
        {1920, "Goto First Record", QStyle::SP_MediaSkipBackward},
        {2760, "Previous Record", QStyle::SP_MediaSeekBackward},
        {5880, "Next Record", QStyle::SP_MediaSeekForward},
        {6720, "Go To Last Record", QStyle::SP_MediaSkipForward}};
    for (int i = 0; i < 4; ++i) {
        auto* b = vb::PictureButton(Picture1, QStringLiteral("cmdNegotiate_%1").arg(i), QString::fromLatin1(moves[i].tip),
                                    style->standardIcon(moves[i].icon));
        vb::PlaceTwips(b, moves[i].left, 0, 855, 495);
        cmdNegotiate[size_t(i)] = b;
        QObject::connect(b, &QToolButton::clicked, w, [this, i] { gate_->Run([this, i] { cmdNegotiate_Click(i); }); });
    }
    lblRecord = vb::Placed(new QLabel(Picture1), "lblRecord", 3600, 0, 2295, 480);
    lblRecord->setFont(boldFont(9));
    lblRecord->setAlignment(Qt::AlignCenter);
    vb::SetBackColor(lblRecord, vb::RGB(255, 255, 128));

    cmdAdd = new QPushButton(kAddCaption, w);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->hide();

    // The field rows.
    flddata.assign(kRows + 1, nullptr);
    Label1.assign(kRows + 1, nullptr);
    for (int i = 1; i <= kRows; ++i) {
        // The field's name, as the user chose it, fits its label.
        auto* label = vb::Placed(new vb::FittingLabel(QStringLiteral("Name Of Field"), w),
                                 QStringLiteral("Label1_%1").arg(i), fieldLeft(i), fieldTop(i) - 240, 2775, 255);
        label->setFont(boldFont(8.25));
        vb::SetBackColor(label, vb::RGB(192, 192, 192));
        vb::SetForeColor(label, vb::RGB(255, 255, 255));
        label->hide();   // the load shows the rows of the open table
        Label1[size_t(i)] = label;

        auto* box = vb::Placed(new QLineEdit(w), QStringLiteral("flddata_%1").arg(i),
                               fieldLeft(i), fieldTop(i), 2775, 375);
        box->setFont(boxFont);
        box->setAcceptDrops(false);
        box->hide();
        flddata[size_t(i)] = box;
        gate_->Watch(box, [this, i] {
            bool cancel = false;
            flddata_Validate(i, cancel);
            return !cancel;
        });
        installFieldEvents(i);
    }

    // The keyword area.
    Frame1 = vb::Placed(new QGroupBox(QStringLiteral("Keywords"), w), "Frame1", 360, 3960, 9735, 2775);
    Frame1->setFont(boldFont(12));
    Keywrd.assign(kRows + 1, nullptr);
    for (int i = 1; i <= kRows; ++i) {
        auto* box = vb::Placed(new KeywordBox(Frame1), QStringLiteral("Keywrd_%1").arg(i),
                               keywordLeft(i), keywordTop(i), 2175, 375);
        box->setFont(boxFont);
        box->setAcceptDrops(false);
        box->hide();
        Keywrd[size_t(i)] = box;
    }
    LblKeyWrd = vb::Placed(new QLabel(QStringLiteral("Drag Keyword To Text Box"), w), "LblKeyWrd",
                           10320, 3840, 2655, 255);
    LblKeyWrd->setFont(boldFont(8.25));
    lstKeywrd = vb::Placed(new KeywordList(w), "lstKeywrd", 10320, 4080, 2055, 3885);
    lstKeywrd->setFont(boxFont);

    // The notes.
    txtmemo = vb::Placed(new vb::PlainTextBox(w), "txtmemo", 960, 6840, 9135, 1455);
    txtmemo->setFont(boxFont);
    txtmemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Wider than its design (615 at 360) to both sides, up to the notes box; centred over its picture.
    lblNote = vb::Placed(new vb::FittingLabel(QStringLiteral("Notes"), w), "lblNote", 0, 6960, 945, 255);
    lblNote->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    lblNote->setFont(boldFont(8.25));
    PicNote = vb::Placed(new QLabel(w), "PicNote", 360, 7200, 375, 495);
    PicNote->setPixmap(style->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(twipsToPx(375) - 2));

    // The templates of the per-field editors; element i is made from element 0 for row i.
    CmdOpen.assign(kRows + 1, nullptr);
    CmdOpen[0] = vb::PictureButton(w, QStringLiteral("CmdOpen_0"), QStringLiteral("Open File"),
                                   style->standardIcon(QStyle::SP_DialogOpenButton));
    vb::PlaceTwips(CmdOpen[0], 0, 0, 375, 375);
    CmdOpen[0]->hide();
    chkDteTme.assign(kRows + 1, nullptr);
    chkDteTme[0] = vb::PictureButton(w, QStringLiteral("chkDteTme_0"), QStringLiteral("Check To Change Date/Time"),
                                     style->standardIcon(QStyle::SP_FileDialogDetailedView));
    chkDteTme[0]->setCheckable(true);
    vb::PlaceTwips(chkDteTme[0], 0, 0, 375, 375);
    chkDteTme[0]->hide();
    CmboTF.assign(kRows + 1, nullptr);
    CmboTF[0] = new QComboBox(w);
    CmboTF[0]->setObjectName(QStringLiteral("CmboTF_0"));
    CmboTF[0]->setFont(boxFont);
    CmboTF[0]->resize(twipsToPx(1095), CmboTF[0]->sizeHint().height());
    CmboTF[0]->hide();

    // Tab order: the field boxes, then the keyword boxes, then the notes, which Tab leaves as
    // every other box does. A row's editor, made at load, goes right after its box.
    txtmemo->setTabChangesFocus(true);
    QWidget* previous = nullptr;
    for (int i = 1; i <= kRows; ++i) {
        if (previous) QWidget::setTabOrder(previous, flddata[size_t(i)]);
        previous = flddata[size_t(i)];
    }
    for (int i = 1; i <= kRows; ++i) {
        QWidget::setTabOrder(previous, Keywrd[size_t(i)]);
        previous = Keywrd[size_t(i)];
    }
    QWidget::setTabOrder(previous, txtmemo);

    // A key with Alt is a command key (a menu, a button's mnemonic): it never types into the data.
    auto* altGuard = new EventHook(w, [](QObject*, QEvent* e) {
        return e->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(e)->modifiers() & Qt::AltModifier) &&
               !static_cast<QKeyEvent*>(e)->text().isEmpty();
    });
    for (int i = 1; i <= kRows; ++i) {
        flddata[size_t(i)]->installEventFilter(altGuard);
        Keywrd[size_t(i)]->installEventFilter(altGuard);
    }
    txtmemo->installEventFilter(altGuard);
    return w;
}

// ---- binding ----

BoundBox& DataInput::bind(QLineEdit* box, const QString& field, const vb::DataFormat& format, vb::ValueKind kind) {
    bound_.push_back(std::make_unique<BoundBox>(box));
    bound_.back()->Bind(field, format, kind);
    return *bound_.back();
}

BoundBox& DataInput::bind(QPlainTextEdit* box, const QString& field, const vb::DataFormat& format, vb::ValueKind kind) {
    bound_.push_back(std::make_unique<BoundBox>(box));
    bound_.back()->Bind(field, format, kind);
    return *bound_.back();
}

BoundBox* DataInput::BindingOf(const QWidget* box) const {
    if (!box) return nullptr;
    for (const auto& b : bound_)
        if (b->Widget() == box) return b.get();
    return nullptr;
}

bool DataInput::HasDirtyBoxes() const {
    for (const auto& b : bound_)
        if (b->Dirty()) return true;
    return false;
}

void DataInput::PushBoundBoxes() {
    if (!adoUserTbl.IsOpen()) return;
    db::Recordset& rs = adoUserTbl.Recordset();
    // Text typed where there is no record (an empty table) has nowhere to go: it is dropped, as the
    // reminder shown on entering the box said.
    const bool noRecord = rs.EditMode() == db::adEditNone && (rs.Bof() || rs.Eof());
    for (const auto& b : bound_) {
        if (!b->Dirty()) continue;
        if (noRecord) {
            b->Revert();
            continue;
        }
        try {
            b->Push(rs);
        } catch (const vb::VbError&) {
            if (QWidget* box = b->Widget(); box && box->isEnabled() && !box->isHidden()) box->setFocus(Qt::OtherFocusReason);
            throw;
        }
    }
}

// ---- state the File commands read ----

int DataInput::EditMode() const {
    if (!IsLoaded() || !adoUserTbl.IsOpen()) return 0;
    const db::Recordset& rs = adoUserTbl.Recordset();
    const int mode = rs.EditMode();
    if (mode == db::adEditNone && HasDirtyBoxes() && !rs.Bof() && !rs.Eof()) return db::adEditInProgress;
    return mode;
}

bool DataInput::AtBofOrEof() const {
    if (!IsLoaded() || !adoUserTbl.IsOpen()) return true;
    const db::Recordset& rs = adoUserTbl.Recordset();
    return rs.Bof() || rs.Eof();
}

// ---- unload ----

void DataInput::Form_Unload() {
    if (Picture1) Picture1->hide();
    // A record being added or edited is dropped, never written half-checked; the data control
    // goes with the window.
    const bool wasAdding = bAddingRec;
    bound_.clear();
    keywords_.Clear();
    adoUserTbl.MoveComplete = nullptr;
    adoUserTbl.Close();
    bAddingRec = false;
    if (wasAdding) {
        if (frmMain* main = frmMain::existing()) main->TabStrip1->setEnabled(true);
    }
}

void DataInput::placeWindow(int left, int top, int width, int height) {
    QWidget* w = Widget();
    if (!w) return;
    // In the main window the view sits in a frame of the document area; the frame is placed.
    QWidget* frame = w->parentWidget() && w->parentWidget()->inherits("QMdiSubWindow") ? w->parentWidget() : w;
    if (frame == w) {
        w->move(twipsToPx(left), twipsToPx(top));
        return;   // the view keeps its fixed client size
    }
    // A maximised frame fills the document area; a design size would leave a band of it bare.
    if (frame->isMaximized()) return;
    frame->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
    if (frmMain* main = frmMain::existing()) main->CoverDocumentArea(static_cast<QMdiSubWindow*>(frame));
}

bool DataInput::QueryUnload() {
    if (EditMode() == 0) return true;
    vb::MsgBox(QStringLiteral("Data View is in Edit Mode, Please Save Or Cancel The Current Record First."), vb::vbOKOnly,
               QStringLiteral("Data Entry"));
    return false;
}
