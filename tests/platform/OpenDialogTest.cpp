// The open dialog on screen hands a name that does not exist back to the program, which answers
// it with its own message, unless the caller asks for an existing file.
#include "platform/ui/QtUiServices.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class OpenDialogTest : public QObject {
    Q_OBJECT

    // Plays the user: types the name into the dialog and accepts; a warning box the dialog shows
    // of its own is noted and closed, and the dialog cancelled.
    static bool choose(vb::CommonDialog& dlg, const QString& name, bool& warned) {
        vb::QtUiServices ui;
        warned = false;
        bool accepted = false;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                warned = true;
                box->reject();
            } else if (auto* fd = qobject_cast<QFileDialog*>(modal)) {
                if (warned) fd->reject();
                else if (!accepted) {
                    accepted = true;
                    fd->selectFile(name);
                    QMetaObject::invokeMethod(fd, "accept", Qt::QueuedConnection);
                }
            }
        });
        timer.start();
        return ui.ShowOpen(dlg);
    }

private Q_SLOTS:
    void aMissingNameComesBack_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("handedBack");
        QTest::newRow("as the program opens files") << int(vb::cdlOFNHideReadOnly) << true;
        QTest::newRow("an existing file asked for") << int(vb::cdlOFNHideReadOnly | vb::cdlOFNFileMustExist) << false;
    }
    void aMissingNameComesBack() {
        QFETCH(int, flags);
        QFETCH(bool, handedBack);
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("nothere.mdb"));
        vb::CommonDialog dlg;
        dlg.Flags = flags;
        dlg.InitDir = dir.path();
        dlg.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files(*.mdb)|*.mdb");
        dlg.FilterIndex = 2;
        bool warned = false;
        const bool chosen = choose(dlg, missing, warned);
        QCOMPARE(chosen, handedBack);
        QCOMPARE(warned, !handedBack);
        if (handedBack) QCOMPARE(QFileInfo(dlg.FileName).absoluteFilePath(), QFileInfo(missing).absoluteFilePath());
    }
};

RV_TEST(OpenDialogTest)
#include "OpenDialogTest.moc"
