// The typed editors of the field boxes (the file picker of file-path fields, the True/False
// combo, the date check box with its dialog) and the open-file buttons of linked files.
#include "entry/DataInput.h"
#include "entry/DlgEntryDte.h"
#include "entry/EntryWidgets.h"

#include "platform/fs/FileSystem.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "platform/paths/AppPaths.h"
#include "platform/shellexec/ShellExecute.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The events of row i that the view answers: focus and keys of the box, double-click on the label.
void DataInput::installFieldEvents(int i) {
    QLineEdit* box = flddata[size_t(i)];
    QLabel* label = Label1[size_t(i)];
    auto* hook = new EventHook(box, [this, i, box, label](QObject* watched, QEvent* event) {
        if (watched == box && event->type() == QEvent::FocusOut) {
            // Whether the focus left the view (for a message, a dialog, another window): coming
            // back to this box from there is no new entry into it.
            QWidget* next = QApplication::focusWidget();
            awayFrom_ = next && Widget() && Widget()->isAncestorOf(next) ? nullptr : box;
        } else if (watched == box && event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool returning = awayFrom_ == box;
            awayFrom_ = nullptr;
            // The focus a box gets back when a message or a dialog closes, or while one is open,
            // opens nothing (the window system may give it with any reason).
            if (returning || vb::BoxShowing()) return false;
            // The handler may open a dialog: it runs once the focus has settled in the box, and
            // not while a box that opened meanwhile is still showing.
            QMetaObject::invokeMethod(
                box,
                [this, i, reason] {
                    if (vb::BoxShowing()) return;
                    vb::RunTrapped([this, i, reason] { flddata_GotFocus(i, reason); });
                },
                Qt::QueuedConnection);
        } else if (watched == box && event->type() == QEvent::KeyPress) {
            vb::RunTrapped([this, i] { flddata_KeyDown(i); });   // the key always goes on to the box
        } else if (watched == label && event->type() == QEvent::MouseButtonDblClick) {
            vb::RunTrapped([this, i] { Label1_DblClick(i); });
            return true;
        }
        return false;
    });
    box->installEventFilter(hook);
    label->installEventFilter(hook);
}

void DataInput::flddata_GotFocus(int Index, Qt::FocusReason reason) {
    // Focus that comes back when a message box, the file picker or a pop-up closes is not a new
    // entry into the box: it would open the picker or the reminder again.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    if (!IsLoaded()) return;
    QLineEdit* box = fieldBox(Index);
    try {
        if (cmdAdd->text() == kAddCaption && adoUserTbl.IsOpen() && adoUserTbl.Recordset().RecordCount() == 0) {
            vb::MsgBox(QStringLiteral("Please Create A Record By Clicking Add."), vb::vbOKOnly,
                       QStringLiteral("Create New Record"));
            return;
        }
        const DBFlds* field = fieldOfRow(Index);
        if (!field) return;
        const QString name = field->FldName;
        const vb::FieldKind type = vb::FieldType::parse(field->FldType).kind;
        if (name.right(2) == QLatin1String("FP")) {
            CmdlgFileNme.CancelError = true;
            CmdlgFileNme.Flags = vb::cdlOFNHideReadOnly;
            CmdlgFileNme.DialogTitle = QStringLiteral("Select File ");
            CmdlgFileNme.InitDir = vb::programFolder();
            CmdlgFileNme.Filter = QStringLiteral(
                "Text (*.txt)|*.txt|HTML (*.htm;*.html)|*.htm;*.html|Excel (*.xls)|*.xls|PDF (*.pdf)|*.pdf|"
                "WordDoc (*.doc)|*.doc|(*.jpg)|*.jpg|(*.gif)|*.gif|All Files (*)|*");
            CmdlgFileNme.FilterIndex = 2;
            CmdlgFileNme.ShowOpen();
            if (!CmdlgFileNme.FileName.isEmpty()) {
                box->setText(CmdlgFileNme.FileName);
            } else {
                vb::MsgBox(QStringLiteral("Filename cannot be Blank"), vb::vbOKOnly, QStringLiteral("File Name"));
            }
        } else if (type == vb::FieldKind::DateTime) {
            // The check box beside the box is the editor.
        } else if (type == vb::FieldKind::Boolean) {
            if (QComboBox* combo = CmboTF[size_t(Index)]) {
                combo->setVisible(true);
                combo->setFocus(Qt::OtherFocusReason);
            }
        }
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::CancelError) {
            // The picker was cancelled: the box keeps its text.
        } else if (e.number == 5174) {
            vb::MsgBox(QStringLiteral("File Not Found, Check File Path"), vb::vbOKOnly, QStringLiteral("File Error"));
        } else {
            vb::ShowErrorPair(e);
        }
    }
}

// A choice in the True/False combo of row Index is written into the row's box, which hands it to
// the record when the record is saved or left.
void DataInput::CmboTF_Click(int Index) {
    if (Index < 1 || Index > kRows || !CmboTF[size_t(Index)] || !flddata[size_t(Index)]) return;
    flddata[size_t(Index)]->setText(CmboTF[size_t(Index)]->currentText());
    flddata[size_t(Index)]->show();
}

void DataInput::chkDteTme_Click(int Index) {
    if (Index < 1 || Index > kRows || !chkDteTme[size_t(Index)]) return;
    QToolButton* check = chkDteTme[size_t(Index)];
    const DBFlds* field = fieldOfRow(Index);
    if (check->isChecked() && field && vb::FieldType::parse(field->FldType).kind == vb::FieldKind::DateTime) {
        DlgEntryDte& dlg = DlgEntryDte::instance();
        dlg.ShowModal();
        if (!dlg.bEntDteCancel) {
            QLineEdit* box = fieldBox(Index);
            // The text is made from the chosen date and time themselves, in the form every date box
            // shows and reads (the one rule of UserDates.h): no two-digit year, no day-month swap,
            // and a typed text means the same date before and after the dialog was used.
            FmtDte = vb::DataFormat::forFieldType(vb::FieldType{vb::FieldKind::DateTime});
            if (BoundBox* binding = BindingOf(box)) binding->SetFormat(FmtDte);
            const QDateTime value = dlg.bAddTime ? vb::makeDateTime(dlg.dteValue, dlg.tmeValue) : vb::makeDateTime(dlg.dteValue);
            box->setText(dlg.bAddTime ? vb::showUserDateTime(value) : vb::showUserDate(value));
        }
    }
    check->setChecked(false);
}

// ---- linked files ----

void DataInput::CmdOpen_Click(int Index) {
    try {
        const QString text = fieldBox(Index)->text();
        if (text.isEmpty()) {
            vb::MsgBox(QStringLiteral("File Name is Blank"), vb::vbOKOnly, QStringLiteral("File Path"));
            return;
        }
        // A folder is not a file.
        if (!vb::FileExists(text)) {
            vb::MsgBox(QStringLiteral("File Name Does Not Exist, Check File Path."), vb::vbOKOnly, QStringLiteral("File Error"));
            return;
        }
        OpenDoc(text);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}

void DataInput::OpenDoc(const QString& DocName) {
    try {
        const int32_t r = StartDoc(DocName);
        if (r > 32) return;
        QString message;
        switch (r) {
        case 2: message = QStringLiteral("File not found"); break;
        case 3: message = QStringLiteral("Path not found"); break;
        case 5: message = QStringLiteral("Access denied"); break;
        case 8: message = QStringLiteral("Out of memory"); break;
        case 11: message = QStringLiteral("Invalid EXE file or error in EXE image"); break;
        case 26: message = QStringLiteral("A sharing violation occurred"); break;
        case 27: message = QStringLiteral("Incomplete or invalid file association"); break;
        case 28: message = QStringLiteral("DDE Time out"); break;
        case 29: message = QStringLiteral("DDE transaction failed"); break;
        case 30: message = QStringLiteral("DDE busy"); break;
        case 31: message = QStringLiteral("No association for file extension"); break;
        case 32: message = QStringLiteral("DLL not found"); break;
        default: message = QStringLiteral("Unknown error"); break;
        }
        vb::MsgBox(message);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}

// The file goes to the desktop's opener as one argument, never through a command line.
int32_t DataInput::StartDoc(const QString& DocName) { return vb::ShellExecute(DocName); }
