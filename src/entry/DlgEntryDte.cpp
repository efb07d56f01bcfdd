#include "entry/DlgEntryDte.h"

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
    auto* dlg = vb::FixedDialog([this] { CmdCancel_Click(); }, QStringLiteral("Enter Date/Time "), 4560, 1080);
    const QFont bold = vb::BoldFont(QStringLiteral("Arial"), 9);
    Label1 = vb::Placed(new QLabel(QStringLiteral("Date"), dlg), "Label1", 120, 120, 615, 255);
    Label1->setFont(bold);
    Label2 = vb::Placed(new QLabel(QStringLiteral("Time"), dlg), "Label2", 1680, 120, 855, 255);
    Label2->setFont(bold);

    DTDate = vb::Placed(new QDateEdit(dlg), "DTDate", 120, 360, 1455, 375);
    DTDate->setCalendarPopup(true);
    // The short date form, with the year in four digits so that no century is guessed.
    DTDate->setDisplayFormat(vb::Locale::shortDatePattern());

    // The time picker carries a check box; with the box cleared it holds no time.
    DTTimeCheck = vb::Placed(new QCheckBox(dlg), "DTTimeCheck", 1680, 420, 255, 255);
    // Wide enough for "12:00 AM" and its arrows in this font (it ends short of the buttons).
    DTTime = vb::Placed(new QTimeEdit(dlg), "DTTime", 1935, 360, 1245, 375);
    DTTime->setDisplayFormat(QStringLiteral("h:mm AP"));
    QObject::connect(DTTimeCheck.data(), &QCheckBox::toggled, DTTime.data(), &QWidget::setEnabled);

    CmdAccept = vb::Placed(new QPushButton(QStringLiteral("Accept"), dlg), "CmdAccept", 3240, 120, 1095, 375);
    CmdAccept->setDefault(true);
    CmdCancel = vb::Placed(new QPushButton(QStringLiteral("Cancel"), dlg), "CmdCancel", 3240, 600, 1095, 375);

    vb::TabOrder({DTDate, DTTimeCheck, DTTime, CmdAccept, CmdCancel});
    vb::OnClicked(CmdAccept, dlg, [this] { CmdAccept_Click(); });
    vb::OnClicked(CmdCancel, dlg, [this] { CmdCancel_Click(); });
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
