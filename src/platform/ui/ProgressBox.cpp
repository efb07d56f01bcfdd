#include "platform/ui/ProgressBox.h"

#include <QApplication>
#include <QProgressDialog>

namespace vb {

namespace {
int g_cancelAt = 0;
}

void ProgressBox::setCancelAtForTesting(int n) { g_cancelAt = n; }

ProgressBox::ProgressBox(const QString& title, const QString& label)
    : dlg_(std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, 100, QApplication::activeWindow())) {
    dlg_->setWindowTitle(title);
    dlg_->setWindowModality(Qt::ApplicationModal);
    dlg_->setMinimumDuration(1000);
    dlg_->setAutoClose(false);
    dlg_->setAutoReset(false);
    dlg_->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

ProgressBox::~ProgressBox() {
    QApplication::restoreOverrideCursor();
    dlg_->close();
}

bool ProgressBox::operator()(qint64 done, qint64 total) {
    ++reports_;
    if ((g_cancelAt > 0 && reports_ >= g_cancelAt) || (g_cancelAt < 0 && done >= total)) return false;
    // The bar counts in thousandths so that any number of rows fits its int range.
    const int permille = total > 0 ? int(std::min<qint64>(1000, done * 1000 / total)) : 0;
    if (dlg_->maximum() != 1000) dlg_->setMaximum(1000);
    dlg_->setValue(permille);   // processes events while the window is modal
    return !dlg_->wasCanceled();
}

}  // namespace vb
