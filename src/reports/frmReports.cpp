#include "reports/frmReports.h"

#include "platform/core/Colors.h"
#include "platform/ui/WidgetColors.h"
#include "shell/Module1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

frmReports& frmReports::instance() {
    static frmReports form;
    return form;
}

QWidget* frmReports::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Reports"));
    auto* layout = new QGridLayout(w);
    RepLblFrame = new QGroupBox(QStringLiteral("Select And Label Fields"), w);
    RepLblFrame->setObjectName(QStringLiteral("RepLblFrame"));
    auto* frameLayout = new QGridLayout(RepLblFrame);
    ChkRepLbl.assign(1, nullptr);
    for (int i = 1; i <= 20; ++i) {
        auto* box = new QCheckBox(RepLblFrame);
        box->setObjectName(QStringLiteral("ChkRepLbl_%1").arg(i));
        box->hide();
        frameLayout->addWidget(box, i, 0);
        ChkRepLbl.push_back(box);
    }
    FrmCompInfo = new QGroupBox(QStringLiteral("Title And Report Information"), w);
    FrmCompInfo->setObjectName(QStringLiteral("FrmCompInfo"));
    auto* infoLayout = new QGridLayout(FrmCompInfo);
    lblTitle = new QLabel(QStringLiteral("Title:"), FrmCompInfo);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    LblComp = new QLabel(QStringLiteral("Report Information:"), FrmCompInfo);
    LblComp->setObjectName(QStringLiteral("LblComp"));
    infoLayout->addWidget(lblTitle, 0, 0);
    infoLayout->addWidget(LblComp, 1, 0);
    chkInclMemo = new QCheckBox(QStringLiteral("Include Notes"), w);
    chkInclMemo->setObjectName(QStringLiteral("chkInclMemo"));
    layout->addWidget(RepLblFrame, 0, 0);
    layout->addWidget(FrmCompInfo, 0, 1);
    layout->addWidget(chkInclMemo, 1, 0);
    return w;
}

void frmReports::Form_Activate() {
    if (QWidget* w = Widget()) {
        if (auto* sub = w->parentWidget()) sub->move(0, 0);
    }
    UpdateRepFrmClr();
}

void frmReports::UpdateRepFrmClr() {
    Load();
    FrmColor = Module1::GetFrmColor();
    TextColor = Module1::GetTextColor();
    const uint32_t back = uint32_t(vb::colourFromText(FrmColor));
    vb::SetBackColor(Widget(), back);
    const uint32_t fore = uint32_t(vb::colourFromText(TextColor));
    auto paint = [&](QWidget* c) {
        vb::SetBackColor(c, back);
        vb::SetForeColor(c, fore);
    };
    paint(RepLblFrame);
    paint(FrmCompInfo);
    paint(lblTitle);
    paint(LblComp);
    paint(chkInclMemo);
    const int n = Module1::CountDescFlds();
    for (int i = 1; i <= n && i < int(ChkRepLbl.size()); ++i) paint(ChkRepLbl[size_t(i)]);
}
