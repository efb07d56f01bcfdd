#pragma once
// The login window, shown modally when a database with user accounts is opened.
#include "shell/Form.h"

#include <QPointer>

class QLineEdit;
class QPushButton;
class QLabel;

class frmLogin : public DialogForm {
public:
    static frmLogin& instance();

    // True only after a matching account signed in during the last showing.
    bool LoginSucceeded = false;

    // Shows the window modally; returns LoginSucceeded.
    bool Run();

    void Form_Activate() override;
    void cmdOK_Click();
    void cmdCancel_Click();

    QPointer<QLabel> lblLabels0, lblLabels1;
    QPointer<QLineEdit> txtUserName;
    QPointer<QLineEdit> txtPassword;
    QPointer<QPushButton> cmdOK;
    QPointer<QPushButton> cmdCancel;

protected:
    QWidget* CreateWidget() override;

private:
    frmLogin() : DialogForm(QStringLiteral("frmLogin")) {}
};
