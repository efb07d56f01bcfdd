#pragma once
// The mailing-label window: eight address parts, each given a field of the open database, a label
// size, then Create: the data document "Mail.odt" in the program folder, then the labels as a new
// document in the export folder, opened in the desktop's word processor. The window is modeless;
// it closes after a successful run, on Cancel (or Esc, or its close box) and with the reports view.
#include "shell/Form.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

class FrmMailLbls : public DialogForm {
public:
    static FrmMailLbls& instance();

    void Form_Load() override;
    void cmdCreate_Click();
    void cmdCancel_Click();
    // Builds the labels from the data of the last BuildMailData and opens them.
    void CreateLabels();

    // Set by the reports view: whether "Search Results" is its record source, and how its
    // "Create Mailing Labels" button is cleared.
    std::function<bool()> SearchResultChosen;
    std::function<void()> ClearOption;

    std::vector<QPointer<QLabel>> LblMail;       // 0..7
    std::vector<QPointer<QComboBox>> cmbMail;    // 0..7
    QPointer<QPushButton> cmdCreate, cmdCancel;
    QPointer<QComboBox> cmboLblSz;
    QPointer<QLabel> lblno;

    // The state of a run, read by tests.
    QString strMailDoc;
    bool bLblAbort = false;

protected:
    QWidget* CreateWidget() override;

private:
    FrmMailLbls() : DialogForm(QStringLiteral("FrmMailLbls")) {}
    void BuildMailData();
    bool collect();   // the chosen parts into spec_; false (and the message shown) when there are none
    struct Spec;
    std::shared_ptr<Spec> spec_;
};
