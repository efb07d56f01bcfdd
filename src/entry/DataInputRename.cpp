// Renaming a field: a supervisor double-clicks a field's label, names the field anew, the column
// is renamed in the file, and the field list, labels and bindings are rebuilt in place.
#include "entry/DataInput.h"
#include "entry/ColumnBox.h"

#include "accounts/AccountStore.h"
#include "create/CreateDatabase.h"
#include "platform/db/Catalog.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/LockWait.h"
#include "shell/Module1.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
const QString kRenameTitle = QStringLiteral("Change Field Name");
const QString kRecordSource = QStringLiteral("SELECT * FROM UserTable Order By TolvaneID");
}  // namespace

bool DataInput::SupervisorRights() {
    // A database without accounts is opened as the supervisor Admin, whatever level text is held
    // while it is being set up; with accounts only the exact level "SUPRVR" is a supervisor.
    return !Module1::SecurityOn || accounts::IsSupervisor(Module1::GetCurrentUserLevel());
}

// Names the program reads by their first letters: a field so named would be taken for a keyword
// column or a column of the program's own when the view or the field list is built again.
bool DataInput::refuseRename(const QString& newName) {
    if (newName.left(3) == QLatin1String("Key")) {
        vb::MsgBox(QStringLiteral("Field names beginning with Key are reserved for keyword columns"), vb::vbOKOnly,
                   kRenameTitle);
        return true;
    }
    static const QStringList prefixes = {QStringLiteral("SrchInt"), QStringLiteral("SrchKey"), QStringLiteral("Memofld")};
    static const QStringList names = {QStringLiteral("SrchMemo"), QStringLiteral("RptFlg"), QStringLiteral("TolvaneID")};
    bool reserved = prefixes.contains(newName.left(7));
    for (const QString& n : names) reserved = reserved || newName.compare(n, Qt::CaseInsensitive) == 0;
    if (reserved) {
        vb::MsgBox(QStringLiteral("This name is reserved for the database's own columns, please choose another name"),
                   vb::vbOKOnly, kRenameTitle);
        return true;
    }
    return false;
}

void DataInput::Label1_DblClick(int Index) {
    if (!SupervisorRights()) return;
    db::LockWait wait;
    try {
        if (!IsLoaded()) return;
        const DBFlds* field = fieldOfRow(Index);
        if (!field) return;
        const QString fldName = field->FldName;
        const QString fldType = field->FldType;
        // Re-opening the record set after the rename would drop a record being added or edited.
        if (bAddingRec || EditMode() != 0) {
            vb::MsgBox(QStringLiteral("Save or cancel the current record before renaming a field"), vb::vbOKOnly,
                       kRenameTitle);
            return;
        }
        const QString caption = fieldLabel(Index)->text();
        const QString crlf = QStringLiteral("\r\n");
        const QString question = QStringLiteral("Would you like to rename this field? ") + crlf + crlf +
                                 QStringLiteral("Field Name: ") + caption + crlf + QStringLiteral("Data Type:") + fldType;
        if (vb::MsgBox(question, vb::vbOKCancel, kRenameTitle) != vb::vbOK) return;
        const QString answer = vb::InputBox(QStringLiteral("Enter The New Field Name"), kRenameTitle, caption);
        if (answer.isEmpty()) return;
        QString newName = CreateDatabase::CleanFieldName(answer);
        if (refuseRename(newName)) return;
        QString oldName = fldName;
        // A rename the file refused changed nothing: the view keeps its fields and its record.
        if (!RenameColumn(oldName, newName, Index)) return;
        RefreshCollection();
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        handleRenameError(e);
    } catch (const std::exception& e) {
        vb::ShowUnexpectedError(e);
    }
}

bool DataInput::RenameColumn(QString& oldnme, QString& newnme, int ColIndex) {
    Q_UNUSED(ColIndex);
    try {
        // An empty name is refused before "FP" could make it a name.
        db::Catalog::ValidateName(newnme);
        if (oldnme.right(2) == QLatin1String("FP")) newnme += QStringLiteral("FP");
        db::Connection conn;
        conn.Open(Module1::DBConnStr);
        {
            db::Catalog catalog(conn);
            // One statement: the column has its new name or keeps its old one.
            catalog.RenameColumn(QStringLiteral("UserTable"), oldnme, newnme);
        }
        conn.Close();
        // The search and reports views are built again from the new names when next shown; a
        // search result names the old columns.
        Module1::UnloadSearchAndReports();
        return true;
    } catch (const vb::VbError& e) {
        db::LockWait::Settle();
        const QString refusal = refusalText(e, QStringLiteral("Field was not renamed."));
        if (!refusal.isEmpty()) vb::MsgBox(refusal, vb::vbOKOnly, kRenameTitle);
        else vb::ShowErrorPair(e);
        return false;
    }
}

void DataInput::RefreshCollection() {
    Load();
    // The columns are read first: a file that cannot be read leaves the field list and the
    // bindings as they were.
    db::Connection conn;
    conn.Open(Module1::DBConnStr);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM UserTable"), conn, db::adOpenKeyset, db::adLockOptimistic);

    DBFldFunct& fields = DBDefMain().DBFldFunct();
    for (int n = fields.Count(); n > 0; --n) fields.CollDelete(1);

    // The record set opens again on the first record, reading the table's columns as they are now.
    adoUserTbl.Close();
    adoUserTbl.ConnectionString = Module1::DBConnStr;
    adoUserTbl.RecordSource = kRecordSource;
    adoUserTbl.Refresh();

    Module1::KeyWrdCount = 0;
    int k = 1;
    keyColumns_.clear();

    // A box keeps its display format and kind; only the column it is bound to changes.
    auto rebind = [this](QLineEdit* box, const QString& name, const vb::FieldType& type) {
        if (BoundBox* b = BindingOf(box)) b->Bind(name, b->Format(), b->Kind());
        else bind(box, name, vb::DataFormat::forFieldType(type), type.valueKind());
    };

    const int c = rs.FieldCount();
    for (int i = 1; i <= c - 4; ++i) {
        const db::Field& column = rs.Fields(i);
        const QString name = column.Name();
        const vb::FieldType type = vb::FieldType::ofColumn(int16_t(column.Type()), column.NumericScale(), name);
        const ColumnBox goesTo = columnBox(name, type);
        if (goesTo == ColumnBox::Keyword) {
            QLineEdit* box = keywordBox(k);
            box->show();
            box->setAcceptDrops(true);
            if (BoundBox* b = BindingOf(box)) b->Bind(name, vb::DataFormat(), vb::ValueKind::Text);
            else bind(box, name, vb::DataFormat(), vb::ValueKind::Text);
            ++Module1::KeyWrdCount;
            ++k;
            keyColumns_ << name;
            fields.Add(name, vb::FieldType{vb::FieldKind::Text}.name());
        } else if (goesTo == ColumnBox::Notes) {
            if (BoundBox* b = BindingOf(txtmemo)) b->Bind(name, b->Format(), b->Kind());
            else bind(txtmemo, name, vb::DataFormat(), vb::ValueKind::Text);
            fields.Add(name, type.name());
        } else if (goesTo == ColumnBox::Hidden) {
            fields.Add(name, type.name());
        } else if (goesTo == ColumnBox::Field) {
            fieldLabel(i)->setText(type.filePath ? name.left(name.size() - 2) : name);
            rebind(fieldBox(i), name, type);
            fields.Add(name, type.name());
        }
        // A column of a type the view cannot show stays out, as at load.
    }
    rs.Close();
    conn.Close();
    Module1::SetKeyWrdCount(Module1::KeyWrdCount);
    // The boxes show the first record under their columns' names.
    ShowCurrentRecord();
}

void DataInput::handleRenameError(const vb::VbError& e) {
    handleTableError(e, QStringLiteral("A database has not been defined, please finish defining the user table"),
                     QStringLiteral("Database Creation"), QStringLiteral("Database Structure"));
}
