#include "reports/FieldChoiceDialog.h"

#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/ui/FormWidgets.h"
#include "platform/ui/WindowLook.h"
#include "shell/Module1.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
template <typename W>
W* placed(W* w, QAnyStringView name, const int (&g)[4]) { return vb::Placed(w, name, g[0], g[1], g[2], g[3]); }
}  // namespace

QWidget* FieldChoiceDialog::CreateWidget() {
    const Layout& L = layout_;
    // Closing the window by its title bar unloads it without applying.
    auto* dlg = new vb::CommandDialog([this] {
        if (QDialog* d = Dialog()) d->done(QDialog::Rejected);
        Unload();
    });
    dlg->setWindowTitle(L.caption);
    dlg->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // As designed, and wide enough for the title bar to show the whole title.
    dlg->setFixedSize(qMax(vb::twipsToPx(L.clientW), vb::WidthForTitle(L.caption)), vb::twipsToPx(L.clientH));
    dlg->setFont(vb::BoldFont(QStringLiteral("Arial"), 9.75));

    Frame1 = placed(new QGroupBox(L.frameText, dlg), "Frame1", L.frame);
    QWidget* optionParent = L.optionsInFrame ? static_cast<QWidget*>(Frame1.data()) : dlg;
    all_ = placed(new QRadioButton(QStringLiteral("Export all fields"), optionParent), L.allName, L.all);
    usr_ = placed(new QRadioButton(QStringLiteral("Export selected fields only"), optionParent), L.usrName, L.usr);
    if (L.grayUsrText) usr_->setStyleSheet(QStringLiteral("color: #404040"));
    cmdApply = placed(new QPushButton(QStringLiteral("Export"), dlg), "cmdApply", L.apply);
    cmdCancel = placed(new QPushButton(QStringLiteral("Cancel"), dlg), "cmdCancel", L.cancel);
    vb::TabOrder({all_, usr_, cmdApply, cmdCancel});
    all_->setFocus();

    vb::OnClicked(all_, dlg, [this] { allClicked(); });
    vb::OnClicked(usr_, dlg, [this] { usrClicked(); });
    vb::OnClicked(cmdApply, dlg, [this] { cmdApply_Click(); });
    vb::OnClicked(cmdCancel, dlg, [this] { cmdCancel_Click(); });
    return dlg;
}

void FieldChoiceDialog::Form_Load() { *layout_.applyFlag = false; }

void FieldChoiceDialog::allClicked() {
    if (all_->isChecked()) {
        *layout_.allFlag = true;
        *layout_.usrFlag = false;
        usr_->setChecked(false);
    } else {
        *layout_.allFlag = false;
    }
}

void FieldChoiceDialog::usrClicked() {
    if (usr_->isChecked()) {
        *layout_.usrFlag = true;
        *layout_.allFlag = false;
        all_->setChecked(false);
    } else {
        *layout_.usrFlag = false;
    }
}

void FieldChoiceDialog::cmdApply_Click() {
    *layout_.applyFlag = true;
    if (QDialog* d = Dialog()) d->done(QDialog::Accepted);
    Unload();
}

void FieldChoiceDialog::cmdCancel_Click() {
    *layout_.applyFlag = false;
    if (QDialog* d = Dialog()) d->done(QDialog::Rejected);
    Unload();
}

FrmExpToExcel& FrmExpToExcel::instance() {
    static FrmExpToExcel form;
    return form;
}

FrmExpToExcel::FrmExpToExcel()
    : FieldChoiceDialog(QStringLiteral("FrmExpToExcel"),
                        Layout{QStringLiteral("Export To Excel Spreadsheet"), QStringLiteral("Export Excel Options:"),
                               QStringLiteral("optAllFlds"), QStringLiteral("optUsrFlds"), 3585, 2115,
                               {240, 360, 3135, 1215}, {360, 720, 2175, 255}, {360, 1080, 2895, 375},
                               {600, 1680, 1095, 375}, {1920, 1680, 975, 375}, false, true,
                               &Module1::bExcelAllFlds, &Module1::bExcelUsrFlds, &Module1::bExcelApply}) {}

frmGenDB& frmGenDB::instance() {
    static frmGenDB form;
    return form;
}

frmGenDB::frmGenDB()
    : FieldChoiceDialog(QStringLiteral("frmGenDB"),
                        Layout{QStringLiteral("Export Database"), QStringLiteral("Generate Export Database"),
                               QStringLiteral("OptAllFields"), QStringLiteral("OptUsrFields"), 3570, 1965,
                               {120, 240, 3255, 1215}, {240, 360, 1935, 255}, {240, 720, 2895, 255},
                               {600, 1560, 1095, 375}, {1920, 1560, 975, 375}, true, false,
                               &Module1::bExpDBAllFlds, &Module1::bExpDBUsrFlds, &Module1::bExpDBApply}) {}
