// A file the user names in a save dialog goes where the name says, whatever characters the name
// holds, and a database named without an extension is saved as ".mdb", as Open lists it.
#include "create/CreateDriver.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/ReportData.h"
#include "reports/ReportsTestUtil.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QDir>

class ChosenNamesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

    // Runs the command that writes `command`'s file, the save dialog answering `path`.
    void run(const QString& command, const QString& path) {
        if (command == "new database") {
            defineDatabase(*fx->main, Definition{{{"Name"}}, false, false, ""});   // one field, nothing else
            fx->ui.answerSave(path);
            return CreateDatabase::instance().CmdCreate->click();
        }
        const QString source = reportsdb::build(fx->path("source.mdb"));
        if (command == "save as") {
            fx->ui.answerOpen(source).answerSave(path);
            fx->main->mnuOpenDB_Click();
            return fx->main->mnDBSaveAs_Click();
        }
        frmReports& v = reportstest::openReports(source);
        reportstest::tick(v, {1});
        if (command == "output database") {
            fx->ui.answerModal([](QDialog&) { return frmGenDB::instance().OptAllFields->click(), frmGenDB::instance().cmdApply->click(), 1; })
                .answerSave(path)
                .answerMsgBox(vb::vbOK);   // "Database Created!"
            return v.OptExpDB_Click();
        }
        fx->ui.answerSave(path);
        (v.*(command == "pdf" ? &frmReports::OptPDF_Click : command == "html" ? &frmReports::OptHTML_Click : &frmReports::OptTxt_Click))();
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(Fixture::WithMainWindow); }
    void cleanup() { fx.reset(); }

    void fileGoesWhereNamed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        const QList<std::pair<const char*, QString>> names = {{"quotes", "q'\"x"}, {"newline", "line\nbreak"},
            {"leading dash", "-x"}, {"non-ASCII", QString::fromUtf8("Ünïcødé データ")}, {"equals", "a=b;Data Source=c"}};
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
        if (command == "new database" || command == "save as") QCOMPARE(Module1::CurrentDBPath, folder.filePath(written));
    }
};

RV_TEST(ChosenNamesTest)
#include "ChosenNamesTest.moc"
