#pragma once
// The modal dialog in which the user picks a date range, each end a date and a time of day, for a
// Date/Time criterion of the search view. It writes nothing itself: the caller shows it modally,
// then reads bDteCancel and, when that is false, the range. Each showing starts again from today,
// 12:00 AM and 11:59 PM; the members survive between showings. Closing the window counts as Cancel.
#include "shell/Form.h"

#include <QDateTime>
#include <QPointer>
#include <QString>

class QDateEdit;
class QLabel;
class QPushButton;
class QTimeEdit;

class DlgToFrmDte : public DialogForm {
public:
    static DlgToFrmDte& instance();

    // ---- Results ----
    QString FrmDte, FrmTme, ToDte, ToTme;   // short dates and "hh:mm AMPM" times
    QString FrmDtTm, ToDtTm;                // date, a blank, time
    bool bDteCancel = false;
    // The range itself, so that the search binds the values rather than reading the texts back.
    QDateTime FrmValue, ToValue;

    // ---- Handlers ----
    void Form_Load() override;
    void OKButton_Click();
    void CancelButton_Click();

    // ---- Controls ----
    QPointer<QLabel> Label1, Label2;
    QPointer<QDateEdit> DTDteFrm, DTDteTo;
    QPointer<QTimeEdit> DTFrmTime, DTToTime;
    QPointer<QPushButton> OKButton, CancelButton;

protected:
    QWidget* CreateWidget() override;

private:
    DlgToFrmDte() : DialogForm(QStringLiteral("DlgToFrmDte")) {}
};
