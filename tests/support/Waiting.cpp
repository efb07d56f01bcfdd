#include "support/Waiting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

namespace rvtest {

ModalDriver::ModalDriver(QString awaited, Handler handler, int deadlineMs)
    : awaited_(std::move(awaited)), handler_(std::move(handler)) {
    tick_.setInterval(20);
    QObject::connect(&tick_, &QTimer::timeout, [this] { tick(); });
    tick_.start();
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, [this] {
        expired_ = true;
        rejectAllModals();
    });
    deadline_.start(deadlineMs);
}

ModalDriver::~ModalDriver() {
    tick_.stop();
    deadline_.stop();
}

QString ModalDriver::failure() const {
    return QStringLiteral("Gave up after %1 ms waiting for %2; every open modal window was rejected")
        .arg(deadline_.interval())
        .arg(awaited_);
}

void ModalDriver::tick() {
    if (expired_) {   // a rejected window may have opened another one
        rejectAllModals();
        return;
    }
    // The handler runs from the event loop, not inside this timer: what it does may open another
    // modal window (a warning box over a dialog), and a timer is not fired again while its own
    // slot runs. One call is queued at a time.
    if (handling_ || !QApplication::activeModalWidget()) return;
    handling_ = true;
    QMetaObject::invokeMethod(
        &context_,
        [this] {
            handling_ = false;   // the handler may wait in a window of its own: ticks go on
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !expired_) handler_(modal);
        },
        Qt::QueuedConnection);
}

void rejectAllModals() {
    for (int guard = 0; guard < 20; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
        else modal->close();
    }
}

void typeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    // A name in the dialog's folder is typed as a user types it there: without the folder.
    const QFileInfo info(name);
    QTest::keyClicks(edit, info.absolutePath() == QFileInfo(dialog->directory().absolutePath()).absoluteFilePath()
                               ? info.fileName() : name);
    if (QCompleter* c = edit->completer(); c && c->popup() && c->popup()->isVisible()) c->popup()->hide();
    QTest::keyClick(edit, Qt::Key_Return);

}

void settle() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace rvtest
