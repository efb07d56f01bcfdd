#pragma once
// The reports view's choices as the spreadsheet, output database and label exports read them.
#include "reports/ExportSpec.h"

class frmReports;

namespace reports {
ViewChoices ChoicesOf(const frmReports& view);
}
