#pragma once
// The reports view: the choice of fields, printed reports, mailing labels and the exports.
#include "shell/Form.h"

#include <QPointer>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;

class frmReports : public Form {
public:
    static frmReports& instance();

    void Form_Activate() override;
    // Applies the shared form and text colours to the view.
    void UpdateRepFrmClr();

    QPointer<QGroupBox> RepLblFrame;
    QPointer<QGroupBox> FrmCompInfo;
    QPointer<QLabel> lblTitle;
    QPointer<QLabel> LblComp;
    QPointer<QCheckBox> chkInclMemo;
    std::vector<QPointer<QCheckBox>> ChkRepLbl;   // 1..20 (element 0 unused)

    QString FrmColor, TextColor;   // the view's own copies of the colours

protected:
    QWidget* CreateWidget() override;

private:
    frmReports() : Form(QStringLiteral("frmReports")) {}
};
