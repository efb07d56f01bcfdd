// The File, Screen Configuration and Help commands of the main window, and the tab strip.
#include "shell/frmMain.h"

void frmMain::mnuCreateDB_Click() {}
void frmMain::mnuOpenDB_Click() {}
void frmMain::mnDBSaveAs_Click() {}
void frmMain::mnuImport_Click() {}
void frmMain::mnuCloseDB_Click() {}
void frmMain::mnuExit_Click() { MDIForm_Unload(); }
void frmMain::mnuScrConfig_Click() {}
void frmMain::mnuChgTxtClr_Click() {}
void frmMain::mnuHelpFile_Click() {}
void frmMain::mnuRavelstowWeb_Click() {}
void frmMain::mnuTutorial_Click() {}
void frmMain::TabStrip1_Click() {}
