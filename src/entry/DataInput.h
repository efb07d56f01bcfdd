#pragma once
// The data entry view: the records of the open database, one at a time, in controls generated
// from the table's columns. The view owns a fixed pool of controls (20 field rows, 20 keyword
// boxes, notes, the keyword list, the record and navigation bar); each load reads the columns of
// UserTable and decides which are shown, what they are called and to which column each is bound.
//
// The handlers are spread over several files by concern:
//   DataInput.cpp            the window, its controls and the members that outlive it
//   DataInputLoad.cpp        the load: column scan, field list, keyword area, keyword list
//   DataInputRecords.cpp     the record commands (add/cancel, delete, save, reset)
//   DataInputNavigation.cpp  navigation, the record counter, showing the current row
//   DataInputAccess.cpp      access levels, activation, colours
//   DataInputValidation.cpp  the per-field checks and the key reminder
//   DataInputEditors.cpp     the typed editors (file picker, True/False combo, date) and linked files
//   DataInputKeywords.cpp    the keyword list, dragging keywords into the keyword boxes
//   DataInputRename.cpp      renaming a field and rebuilding the field list
#include "entry/AdoDataControl.h"
#include "entry/BoundBox.h"
#include "entry/KeywordTally.h"
#include "platform/core/UiServices.h"
#include "platform/format/DataFormat.h"
#include "platform/ui/ValidationGate.h"
#include "shell/DBDef.h"
#include "shell/Module1.h"
#include "shell/Form.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class DBFlds;
class QComboBox;
class QFrame;
class QMimeData;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class DataInput : public Form {
public:
    static DataInput& instance();

    static constexpr int kRows = 20;        // field rows and keyword boxes, indexed 1..20

    // ---- Public operations ----
    // The fields of the open table, created on first use; survives the unloading of the window.
    DBDef& DBDefMain() { return Module1::EntryFields; }
    // Rebuilds the shared keyword list from the keyword columns and refills lstKeywrd.
    void RefreshKeyList();
    // Whether lstKeywrd holds every keyword of the table: the load counts a large table's
    // keywords after its first record is shown, a part at a time.
    bool KeyListComplete() const { return keywords_.Complete(); }
    // The table's keywords as this view lists them, for the search view: the view's own list,
    // its count finished first when the load is still counting; a view that holds no list (not
    // loaded) counts it from the file.
    QStringList TableKeywords();
    // Whether UserTable holds a record, asked on the view's open connection (on a connection of
    // its own when the view has none open). Errors go to the caller.
    bool TableHasRecords();
    // A row the view stored: its keywords update the shared keyword list and lstKeywrd.
    void adoUserTbl_RowWritten(const QVariantList& before, const QVariantList& after);
    // Enables the commands and boxes by the user's level and whether the table holds records; may
    // set the caller's flag to false.
    void SetVisible(bool& blnStatus);
    void SetVisible(bool&& blnStatus) { SetVisible(blnStatus); }
    // Applies the shared form and text colours to the view's labels and frames.
    void UpdateFrmClr();
    void UpdateColours() override { UpdateFrmClr(); }
    QListWidget* KeywordListBox() override;
    // Renames a column of UserTable (a file-path field keeps its "FP"), then unloads the search
    // and reports views; errors are reported here (false: nothing was renamed). newnme may get
    // "FP" appended.
    bool RenameColumn(QString& oldnme, QString& newnme, int ColIndex);
    // Rebuilds DBDefMain, the labels and the bindings from the table's columns; the record set is
    // opened again on the first record. Errors go to the caller.
    void RefreshCollection();
    // Opens a linked file with the desktop's program for its type; a failure is reported here.
    void OpenDoc(const QString& DocName);
    // The one shell call: the shell's result code (above 32: started).
    int32_t StartDoc(const QString& DocName);
    // Whether the signed-in user has the supervisor's rights here: only the exact level "SUPRVR"
    // has; a database without accounts is worked on as the supervisor.
    static bool SupervisorRights();

    // State of the view's record set that the File commands read. A view that is not loaded (or
    // whose record set is not open) counts as idle: no edit in progress, at the end of its records.
    // A box whose text was changed and not yet handed to the record counts as an edit in progress.
    int EditMode() const;
    bool AtBofOrEof() const;
    // Whether the last load failed on the file (its message shown, no records offered): the
    // command that opened the file then refuses it.
    bool LoadFailed() const { return loadFailed_; }

    // ---- Handlers ----
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    // Closing the view's frame while a record is being added or edited would lose it: refused.
    bool QueryUnload() override;
    void Form_Resize() {}
    void cmdAction_Click(int Index);
    void cmdNegotiate_Click(int Index);
    void adoUserTbl_MoveComplete();          // the record counter, and the bound boxes follow the row
    void flddata_Validate(int Index, bool& Cancel);
    // Focus on a field box; focus that comes back from a dialog or a pop-up is not a new entry.
    void flddata_GotFocus(int Index, Qt::FocusReason reason = Qt::OtherFocusReason);
    void flddata_KeyDown(int Index);
    void CmboTF_Click(int Index);
    void CmboTF_LostFocus(int) {}
    void chkDteTme_Click(int Index);
    void CmdOpen_Click(int Index);
    void Label1_DblClick(int Index);
    // A drop on keyword box Index: the dropped text replaces the box's text. False when the box
    // takes no drop (disabled, hidden, or no text in the data).
    bool Keywrd_OLEDragDrop(int Index, const QMimeData* data);
    // What a drag from the keyword list carries: the selected entry's text (nullptr: none).
    QMimeData* KeywordDragData() const;

    // ---- Controls (arrays indexed as the view indexes them; unused elements are null) ----
    std::vector<QPointer<QLineEdit>> flddata;          // 1..20
    std::vector<QPointer<QLabel>> Label1;              // 1..20
    std::vector<QPointer<QLineEdit>> Keywrd;           // 1..20, inside Frame1
    QPointer<QGroupBox> Frame1;
    QPointer<QLabel> LblKeyWrd;
    QPointer<QListWidget> lstKeywrd;
    QPointer<QPlainTextEdit> txtmemo;
    QPointer<QLabel> lblNote;
    QPointer<QLabel> PicNote;
    QPointer<QFrame> Picture1;
    QPointer<QLabel> lblRecord;
    std::vector<QPointer<QToolButton>> cmdAction;      // 0, 1, 3, 4
    std::vector<QPointer<QToolButton>> cmdNegotiate;   // 0..3
    QPointer<QPushButton> cmdAdd;                      // hidden; its caption marks the add mode
    std::vector<QPointer<QToolButton>> CmdOpen;        // 0 template; i beside file-path field i
    std::vector<QPointer<QToolButton>> chkDteTme;      // 0 template; i beside Date/Time field i
    std::vector<QPointer<QComboBox>> CmboTF;           // 0 template; i over True/False field i
    AdoDataControl adoUserTbl;
    vb::CommonDialog CmdlgFileNme;

    // ---- Form state; survives the unloading of the window ----
    bool bAddingRec = false;
    bool bHasMemo = false;
    int intKeyCount = 0;
    std::array<int, kRows + 1> intTFFlds{};
    int intTFCount = 0;
    qint64 varBookmark = 0;
    QString strFrmClr, strTxtClr;
    QString strAddIcon, strCancelIcon;
    vb::DataFormat f1, fmtBooleanData, FmtDte;

    // ---- Binding ----
    // The binding of a box (flddata, Keywrd or txtmemo), or nullptr when it is not bound.
    BoundBox* BindingOf(const QWidget* box) const;
    // Whether any bound box holds text not yet handed to the record.
    bool HasDirtyBoxes() const;
    // Hands every changed box to the current row (0x80040E21 for a text a column refuses).
    void PushBoundBoxes();
    // Shows the current row in every bound box and True/False combo.
    void ShowCurrentRecord();
    vb::ValidationGate* Gate() const { return gate_; }
    // The keyword columns the load found, in column order.
    const QStringList& KeywordColumns() const { return keyColumns_; }

    // Caption of the add/cancel marker.
    static const QString kAddCaption;      // "+ &Add"
    static const QString kCancelCaption;   // "&Cancel"

protected:
    QWidget* CreateWidget() override;

private:
    DataInput();

    // Load steps.
    void scanColumns(int& f, int& k);
    void layOutKeywordArea(int f, int k);
    // The keyword list changed (changes: those made; null: all of it): the shared list and
    // lstKeywrd follow.
    void keywordsChanged(const std::vector<KeywordTally::Change>* changes);
    void handleLoadError(const vb::VbError& e);
    void disableRecordCommands();
    bool loadFailed_ = false;
    void handleTableError(const vb::VbError& e, const QString& undefinedText, const QString& undefinedTitle,
                          const QString& structureTitle);
    // Controls of row i, bounds-checked (340 outside 1..20).
    QLineEdit* fieldBox(int i) const;
    QLabel* fieldLabel(int i) const;
    QLineEdit* keywordBox(int i) const;
    void loadOpenButton(int i);
    void loadDateCheck(int i);
    void loadTrueFalseCombo(int i);
    void installFieldEvents(int i);
    // The field of row i: the DBDefMain item of the column its box is bound to (item i when the
    // box is not bound); nullptr when there is none.
    const DBFlds* fieldOfRow(int i);
    void handleRenameError(const vb::VbError& e);
    bool refuseRename(const QString& newName);
    BoundBox& bind(QLineEdit* box, const QString& field, const vb::DataFormat& format, vb::ValueKind kind);
    BoundBox& bind(QPlainTextEdit* box, const QString& field, const vb::DataFormat& format, vb::ValueKind kind);

    // Record commands.
    void setAddMode(bool adding);
    void browsingTail();
    void handleActionError(const vb::VbError& e, int Index);
    // The message naming why the file refused a command, ending with its outcome ("Record was not
    // saved."); "" when the error names no such cause.
    static QString refusalText(const vb::VbError& e, const QString& outcome);
    // Whether another user deleted the record the view stands on.
    bool shownRecordDeleted();
    // After a save or delete refused because another user deleted the record: drops it from the view.
    void dropDeletedRecord();
    void focusFirstFieldBox();
    void showSaveRefused(const vb::VbError& e);

    // Navigation and colours.
    void showTrueFalseCombos();
    void applyFormColours();
    void placeWindow(int left, int top, int width, int height);

    std::vector<std::unique_ptr<BoundBox>> bound_;
    QStringList keyColumns_;
    KeywordTally keywords_;   // the keyword list, kept up to date from the rows the view stores
    QPointer<vb::ValidationGate> gate_;
    QPointer<QWidget> awayFrom_;   // the box the focus last left for somewhere outside the view
};
