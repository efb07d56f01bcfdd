#include "shell/frmMain.h"

#include "accounts/frmUserSecurity.h"
#include "platform/core/Colors.h"
#include "platform/core/Twips.h"
#include "platform/fs/TempFolders.h"
#include "platform/ui/ValidationGate.h"
#include "platform/ui/WidgetColors.h"
#include "platform/ui/WindowLook.h"
#include "platform/ini/IniFile.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"
#include "shell/frmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

using vb::twipsToPx;

namespace {
frmMain* g_main = nullptr;

// A child view's frame: closing it unloads the view.
class ChildWindow : public QMdiSubWindow {
public:
    explicit ChildWindow(Form& form) : form_(form) {}

protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        bool mayGo = false;
        vb::RunTrapped([&] { mayGo = form_.QueryUnload(); });
        if (!mayGo) return;
        Form* f = &form_;
        QTimer::singleShot(0, qApp, [f] { f->Unload(); });
    }

private:
    Form& form_;
};

constexpr int kDesignWidth = 16890, kDesignHeight = 20245;
}  // namespace

frmMain::frmMain() {
    g_main = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Ravel Stow Database Creation Software"));
    vb::InstallWindowLook(this);
    setWindowIcon(vb::ProgramIcon());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Picture1 = new QWidget(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(twipsToPx(375));
    vb::SetBackColor(Picture1, vb::RGB(0, 0, 128));
    layout->addWidget(Picture1);
    MdiArea = new QMdiArea(central);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setBackground(QColor(192, 192, 192));
    layout->addWidget(MdiArea, 1);
    setCentralWidget(central);
    connect(MdiArea.data(), &QMdiArea::subWindowActivated, this, &frmMain::onSubWindowActivated);

    buildTabStrip();
    buildMenus();
    setViewHost(this);
}

frmMain::~frmMain() {
    // The document area reports activations while its children go; nothing may reach this window then.
    if (MdiArea) disconnect(MdiArea.data(), nullptr, this, nullptr);
    if (viewHost() == this) setViewHost(nullptr);
    if (g_main == this) g_main = nullptr;
}

frmMain& frmMain::instance() {
    if (!g_main) new frmMain;
    return *g_main;
}

frmMain* frmMain::existing() { return g_main; }

void frmMain::buildTabStrip() {
    TabStrip1 = new QTabBar(Picture1);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setGeometry(0, 0, twipsToPx(16890), twipsToPx(375));
    TabStrip1->setExpanding(false);
    // Light tabs on the navy strip; a disabled tab's caption is dark grey, readable at 4.8:1.
    TabStrip1->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: rgb(212,208,200); color: black; border: 1px solid rgb(128,128,128);"
        " padding: 2px 10px; margin-right: 2px; }"
        "QTabBar::tab:selected { background: white; }"
        "QTabBar::tab:disabled { color: rgb(85,85,85); }"));
    TabStrip1->setDrawBase(false);
    const struct { const char* caption; const char* tip; } tabs[] = {
        {"Edit/View", "View Existing or Create New Records In Database"},
        {"Search", "Search On Descriptor, Keywords, or Notes"},
        {"Report", "Create Paper Reports, Export Report to Excel, PDF or Text."},
        {"", "Name of Current Database"},
    };
    for (const auto& t : tabs) {
        const int i = TabStrip1->addTab(QString::fromUtf8(t.caption));
        TabStrip1->setTabToolTip(i, QString::fromUtf8(t.tip));
    }
    // A change of selection (by the user or by code) runs the handler once; a click on the tab
    // that is already selected runs it again.
    // A user's pick of a tab is a command: the box being edited is validated first, and a box
    // that holds the focus keeps the tab that was selected.
    connect(TabStrip1.data(), &QTabBar::currentChanged, this, [this](int index) {
        if (refuseNextTabChange_) {
            refuseNextTabChange_ = false;
            const QSignalBlocker block(TabStrip1.data());
            TabStrip1->setCurrentIndex(lastTab_);
            return;
        }
        tabBefore_ = lastTab_;
        lastTab_ = index;
        vb::RunTrapped([this] { TabStrip1_Click(); });
    });
    connect(TabStrip1.data(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index < 0) return;
        if (!vb::ValidationGate::ValidateFocused()) {
            refuseNextTabChange_ = index != TabStrip1->currentIndex();
            return;
        }
        if (index != TabStrip1->currentIndex()) return;
        tabBefore_ = index;
        vb::RunTrapped([this] { TabStrip1_Click(); });
    });
}

void frmMain::keepTab(int index) {
    const QSignalBlocker block(TabStrip1.data());
    TabStrip1->setCurrentIndex(index);
    lastTab_ = tabBefore_ = index;
}

QAction* frmMain::addCommand(QMenu* menu, const char* name, const QString& caption, void (frmMain::*handler)()) {
    QAction* a = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [this, handler] { vb::RunTrapped([this, handler] { (this->*handler)(); }); });
    return a;
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuDatabase = bar->addMenu(QStringLiteral("&File"));
    mnuDatabase->setObjectName(QStringLiteral("mnuDatabase"));
    mnuCreateDB = addCommand(mnuDatabase, "mnuCreateDB", QStringLiteral("&New Database"), &frmMain::mnuCreateDB_Click);
    mnuOpenDB = addCommand(mnuDatabase, "mnuOpenDB", QStringLiteral("&Open Database"), &frmMain::mnuOpenDB_Click);
    mnDBSaveAs = addCommand(mnuDatabase, "mnDBSaveAs", QStringLiteral("&Save As"), &frmMain::mnDBSaveAs_Click);
    mnuImport = addCommand(mnuDatabase, "mnuImport", QStringLiteral("&ImportExcelTable"), &frmMain::mnuImport_Click);
    mnuImport->setVisible(false);
    mnuImport->setEnabled(false);
    mnuCloseDB = addCommand(mnuDatabase, "mnuCloseDB", QStringLiteral("&Close Database"), &frmMain::mnuCloseDB_Click);
    Seperator = mnuDatabase->addSeparator();
    Seperator->setObjectName(QStringLiteral("Seperator"));
    mnuExit = addCommand(mnuDatabase, "mnuExit", QStringLiteral("&Exit"), &frmMain::mnuExit_Click);

    ScrConfig = bar->addMenu(QStringLiteral("&Screen Configuration"));
    ScrConfig->setObjectName(QStringLiteral("ScrConfig"));
    mnuScrConfig = addCommand(ScrConfig, "mnuScrConfig", QStringLiteral("Change Screen Color"), &frmMain::mnuScrConfig_Click);
    mnuChgTxtClr = addCommand(ScrConfig, "mnuChgTxtClr", QStringLiteral("Change Text Color"), &frmMain::mnuChgTxtClr_Click);

    mnuUserMaint = addCommand(nullptr, "mnuUserMaint", QStringLiteral("User &Maintenance"), &frmMain::mnuUserMaint_Click);

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpFile = addCommand(mnuHelp, "mnuHelpFile", QStringLiteral("Ravelstow Help File"), &frmMain::mnuHelpFile_Click);
    mnuHelpFile->setShortcut(QKeySequence(Qt::Key_F1));
    mnuRavelstowWeb = addCommand(mnuHelp, "mnuRavelstowWeb", QStringLiteral("Ravelstow On The Web"), &frmMain::mnuRavelstowWeb_Click);
    mnuTutorial = addCommand(mnuHelp, "mnuTutorial", QStringLiteral("Quick Start Tutorial"), &frmMain::mnuTutorial_Click);
    mnuTutorial->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    sep2 = mnuHelp->addSeparator();
    sep2->setObjectName(QStringLiteral("sep2"));
    mnuAbout = addCommand(mnuHelp, "mnuAbout", QStringLiteral("&About Ravelstow"), &frmMain::mnuAbout_Click);
}

bool frmMain::KeepsDesignSize(int screenWidthPx) { return screenWidthPx == 768; }

void frmMain::MDIForm_Load() {
    move(0, 0);
    resize(twipsToPx(kDesignWidth), twipsToPx(kDesignHeight));

    Module1::IniPath = vb::inProgramFolder(QStringLiteral("TolvanePrg.ini"));
    Module1::HelpFilePath = QDir(vb::resourceFolder()).filePath(QStringLiteral("help/index.html"));
    // Temporary files that a run killed while writing left wherever the program wrote them.
    vb::RemoveStaleTempFilesEverywhere();

    // A colour text that is not a usable number falls back to the default colour.
    auto readColour = [](const char* section, const char* key, const char* fallback) {
        const QString text = vb::GetPrivateProfileString(QString::fromLatin1(section), QString::fromLatin1(key),
                                                         QString::fromLatin1(fallback), 20, Module1::IniPath);
        const uint32_t defaultValue = uint32_t(QByteArray(fallback).toUInt());
        return QString::number(vb::colourOrDefault(text, defaultValue));
    };
    Module1::SetFrmColor(readColour("BCKCLR", "FrmColor", "16711680"));
    Module1::SetTextColor(readColour("TXTCLR", "TextColor", "16777215"));
    Module1::SetButtonColor(readColour("BTNCLR", "ButtonColor", "12632256"));

    SetMenuVisible(Menu::UserMaint, false);
    SetMenuVisible(Menu::ScrConfig, false);
    TabStrip1->setEnabled(false);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->geometry().width() : 0;
    if (!KeepsDesignSize(width)) {
        resize(1024, 768);
        DisableMax();
    }
    // The frame, title bar included, fits the screen's available area; the document area then
    // scrolls or clips the views.
    vb::KeepOnScreen(this);
}

void frmMain::DisableMax() {
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMaximumSize(size());
}

void frmMain::MDIForm_Unload() {
    quitting_ = true;
    if (Quit) Quit();
    else QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    // The title bar's close runs the Exit command, which may be cancelled.
    event->ignore();
    vb::RunTrapped([this] { mnuExit_Click(); });
    if (quitting_) event->accept();
}

void frmMain::SetTabCaption(int tab, const QString& caption) {
    QString text = caption;
    TabStrip1->setTabText(tab - 1, text.replace('&', QStringLiteral("&&")));
}

QString frmMain::TabCaption(int tab) const {
    QString text = TabStrip1->tabText(tab - 1);
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

int frmMain::SelectedTab() const { return TabStrip1->currentIndex() + 1; }

void frmMain::SelectTab(int tab) { TabStrip1->setCurrentIndex(tab - 1); }

void frmMain::SetMenuVisible(Menu menu, bool visible) {
    switch (menu) {
    case Menu::ScrConfig: ScrConfig->menuAction()->setVisible(visible); break;
    case Menu::UserMaint: mnuUserMaint->setVisible(visible); break;
    }
}

bool frmMain::MenuVisible(Menu menu) const {
    switch (menu) {
    case Menu::ScrConfig: return ScrConfig->menuAction()->isVisible();
    case Menu::UserMaint: return mnuUserMaint->isVisible();
    }
    return false;
}

void frmMain::AddChild(Form& form) {
    auto* sub = new ChildWindow(form);
    // The view fills its frame at any frame size: it keeps its design size as its least size and
    // grows with the frame, so its background reaches the frame's edges.
    QWidget* view = form.Widget();
    view->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    view->setAutoFillBackground(true);
    sub->setWidget(view);
    sub->setWindowIcon(vb::ProgramIcon());
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    MdiArea->addSubWindow(sub);
    children_[&form] = sub;
}

void frmMain::RemoveChild(Form& form) {
    auto it = children_.find(&form);
    if (it == children_.end()) return;
    QPointer<QMdiSubWindow> sub = it->second;
    children_.erase(it);
    if (sub) {
        MdiArea->removeSubWindow(sub);
        sub->hide();
        sub->deleteLater();
    }
}

void frmMain::ActivateChild(Form& form) {
    auto it = children_.find(&form);
    if (it != children_.end() && it->second) {
        QMdiSubWindow* sub = it->second;
        sub->show();
        // A frame wider or taller than the document area reaches past its right or bottom edge,
        // never past its left or top one, where the view's controls could not be reached.
        if (!sub->isMaximized() && (sub->x() < 0 || sub->y() < 0)) sub->move(qMax(0, sub->x()), qMax(0, sub->y()));
        MdiArea->setActiveSubWindow(sub);
        CoverDocumentArea(sub);
    }
}

// The active view's frame covers the document area from its top left corner, so that no part
// of another view's frame nor the bare area shows beside or below it (a view shorter than the
// one before, or a maximised view given a design size).
void frmMain::CoverDocumentArea(QMdiSubWindow* sub) {
    if (!sub || sub->isMaximized()) return;
    const QSize area = MdiArea->viewport()->size();
    const QSize reach(area.width() - sub->x(), area.height() - sub->y());
    if (sub->width() < reach.width() || sub->height() < reach.height()) sub->resize(sub->size().expandedTo(reach));
}

void frmMain::onSubWindowActivated(QMdiSubWindow* sub) {
    if (!sub) return;
    for (auto& [form, window] : children_) {
        if (window == sub) {
            form->Activated();
            return;
        }
    }
}

void frmMain::mnuAbout_Click() { frmAbout::instance().Show(); }

void frmMain::mnuUserMaint_Click() { frmUserSecurity::instance().ShowModal(); }
