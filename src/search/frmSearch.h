#pragma once
// The search view: one criteria row per description field, keyword boxes fed from the keyword
// list, the notes criterion, And/Or options, the sort, and the results grid with its hand-over to
// the entry view (picking a row) and the reports view (the report button). The run itself is the
// widget-free engine of SearchEngine.h.
#include "entry/EntryWidgets.h"
#include "platform/ui/ValidationGate.h"
#include "search/SearchResultModel.h"
#include "shell/Form.h"

#include <QDateTime>
#include <QPointer>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMimeData;
class QRadioButton;
class QTableView;
class QToolButton;

class frmSearch : public Form {
public:
    static constexpr int kRows = 20;
    static constexpr int kKeyBoxes = 10;
    static frmSearch& instance();

    // ---- View events ----
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    // Applies the shared form and text colours to the view.
    void UpdateSrchClr();
    void UpdateColours() override { UpdateSrchClr(); }
    QListWidget* KeywordListBox() override;

    // ---- Criteria entry ----
    void chfldSrch_Click(int Index);
    void chkMemoSrch_Click();
    void txtSrcFld_GotFocus(int Index);
    // The value box's check when the focus leaves it; returns Cancel (true keeps the focus there).
    bool txtSrcFld_Validate(int Index);
    // A keyword dropped on a keyword box replaces its text; false when the box refuses it.
    bool txtKeySrch_OLEDragDrop(int Index, const QMimeData* data);

    // ---- Search run and results ----
    void cmdSearch_Click();
    void cmdClear_Click();
    void cmdPrtRep_Click();
    void FillGrdColNmes(int NoKey);
    // Picking a row of the results grid hands its record to the entry view.
    void grdSrchRes_Click(int row);
    // Whether a search result is shown; a view that is not loaded shows none (and is not loaded
    // by asking).
    bool ResultsVisible() const;
    SearchResultModel* ResultModel() const { return model_; }
    vb::ValidationGate* Gate() const { return gate_; }

    // ---- Controls ----
    QPointer<QFrame> Picture1;
    QPointer<QToolButton> cmdSearch, cmdClear, cmdPrtRep;
    QPointer<QGroupBox> Frame2, Frame3, SrchFldsFrame;
    QPointer<QRadioButton> AndOption, OrOption, OptKeyAnd, OptKeyOr;
    QPointer<QComboBox> cmboSort;
    QPointer<QCheckBox> chkMemoSrch;
    QPointer<QLineEdit> txtmemo;
    QPointer<QLabel> LblKeyWrd;
    QPointer<KeywordList> lstKeywrd;
    std::vector<QPointer<KeywordBox>> txtKeySrch;   // 0..9
    QPointer<QTableView> grdSrchRes;
    std::vector<QPointer<QCheckBox>> chfldSrch;     // 0..19
    std::vector<QPointer<QLineEdit>> txtSrcFld;     // 0..19
    std::vector<QPointer<QComboBox>> cmbonum;       // 0..19
    std::vector<QPointer<QComboBox>> cmbSrchTF;     // 0..19, inside SrchFldsFrame

    // ---- State ----
    QString FrmColor, TextColor;   // the view's own copies of the colours
    bool bHasMemo = false;         // the database has the notes column
    bool bMemoSrch = false;        // the notes criterion is on
    int LayoutRows = 0;            // rows the load set up
    // Row i belongs to field definition RowDef[i] (1-based in the entry view's field list).
    std::array<int, kRows> RowDef{};
    // The range each Date/Time row was ticked with.
    struct Range {
        bool set = false;
        QDateTime from, to;
    };
    std::array<Range, kRows> RowRange{};

protected:
    QWidget* CreateWidget() override;

private:
    frmSearch() : Form(QStringLiteral("frmSearch")) {}
    void buildRows(QWidget* w);
    void placeLayout(int rows);
    void placeAtOrigin();
    // Formats and hides the grid's columns by the fields' types; false after an error (shown).
    bool formatColumns();
    void showKeywordArea(bool show);
    // The field definition of a row: name and type; false when the row has none.
    bool rowField(int Index, QString& name, QString& type) const;

    QPointer<SearchResultModel> model_;
    QPointer<vb::ValidationGate> gate_;
    bool pickerByCode_ = false;   // the picker is opened by the tick itself, not by the focus event
};
