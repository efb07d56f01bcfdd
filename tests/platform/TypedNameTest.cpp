// A name typed into the save dialog on screen comes back as typed, whatever characters it holds.
#include "platform/ui/QtUiServices.h"
#include "support/TestRegistry.h"
#include "support/Waiting.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

class TypedNameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nameComesBackAsTyped_data() {
        QTest::addColumn<QString>("typed");   // in the dialog's folder, which holds FOLDER
        QTest::newRow("quotes in a sub-folder") << "FOLDER/q'\"x.mdb";
        QTest::newRow("a quoted list") << "\"a.mdb\" \"b.mdb\"";
        QTest::newRow("leading dash") << "-x.mdb";
        QTest::newRow("equals and semicolon") << "a=b;Data Source=c.mdb";
    }
    void nameComesBackAsTyped() {
        QFETCH(QString, typed);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("FOLDER"));
        vb::CommonDialog dlg;
        dlg.InitDir = dir.path();
        dlg.Filter = QStringLiteral("All Files (*.*)|*.*|mdb Files(*.mdb)|*.mdb");
        dlg.FilterIndex = 2;
        vb::QtUiServices ui;
        rvtest::ModalDriver user(QStringLiteral("the save dialog to take \"%1\"").arg(typed), [&](QWidget* modal) {
            if (auto* fd = qobject_cast<QFileDialog*>(modal)) rvtest::typeFileName(fd, typed);
        });
        const bool chosen = ui.ShowSave(dlg);
        QVERIFY2(!user.expired(), qPrintable(user.failure()));
        QVERIFY(chosen);
        QCOMPARE(dlg.FileName, QDir(dir.path()).filePath(typed));
    }
};

RV_TEST(TypedNameTest)
#include "TypedNameTest.moc"
