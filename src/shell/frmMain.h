#pragma once
// The main window: menus, the tab strip over the document area that hosts the child views, the
// file and colour dialogs, and the start-up of the program.
#include "platform/core/UiServices.h"
#include "shell/Form.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTabBar;

class frmMain : public QMainWindow, public ViewHost {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // The one main window, created on first use; existing() does not create it.
    static frmMain& instance();
    static frmMain* existing();

    // Start-up: size and place the window, read the settings, hide the menus that need an open
    // database and disable the tab strip.
    void MDIForm_Load();
    void MDIForm_Unload();
    // Keeps the window from being maximised.
    void DisableMax();
    // Whether a screen this many pixels wide keeps the window's design size.
    static bool KeepsDesignSize(int screenWidthPx);

    // Tabs are numbered 1 to 4 as the tab strip's Tabs collection.
    void SetTabCaption(int tab, const QString& caption);
    QString TabCaption(int tab) const;
    int SelectedTab() const;
    // Selects a tab; the tab handler runs when this changes the selection.
    void SelectTab(int tab);

    enum class Menu { ScrConfig, UserMaint };
    void SetMenuVisible(Menu menu, bool visible);
    bool MenuVisible(Menu menu) const;

    // Menu and tab handlers.
    void mnuCreateDB_Click();
    void mnuOpenDB_Click();
    void mnDBSaveAs_Click();
    void mnuImport_Click();
    void mnuCloseDB_Click();
    void mnuExit_Click();
    void mnuScrConfig_Click();
    void mnuChgTxtClr_Click();
    void mnuUserMaint_Click();
    void mnuHelpFile_Click();
    void mnuRavelstowWeb_Click();
    void mnuTutorial_Click();
    void mnuAbout_Click();
    void TabStrip1_Click();

    // Ends the program; tests replace it.
    std::function<void()> Quit;

    // Controls.
    QPointer<QWidget> Picture1;
    QPointer<QTabBar> TabStrip1;
    QPointer<QMdiArea> MdiArea;
    vb::CommonDialog ComnDlgFile;
    vb::CommonDialog ColorDialog;

    QPointer<QMenu> mnuDatabase, ScrConfig, mnuHelp;
    QPointer<QAction> mnuCreateDB, mnuOpenDB, mnDBSaveAs, mnuImport, mnuCloseDB, Seperator, mnuExit;
    QPointer<QAction> mnuScrConfig, mnuChgTxtClr, mnuUserMaint;
    QPointer<QAction> mnuHelpFile, mnuRavelstowWeb, mnuTutorial, sep2, mnuAbout;

    // ViewHost
    void AddChild(Form& form) override;
    void RemoveChild(Form& form) override;
    void ActivateChild(Form& form) override;
    // Grows a child view's frame to the document area's right and bottom edges.
    void CoverDocumentArea(QMdiSubWindow* sub);
    QWidget* DialogParent() override { return this; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class FileCommand { Open, SaveAs };
    // Makes the file at CurrentDBPath the open database, the one open before being closed, as Open
    // and Save As do: the structure check, the login when the file has accounts, the menus, the
    // user and the entry view. A file refused (not a database of this program, damaged, locked,
    // the login cancelled) is named and leaves nothing open.
    void AcceptFile(FileCommand command);
    void RefuseFile();
    void buildMenus();
    void buildTabStrip();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption, void (frmMain::*handler)());
    void onSubWindowActivated(QMdiSubWindow* sub);
    // Puts the strip back on the tab at index without running the tab handler.
    void keepTab(int index);
    std::map<Form*, QPointer<QMdiSubWindow>> children_;
    int lastTab_ = 0;
    int tabBefore_ = 0;   // the tab selected before the one the handler runs for
    bool refuseNextTabChange_ = false;
    bool quitting_ = false;
};
