#include "accounts/dlgUserSecur.h"

#include "accounts/AccountStore.h"
#include "accounts/CryptPassWrd.h"
#include "accounts/frmUserSecurity.h"
#include "platform/core/UiServices.h"
#include "platform/db/CauseMessage.h"
#include "shell/Module1.h"

#include <QApplication>
#include <algorithm>
#include <QDialog>
#include <QFocusEvent>
#include "platform/ui/FormWidgets.h"
#include "platform/ui/RefusedBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

namespace {

const QString kSpecialChars = QStringLiteral("User Name Cannot Contain Special Characters");
const QString kTooLong = QStringLiteral("User Name Cannot Be Longer then 8 Characters");
const QString kBlank = QStringLiteral("User Name cannot be blank.  Please add user or cancel.");
const QString kDuplicate = QStringLiteral("User Has Already Been Added, Please Add A New User");
const QString kReadOnly = QStringLiteral("Database is Read Only Please reset Flag, User Can not be added");
const QString kPasswordTooLong = QStringLiteral("Password Cannot Be Longer Than 8 Characters");
const QString kPasswordCharacters = QStringLiteral("Password Can Only Hold Printable Characters");

bool isLetter(QChar ch) { return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z'); }
bool allLetters(const QString& s) { return std::all_of(s.begin(), s.end(), isLetter); }

// An option button whose caption wraps over several lines within its width.
class WrappingRadioButton : public QRadioButton, public vb::CaptionLayout {
public:
    using QRadioButton::QRadioButton;
    QRect CaptionRect() const override {
        QStyleOptionButton opt;
        initStyleOption(&opt);
        return rect().adjusted(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &opt, this) + 6, 0, 0, 0);
    }
    int CaptionFlags() const override { return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap; }
    QString CaptionText() const override { return text(); }
    QFont CaptionFont() const override { return font(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const int w = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &opt, this);
        const int h = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &opt, this);
        const QFontMetrics fm(font());
        QStyleOptionButton ind = opt;
        ind.rect = QRect(0, (fm.height() - h) / 2 + 1, w, h);
        style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &ind, &p, this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(CaptionRect(), CaptionFlags(), CaptionText());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = fm.boundingRect(CaptionRect(), CaptionFlags(), CaptionText()).adjusted(-2, -1, 2, 1) & rect();
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Keys and focus changes of the two boxes that check what is typed. The boxes are told apart by
// address only: a box in the middle of being destroyed (it still gets events then) is no longer a
// QLineEdit, and is left alone.
class BoxWatcher : public QObject {
public:
    BoxWatcher(dlgUserSecur& form, QObject* parent)
        : QObject(parent), form_(form), name_(form.txtusernme.data()), password_(form.txtPasswrd.data()) {
        name_->installEventFilter(this);
        password_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!qobject_cast<QLineEdit*>(watched)) return false;
        if (watched == name_ && event->type() == QEvent::KeyPress) {
            const QString t = static_cast<QKeyEvent*>(event)->text();
            // Control keys (Backspace, Enter, shortcuts) are left to the box; typed characters
            // other than letters are refused.
            if (t.isEmpty() || (t.size() == 1 && t[0] < u' ') || t == QStringLiteral("\x7f")) return false;
            for (const QChar ch : t)
                if (!form_.txtusernme_KeyPress(ch)) return true;
            return false;
        }
        if (event->type() == QEvent::FocusIn && watched == password_) {
            // Typing replaces the password rather than adding to its scrambled form.
            form_.txtPasswrd->selectAll();
            return false;
        }
        if (event->type() == QEvent::FocusOut && (watched == name_ || watched == password_)) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || busy_) return false;
            // The commands run the checks themselves (and Close needs none).
            QWidget* next = QApplication::focusWidget();
            if (next && (next == form_.OKButton || next == form_.CancelButton)) return false;
            busy_ = true;
            bool cancel = false;
            vb::RunTrapped([&] {
                if (watched == name_) form_.txtusernme_Validate(cancel);
                else form_.txtPasswrd_Validate(cancel);
            });
            busy_ = false;
        }
        return false;
    }

private:
    dlgUserSecur& form_;
    QObject* const name_;
    QObject* const password_;
    bool busy_ = false;
};

}  // namespace

dlgUserSecur& dlgUserSecur::instance() {
    static dlgUserSecur form;
    return form;
}

QWidget* dlgUserSecur::CreateWidget() {
    auto* dlg = vb::FixedDialog([this] { CancelButton_Click(); }, QStringLiteral("Enter User Properties"), 6030, 4350);
    const QFont labelFont = vb::BoldFont(QStringLiteral("Liberation Sans"), 9);
    QFont optionFont = labelFont;
    optionFont.setItalic(true);

    auto label = [&](QPointer<QLabel>& l, const char* name, const QString& caption, int left, int top, int width) {
        l = vb::Placed(new QLabel(caption, dlg), name, left, top, width, 255);
        l->setFont(labelFont);
    };
    auto box = [&](QPointer<QLineEdit>& b, const char* name, int top) {
        b = vb::Placed(new QLineEdit(dlg), name, 1800, top, 3735, 375);
    };
    label(Label1, "Label1", QStringLiteral("User Name:"), 240, 240, 1215);
    box(txtusernme, "txtusernme", 120);
    QPalette white = txtusernme->palette();
    white.setColor(QPalette::Base, Qt::white);
    txtusernme->setPalette(white);
    label(Label2, "Label2", QStringLiteral("Full Name:"), 240, 600, 1335);
    box(txtfullnme, "txtfullnme", 480);
    txtfullnme->setMaxLength(25);
    label(Label3, "Label3", QStringLiteral("Description:"), 240, 960, 1455);
    box(txtuserdescp, "txtuserdescp", 840);
    txtuserdescp->setMaxLength(100);
    label(Label5, "Label5", QStringLiteral("Password:"), 240, 1320, 1455);
    box(txtPasswrd, "txtPasswrd", 1200);
    txtPasswrd->setEchoMode(QLineEdit::Password);
    label(Label4, "Label4", QStringLiteral("Level Of Access To Grant User:"), 120, 1800, 3855);

    OptSuperv = vb::Placed(new WrappingRadioButton(QStringLiteral("Supervisor:  Users Can create Databases, Add Records, "
                                                                  "Delete Records and Change Field Names."),
                                                   dlg),
                           "OptSuperv", 120, 2160, 5175, 735);
    OptSuperv->setFont(optionFont);
    OptResUser = vb::Placed(new WrappingRadioButton(QStringLiteral("Restricted User:  Read Only Access."), dlg), "OptResUser",
                            120, 3000, 3615, 615);
    OptResUser->setFont(optionFont);

    OKButton = vb::Placed(new QPushButton(QStringLiteral("Update"), dlg), "OKButton", 1440, 3840, 1215, 375);
    CancelButton = vb::Placed(new QPushButton(QStringLiteral("Close"), dlg), "CancelButton", 2760, 3840, 1215, 375);
    for (QPushButton* b : {OKButton.data(), CancelButton.data()}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    vb::TabOrder({txtusernme, txtfullnme, txtuserdescp, txtPasswrd, OptSuperv, OptResUser, OKButton, CancelButton});

    new BoxWatcher(*this, dlg);
    QObject::connect(txtPasswrd.data(), &QLineEdit::textEdited, dlg, [this](const QString& text) { txtPasswrd_Edited(text); });
    QObject::connect(txtPasswrd.data(), &QLineEdit::textChanged, dlg, [this](const QString& text) {
        if (accounts::PasswordFits(text)) pwdAccepted_ = text;
    });
    vb::OnClicked(OKButton, dlg, [this] { OKButton_Click(); });
    QObject::connect(CancelButton.data(), &QPushButton::clicked, dlg, [this] { CancelButton_Click(); });
    return dlg;
}

void dlgUserSecur::Form_Load() {
    addMode_ = Module1::AddUserMode;
    editKey_ = 0;
    protected_ = false;
    loadedName_.clear();
    loadedLevel_.clear();
    pwdStored_.clear();
    pwdAccepted_.clear();
    pwdDirty_ = false;
    try {
        if (addMode_) loadAdd();
        else loadEdit();
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}

void dlgUserSecur::loadAdd() {
    OptResUser->setChecked(true);
    for (QLineEdit* b : {txtusernme.data(), txtfullnme.data(), txtuserdescp.data(), txtPasswrd.data()}) b->clear();
    txtusernme->setFocus();
}

void dlgUserSecur::loadEdit() {
    // Nothing can be saved until the account has been found.
    OKButton->setEnabled(false);
    txtusernme->setFocus();
    const frmUserSecurity& list = frmUserSecurity::instance();
    const std::optional<accounts::Account> found = accounts::FindAccount(Module1::GetDBConnStr(), list.CurrentRowKey());
    if (!found) {
        OptResUser->setChecked(true);
        return;
    }
    const accounts::Account& a = *found;
    editKey_ = a.key;
    loadedName_ = a.UserName;
    loadedLevel_ = a.UserLevel;
    protected_ = accounts::IsAdminName(a.UserName);
    txtusernme->setText(a.UserName);
    txtusernme->setEnabled(!protected_);
    txtfullnme->setText(a.FullName);
    txtuserdescp->setText(a.UserDescription);
    if (a.UserLevel == accounts::kSupervisor) OptSuperv->setChecked(true);
    else if (a.UserLevel == accounts::kRestricted) OptResUser->setChecked(true);
    OptSuperv->setEnabled(!protected_);
    OptResUser->setEnabled(!protected_);
    pwdStored_ = a.PassWrd;
    pwdAccepted_ = a.PassWrd;
    txtPasswrd->setText(a.PassWrd);
    if (protected_) txtfullnme->setFocus();
    OKButton->setEnabled(true);
}

bool dlgUserSecur::txtusernme_KeyPress(QChar ch) {
    if (isLetter(ch) || ch == u'\b') return true;
    vb::MsgBox(kSpecialChars, vb::vbOKOnly);
    txtusernme->setFocus();
    return false;
}

void dlgUserSecur::txtusernme_Validate(bool& Cancel) {
    const QString name = txtusernme->text();
    // A name kept as the account has it is not checked again.
    if (!addMode_ && name == loadedName_) return;
    if (name.size() > 8) {
        vb::MsgBox(kTooLong, vb::vbOKOnly);
        txtusernme->clear();
        vb::FocusRefused(txtusernme);
        Cancel = true;
        return;
    }
    if (!allLetters(name)) {
        // Text pasted into the box is held to the same rule as typed text.
        vb::MsgBox(kSpecialChars, vb::vbOKOnly);
        vb::FocusRefused(txtusernme);
        Cancel = true;
    }
}

void dlgUserSecur::txtPasswrd_Edited(const QString& text) {
    if (accounts::PasswordFits(text)) {
        pwdDirty_ = true;
        pwdAccepted_ = text;
        return;
    }
    // The box holds what the column holds. One more typed character is refused as a full box
    // refuses it; a longer text pasted in is refused whole, with a word, never cut.
    const bool oneTyped = text.size() == pwdAccepted_.size() + 1;
    const int cursor = std::min<int>(txtPasswrd->cursorPosition() - int(text.size() - pwdAccepted_.size()),
                                     int(pwdAccepted_.size()));
    txtPasswrd->setText(pwdAccepted_);
    txtPasswrd->setCursorPosition(std::max(cursor, 0));
    if (oneTyped) QApplication::beep();
    else vb::MsgBox(kPasswordTooLong, vb::vbOKOnly);
}

void dlgUserSecur::txtPasswrd_Validate(bool& Cancel) {
    if (!pwdDirty_) return;
    if (!accounts::PasswordFits(txtPasswrd->text())) {
        vb::MsgBox(kPasswordTooLong, vb::vbOKOnly);
        vb::FocusRefused(txtPasswrd);
        Cancel = true;
        return;
    }
    if (!accounts::PasswordScramblesWhole(txtPasswrd->text())) {
        vb::MsgBox(kPasswordCharacters, vb::vbOKOnly);
        vb::FocusRefused(txtPasswrd);
        Cancel = true;
        return;
    }
    pwdStored_ = accounts::StoredPassword(txtPasswrd->text());
    txtPasswrd->setText(pwdStored_);
    pwdAccepted_ = pwdStored_;
    pwdDirty_ = false;
}

QString dlgUserSecur::chosenLevel() const {
    if (protected_) return loadedLevel_;
    // No level chosen is the restricted level.
    return OptSuperv->isChecked() ? accounts::kSupervisor : accounts::kRestricted;
}

void dlgUserSecur::OKButton_Click() {
    bool cancel = false;
    if (txtusernme->isEnabled()) txtusernme_Validate(cancel);
    if (cancel) return;
    // The password box may still hold what was typed: it is scrambled before anything is stored.
    txtPasswrd_Validate(cancel);
    if (cancel) return;
    try {
        if (!save()) return;
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::GridError) return;
        // A lock or a full disk passes: the account stays in the dialog to be saved again.
        const db::Cause cause = db::causeOf(e);
        if (cause == db::Cause::Locked || cause == db::Cause::DiskFull) {
            vb::ShowCause(e, QStringLiteral("the account was not saved."), QStringLiteral("User Accounts"));
            return;
        }
        if (e.number == vb::err::E_FAIL_) {
            vb::MsgBox(kReadOnly, vb::vbOKOnly);
            Unload();
            frmUserSecurity::instance().Unload();
            return;
        }
        vb::ShowErrorPair(e);
        return;
    }
    Unload();
}

// Stores the account; false when a check keeps the dialog open.
bool dlgUserSecur::save() {
    const QString connStr = Module1::GetDBConnStr();
    frmUserSecurity& list = frmUserSecurity::instance();
    if (!addMode_) {
        if (editKey_ == 0) return false;      // the account was not found: nothing is overwritten
        if (!list.bUserExist) return true;    // ends without saving
    }
    accounts::Account a;
    a.key = editKey_;
    a.UserName = protected_ ? loadedName_ : txtusernme->text();
    a.FullName = txtfullnme->text();
    a.UserDescription = txtuserdescp->text();
    a.UserLevel = chosenLevel();
    a.PassWrd = pwdStored_;
    if (a.UserName.isEmpty()) {
        vb::MsgBox(kBlank, vb::vbOKOnly, QStringLiteral("Add User"));
        return false;
    }
    if (accounts::NameTaken(connStr, a.UserName, addMode_ ? 0 : editKey_)) {
        vb::MsgBox(kDuplicate, vb::vbOKOnly);
        return false;
    }
    if (addMode_) {
        accounts::AddAccount(connStr, a);
        list.RefreshGrid();
        Module1::AddUserMode = false;
    } else {
        if (!accounts::UpdateAccount(connStr, a))
            vb::raise(vb::err::DB_E_CONCURRENCYVIOLATION,
                      QStringLiteral("Row cannot be located for updating. Some values may have been changed since it "
                                     "was last read."));
        // The signed-in account keeps being recognised as the current user under its new name.
        if (accounts::SameName(loadedName_, Module1::GetCurrentUser())) Module1::SetCurrentUser(a.UserName);
        list.RefreshGrid();
    }
    return true;
}

void dlgUserSecur::CancelButton_Click() { Unload(); }
