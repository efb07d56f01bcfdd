#include "entry/DlgEntryDte.h"

#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/format/Locale.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "platform/ui/FormWidgets.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

DlgEntryDte& DlgEntryDte::instance() {
    static DlgEntryDte form;
    return form;
}

QWidget* DlgEntryDte::CreateWidget() {
    // Closing the window by its title bar counts as Cancel.
    auto* dlg = new vb::CommandDialog([this] { CmdCancel_Click(); });
    dlg->setWindowTitle(QStringLiteral("Enter Date/Time "));
    dlg->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dlg->setFixedSize(vb::twipsToPx(4560), vb::twipsToPx(1080));
    QFont bold(QStringLiteral("Arial"));
    bold.setPointSizeF(9);
    bold.setBold(true);

    Label1 = new QLabel(QStringLiteral("Date"), dlg);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(bold);
    vb::PlaceTwips(Label1, 120, 120, 615, 255);
    Label2 = new QLabel(QStringLiteral("Time"), dlg);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(bold);
    vb::PlaceTwips(Label2, 1680, 120, 855, 255);

    DTDate = new QDateEdit(dlg);
    DTDate->setObjectName(QStringLiteral("DTDate"));
    DTDate->setCalendarPopup(true);
    // The short date form, with the year in four digits so that no century is guessed.
    DTDate->setDisplayFormat(vb::Locale::shortDatePattern());
    vb::PlaceTwips(DTDate, 120, 360, 1455, 375);

    // The time picker carries a check box; with the box cleared it holds no time.
    DTTimeCheck = new QCheckBox(dlg);
    DTTimeCheck->setObjectName(QStringLiteral("DTTimeCheck"));
    vb::PlaceTwips(DTTimeCheck, 1680, 420, 255, 255);
    DTTime = new QTimeEdit(dlg);
    DTTime->setObjectName(QStringLiteral("DTTime"));
    DTTime->setDisplayFormat(QStringLiteral("h:mm AP"));
    // Wide enough for "12:00 AM" and its arrows in this font (it ends short of the buttons).
    vb::PlaceTwips(DTTime, 1935, 360, 1245, 375);
    QObject::connect(DTTimeCheck.data(), &QCheckBox::toggled, DTTime.data(), &QWidget::setEnabled);

    CmdAccept = new QPushButton(QStringLiteral("Accept"), dlg);
    CmdAccept->setObjectName(QStringLiteral("CmdAccept"));
    CmdAccept->setDefault(true);
    vb::PlaceTwips(CmdAccept, 3240, 120, 1095, 375);
    CmdCancel = new QPushButton(QStringLiteral("Cancel"), dlg);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    vb::PlaceTwips(CmdCancel, 3240, 600, 1095, 375);

    QWidget::setTabOrder(DTDate, DTTimeCheck);
    QWidget::setTabOrder(DTTimeCheck, DTTime);
    QWidget::setTabOrder(DTTime, CmdAccept);
    QWidget::setTabOrder(CmdAccept, CmdCancel);
    QObject::connect(CmdAccept.data(), &QPushButton::clicked, dlg, [this] { vb::RunTrapped([this] { CmdAccept_Click(); }); });
    QObject::connect(CmdCancel.data(), &QPushButton::clicked, dlg, [this] { vb::RunTrapped([this] { CmdCancel_Click(); }); });
    return dlg;
}

void DlgEntryDte::Form_Load() {
    DTDate->setDate(QDate::currentDate());
    DTTime->setTime(QTime(0, 0));
    DTTimeCheck->setChecked(true);
    DTTime->setEnabled(true);
}

void DlgEntryDte::CmdAccept_Click() {
    dteValue = DTDate->date();
    Dte = vb::showUserShortDate(dteValue);
    if (!DTTimeCheck->isChecked()) {
        bAddTime = false;
        EntryDtTm = vb::showUserDate(vb::makeDateTime(dteValue));
    } else {
        tmeValue = DTTime->time();
        Tme = vb::Format(QTime(tmeValue.hour(), tmeValue.minute()), QStringLiteral("hh:mm AMPM"));
        bAddTime = true;
        EntryDtTm = Dte + QStringLiteral(" ") + Tme;
    }
    bEntDteCancel = false;
    if (QDialog* dlg = Dialog()) dlg->done(QDialog::Accepted);   // hidden; it stays loaded
}

void DlgEntryDte::CmdCancel_Click() {
    bEntDteCancel = true;
    if (QDialog* dlg = Dialog()) dlg->done(QDialog::Rejected);
    Unload();
}
