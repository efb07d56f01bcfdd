#pragma once
// The search view: field, keyword and notes criteria, the result grid, and the hand-over of the
// result to the entry and reports views.
#include "shell/Form.h"

#include <QPointer>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

class frmSearch : public Form {
public:
    static frmSearch& instance();

    void Form_Activate() override;
    // Applies the shared form and text colours to the view.
    void UpdateSrchClr();
    void cmdSearch_Click();
    void cmdClear_Click();
    // Whether a search result is shown; a view that is not loaded shows none.
    bool ResultsVisible() const;

    QPointer<QGroupBox> SrchFldsFrame;
    std::vector<QPointer<QCheckBox>> chfldSrch;   // 0..19
    QPointer<QLabel> lblKeywrd;
    QPointer<QListWidget> lstKeywrd;
    QPointer<QTableView> grdSrchRes;
    QPointer<QPushButton> cmdSearch;
    QPointer<QPushButton> cmdClear;

    QString FrmColor, TextColor;   // the view's own copies of the colours

protected:
    QWidget* CreateWidget() override;

private:
    frmSearch() : Form(QStringLiteral("frmSearch")) {}
};
