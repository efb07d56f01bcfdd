// The file windows on screen pick names: the keys that delete or rename a file there leave the
// user's files as they were, and a save window still makes a folder.
#include "platform/ui/QtUiServices.h"
#include "support/TestRegistry.h"
#include "support/Waiting.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class FileDialogKeepsFilesTest : public QObject {
    Q_OBJECT

    // Shows the open or save window on `folder` and hands it to `play`, then cancels it; a question
    // the window asks of its own is answered Yes, as a hurried user would.
    static void inWindow(bool save, const QString& folder, const std::function<void(QFileDialog*)>& play) {
        vb::QtUiServices ui;
        vb::CommonDialog dlg;
        dlg.InitDir = folder;
        bool played = false;
        rvtest::ModalDriver user(QStringLiteral("the file window"), [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) box->done(QMessageBox::Yes);
            else if (auto* fd = qobject_cast<QFileDialog*>(modal); fd && !std::exchange(played, true)) {
                play(fd);
                if (QApplication::activeModalWidget() == fd) fd->reject();
            }
        });
        save ? ui.ShowSave(dlg) : ui.ShowOpen(dlg);
        QVERIFY2(!user.expired(), qPrintable(user.failure()));
    }

private Q_SLOTS:
    void keysLeaveFilesAlone_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("key");
        QTest::newRow("open window, Delete") << false << int(Qt::Key_Delete);
        QTest::newRow("save window, Delete") << true << int(Qt::Key_Delete);
        QTest::newRow("open window, F2 and a new name") << false << int(Qt::Key_F2);
        QTest::newRow("save window, F2 and a new name") << true << int(Qt::Key_F2);
    }
    void keysLeaveFilesAlone() {
        QFETCH(bool, save);
        QFETCH(int, key);
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath("people.mdb")).open(QIODevice::WriteOnly));
        inWindow(save, dir.path(), [&](QFileDialog* fd) {
            auto* view = fd->findChild<QListView*>(QStringLiteral("listView"));
            auto* model = fd->findChild<QFileSystemModel*>();
            QVERIFY(view && model);
            view->setFocus();
            view->setCurrentIndex(model->index(dir.filePath("people.mdb")));
            QTest::keyClick(view, Qt::Key(key));
            if (QWidget* editor = QApplication::focusWidget(); editor && editor != view) {
                QTest::keyClicks(editor, QStringLiteral("renamed.mdb"));
                QTest::keyClick(editor, Qt::Key_Return);
            }
        });
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"people.mdb"});
    }

    void saveWindowMakesAFolder() {
        QTemporaryDir dir;
        inWindow(true, dir.path(), [](QFileDialog* fd) {
            if (auto* make = fd->findChild<QToolButton*>(QStringLiteral("newFolderButton"))) make->click();
        });
        QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    }
};

RV_TEST(FileDialogKeepsFilesTest)
#include "FileDialogKeepsFilesTest.moc"
