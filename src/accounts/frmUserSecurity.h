#pragma once
// The list of user accounts, shown modally by the User Maintenance command.
#include "shell/Form.h"

class frmUserSecurity : public DialogForm {
public:
    static frmUserSecurity& instance();

protected:
    QWidget* CreateWidget() override;

private:
    frmUserSecurity() : DialogForm(QStringLiteral("frmUserSecurity")) {}
};
