#include "support/Waiting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

namespace rvtest {

// The handler is queued, not called in the timer's slot: it may open another modal window, and a
// timer does not fire again while its own slot runs. Once expired, windows a rejected one opened
// are rejected in turn.
ModalDriver::ModalDriver(QString awaited, std::function<void(QWidget*)> handler)
    : awaited_(std::move(awaited)), handler_(std::move(handler)) {
    QObject::connect(&tick_, &QTimer::timeout, [this] {
        if (expired_ || deadline_.hasExpired()) {
            expired_ = true;
            for (int guard = 0; guard < 20 && QApplication::activeModalWidget(); ++guard) {
                QWidget* modal = QApplication::activeModalWidget();
                if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
                else modal->close();
            }
        } else if (!queued_ && QApplication::activeModalWidget()) {
            queued_ = true;
            QMetaObject::invokeMethod(&context_, [this] {
                queued_ = false;   // the handler may wait in a window of its own: ticks go on
                if (QWidget* modal = QApplication::activeModalWidget(); modal && !expired_) handler_(modal);
            }, Qt::QueuedConnection);
        }
    });
    tick_.start(20);
}

void typeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit) return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    const QFileInfo info(name);   // a name in the dialog's folder is typed without the folder
    const bool here = info.absolutePath() == QFileInfo(dialog->directory().absolutePath()).absoluteFilePath();
    QTest::keyClicks(edit, here ? info.fileName() : name);
    if (QCompleter* c = edit->completer(); c && c->popup() && c->popup()->isVisible()) c->popup()->hide();
    QTest::keyClick(edit, Qt::Key_Return);
}

void settle() {
    for (int round = 0; round < 8; ++round) QCoreApplication::processEvents();
}

}  // namespace rvtest
