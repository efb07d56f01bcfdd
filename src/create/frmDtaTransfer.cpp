#include "create/frmDtaTransfer.h"
#include "platform/ui/FormWidgets.h"

#include "create/ImportBuilder.h"
#include "platform/core/Twips.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"
#include "shell/OpenErrors.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <optional>

using vb::MsgBox;
using vb::twipsToPx;

namespace {

const QString kImportTitle = QStringLiteral("Import Function");
constexpr int kClientWidth = 10185, kClientHeight = 5910;

// The row of a list's selected entry, or -1 when none is selected (a list box's ListIndex).
int listIndex(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// The two boxes of an unexpected error: the number under the program's title, then the
// description under the given title.
void showError(const vb::VbError& e, const QString& descriptionTitle) {
    MsgBox(QString::number(e.number));
    MsgBox(e.description, vb::vbOKOnly, descriptionTitle);
}

QString dbFilesFolder() {
    const QString folder = vb::inProgramFolder(QStringLiteral("DBFiles"));
    QDir().mkpath(folder);
    return folder;
}

// The window: closing it by its close box unloads the form.
class DtaTransferWindow : public QWidget {
public:
    DtaTransferWindow(frmDtaTransfer& form, QWidget* parent) : QWidget(parent, Qt::Window), form_(form) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        vb::RunTrapped([this] { form_.Unload(); });
    }

private:
    frmDtaTransfer& form_;
};

}  // namespace

frmDtaTransfer::frmDtaTransfer() : Form(QStringLiteral("frmDtaTransfer")) {}

frmDtaTransfer& frmDtaTransfer::instance() {
    static frmDtaTransfer form;
    return form;
}

Import& frmDtaTransfer::ImprtMain() {
    if (!imprtMain_) imprtMain_ = std::make_unique<Import>();
    return *imprtMain_;
}

Export& frmDtaTransfer::ExprtMain() {
    if (!exprtMain_) exprtMain_ = std::make_unique<Export>();
    return *exprtMain_;
}

void frmDtaTransfer::ReleaseCollections() {
    imprtMain_.reset();
    exprtMain_.reset();
}

QWidget* frmDtaTransfer::CreateWidget() {
    ViewHost* host = viewHost();
    auto* w = new DtaTransferWindow(*this, host ? host->DialogParent() : nullptr);
    w->setWindowTitle(QStringLiteral("Import Existing DataSource"));
    w->setFixedSize(twipsToPx(kClientWidth), twipsToPx(kClientHeight));

    QFont bold;
    bold.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    bold.setPointSize(8);
    bold.setBold(true);
    auto label = [&](const char* name, const QString& caption, int left, int top, int width) {
        auto* l = vb::Placed(new QLabel(caption, w), name, left, top, width, 255);
        l->setFont(bold);
        return l;
    };
    auto button = [&](const char* name, const QString& caption, int left, int top, int width, int height) {
        auto* b = vb::Placed(new QPushButton(caption, w), name, left, top, width, height);
        b->setFont(bold);
        return b;
    };

    Label1 = label("Label1", QStringLiteral("Choose worksheet to import:"), 240, 120, 4335);
    cmboWorksheet = vb::Placed(new QComboBox(w), "cmboWorksheet", 240, 420, 4335, 315);
    cmboWorksheet->setEditable(false);

    Label2 = label("Label2", QStringLiteral("Fields To Export"), 240, 900, 4335);
    lstFrom = vb::Placed(new QListWidget(w), "lstFrom", 240, 1200, 4335, 3375);

    cmdAdd = button("cmdAdd", QStringLiteral("Add>>"), 4695, 2040, 1095, 375);
    cmdRemove = button("cmdRemove", QStringLiteral("Remove"), 4695, 2640, 1095, 375);

    lblNmeImport = label("lblNmeImport", QStringLiteral("Fields To Import"), 5910, 900, 4035);
    lstTo = vb::Placed(new QListWidget(w), "lstTo", 5910, 1200, 4035, 3375);

    Label3 = label("Label3", QStringLiteral("Number of KeyWords"), 240, 4860, 2055);
    txtNoKey = vb::Placed(new QLineEdit(w), "txtNoKey", 2400, 4800, 735, 315);
    chkMemo = vb::Placed(new QCheckBox(QStringLiteral("Notes:"), w), "chkMemo", 3480, 4830, 1095, 255);
    chkMemo->setFont(bold);
    chkMemo->setLayoutDirection(Qt::RightToLeft);

    CmdCreate = button("CmdCreate", QStringLiteral("Import"), 6480, 4740, 1575, 495);
    CmdCancel = button("CmdCancel", QStringLiteral("Close"), 8370, 4740, 1575, 495);

    vb::TabOrder({lstFrom, lstTo, cmdAdd, cmdRemove, cmboWorksheet, CmdCreate, CmdCancel, txtNoKey, chkMemo});

    // Signals only forward to the handlers; each handler traps its own errors.
    auto forward = [this](void (frmDtaTransfer::*handler)()) {
        return [this, handler] { vb::RunTrapped([this, handler] { (this->*handler)(); }); };
    };
    QObject::connect(cmboWorksheet.data(), &QComboBox::activated, w, [f = forward(&frmDtaTransfer::cmboWorksheet_Click)](int) { f(); });
    QObject::connect(cmdAdd.data(), &QPushButton::clicked, w, forward(&frmDtaTransfer::cmdAdd_Click));
    QObject::connect(cmdRemove.data(), &QPushButton::clicked, w, forward(&frmDtaTransfer::cmdRemove_Click));
    QObject::connect(CmdCreate.data(), &QPushButton::clicked, w, forward(&frmDtaTransfer::CmdCreate_Click));
    QObject::connect(CmdCancel.data(), &QPushButton::clicked, w, forward(&frmDtaTransfer::CmdCancel_Click));
    return w;
}

// The workbook is read whatever the state of the open database: the import does not use it.
void frmDtaTransfer::Form_Load() {
    try {
        workbook_.Open(Module1::GetSpreadsheetPath());
        {
            const QSignalBlocker block(cmboWorksheet);
            for (const QString& sheet : workbook_.SheetNames()) cmboWorksheet->addItem(sheet);
        }
        if (cmboWorksheet->count() == 0) vb::raise(vb::err::InvalidPropertyValue);
        {
            const QSignalBlocker block(cmboWorksheet);
            cmboWorksheet->setCurrentIndex(0);
        }
        cmboWorksheet_Click();
    } catch (const vb::VbError& e) {
        showError(e, kImportTitle);
    }
}

void frmDtaTransfer::Form_QueryUnload() { workbook_.Close(); }

void frmDtaTransfer::Form_Unload() {
    Form_QueryUnload();
    ReleaseCollections();
}

void frmDtaTransfer::cmboWorksheet_Click() {
    try {
        const QString sheet = cmboWorksheet->currentText();
        // Read first: a worksheet that cannot be read leaves the list shown before.
        const QList<xls::SheetColumn> columns = workbook_.Columns(sheet);
        ExportFunct& source = ExprtMain().ExportFunct();
        if (source.Count() > 0) {
            for (int32_t n = source.Count(); n > 0; --n) source.CollDelete(1);
            lstFrom->clear();
        }
        for (const xls::SheetColumn& c : columns) source.Add(c.Name, c.Type, sheet);
        for (const auto& item : source) lstFrom->addItem(item->ExpFldName + QStringLiteral(",   ") + item->ExpTblName);
        // A formula whose result cannot be read leaves its cell empty: the user is told which
        // columns that touches rather than finding them typed as text.
        QStringList formulaColumns;
        for (const xls::SheetColumn& c : columns)
            if (c.UnreadFormula) formulaColumns << c.Name;
        if (!formulaColumns.isEmpty())
            MsgBox(QStringLiteral("These columns of the worksheet '%1' hold formulas whose results cannot be read: %2. "
                                  "Their types are guessed from their other cells only.")
                       .arg(sheet, formulaColumns.join(QStringLiteral(", "))),
                   vb::vbOKOnly, kImportTitle);
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::DB_E_ERRORSINCOMMAND)
            MsgBox(QStringLiteral("This is not a valid Table. Please Choose another table."), vb::vbOKOnly, kImportTitle);
        else
            showError(e, kImportTitle);
    }
}

void frmDtaTransfer::fillLstTo() {
    lstTo->clear();
    for (const auto& item : ImprtMain().ImportFunct())
        lstTo->addItem(item->FldName + QStringLiteral(", ") + QString::number(item->FldType) + QStringLiteral(", ") +
                       item->TblName);
}

void frmDtaTransfer::cmdAdd_Click() {
    try {
        const int row = listIndex(lstFrom);
        if (row < 0 || lstFrom->item(row)->text().isEmpty()) {
            MsgBox(QStringLiteral("Please select a field to move."));
            return;
        }
        const auto column = ExprtMain().ExportFunct().Item(row + 1);
        ImprtMain().ImportFunct().Add(column->ExpFldName, column->ExpFldType, column->ExpTblName);
        fillLstTo();
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::InvalidProcCall)
            MsgBox(QStringLiteral("Please select item to be Added."), vb::vbOKOnly, kImportTitle);
        else
            showError(e, kImportTitle);
    }
}

void frmDtaTransfer::cmdRemove_Click() {
    try {
        if (lstTo->count() == 0) {
            MsgBox(QStringLiteral("The List Box Contains 0 items."));
            return;
        }
        ImprtMain().ImportFunct().CollDelete(listIndex(lstTo) + 1);
        fillLstTo();
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::InvalidProcCall)
            MsgBox(QStringLiteral("Please select item to be removed."), vb::vbOKOnly, kImportTitle);
        else
            showError(e, QStringLiteral("Import function"));
    }
}

void frmDtaTransfer::CreateExprtDB(const QString& ExptDBNme) {
    Load();
    importdb::BuildImportDatabase(ExptDBNme, ImprtMain().ImportFunct(), chkMemo->isChecked(), txtNoKey->text());
}

void frmDtaTransfer::TransferRecs(const QString& ImprtDBNme) {
    Q_UNUSED(ImprtDBNme);
    // The import builds the structure only: there is nothing to copy.
    (void)ImprtMain().ImportFunct().Count();
}

void frmDtaTransfer::CmdCreate_Click() {
    std::optional<vb::ReplacingFile> built;   // the new file, until it takes its place
    try {
        // The entry view shows at most 20 fields and 20 keywords: more are refused before
        // anything is asked or built.
        if (importdb::FieldColumnCount(ImprtMain().ImportFunct()) > importdb::kMaxFields) {
            MsgBox(QStringLiteral("A database can have at most 20 fields. Please remove fields from the import list."),
                   vb::vbOKOnly, kImportTitle);
            return;
        }
        if (importdb::KeywordCount(txtNoKey->text()) > importdb::kMaxKeywords) {
            MsgBox(QStringLiteral("Enter number of keywords between 0-20."), vb::vbOKOnly, QStringLiteral("Keyword Definition"));
            return;
        }

        // Names the table cannot hold twice, or that the database uses itself, are refused here
        // rather than failing the build halfway.
        if (const QString refused = importdb::RefusedColumnName(ImprtMain().ImportFunct()); !refused.isEmpty()) {
            MsgBox(refused, vb::vbOKOnly, kImportTitle);
            return;
        }

        DlgExptDB.CancelError = true;
        DlgExptDB.Flags = vb::cdlOFNHideReadOnly;
        DlgExptDB.DialogTitle = QStringLiteral("Create New Database");
        DlgExptDB.InitDir = dbFilesFolder();
        DlgExptDB.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files") + QStringLiteral("(*.mdb)|*.mdb");
        DlgExptDB.FilterIndex = 2;
        DlgExptDB.ShowSave();
        const QString path = DlgExptDB.FileName;
        if (path.isEmpty()) return;

        // The open database is never replaced under the views that show it.
        if (!Module1::CurrentDBPath.isEmpty() && vb::SamePath(path, Module1::CurrentDBPath)) {
            MsgBox(QStringLiteral("This Database Is Open And Cannot Be Overwritten, Please Choose Another Filename"),
                   vb::vbOKOnly, QStringLiteral("Database already Exists."));
            return;
        }

        if (vb::FileExists(path)) {
            if (MsgBox(QStringLiteral("Overwrite Database?"), vb::vbOKCancel, QStringLiteral("Database already Exists.")) ==
                vb::vbCancel)
                return;
            db::Connection conn;
            conn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path);
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT * FROM UserTable"), conn, db::adOpenKeyset, db::adLockBatchOptimistic);
            const bool hasRecords = rs.RecordCount() > 0;
            rs.Close();
            conn.Close();
            if (hasRecords &&
                MsgBox(QStringLiteral("Overwrite Database?"), vb::vbOKCancel, QStringLiteral("Database Contains Records.")) ==
                    vb::vbCancel)
                return;
            if (!QFileInfo(path).isWritable()) vb::raise(vb::err::PermissionDenied);
        }

        // The new file is built beside the target and replaces it only once it is complete, so a
        // failed build leaves no partial file and any file that stood there unharmed.
        built.emplace(path);
        CreateExprtDB(built->libraryPath());
        built->commit();
        built.reset();
        TransferRecs(path);
    } catch (const vb::VbError& e) {
        built.reset();   // removes an unfinished file
        if (e.number == vb::err::CancelError) return;
        showError(e, kImportTitle);
    }
}

void frmDtaTransfer::CmdCancel_Click() {
    ReleaseCollections();
    Unload();
}

void ImportExcelTable(vb::CommonDialog& ComnDlgFile) {
    try {
        ComnDlgFile.CancelError = true;
        ComnDlgFile.Flags = vb::cdlOFNHideReadOnly;
        ComnDlgFile.InitDir = dbFilesFolder();
        ComnDlgFile.Filter = QStringLiteral("All Files (*.*)|*.*|xls Files") + QStringLiteral("(*.xls)|*.xls");
        ComnDlgFile.FilterIndex = 2;
        ComnDlgFile.DialogTitle = QStringLiteral("Open Existing Spreadsheet");
        ComnDlgFile.ShowOpen();
        Module1::SetSpreadsheetPath(ComnDlgFile.FileName);
        frmDtaTransfer::instance().SetFocus();
    } catch (const vb::VbError& e) {
        ReportOpenError(e);
    }
}
