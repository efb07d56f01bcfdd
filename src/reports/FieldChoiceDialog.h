#pragma once
// The small modal dialog two exports start with: "Export all fields" or "Export selected fields
// only", then Export or Cancel. It reports only through three shared flags: the two choices,
// which keep the last click's values while the program runs, and "applied", false when the dialog
// loads, true after Export. FrmExpToExcel (spreadsheet) and frmGenDB (output database) are its two
// windows; they differ in names, captions, places and flags.
#include "shell/Form.h"

#include <QPointer>

class QGroupBox;
class QPushButton;
class QRadioButton;

class FieldChoiceDialog : public DialogForm {
public:
    struct Layout {
        QString caption, frameText, allName, usrName;
        int clientW, clientH;
        int frame[4], all[4], usr[4], apply[4], cancel[4];
        bool optionsInFrame;       // the options lie in the frame (positions relative to it)
        bool grayUsrText;          // "Export selected fields only" in dark grey
        bool *allFlag, *usrFlag, *applyFlag;
    };

    void Form_Load() override;
    void cmdApply_Click();
    void cmdCancel_Click();

    QPointer<QGroupBox> Frame1;
    QPointer<QPushButton> cmdApply, cmdCancel;

protected:
    FieldChoiceDialog(const QString& name, const Layout& layout) : DialogForm(name), layout_(layout) {}
    QWidget* CreateWidget() override;
    void allClicked();
    void usrClicked();
    QPointer<QRadioButton> all_, usr_;

private:
    Layout layout_;
};

// Spreadsheet export: "Export To Excel Spreadsheet".
class FrmExpToExcel : public FieldChoiceDialog {
public:
    static FrmExpToExcel& instance();
    QPointer<QRadioButton>& optAllFlds = all_;
    QPointer<QRadioButton>& optUsrFlds = usr_;

private:
    FrmExpToExcel();
};

// Output database export: "Export Database".
class frmGenDB : public FieldChoiceDialog {
public:
    static frmGenDB& instance();
    QPointer<QRadioButton>& OptAllFields = all_;
    QPointer<QRadioButton>& OptUsrFields = usr_;

private:
    frmGenDB();
};
