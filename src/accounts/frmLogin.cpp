#include "accounts/frmLogin.h"

#include "accounts/AccountStore.h"
#include "accounts/CryptPassWrd.h"
#include "platform/core/UiServices.h"
#include "shell/Module1.h"
#include "platform/ui/FormWidgets.h"
#include "shell/frmMain.h"
#include "platform/ui/RefusedBox.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

frmLogin& frmLogin::instance() {
    static frmLogin form;
    return form;
}

QWidget* frmLogin::CreateWidget() {
    auto* dlg = vb::FixedDialog([this] { cmdCancel_Click(); }, QStringLiteral("Login"), 3750, 1545, Qt::Tool);
    const QFont bold = vb::BoldFont(QStringLiteral("Liberation Sans"), 9.75);
    lblLabels0 = vb::Placed(new QLabel(QStringLiteral("&User Name:"), dlg), "lblLabels_0", 105, 150, 1200, 270);
    lblLabels0->setFont(bold);
    txtUserName = vb::Placed(new QLineEdit(dlg), "txtUserName", 1320, 135, 2325, 345);
    lblLabels0->setBuddy(txtUserName);
    lblLabels1 = vb::Placed(new QLabel(QStringLiteral("&Password:"), dlg), "lblLabels_1", 105, 540, 1080, 270);
    lblLabels1->setFont(bold);
    txtPassword = vb::Placed(new QLineEdit(dlg), "txtPassword", 1320, 525, 2325, 345);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMaxLength(accounts::kPasswordSize);   // as the account dialog's box
    lblLabels1->setBuddy(txtPassword);
    for (QLabel* l : {lblLabels0.data(), lblLabels1.data()}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(64, 64, 64));
        l->setPalette(p);
    }
    cmdOK = vb::Placed(new QPushButton(QStringLiteral("OK"), dlg), "cmdOK", 495, 1020, 1140, 390);
    cmdOK->setFont(bold);
    cmdOK->setDefault(true);
    cmdCancel = vb::Placed(new QPushButton(QStringLiteral("Cancel"), dlg), "cmdCancel", 2100, 1020, 1140, 390);
    cmdCancel->setFont(bold);
    vb::TabOrder({txtUserName, txtPassword, cmdOK, cmdCancel});
    vb::OnClicked(cmdOK, dlg, [this] { cmdOK_Click(); });
    QObject::connect(cmdCancel.data(), &QPushButton::clicked, dlg, [this] { cmdCancel_Click(); });
    return dlg;
}

bool frmLogin::Run() {
    LoginSucceeded = false;
    ShowModal();
    return LoginSucceeded;
}

void frmLogin::Form_Activate() {
    // Each showing starts signed out, whatever the last one left.
    LoginSucceeded = false;
    txtUserName->clear();
    txtPassword->clear();
    txtUserName->setFocus();
}

void frmLogin::cmdOK_Click() {
    if (txtUserName->text().isEmpty()) {
        vb::MsgBox(QStringLiteral("Please Enter a User Name"), vb::vbOKOnly, QStringLiteral("User Login"));
        return;
    }
    const QString name = txtUserName->text();
    LoginSucceeded = false;
    std::optional<QString> level;
    try {
        QString key = txtPassword->text();
        const QString scrambled = CryptPassWrd(txtPassword->text(), key);
        // A password no account can hold (too long, or losing characters to the scrambling)
        // matches none, whatever its scrambled form would meet.
        if (accounts::PasswordFits(txtPassword->text()) && accounts::PasswordScramblesWhole(txtPassword->text()))
            level = accounts::FindLogin(Module1::GetDBConnStr(), name, scrambled);
    } catch (const vb::VbError& e) {
        // The window stays open: the user may try again or cancel.
        vb::ShowErrorPair(e);
        return;
    }
    if (!level) {
        vb::MsgBox(QStringLiteral("Invalid Password, try again!"), vb::vbOKOnly, QStringLiteral("Login"));
        vb::FocusRefused(txtPassword);
        return;
    }
    Module1::SetCurrentUser(name);
    // Only the exact supervisor level signs in with supervisor rights.
    Module1::SetCurrentUserLevel(accounts::EffectiveLevel(*level));
    LoginSucceeded = true;
    if (Dialog()) Dialog()->done(QDialog::Accepted);
}

void frmLogin::cmdCancel_Click() {
    LoginSucceeded = false;
    Module1::CloseConfirmed = true;
    Module1::CurrentDBPath.clear();
    if (frmMain* main = frmMain::existing()) {
        main->SetTabCaption(4, Module1::CurrentDBPath);
        main->TabStrip1->setEnabled(false);
    }
    if (Dialog()) Dialog()->done(QDialog::Rejected);
}
