#pragma once
// The About window: the program's name and version, and the system information button.
#include "shell/Form.h"

#include <QPointer>

class QLabel;
class QPushButton;

class frmAbout : public Form {
public:
    static frmAbout& instance();

    void Form_Load() override;
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    QPointer<QLabel> picIcon, lblTitle, lblVersion, lblDescription;
    QPointer<QPushButton> cmdOK, cmdSysInfo;

protected:
    QWidget* CreateWidget() override;
    bool IsChildView() const override { return false; }

private:
    frmAbout() : Form(QStringLiteral("frmAbout")) {}
};
