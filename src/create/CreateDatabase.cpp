// The definition form's window: its controls, layouts, the checks on the counts, the cleaning of
// field names and the form's own buttons. The Create command lives in CreateDatabaseCommands.cpp.
#include "create/CreateDatabase.h"
#include "platform/ui/AfterMouseClick.h"
#include "platform/ui/FormWidgets.h"

#include "platform/core/Colors.h"
#include "platform/core/Twips.h"
#include "platform/format/FieldType.h"
#include "platform/format/VbConvert.h"
#include "platform/ui/WidgetColors.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "platform/ui/RefusedBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <cmath>
#include <optional>

using vb::twipsToPx;

namespace {

constexpr int kDesignWidth = 15240, kDesignHeight = 9780;
constexpr int kRowTop = 1080, kRowHeight = 360;
constexpr uint32_t kDefaultFormColour = 16711680, kDefaultTextColour = 16777215;

const char* const kTypes[] = {"Text", "Number/Integer", "Number/Double", "Date/Time", "Currency", "True/False", "FilePath"};

const QString kCreateTitle = QStringLiteral("Create Database");

void moveTo(QWidget* w, int left, int top) { w->move(twipsToPx(left), twipsToPx(top)); }

int rowTop(int i) { return kRowTop + kRowHeight * ((i - 1) % 10); }
bool leftColumn(int i) { return i <= 10; }

// The whole number a count box holds (halves to the even neighbour); nullopt when it holds no number.
std::optional<double> roundedCount(const QString& text) {
    const std::optional<double> v = vb::parseNumber(text);
    if (!v) return std::nullopt;
    return vb::roundHalfEven(*v);
}

}  // namespace

// Runs the validation of the name and count boxes when the focus leaves them, as the form's
// Validate events do; focus lost to a dialog or a pop-up is not a move to another control.
class CreateDatabaseEvents : public QObject {
public:
    explicit CreateDatabaseEvents(CreateDatabase& form, QObject* parent) : QObject(parent), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (!box) return false;
        if (event->type() == QEvent::FocusIn) {
            form_.switchPending(box);
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
            if (form_.pendingBox_ == box) {
                QPointer<QLineEdit> guard(box);
                if (vb::MouseButtonDown()) {
                    // A mouse press moved the focus: a message now would take its click away.
                    // The check runs when the click has ended, unless a command ran it first.
                    form_.deferredBox_ = box;
                    CreateDatabase& form = form_;
                    vb::AfterMouseClick(box, [&form, guard] {
                        if (!guard || form.deferredBox_ != guard) return;
                        form.deferredBox_ = nullptr;
                        QPointer<QLineEdit> next = form.pendingBox_;
                        bool held = false;
                        vb::RunTrapped([&] { held = !form.validateBox(guard); });
                        if (held) vb::FocusRefused(guard);
                        else if (next && next != guard) form.pendingBox_ = next;
                    });
                    return false;
                }
                bool held = false;
                vb::RunTrapped([&] { held = !form_.validateBox(box); });
                // The focus goes back once the move that is under way has ended.
                if (held) vb::FocusRefusedLater(box);
            }
        }
        return false;
    }

private:
    CreateDatabase& form_;
};

CreateDatabase::CreateDatabase() : Form(QStringLiteral("CreateDatabase")) {}

CreateDatabase& CreateDatabase::instance() {
    static CreateDatabase form;
    return form;
}

QWidget* CreateDatabase::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("bdecadd"));
    w->setMinimumSize(twipsToPx(kDesignWidth), twipsToPx(kDesignHeight));
    w->resize(twipsToPx(kDesignWidth), twipsToPx(kDesignHeight));
    auto* events = new CreateDatabaseEvents(*this, w);

    Label1 = vb::Placed(new QLabel(QStringLiteral("Specify Number Of Fields (Minimum 1, Maximum 20):"), w), "Label1", 1600,
                        3922, 5535, 375);
    txtNoFields = vb::Placed(new QLineEdit(w), "txtNoFields", 7200, 3922, 1335, 375);
    cmdInitialize = vb::Placed(new QPushButton(QStringLiteral("Create Fields"), w), "cmdInitialize", 8800, 3922, 1455, 375);

    Text3.assign(kRows + 1, nullptr);
    Combo1.assign(kRows + 1, nullptr);
    cmbDec.assign(kRows + 1, nullptr);
    QStringList types;
    for (const char* t : kTypes) types << QString::fromLatin1(t);
    QStringList places;
    for (int d = 1; d <= 9; ++d) places << QString::number(d);
    for (int i = 1; i <= kRows; ++i) {
        const bool left = leftColumn(i);
        auto* name =
            vb::Placed(new QLineEdit(w), QStringLiteral("Text3_%1").arg(i), left ? 360 : 6840, rowTop(i), 3855, kRowHeight);
        name->installEventFilter(events);
        Text3[i] = name;

        auto* type =
            vb::Placed(new QComboBox(w), QStringLiteral("Combo1_%1").arg(i), left ? 4200 : 10680, rowTop(i), 2175, kRowHeight);
        type->setEditable(false);
        type->addItems(types);
        Combo1[i] = type;

        auto* dec =
            vb::Placed(new QComboBox(w), QStringLiteral("cmbDec_%1").arg(i), left ? 6360 : 12840, rowTop(i), 495, kRowHeight);
        dec->setEditable(true);
        dec->addItems(places);
        dec->hide();
        cmbDec[i] = dec;
    }

    Label3 = vb::Placed(new QLabel(QStringLiteral("How Many Keywords Per Record? (0-20)"), w), "Label3", 240, 4920, 4815, 375);
    txtKeyWrds = vb::Placed(new QLineEdit(w), "txtKeyWrds", 5160, 4920, 735, 375);

    chkMemo = vb::Placed(new vb::GraphicalCheckBox(QStringLiteral(" Notes"), w), "chkMemo", 1560, 5400, 855, 735);
    chkMemo->setToolTip(QStringLiteral("Add Notes"));
    chkMemo->setIcon(w->style()->standardIcon(QStyle::SP_FileDialogDetailedView));

    chkusersec = vb::Placed(new vb::GraphicalCheckBox(QStringLiteral("Security"), w), "chkusersec", 2520, 5400, 855, 735);
    chkusersec->setToolTip(QStringLiteral("Add Security"));
    chkusersec->setIcon(w->style()->standardIcon(QStyle::SP_DialogYesButton));

    CmdCreate = vb::Placed(new QPushButton(QStringLiteral("Create"), w), "CmdCreate", 5400, 6500, 1455, 375);
    CmdCancel = vb::Placed(new QPushButton(QStringLiteral("Cancel"), w), "CmdCancel", 10340, 3922, 1455, 375);

    // Tab order: the count line, the rows (name, type), the keyword count, the check boxes and
    // buttons, and last the decimals boxes.
    QList<QWidget*> order{txtNoFields, cmdInitialize};
    for (int i = 1; i <= kRows; ++i) order << Text3[i] << Combo1[i];
    order << txtKeyWrds << chkMemo << CmdCreate << CmdCancel << chkusersec;
    for (int i = 1; i <= kRows; ++i) order << cmbDec[i];
    vb::TabOrder(order);

    // Signals only forward to the handlers.
    txtNoFields->installEventFilter(events);
    auto typed = [this](QLineEdit* box) {
        QObject::connect(box, &QLineEdit::textEdited, box, [this, box] {
            switchPending(box);
            pendingFailed_ = false;
        });
    };
    typed(txtNoFields);
    for (int i = 1; i <= kRows; ++i) {
        typed(Text3[i]);
        QComboBox* type = Combo1[i];
        QObject::connect(type, &QComboBox::currentIndexChanged, type, [this, i](int) {
            vb::RunTrapped([this, i] { Combo1_Click(i); });
        });
        // Picking the entry that is already shown counts as a click too.
        QObject::connect(type, &QComboBox::activated, type, [this, i](int) {
            vb::RunTrapped([this, i] { Combo1_Click(i); });
        });
    }
    QObject::connect(chkMemo.data(), &QCheckBox::stateChanged, w, [this](int) { vb::RunTrapped([this] { chkMemo_Click(); }); });
    QObject::connect(chkusersec.data(), &QCheckBox::stateChanged, w,
                     [this](int) { vb::RunTrapped([this] { chkusersec_Click(); }); });
    QObject::connect(cmdInitialize.data(), &QPushButton::clicked, w,
                     [this] { runCommand(&CreateDatabase::cmdInitialize_Click); });
    QObject::connect(CmdCreate.data(), &QPushButton::clicked, w, [this] { runCommand(&CreateDatabase::CmdCreate_Click); });
    QObject::connect(CmdCancel.data(), &QPushButton::clicked, w, [this] { runCommand(&CreateDatabase::CmdCancel_Click); });
    return w;
}

void CreateDatabase::runCommand(void (CreateDatabase::*handler)()) {
    vb::RunTrapped([this, handler] {
        if (!ValidatePendingBox()) return;
        (this->*handler)();
    });
}

void CreateDatabase::switchPending(QLineEdit* box) {
    if (pendingBox_ == box) return;
    // The focus has left the box whose validation was due: it runs now if it has not yet (or
    // when the click that moved the focus has ended).
    if (pendingBox_ && !pendingFailed_ && pendingBox_ != deferredBox_) vb::RunTrapped([this] { validateBox(pendingBox_); });
    pendingBox_ = box;
    pendingFailed_ = false;
}

bool CreateDatabase::ValidatePendingBox() {
    QLineEdit* box = pendingBox_;
    if (!box || !IsLoaded()) return true;
    // A failed validation whose message has been shown keeps the command from running until the
    // box is changed.
    if (pendingFailed_) return false;
    return validateBox(box);
}

bool CreateDatabase::validateBox(QLineEdit* box) {
    if (box == deferredBox_) deferredBox_ = nullptr;   // its check runs here, once
    bool cancel = false;
    if (box == txtNoFields) {
        txtNoFields_Validate(cancel);
    } else {
        for (int i = 1; i <= kRows; ++i) {
            if (Text3[i] == box) {
                Text3_Validate(i, cancel);
                break;
            }
        }
    }
    if (cancel) {
        pendingBox_ = box;
        pendingFailed_ = true;
        // The focus stays in the box however its message was closed (a mouse click on the box's
        // button leaves the focus on the button that was pressed to get here).
        vb::FocusRefusedLater(box);
        return false;
    }
    pendingBox_ = nullptr;
    pendingFailed_ = false;
    return true;
}

void CreateDatabase::applyColours() {
    QWidget* w = Widget();
    if (!w) return;
    const uint32_t form = vb::colourOrDefault(strFrmClr, kDefaultFormColour);
    const uint32_t text = vb::colourOrDefault(strTxtClr, kDefaultTextColour);
    vb::SetBackColor(w, form);
    for (QLabel* label : {Label1.data(), Label3.data()}) {
        vb::SetBackColor(label, form);
        vb::SetForeColor(label, text);
    }
}

void CreateDatabase::takeStartLayout() {
    for (int i = 1; i <= kRows; ++i) {
        Text3[i]->hide();
        Combo1[i]->hide();
    }
    moveTo(Label1, 1600, 3922);
    moveTo(txtNoFields, 7200, 3922);
    moveTo(cmdInitialize, 8800, 3922);
    moveTo(CmdCancel, 10340, 3922);
    Label3->hide();
    txtKeyWrds->hide();
    CmdCreate->hide();
    chkMemo->hide();
    chkusersec->hide();
    CmdCancel->show();
    bMemo = false;
    bUserSec = false;
    txtNoFields->setText(QStringLiteral("0"));
    if (frmMain* main = frmMain::existing()) main->TabStrip1->setEnabled(false);
}

void CreateDatabase::Form_Load() {
    pendingBox_ = nullptr;
    pendingFailed_ = false;
    // Centred across the screen at the top; activation maximises it anyway.
    QWidget* frame = Widget()->parentWidget() ? Widget()->parentWidget() : Widget();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) sub->setWindowFlags(Qt::FramelessWindowHint);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 0;
    frame->move(screenWidth / 2 - frame->width() / 2, 0);

    strFrmClr = Module1::GetFrmColor();
    strTxtClr = Module1::GetTextColor();
    applyColours();

    if (Module1::CurrentDBPath.isEmpty() || !Module1::DBOpen) takeStartLayout();
}

void CreateDatabase::Form_Activate() {
    strFrmClr = Module1::GetFrmColor();
    strTxtClr = Module1::GetTextColor();
    applyColours();
    // The flags follow what the check boxes show, so a ticked box always counts.
    syncFlagsFromBoxes();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(Widget()->parentWidget())) sub->showMaximized();
}

void CreateDatabase::syncFlagsFromBoxes() {
    if (!IsLoaded()) {
        bMemo = bUserSec = false;
        return;
    }
    bMemo = chkMemo->checkState() == Qt::Checked;
    bUserSec = chkusersec->checkState() == Qt::Checked;
}

QString CreateDatabase::CleanFieldName(const QString& name) {
    static const struct { const char* from; const char* to; } rules[] = {
        {" ", "_"}, {"|", "_"}, {"*", "_"}, {",", "_"}, {"'", "_"}, {"/", "_"}, {"\\", "_"}, {"(", "_"}, {")", "_"},
        {"-", ""},  {".", ""},  {";", "_"}, {"?", "_"}, {":", "_"}, {"&", "_"}, {"$", "_"}, {"#", "Number"},
    };
    QString out = name;
    for (const auto& r : rules) out.replace(QString::fromLatin1(r.from), QString::fromLatin1(r.to), Qt::CaseSensitive);
    return out;
}

void CreateDatabase::Text3_Validate(int Index, bool& Cancel) {
    Cancel = false;
    Load();
    if (Index < 1 || Index > kRows) vb::raise(vb::err::ControlArrayElement);
    QLineEdit* box = Text3[Index];
    const QString cleaned = CleanFieldName(box->text());
    box->setText(cleaned);
    if (cleaned == QLatin1String("ID") || cleaned == QLatin1String("id")) {
        vb::MsgBox(QStringLiteral("ID Is A Reserve Database Word, Please Rename Field"), vb::vbOKOnly,
                   QStringLiteral("Database Creation"));
        box->clear();
        // The name typed next belongs in this box: the focus comes back once the move that ran
        // the check has ended. An empty box passes, so no command is held up.
        vb::FocusRefusedLater(box);
    }
}

void CreateDatabase::txtNoFields_Validate(bool& Cancel) {
    Cancel = false;
    Load();
    const std::optional<double> n = roundedCount(txtNoFields->text());
    if (!n) {
        vb::MsgBox(QStringLiteral("Number of Fields must be a numeric value"), vb::vbOKOnly, kCreateTitle);
        Cancel = true;
        return;
    }
    if (*n < 0 || *n > kRows) {
        vb::MsgBox(QStringLiteral("Invalid number of fields.  Please enter value between 1-20"), vb::vbOKOnly, kCreateTitle);
        txtNoFields->setText(QStringLiteral("0"));
    }
}

void CreateDatabase::cmdInitialize_Click() {
    Load();
    const QString text = txtNoFields->text();
    const std::optional<double> rounded = roundedCount(text);
    // Any count that does not round to 1..20 is refused here (also "00", "0.4" or a text that is
    // no number), so the form never reaches its definition layout without a row.
    if (text == QLatin1String("0") || text.isEmpty() || !rounded || *rounded < 1 || *rounded >= kRows + 1) {
        vb::MsgBox(QStringLiteral("Please Enter A Number Between 1-20, Or Cancel"), vb::vbOKOnly, kCreateTitle);
        vb::FocusRefused(txtNoFields);
        return;
    }
    const int n = int(*rounded);
    NoFields = n;
    for (int i = 1; i <= n; ++i) {
        Text3[i]->show();
        Combo1[i]->show();
        {
            const QSignalBlocker block(Combo1[i].data());
            Combo1[i]->setCurrentIndex(0);
        }
        Combo1_Click(i);
    }
    vb::PlaceTwips(Label1, 360, 480, 6885, 375);
    Label1->setText(QStringLiteral("Number of Fields:"));
    vb::PlaceTwips(txtNoFields, 2460, 480, 885, 375);
    txtNoFields->setText(QString::number(n));
    txtNoFields->setEnabled(false);
    if (pendingBox_ == txtNoFields) pendingBox_ = nullptr;

    Label3->show();
    txtKeyWrds->show();
    chkMemo->show();
    chkusersec->show();
    cmdInitialize->hide();
    moveTo(CmdCreate, 5400, 6500);
    CmdCreate->show();
    CmdCancel->show();
    moveTo(CmdCancel, 7200, 6500);
}

void CreateDatabase::Combo1_Click(int Index) {
    if (Index < 1 || Index > kRows) vb::raise(vb::err::ControlArrayElement);
    Load();
    QComboBox* type = Combo1[Index];
    QComboBox* dec = cmbDec[Index];
    if (!type || !dec) return;
    if (vb::FieldType::parse(type->currentText()).kind == vb::FieldKind::Decimal) {
        dec->move(type->x() + type->width() - twipsToPx(15), type->y());
        dec->setCurrentIndex(0);
        dec->setEditText(QStringLiteral("1"));
        dec->show();
        dec->raise();
    } else {
        dec->hide();
    }
}

void CreateDatabase::chkMemo_Click() {
    Load();
    switch (chkMemo->checkState()) {
    case Qt::Checked: bMemo = true; break;
    case Qt::Unchecked: bMemo = false; break;
    default: break;
    }
}

void CreateDatabase::chkusersec_Click() {
    Load();
    bUserSec = chkusersec->checkState() == Qt::Checked;
}

void CreateDatabase::CmdCancel_Click() {
    Module1::CreatingDB = false;
    bMemo = false;
    bUserSec = false;
    if (bCreateFailed) {
        bCreateFailed = false;
        // The window stays for another try: the flags follow the boxes, which keep their ticks.
        syncFlagsFromBoxes();
        return;
    }
    Unload();
}
