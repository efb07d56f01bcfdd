#include "shell/frmAbout.h"

#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/paths/AppPaths.h"
#include "platform/shellexec/ShellExecute.h"
#include "platform/sysinfo/SysInfo.h"
#include "platform/ui/FormWidgets.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using vb::twipsToPx;

frmAbout& frmAbout::instance() {
    static frmAbout form;
    return form;
}

QWidget* frmAbout::CreateWidget() {
    auto* dlg = vb::FixedDialog([this] { cmdOK_Click(); }, {}, 5730, 3780, Qt::Dialog,
                                viewHost() ? viewHost()->DialogParent() : nullptr);
    picIcon = vb::Placed(new QLabel(dlg), "picIcon", 120, 120, 900, 1125);
    picIcon->setPixmap(QPixmap(QDir(vb::resourceFolder()).filePath(QStringLiteral("res/ravelstow.png"))));
    picIcon->setScaledContents(true);
    picIcon->setFocusPolicy(Qt::TabFocus);
    lblTitle = vb::Placed(new QLabel(dlg), "lblTitle", 1080, 120, 3645, 240);
    lblVersion = vb::Placed(new QLabel(dlg), "lblVersion", 1080, 780, 4365, 225);
    lblDescription = vb::Placed(
        new QLabel(QStringLiteral("Ravelstow database software is an organization tool. Users can create, edit and search "
                                  "databases, print reports, and export data to formats such as Excel spreadsheet, HTML and PDF."),
                   dlg),
        "lblDescription", 1080, 1800, 4365, 930);
    lblDescription->setWordWrap(true);
    const QFont bold = vb::BoldFont(QStringLiteral("Liberation Sans"), 9);
    for (QLabel* l : {lblTitle.data(), lblVersion.data(), lblDescription.data()}) l->setFont(bold);

    auto* grey = new QFrame(dlg);
    grey->setObjectName(QStringLiteral("Line1_1"));
    grey->setFrameShape(QFrame::HLine);
    grey->setStyleSheet(QStringLiteral("color: rgb(128,128,128)"));
    grey->setGeometry(twipsToPx(90), twipsToPx(2760) - 1, twipsToPx(5654 - 90), 1);
    auto* white = new QFrame(dlg);
    white->setObjectName(QStringLiteral("Line1_0"));
    white->setFrameShape(QFrame::HLine);
    white->setStyleSheet(QStringLiteral("color: white"));
    white->setGeometry(twipsToPx(120), twipsToPx(2760), twipsToPx(5669 - 120), 2);

    cmdOK = vb::Placed(new QPushButton(QStringLiteral("OK"), dlg), "cmdOK", 4245, 2880, 1260, 345);
    cmdOK->setDefault(true);
    cmdSysInfo = vb::Placed(new QPushButton(QStringLiteral("&System Info..."), dlg), "cmdSysInfo", 4260, 3360, 1245, 345);
    vb::TabOrder({cmdOK, picIcon, cmdSysInfo});
    QObject::connect(cmdOK.data(), &QPushButton::clicked, dlg, [this] { cmdOK_Click(); });
    QObject::connect(cmdSysInfo.data(), &QPushButton::clicked, dlg, [this] { cmdSysInfo_Click(); });
    return dlg;
}

void frmAbout::Form_Load() {
    Widget()->setWindowTitle(QStringLiteral("About ") + QCoreApplication::applicationName());
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(RAVELSTOW_VERSION_MAJOR)
                            .arg(RAVELSTOW_VERSION_MINOR)
                            .arg(RAVELSTOW_VERSION_PATCH));
    lblTitle->setText(QStringLiteral("Ravelstow Database Creation Software"));
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
    const QString program = vb::FindSystemInfoProgram();
    if (program.isEmpty() || !vb::StartProgram(program)) {
        vb::MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), vb::vbOKOnly,
                   QCoreApplication::applicationName());
    }
}
