#pragma once
// The small modal dialog in which the user picks a date and, optionally, a time for a Date/Time
// field of the entry view. The dialog writes nothing itself: the caller shows it modally and reads
// the public members afterwards, bEntDteCancel first.
//
// After Accept the dialog is only hidden, so the next showing starts from the accepted values;
// after Cancel it is unloaded, so the next showing starts again from today and 12:00 AM. The
// members survive both.
#include "shell/Form.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <QTime>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTimeEdit;

class DlgEntryDte : public DialogForm {
public:
    static DlgEntryDte& instance();

    // ---- Results ----
    QString Dte;             // the chosen date in the short date form, always with a four-digit year
    QString Tme;             // the chosen time as "hh:mm AMPM"; written only when a time was chosen
    QString EntryDtTm;       // the date as the date boxes show it, or Dte & " " & Tme
    bool bAddTime = false;   // a time was chosen
    bool bEntDteCancel = false;
    // The chosen values themselves, so that no caller has to read the texts back.
    QDate dteValue;
    QTime tmeValue;

    // ---- Handlers ----
    void Form_Load() override;
    void CmdAccept_Click();
    void CmdCancel_Click();

    // ---- Controls ----
    QPointer<QLabel> Label1, Label2;
    QPointer<QDateEdit> DTDate;
    QPointer<QCheckBox> DTTimeCheck;   // the time picker's check box: cleared, the picker holds no value
    QPointer<QTimeEdit> DTTime;
    QPointer<QPushButton> CmdAccept, CmdCancel;

protected:
    QWidget* CreateWidget() override;

private:
    DlgEntryDte() : DialogForm(QStringLiteral("DlgEntryDte")) {}
};
