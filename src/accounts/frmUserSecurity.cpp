#include "accounts/frmUserSecurity.h"

#include <QDialog>

frmUserSecurity& frmUserSecurity::instance() {
    static frmUserSecurity form;
    return form;
}

QWidget* frmUserSecurity::CreateWidget() {
    auto* dlg = new QDialog;
    dlg->setWindowTitle(QStringLiteral("User Security"));
    return dlg;
}
