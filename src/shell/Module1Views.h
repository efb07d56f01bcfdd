#pragma once
// The operations on the shared state that reach the views, through the main window's seam.
#include "shell/Module1.h"

namespace Module1 {

// Asks, then closes the open database; the outcome is left in CloseConfirmed.
void CloseDatabase();
// Packs the keywords as PackKeywords does and fills the keyword list of "DataInput" or "Search";
// returns the number removed.
int FillKeyList(QStringList& keywords, const QString& window);

}  // namespace Module1
