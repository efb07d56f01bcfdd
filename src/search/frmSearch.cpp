#include "search/frmSearch.h"

#include "platform/core/Colors.h"
#include "platform/core/UiServices.h"
#include "platform/ui/WidgetColors.h"
#include "entry/DataInput.h"
#include "shell/Module1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

frmSearch& frmSearch::instance() {
    static frmSearch form;
    return form;
}

QWidget* frmSearch::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Search"));
    auto* layout = new QGridLayout(w);
    SrchFldsFrame = new QGroupBox(QStringLiteral("Field Search Criteria"), w);
    SrchFldsFrame->setObjectName(QStringLiteral("SrchFldsFrame"));
    auto* frameLayout = new QGridLayout(SrchFldsFrame);
    chfldSrch.clear();
    for (int i = 0; i < 20; ++i) {
        auto* box = new QCheckBox(SrchFldsFrame);
        box->setObjectName(QStringLiteral("chfldSrch_%1").arg(i));
        box->hide();
        frameLayout->addWidget(box, i, 0);
        chfldSrch.push_back(box);
    }
    lblKeywrd = new QLabel(QStringLiteral("Keyword Search Criteria Drag Keyword To Text Box"), w);
    lblKeywrd->setObjectName(QStringLiteral("lblKeywrd"));
    lstKeywrd = new QListWidget(w);
    lstKeywrd->setObjectName(QStringLiteral("lstKeywrd"));
    grdSrchRes = new QTableView(w);
    grdSrchRes->setObjectName(QStringLiteral("grdSrchRes"));
    grdSrchRes->hide();
    cmdSearch = new QPushButton(QStringLiteral("Search"), w);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdClear = new QPushButton(QStringLiteral("Clear"), w);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    layout->addWidget(SrchFldsFrame, 0, 0, 1, 2);
    layout->addWidget(lblKeywrd, 1, 0);
    layout->addWidget(lstKeywrd, 2, 0);
    layout->addWidget(grdSrchRes, 3, 0, 1, 2);
    layout->addWidget(cmdSearch, 4, 0);
    layout->addWidget(cmdClear, 4, 1);
    QObject::connect(cmdSearch.data(), &QPushButton::clicked, w, [this] { vb::RunTrapped([this] { cmdSearch_Click(); }); });
    QObject::connect(cmdClear.data(), &QPushButton::clicked, w, [this] { vb::RunTrapped([this] { cmdClear_Click(); }); });
    return w;
}

void frmSearch::Form_Activate() {
    UpdateSrchClr();
    if (Module1::GetKeyWrdCount() > 0 && Module1::KeyListChg) {
        DataInput::instance().RefreshKeyList();
        QStringList keywords = Module1::KeyWrdList;
        Module1::FillKeyList(keywords, QStringLiteral("Search"));
    }
}

void frmSearch::UpdateSrchClr() {
    Load();
    FrmColor = Module1::GetFrmColor();
    TextColor = Module1::GetTextColor();
    const uint32_t back = uint32_t(vb::colourFromText(FrmColor));
    vb::SetBackColor(Widget(), back);
    vb::SetBackColor(SrchFldsFrame, back);
    const uint32_t fore = uint32_t(vb::colourFromText(TextColor));
    vb::SetForeColor(SrchFldsFrame, fore);
    const int n = Module1::CountDescFlds();
    if (n > 0) {
        for (int i = 0; i < n && i < int(chfldSrch.size()); ++i) {
            vb::SetBackColor(chfldSrch[size_t(i)], back);
            vb::SetForeColor(chfldSrch[size_t(i)], fore);
        }
        vb::SetBackColor(lblKeywrd, back);
        vb::SetForeColor(lblKeywrd, fore);
    }
}

void frmSearch::cmdSearch_Click() {}

void frmSearch::cmdClear_Click() {}

bool frmSearch::ResultsVisible() const { return IsLoaded() && grdSrchRes && !grdSrchRes->isHidden(); }
