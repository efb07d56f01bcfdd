#pragma once
// The spreadsheet import window: the user picks worksheets of an .xls workbook, moves columns
// into the import list, sets the keyword count and the notes box, and builds a new, empty
// database with those columns. It copies no rows, does not open the new file and leaves the
// open database alone. One modeless window, owned by the main window.
#include "create/ImportCollections.h"
#include "platform/core/UiServices.h"
#include "platform/xls/XlsWorkbook.h"
#include "shell/Form.h"

#include <QPointer>
#include <QString>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmDtaTransfer : public Form {
public:
    static frmDtaTransfer& instance();

    // Controls.
    QPointer<QLabel> Label1;
    QPointer<QComboBox> cmboWorksheet;
    QPointer<QLabel> Label2;
    QPointer<QListWidget> lstFrom;
    QPointer<QPushButton> cmdAdd;
    QPointer<QPushButton> cmdRemove;
    QPointer<QLabel> lblNmeImport;
    QPointer<QListWidget> lstTo;
    QPointer<QLabel> Label3;
    QPointer<QLineEdit> txtNoKey;
    QPointer<QCheckBox> chkMemo;
    QPointer<QPushButton> CmdCreate;
    QPointer<QPushButton> CmdCancel;
    vb::CommonDialog DlgExptDB;

    // The columns chosen for the new database (row n of lstTo is item n) and the columns of the
    // worksheet chosen last (row n of lstFrom is item n); each created on first use.
    Import& ImprtMain();
    Export& ExprtMain();
    // Lets both go; the next use starts with empty collections.
    void ReleaseCollections();

    // Builds the new database at ExptDBNme from ImprtMain, chkMemo and txtNoKey (the file must
    // not exist); failures are raised to the caller.
    void CreateExprtDB(const QString& ExptDBNme);
    // The record transfer: the import copies no rows, so it changes nothing.
    void TransferRecs(const QString& ImprtDBNme);

    // Handlers.
    void Form_Load() override;
    void Form_Unload() override;
    void Form_QueryUnload();
    void cmboWorksheet_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void CmdCreate_Click();
    void CmdCancel_Click();

    // The open workbook (tests read it).
    const xls::Workbook& Workbook() const { return workbook_; }

protected:
    QWidget* CreateWidget() override;
    bool IsChildView() const override { return false; }

private:
    frmDtaTransfer();
    void fillLstTo();

    xls::Workbook workbook_;
    std::unique_ptr<Import> imprtMain_;
    std::unique_ptr<Export> exprtMain_;
};

// The File menu's import command: asks for the workbook in the main window's file dialog,
// records it as the spreadsheet path and shows the import window (or brings it to the front).
void ImportExcelTable(vb::CommonDialog& ComnDlgFile);
