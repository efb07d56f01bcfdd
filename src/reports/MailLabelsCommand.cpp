// The reports view's "Create Mailing Labels" button: the label window, modeless; it closes with
// the view.
#include "reports/FrmMailLbls.h"
#include "reports/frmReports.h"

#include <QDialog>
#include <QToolButton>
#include <QWindow>

void frmReports::OptMailLbls_Click() {
    // The button stays set while the label window is open; closing the window (a finished run,
    // Cancel, Esc, the close box) clears it.
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
    w.Load();
    // Owned by the main window, so that it stays in front of it (a message closed over it, or a
    // click on the main window, would otherwise bury it there while it is open).
    QDialog* dlg = w.Dialog();
    QWidget* owner = Widget() ? Widget()->window() : nullptr;
    if (dlg && owner && dlg->parentWidget() != owner)
        dlg->setParent(owner, (dlg->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    w.SetFocus();
    if (dlg && owner && dlg->windowHandle() && owner->windowHandle())
        dlg->windowHandle()->setTransientParent(owner->windowHandle());
    if (!wasOpen && Widget())
        QObject::connect(Widget(), &QObject::destroyed, w.Dialog(), [] { FrmMailLbls::instance().Unload(); });
    if (OptMailLbls && !FrmMailLbls::instance().IsLoaded()) OptMailLbls->setChecked(false);
}
