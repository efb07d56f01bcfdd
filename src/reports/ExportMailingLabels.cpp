// The reports view's "Create Mailing Labels" button: the label window, modeless; it closes with
// the view.
#include "reports/FrmMailLbls.h"
#include "reports/ReportExports.h"
#include "reports/frmReports.h"

#include <QDialog>
#include <QToolButton>

void ExportMailingLabels(frmReports& view) {
    FrmMailLbls& w = FrmMailLbls::instance();
    w.SearchResultChosen = [] {
        frmReports& r = frmReports::instance();
        return r.IsLoaded() && r.SearchResultsChosen();
    };
    w.ClearOption = [] {
        frmReports& r = frmReports::instance();
        if (r.IsLoaded() && r.OptMailLbls) r.OptMailLbls->setChecked(false);
    };
    const bool wasOpen = w.IsLoaded();
    w.Load();
    // Owned by the main window, so that it stays in front of it (a message closed over it, or a
    // click on the main window, would otherwise bury it there while it is open).
    QDialog* dlg = w.Dialog();
    if (dlg && view.Widget() && dlg->parentWidget() != view.Widget()->window())
        dlg->setParent(view.Widget()->window(), dlg->windowFlags());
    w.SetFocus();
    if (!wasOpen && view.Widget())
        QObject::connect(view.Widget(), &QObject::destroyed, w.Dialog(), [] { FrmMailLbls::instance().Unload(); });
}
