#pragma once
// The operations on the shared state that reach the views, through the main window's seam.
#include "shell/Module1.h"

namespace Module1 {

// Asks, then closes the open database; the outcome is left in CloseConfirmed.
void CloseDatabase();
// CloseDatabase's two halves: the question (Cancel leaves CloseConfirmed false and returns false),
// and the steps that close the open database without asking.
bool ConfirmClose();
void CloseSteps();
// The views built on the open file go: the entry, search and reports views are unloaded, and the
// search result and the record picked from it are forgotten. Each is built again when next shown.
void UnloadFileViews();
// The same for the search and reports views alone (the entry view stays).
void UnloadSearchAndReports();
// Packs the keywords as PackKeywords does and fills the keyword list of "DataInput" or "Search";
// returns the number removed.
int FillKeyList(QStringList& keywords, const QString& window);

}  // namespace Module1
