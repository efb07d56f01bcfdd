// The open dialog on screen hands a name that does not exist back to the program, which answers
// it with its own message, unless the caller asks for an existing file.
// Its keys that delete or rename a file leave the user's files as they were; a save dialog makes folders.
#include "platform/ui/QtUiServices.h"
#include "support/Waiting.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

class OpenDialogTest : public QObject {
    Q_OBJECT

    // Plays the user: types the name into the dialog's name box and presses Enter; a warning box
    // the dialog shows of its own is noted and closed, and the dialog cancelled.
    static bool choose(vb::CommonDialog& dlg, const QString& name, bool& warned, QString& failure) {
        vb::QtUiServices ui;
        warned = false;
        bool typed = false;
        rvtest::ModalDriver user(QStringLiteral("the open dialog to take \"%1\"").arg(name), [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                warned = true;
                box->reject();
            } else if (auto* fd = qobject_cast<QFileDialog*>(modal)) {
                if (warned) fd->reject();
                else if (!typed) {
                    typed = true;
                    rvtest::typeFileName(fd, name);
                }
            }
        });
        const bool chosen = ui.ShowOpen(dlg);
        if (user.expired()) failure = user.failure();
        return chosen;
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
        QString failure;
        const bool chosen = choose(dlg, missing, warned, failure);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(chosen, handedBack);
        QCOMPARE(warned, !handedBack);
        if (handedBack) QCOMPARE(QFileInfo(dlg.FileName).absoluteFilePath(), QFileInfo(missing).absoluteFilePath());
    }

    // Qt's dialog reads double quotes as a list of names: a name holding one comes back whole.
    void aNameComesBackAsTyped_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("quotes in a sub-folder") << "FOLDER/q'\"x.mdb";
        QTest::newRow("a quoted list") << "\"a.mdb\" \"b.mdb\"";
        QTest::newRow("leading dash") << "-x.mdb";
        QTest::newRow("equals and semicolon") << "a=b;Data Source=c.mdb";
    }
    void aNameComesBackAsTyped() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("FOLDER"));
        vb::CommonDialog dlg;
        dlg.InitDir = dir.path();
        bool warned = false;
        QString failure;
        QVERIFY(choose(dlg, dir.filePath(name), warned, failure));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(dlg.FileName, dir.filePath(name));
    }

    // The detail list shows each file's name, size, type and date whole at the window's first size.
    void detailColumnsShowWhole() {
        QTemporaryDir dir;
        QFile file(dir.filePath("people.mdb"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(12800, 'x')) == 12800 && file.flush());
        vb::QtUiServices ui;
        vb::CommonDialog dlg;
        dlg.InitDir = dir.path();
        QStringList cut;
        int ticks = 0;
        rvtest::ModalDriver user(QStringLiteral("the file window's list"), [&](QWidget* modal) {
            auto* tree = modal->findChild<QTreeView*>(QStringLiteral("treeView"));
            if (!tree || tree->model()->rowCount(tree->rootIndex()) == 0 || ++ticks < 5) return;   // sizes and types come late
            for (int c = 0; c < tree->model()->columnCount(tree->rootIndex()); ++c)
                if (!tree->isColumnHidden(c) && tree->columnWidth(c) < static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(c))
                    cut << tree->model()->headerData(c, Qt::Horizontal).toString();
            modal->close();
        });
        ui.ShowOpen(dlg);
        QVERIFY2(!user.expired(), qPrintable(user.failure()));
        QCOMPARE(cut, QStringList());
    }

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

RV_TEST(OpenDialogTest)
#include "OpenDialogTest.moc"
