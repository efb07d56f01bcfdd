#include "search/DlgToFrmDte.h"

#include "platform/core/UiServices.h"
#include "platform/format/Locale.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "platform/ui/FormWidgets.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

DlgToFrmDte& DlgToFrmDte::instance() {
    static DlgToFrmDte form;
    return form;
}

QWidget* DlgToFrmDte::CreateWidget() {
    auto* dlg = vb::FixedDialog([this] { CancelButton_Click(); }, QStringLiteral("Set Date And Time"), 4755, 1680);
    const QFont bold = vb::BoldFont(QStringLiteral("Arial"), 9.75);
    Label2 = vb::Placed(new QLabel(QStringLiteral("From Date/Time:"), dlg), "Label2", 240, 120, 2655, 255);
    Label2->setFont(bold);
    Label1 = vb::Placed(new QLabel(QStringLiteral("To Date/Time:"), dlg), "Label1", 240, 960, 1815, 255);
    Label1->setFont(bold);

    auto dateEdit = [dlg](const char* name, int top) {
        auto* e = vb::Placed(new QDateEdit(dlg), name, 240, top, 1335, 375);
        e->setCalendarPopup(true);
        e->setDisplayFormat(vb::Locale::shortDatePattern());
        return e;
    };
    auto timeEdit = [dlg](const char* name, int top) {
        auto* e = vb::Placed(new QTimeEdit(dlg), name, 1680, top, 1455, 375);
        e->setDisplayFormat(QStringLiteral("h:mm AP"));
        return e;
    };
    DTDteFrm = dateEdit("DTDteFrm", 360);
    DTFrmTime = timeEdit("DTFrmTime", 360);
    DTDteTo = dateEdit("DTDteTo", 1200);
    DTToTime = timeEdit("DTToTime", 1200);

    OKButton = vb::Placed(new QPushButton(QStringLiteral("OK"), dlg), "OKButton", 3360, 360, 1215, 375);
    OKButton->setDefault(true);
    CancelButton = vb::Placed(new QPushButton(QStringLiteral("Cancel"), dlg), "CancelButton", 3360, 1080, 1215, 375);

    vb::TabOrder({OKButton, DTDteFrm, DTFrmTime, DTDteTo, DTToTime, CancelButton});
    vb::OnClicked(OKButton, dlg, [this] { OKButton_Click(); });
    vb::OnClicked(CancelButton, dlg, [this] { CancelButton_Click(); });
    return dlg;
}

void DlgToFrmDte::Form_Load() {
    DTDteFrm->setDate(QDate::currentDate());
    DTDteTo->setDate(QDate::currentDate());
    DTFrmTime->setTime(QTime(0, 0));
    DTToTime->setTime(QTime(23, 59));
    OKButton->setFocus();
}

void DlgToFrmDte::OKButton_Click() {
    const QDate from = DTDteFrm->date();
    const QDate to = DTDteTo->date();
    FrmDte = vb::showUserShortDate(from);
    ToDte = vb::showUserShortDate(to);
    if (to < from) {
        vb::MsgBox(QStringLiteral("To date cannot be before from Date, Please re-enter date "), vb::vbOKOnly,
                   QStringLiteral("Date Entry"));
        bDteCancel = true;
        return;
    }
    const QTime fromTime(DTFrmTime->time().hour(), DTFrmTime->time().minute());
    const QTime toTime(DTToTime->time().hour(), DTToTime->time().minute());
    FrmTme = vb::Format(fromTime, QStringLiteral("hh:mm AMPM"));
    ToTme = vb::Format(toTime, QStringLiteral("hh:mm AMPM"));
    FrmDtTm = FrmDte + QStringLiteral(" ") + FrmTme;
    ToDtTm = ToDte + QStringLiteral(" ") + ToTme;
    FrmValue = vb::makeDateTime(from, fromTime);
    // The to time takes in the whole of its minute.
    ToValue = vb::makeDateTime(to, toTime.addSecs(59));
    bDteCancel = false;
    if (QDialog* dlg = Dialog()) dlg->done(QDialog::Accepted);
    Unload();
}

void DlgToFrmDte::CancelButton_Click() {
    bDteCancel = true;
    if (QDialog* dlg = Dialog()) dlg->done(QDialog::Rejected);
    Unload();
}
