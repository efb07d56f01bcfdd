// A file the user names in a save dialog goes where the name says, whatever characters the name
// holds, and a database named without an extension is saved as ".mdb", as Open lists it.
#include "create/CreateDriver.h"
#include "reports/ReportData.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/ReportsTestUtil.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QDir>

using namespace Module1;

class ChosenNamesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

    // Runs the command that writes what `command` names, the save dialog answering `path`.
    void run(const QString& command, const QString& path) {
        if (command == "new database") {
            Definition d;
            d.fields = {{"Name"}};
            defineDatabase(*fx->main, d);
            fx->ui.answerSave(path);
            CreateDatabase::instance().CmdCreate->click();
            return;
        }
        const QString source = reportsdb::build(fx->path("source.mdb"));
        if (command == "save as") {
            fx->ui.answerOpen(source);
            fx->main->mnuOpenDB_Click();
            fx->ui.answerSave(path);
            fx->main->mnDBSaveAs_Click();
            return;
        }
        frmReports& v = reportstest::openReports(source);
        reportstest::tick(v, {1});
        if (command == "output database") {
            fx->ui.answerModal([](QDialog&) {
                frmGenDB::instance().OptAllFields->click();
                frmGenDB::instance().cmdApply->click();
                return 1;
            });
        }
        fx->ui.answerSave(path);
        if (command == "output database") fx->ui.answerMsgBox(vb::vbOK);   // "Database Created!"
        if (command == "pdf") v.OptPDF_Click();
        if (command == "html") v.OptHTML_Click();
        if (command == "rtf") v.OptTxt_Click();
        if (command == "output database") v.OptExpDB_Click();
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(Fixture::WithMainWindow); }
    void cleanup() { fx.reset(); }

    void fileGoesWhereNamed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        const QList<std::pair<const char*, QString>> names = {
            {"quotes", "q'\"x"}, {"newline", "line\nbreak"}, {"leading dash", "-x"},
            {"non-ASCII", QString::fromUtf8("Ünïcødé データ")}, {"equals", "a=b;Data Source=c"}};
        const QList<std::pair<const char*, const char*>> commands = {{"new database", "mdb"}, {"save as", "mdb"},
            {"output database", "mdb"}, {"pdf", "pdf"}, {"html", "html"}, {"rtf", "rtf"}};
        for (const auto& [command, ext] : commands) {
            for (const auto& [label, name] : names)
                QTest::addRow("%s, %s", command, label) << command << name + "." + ext << name + "." + ext;
            QTest::addRow("%s, no extension", command) << command << "contacts" << QStringLiteral("contacts.") + ext;
        }
    }
    void fileGoesWhereNamed() {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        const QDir folder(fx->path("FOLDER"));
        QVERIFY(folder.mkpath("."));
        run(command, folder.filePath(typed));
        QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{written});
        const QString path = folder.filePath(written);
        if (command.endsWith("database") || command == "save as") {
            QCOMPARE(testdb::cli(path, "SELECT count(*) FROM sqlite_master WHERE name = 'UserTable'"), QString("1"));
            if (command != "output database") QCOMPARE(CurrentDBPath, path);
            QVERIFY(DBOpen);
        }
        QVERIFY(fx->ui.pending() == 0);
    }
};

RV_TEST(ChosenNamesTest)
#include "ChosenNamesTest.moc"
