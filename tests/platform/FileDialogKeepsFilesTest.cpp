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

private Q_SLOTS:
    // A question the window asks of its own is answered Yes, as a hurried user would.
    void keysLeaveFilesAlone_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("key");   // 0: the new-folder button instead
        QTest::newRow("open window, Delete") << false << int(Qt::Key_Delete);
        QTest::newRow("save window, Delete") << true << int(Qt::Key_Delete);
        QTest::newRow("open window, F2 and a new name") << false << int(Qt::Key_F2);
        QTest::newRow("save window, F2 and a new name") << true << int(Qt::Key_F2);
        QTest::newRow("save window, new folder") << true << 0;
    }
    void keysLeaveFilesAlone() {
        QFETCH(bool, save);
        QFETCH(int, key);
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath("people.mdb")).open(QIODevice::WriteOnly));
        vb::QtUiServices ui;
        vb::CommonDialog dlg;
        dlg.InitDir = dir.path();
        bool played = false;
        rvtest::ModalDriver user(QStringLiteral("the file window"), [&](QWidget* modal) {
            auto* fd = qobject_cast<QFileDialog*>(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal)) box->done(QMessageBox::Yes);
            if (!fd || std::exchange(played, true)) return;
            auto* view = fd->findChild<QListView*>(QStringLiteral("listView"));
            auto* model = fd->findChild<QFileSystemModel*>();
            auto* makeFolder = fd->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
            QVERIFY(view && model && makeFolder);
            view->setFocus();
            view->setCurrentIndex(model->index(dir.filePath("people.mdb")));
            if (key) QTest::keyClick(view, Qt::Key(key));
            else makeFolder->click();
            if (QWidget* editor = QApplication::focusWidget(); key && editor && editor != view) {
                QTest::keyClicks(editor, QStringLiteral("renamed.mdb"));
                QTest::keyClick(editor, Qt::Key_Return);
            }
            if (QApplication::activeModalWidget() == fd) fd->reject();
        });
        save ? ui.ShowSave(dlg) : ui.ShowOpen(dlg);
        QVERIFY2(!user.expired(), qPrintable(user.failure()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"people.mdb"});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), key ? 0 : 1);
    }
};

RV_TEST(FileDialogKeepsFilesTest)
#include "FileDialogKeepsFilesTest.moc"
