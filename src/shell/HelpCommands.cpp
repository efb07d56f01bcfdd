// The Help menu: the help book's contents, the Quick Start Tutorial and the web page.
#include "platform/shellexec/ShellExecute.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <QAction>

namespace {
constexpr int kTutorialContext = 12345;
const char* const kWebAddress = "https://www.ravelstow.com/";
}  // namespace

void frmMain::mnuHelpFile_Click() {
    mnuHelpFile->setProperty("HelpContextID", 0);
    ComnDlgFile.HelpFile = Module1::HelpFilePath;
    ComnDlgFile.HelpCommand = vb::cdlHelpContents;
    ComnDlgFile.HelpContext = 0;
    ComnDlgFile.ShowHelp();
}

void frmMain::mnuTutorial_Click() {
    mnuTutorial->setProperty("HelpContextID", kTutorialContext);
    ComnDlgFile.HelpFile = Module1::HelpFilePath;
    ComnDlgFile.HelpCommand = vb::cdlHelpContext;
    ComnDlgFile.HelpContext = kTutorialContext;
    ComnDlgFile.ShowHelp();
}

void frmMain::mnuRavelstowWeb_Click() { vb::ShellExecute(QString::fromLatin1(kWebAddress)); }
