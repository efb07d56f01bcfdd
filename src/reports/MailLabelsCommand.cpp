// The reports view's "Create Mailing Labels" button: the label window, modeless; it closes with
// the view.
#include "reports/FrmMailLbls.h"
#include "reports/frmReports.h"

#include <QDialog>
#include <QToolButton>

void frmReports::OptMailLbls_Click() {
    OptMailLbls->setChecked(true);
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
    w.SetFocus();
    if (!wasOpen && Widget())
        QObject::connect(Widget(), &QObject::destroyed, w.Dialog(), [] { FrmMailLbls::instance().Unload(); });
    if (OptMailLbls) OptMailLbls->setChecked(false);
}
