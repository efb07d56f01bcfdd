// The output database: its layout, the rows it holds, the questions before replacing a file.
#include "ExportTestUtil.h"
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"
#include "reports/ExportCommands.h"
#include "reports/ExportTexts.h"
#include "reports/FieldChoiceDialog.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace exporttest;
using namespace testdb;

namespace {
const QStringList kSampleCols = {"Name", "Age", "Price", "Born", "Cost", "Active", "PhotoFP"};
QStringList keywords(int k) {
    QStringList l;
    for (int i = 1; i <= k; ++i) l << QStringLiteral("KeyWord%1").arg(i);
    return l;
}
}  // namespace

class DatabaseExportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    std::unique_ptr<Desktop> desk;
    vb::CommonDialog rptDialog;

    QString sampleDb() {
        const QString path = buildSample(fx->path("s.mdb"));
        exec(path, R"(INSERT INTO UserTable (Name, Age, Price, Born, Cost, Active, PhotoFP, Memofld, KeyWord1, KeyWord3, SrchInt, SrchKey, RptFlg) VALUES
            ('Ann "A" O''Neil', 42, 3.14, '2024-03-05 00:00:00', 1234.5, 1, '/p/a.png', 'notes of Ann', 'red', 'blue', 0, 0, 1),
            ('Bob', -7, NULL, '1899-12-30 14:30:00', -2, 0, NULL, NULL, NULL, NULL, 0, 0, 0),
            ('Cy', 0, 0.5, '1999-12-31 23:59:59', 0, 0, '', 'x', 'green', NULL, 0, 0, 1))");
        openDb(path);
        return path;
    }
    void answerDialog(int option, bool apply = true) {
        fx->ui.answerModal([option, apply](QDialog&) {
            frmGenDB& d = frmGenDB::instance();
            if (option == 1) d.OptAllFields->click();
            if (option == 2) d.OptUsrFields->click();
            (apply ? d.cmdApply : d.cmdCancel)->click();
            return apply ? 1 : 0;
        });
    }
    // Runs an export that goes through to "Database Created!".
    void exportTo(const QString& out, int option, const ReportChoices& v) {
        answerDialog(option);
        fx->ui.answerSave(out).answerMsgBox(vb::vbOK);
        reports::RunDatabaseExport(v, rptDialog);
        QCOMPARE(fx->ui.messages().last(), reports::texts::created(out));
        QCOMPARE(fx->ui.titles().last(), QString("Database Created!"));
    }
    static QString rows(const QString& path, const QString& cols) {
        return cli(path, "SELECT " + cols + " FROM UserTable ORDER BY TolvaneID");
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        desk = std::make_unique<Desktop>(*fx);
        rptDialog = vb::CommonDialog();
    }
    void cleanup() {
        desk.reset();
        fx.reset();
    }

    void allFieldsMakeADatabaseTheProgramOpens() {
        const QString src = sampleDb();
        const QString out = fx->path("out.mdb");
        exportTo(out, 1, viewChoices({}, true, false));
        // The save dialog as the export sets it.
        const auto& save = fx->ui.requests[1].dialog;
        QCOMPARE(save.DialogTitle, QString("Create Output Database"));
        QCOMPARE(save.Filter, QString("All Files (*.*)|*.*|mdb Files(*.mdb)|*.mdb"));
        QCOMPARE(save.FilterIndex, 2);
        QCOMPARE(save.Flags, 4);
        QCOMPARE(save.InitDir, fx->path("DBFiles"));

        const QStringList expected = QStringList{"TolvaneID"} + kSampleCols + QStringList{"Memofld"} + keywords(3) +
                                     QStringList{"SrchInt", "SrchKey", "SrchMemo", "RptFlg"};
        QCOMPARE(columns(out), expected);
        db::Connection conn;
        conn.Open(out);
        const auto info = db::Catalog(conn).Columns("UserTable");
        QCOMPARE(info[0].Description, QString("ID to track Tolvane Records"));
        QVERIFY(info[0].AutoIncrement && info[0].PrimaryKey);
        QCOMPARE(info[3].Type, db::adNumeric);
        QCOMPARE(info[3].Precision * 100 + info[3].NumericScale, 1002);
        QCOMPARE(info[14].Description, QString("SearchID to track memo Text Search Records(Program Use Only) DO NOT DELETE"));
        QVERIFY(!conn.HasTable("UserProfile"));
        conn.Close();
        const QString cols = kSampleCols.join(',') + ",Memofld," + keywords(3).join(',');
        QCOMPARE(rows(out, cols), rows(src, cols));
        QCOMPARE(rows(out, "TolvaneID, SrchInt IS NULL, RptFlg"), QString("1|1|0\n2|1|0\n3|1|0"));
        QCOMPARE(Module1::CurrentDBPath, src);   // the new file is not opened

        // The program opens it without a login and pages through it.
        unloadAllForms();
        openDb(out);
        DataInput& v = DataInput::instance();
        QCOMPARE(v.lblRecord->text(), QString("Record: 1 of 3"));
        v.cmdNegotiate_Click(2);
        QCOMPARE(v.flddata[1]->text(), QString("Bob"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 2 of 3"));
    }

    // Every type's column and every value of "Export all fields", as sqlite3 reads them.
    void allFieldsOfEveryType() {
        const QString src = sampleDb(), out = fx->path("copy.mdb");
        exportTo(out, 1, viewChoices({}, true));
        const QString types = "SELECT group_concat(name || ' ' || replace(type, '(100)', '(255)'), ', ') FROM pragma_table_info('UserTable')";
        QCOMPARE(cli(out, types), cli(src, types));
        QStringList values;
        for (const QString& c : kSampleCols + QStringList{"Memofld"} + keywords(3)) values << "quote([" + c + "])";
        QCOMPARE(rows(out, values.join(" || '|' || ")), rows(src, values.join(" || '|' || ")));
    }

    void choices_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<bool>("inclNotes");
        QTest::addColumn<bool>("searchResult");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("columns");   // "" when no file is made
        QTest::addColumn<QString>("names");
        const QString tail = "," + keywords(3).join(',') + ",SrchInt,SrchKey,SrchMemo,RptFlg";
        const QString off = reports::kSortOff;
        QTest::newRow("selected, notes ticked") << 2 << QList<int>{3, 1} << true << false << off
                                                << "TolvaneID,Name,Price,Memofld" + tail << "Ann \"A\" O'Neil|Bob|Cy";
        QTest::newRow("selected without notes still has SrchMemo")
            << 2 << QList<int>{7} << false << false << off << "TolvaneID,PhotoFP" + tail << "";
        QTest::newRow("search result only") << 1 << QList<int>{} << false << true << "Age"
                                            << "TolvaneID," + kSampleCols.join(',') + ",Memofld" + tail << "Ann \"A\" O'Neil|Cy";
        QTest::newRow("sorted rows are numbered in order") << 2 << QList<int>{1} << false << false << "Age"
                                                           << "TolvaneID,Name" + tail << "Bob|Cy|Ann \"A\" O'Neil";
    }
    void choices() {
        QFETCH(int, option);
        QFETCH(QList<int>, ticked);
        QFETCH(bool, inclNotes);
        QFETCH(bool, searchResult);
        QFETCH(QString, sort);
        QFETCH(QString, columns);
        QFETCH(QString, names);
        sampleDb();
        Module1::SrchFlg = searchResult;
        auto v = viewChoices({}, true, inclNotes, searchResult, sort);
        tick(v, ticked);
        const QString out = fx->path("DBFiles/out.mdb");
        QDir().mkpath(fx->path("DBFiles"));
        exportTo(out, option, v);
        QCOMPARE(testdb::columns(out).join(','), columns);
        if (!names.isEmpty()) QCOMPARE(rows(out, "Name").replace('\n', '|'), names);
    }

    void nothingIsMade_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<bool>("saveCancelled");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancel") << 1 << false << false << "";
        QTest::newRow("no option ever chosen") << 0 << true << false << "";
        QTest::newRow("selected, none ticked") << 2 << true << false << reports::texts::kDbNoFieldBuild;
        QTest::newRow("save dialog cancelled") << 1 << true << true << "";
    }
    void nothingIsMade() {
        QFETCH(int, option);
        QFETCH(bool, apply);
        QFETCH(bool, saveCancelled);
        QFETCH(QString, message);
        sampleDb();
        answerDialog(option, apply);
        if (saveCancelled) fx->ui.answerSave({});
        if (!message.isEmpty()) fx->ui.answerMsgBox(vb::vbOK);
        reports::RunDatabaseExport(viewChoices(), rptDialog);
        QCOMPARE(fx->ui.messages(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(fx->ui.titles(), QStringList{"Reports"});
        QVERIFY(!QFileInfo::exists(fx->path("DBFiles")) || QDir(fx->path("DBFiles")).isEmpty());
        QVERIFY(!frmGenDB::instance().IsLoaded());
    }

    void namesAndValuesThatNeedQuoting() {
        const QString path = build(fx->path("q.mdb"), {{"Owner's Name", "Text", ""}, {"Order", "Number/Integer", ""},
                                                       {"Group by", "Text", ""}});
        exec(path, "INSERT INTO UserTable ([Owner's Name], [Order], [Group by], SrchInt, SrchKey, RptFlg) VALUES "
                   "('it''s \"so\"', 2, ']; DROP TABLE UserTable; --', 0, 0, 0), ('b', 1, NULL, 0, 0, 0)");
        openDb(path);
        const QString out = fx->path("it's here.mdb");
        exportTo(out, 1, viewChoices({}, false, false, false, "Order"));
        QCOMPARE(rows(out, "[Owner's Name], [Order], [Group by]"),
                 QString("b|1|\nit's \"so\"|2|]; DROP TABLE UserTable; --"));
    }

    void theOpenDatabaseIsNeverTheTarget() {
        const QString src = sampleDb();
        const QString link = fx->path("link.mdb");
        QVERIFY(QFile::link(src, link));
        const QByteArray before = cli(src, "SELECT count(*) FROM UserTable").toUtf8();
        for (const QString& target : {src.toUpper().replace(fx->path("").toUpper(), fx->path("")), link}) {
            fx->ui.clear();
            answerDialog(1);
            fx->ui.answerSave(target).answerMsgBox(vb::vbOK);
            reports::RunDatabaseExport(viewChoices(), rptDialog);
            QCOMPARE(fx->ui.messages(), QStringList{reports::texts::kCannotOverwriteCurrent});
            QCOMPARE(fx->ui.titles(), QStringList{"Database"});
        }
        QCOMPARE(cli(src, "SELECT count(*) FROM UserTable").toUtf8(), before);
    }

    void replacingAnExistingFile_data() {
        QTest::addColumn<int>("existingRows");
        QTest::addColumn<QList<int>>("answers");   // to the questions, in order
        QTest::addColumn<bool>("replaced");
        QTest::newRow("empty: one question") << 0 << QList<int>{vb::vbOK} << true;
        QTest::newRow("empty, cancelled") << 0 << QList<int>{vb::vbCancel} << false;
        QTest::newRow("with records: both questions") << 2 << QList<int>{vb::vbOK, vb::vbOK} << true;
        QTest::newRow("with records, second cancelled") << 2 << QList<int>{vb::vbOK, vb::vbCancel} << false;
    }
    void replacingAnExistingFile() {
        QFETCH(int, existingRows);
        QFETCH(QList<int>, answers);
        QFETCH(bool, replaced);
        sampleDb();
        const QString out = build(fx->path("old.mdb"), {{"Old", "Text", ""}});
        addRows(out, "Old", existingRows);
        answerDialog(1);
        fx->ui.answerSave(out);
        for (int a : answers) fx->ui.answerMsgBox(a);
        if (replaced) fx->ui.answerMsgBox(vb::vbOK);
        reports::RunDatabaseExport(viewChoices({}, true), rptDialog);
        QStringList expected{reports::texts::kOverwrite};
        if (existingRows > 0) expected << reports::texts::kHasRecords;
        if (replaced) expected << reports::texts::created(out);
        QCOMPARE(fx->ui.messages(), expected);
        QCOMPARE(columns(out).value(1), replaced ? QString("Name") : QString("Old"));
        QCOMPARE(QDir(fx->path("")).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList{});
    }

    void aFileThatIsNoDatabaseStaysUntouched() {
        sampleDb();
        const QString out = fx->path("notes.mdb");
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        answerDialog(1);
        fx->ui.answerSave(out).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        reports::RunDatabaseExport(viewChoices(), rptDialog);
        QCOMPARE(fx->ui.messages().size(), 3);
        QCOMPARE(fx->ui.titles(), QStringList({"Database already Exists.", "Ravelstow", "Ravelstow"}));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("not a database"));
    }

    void aFailedTransferKeepsTheOldFile() {
        sampleDb();
        const QString out = build(fx->path("old.mdb"), {{"Old", "Text", ""}});
        answerDialog(1);
        // A sort field the table does not have makes the copy fail.
        fx->ui.answerSave(out);
        for (int i = 0; i < 4; ++i) fx->ui.answerMsgBox(vb::vbOK);
        reports::RunDatabaseExport(viewChoices({}, true, false, false, "Gone"), rptDialog);
        // The question, the error's number and description, then the failure.
        QCOMPARE(fx->ui.messages().size(), 4);
        QVERIFY(fx->ui.messages()[2].contains("Gone"));
        QCOMPARE(fx->ui.messages().last(), reports::texts::recordFailure(out));
        QCOMPARE(columns(out).value(1), QString("Old"));
        QCOMPARE(QDir(fx->path("")).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList{});
    }
};

RV_TEST(DatabaseExportTest)
#include "DatabaseExportTest.moc"
