#pragma once
// The database definition form: where a new database's fields, notes, keywords and security are
// defined before the file is built. Its Create command builds the file and opens it at once.
#include "platform/core/UiServices.h"
#include "shell/Form.h"

#include <QPointer>
#include <QString>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CreateDatabase : public Form {
public:
    static CreateDatabase& instance();

    // Controls. The arrays are indexed 1..20 as the rows; element 0 is unused (null).
    QPointer<QLabel> Label1;
    QPointer<QLineEdit> txtNoFields;
    QPointer<QPushButton> cmdInitialize;
    std::vector<QPointer<QLineEdit>> Text3;
    std::vector<QPointer<QComboBox>> Combo1;
    std::vector<QPointer<QComboBox>> cmbDec;
    QPointer<QLabel> Label3;
    QPointer<QLineEdit> txtKeyWrds;
    QPointer<QCheckBox> chkMemo;
    QPointer<QCheckBox> chkusersec;
    QPointer<QPushButton> CmdCreate;
    QPointer<QPushButton> CmdCancel;
    vb::CommonDialog DlgDB;

    static constexpr int kRows = 20;

    // Form state; survives the unloading of the window.
    int NoFields = 0;
    bool bMemo = false;
    bool bUserSec = false;
    bool bCreateFailed = false;
    QString strFrmClr, strTxtClr;

    // Handlers.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() {}
    void cmdInitialize_Click();
    void txtNoFields_Validate(bool& Cancel);
    void Text3_Validate(int Index, bool& Cancel);
    void Combo1_Click(int Index);
    void chkMemo_Click();
    void chkusersec_Click();
    void CmdCancel_Click();
    void CmdCreate_Click();

    // Builds a new database file at the path from the definition the controls hold; the outcome
    // is left in bCreateFailed (the user has been told of a failure).
    void CreateDatabases(const QString& sNewFileName);

    // A field name with the characters a column name cannot hold replaced: blanks and
    // | * , ' / \ ( ) ; ? : & $ become "_", "-" and "." are dropped, "#" becomes "Number".
    static QString CleanFieldName(const QString& name);

    // Runs the validation of the box that holds (or last held) the focus, as leaving it would;
    // false when the validation keeps the focus there. Every button runs it before its command.
    bool ValidatePendingBox();

protected:
    QWidget* CreateWidget() override;

private:
    CreateDatabase();
    friend class CreateDatabaseEvents;

    void applyColours();
    void takeStartLayout();
    void syncFlagsFromBoxes();
    void runCommand(void (CreateDatabase::*handler)());
    bool validateBox(QLineEdit* box);   // false when the focus is held
    void switchPending(QLineEdit* box);

    // The box whose validation is due (it had the focus or was typed into), and whether its last
    // validation failed with nothing typed since.
    QPointer<QLineEdit> pendingBox_;
    QPointer<QLineEdit> deferredBox_;   // its check waits for the mouse click that moved the focus
    bool pendingFailed_ = false;
};
