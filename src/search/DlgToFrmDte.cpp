#include "search/DlgToFrmDte.h"

#include "platform/core/Twips.h"
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
    auto* dlg = new vb::CommandDialog([this] { CancelButton_Click(); });
    dlg->setWindowTitle(QStringLiteral("Set Date And Time"));
    dlg->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dlg->setFixedSize(vb::twipsToPx(4755), vb::twipsToPx(1680));
    QFont bold(QStringLiteral("Arial"));
    bold.setPointSizeF(9.75);
    bold.setBold(true);

    Label2 = new QLabel(QStringLiteral("From Date/Time:"), dlg);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(bold);
    vb::PlaceTwips(Label2, 240, 120, 2655, 255);
    Label1 = new QLabel(QStringLiteral("To Date/Time:"), dlg);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    vb::PlaceTwips(Label1, 240, 960, 1815, 255);

    auto dateEdit = [dlg](const char* name, const QString& format, int top) {
        auto* e = new QDateEdit(dlg);
        e->setObjectName(QString::fromLatin1(name));
        e->setCalendarPopup(true);
        e->setDisplayFormat(format);
        vb::PlaceTwips(e, 240, top, 1335, 375);
        return e;
    };
    auto timeEdit = [dlg](const char* name, int top) {
        auto* e = new QTimeEdit(dlg);
        e->setObjectName(QString::fromLatin1(name));
        e->setDisplayFormat(QStringLiteral("h:mm AP"));
        vb::PlaceTwips(e, 1680, top, 1455, 375);
        return e;
    };
    DTDteFrm = dateEdit("DTDteFrm", vb::Locale::shortDatePattern(), 360);
    DTFrmTime = timeEdit("DTFrmTime", 360);
    DTDteTo = dateEdit("DTDteTo", vb::Locale::shortDatePattern(), 1200);
    DTToTime = timeEdit("DTToTime", 1200);

    OKButton = new QPushButton(QStringLiteral("OK"), dlg);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    vb::PlaceTwips(OKButton, 3360, 360, 1215, 375);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), dlg);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    vb::PlaceTwips(CancelButton, 3360, 1080, 1215, 375);

    QWidget::setTabOrder(OKButton, DTDteFrm);
    QWidget::setTabOrder(DTDteFrm, DTFrmTime);
    QWidget::setTabOrder(DTFrmTime, DTDteTo);
    QWidget::setTabOrder(DTDteTo, DTToTime);
    QWidget::setTabOrder(DTToTime, CancelButton);
    QObject::connect(OKButton.data(), &QPushButton::clicked, dlg, [this] { vb::RunTrapped([this] { OKButton_Click(); }); });
    QObject::connect(CancelButton.data(), &QPushButton::clicked, dlg,
                     [this] { vb::RunTrapped([this] { CancelButton_Click(); }); });
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
