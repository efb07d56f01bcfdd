#pragma once
// The About window.
#include "shell/Form.h"

class frmAbout : public Form {
public:
    static frmAbout& instance();

protected:
    QWidget* CreateWidget() override;
    bool IsChildView() const override { return false; }

private:
    frmAbout() : Form(QStringLiteral("frmAbout")) {}
};
