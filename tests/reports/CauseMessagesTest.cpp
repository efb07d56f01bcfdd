// Exports under another program's lock or on a full disk: one message that names the cause, and no
// raw number or description.
#include "ExportTestUtil.h"
#include "reports/ExportCommands.h"
#include "reports/FieldChoiceDialog.h"
#include "support/Faults.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

using namespace exporttest;

class CauseMessagesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportsNameTheCause_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString locked = "Database is Locked by another program, %1 Please try again later.";
        QTest::newRow("spreadsheet, locked") << "xlsx" << "locked" << locked.arg("the workbook was not written.");
        QTest::newRow("spreadsheet, full disk") << "xlsx" << "full" << "Disk full: there is no room on the disk for";
        QTest::newRow("output database, locked") << "mdb" << "locked" << locked.arg("the output database was not made.");
        QTest::newRow("output database, full disk") << "mdb" << "full" << "Disk is Full, the output database was not made.";
        QTest::newRow("output database, read-only folder")
            << "mdb" << "folder" << "The folder '%F' of the database may not be written, the output database was not made.";
    }
    void exportsNameTheCause() {
        QFETCH(QString, command);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        Fixture fx;
        Desktop desk(fx);
        QVERIFY(QDir().mkpath(fx.path("db")));
        const QString folder = fx.path("db"), path = testdb::buildSample(folder + "/s.mdb");
        testdb::exec(path, "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 300) "
                           "INSERT INTO UserTable (Name, Memofld, SrchInt, SrchKey, RptFlg) "
                           "SELECT printf('Name %d', i), printf('%0200d', i), 0, 0, 1 FROM c");
        openDb(path);
        const QString out = fx.path("out.mdb");
        fx.ui.answerModal([command](QDialog& d) {
            for (QRadioButton* o : d.findChildren<QRadioButton*>())
                if (o->objectName().contains("All", Qt::CaseInsensitive)) o->click();
            d.findChild<QPushButton*>("cmdApply")->click();
            return 1;
        });
        if (command == "mdb") fx.ui.answerSave(out);
        fx.ui.answerMsgBox(vb::vbOK);
        {
            std::unique_ptr<testfaults::OtherProgramLock> lock;
            std::unique_ptr<testfaults::FileSizeLimit> full;
            if (fault == "locked") lock = std::make_unique<testfaults::OtherProgramLock>(path);
            if (fault == "full") full = std::make_unique<testfaults::FileSizeLimit>(command == "xlsx" ? 2000 : 20000);
            if (fault == "folder") QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            vb::CommonDialog dialog;
            if (command == "xlsx") reports::RunSpreadsheetExport(viewChoices({}, true));
            else reports::RunDatabaseExport(viewChoices({}, true), dialog);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        message.replace("%F", folder);
        QCOMPARE(fx.ui.messages().size(), 1);
        QVERIFY2(fx.ui.messages()[0].startsWith(message), qPrintable(fx.ui.messages()[0]));
        QVERIFY(!QFile::exists(out));
        QCOMPARE(desk.files(), QStringList{});
    }
};

RV_TEST(CauseMessagesTest)
#include "CauseMessagesTest.moc"
