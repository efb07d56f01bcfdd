#include "shell/frmAbout.h"

#include <QDialog>

frmAbout& frmAbout::instance() {
    static frmAbout form;
    return form;
}

QWidget* frmAbout::CreateWidget() {
    auto* dlg = new QDialog(viewHost() ? viewHost()->DialogParent() : nullptr);
    dlg->setWindowTitle(QStringLiteral("About Ravelstow"));
    return dlg;
}
