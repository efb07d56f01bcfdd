// Values another program stored in forms this program does not write (yes/no as words or -1, US
// date texts) read one way in the entry view, the search, the report and the workbook.
#include "ExportTestUtil.h"
#include "ReportsTestUtil.h"
#include "XlsxRead.h"
#include "format/LocaleScope.h"
#include "reports/ExportCommands.h"
#include "reports/FieldChoiceDialog.h"
#include "search/SearchEngine.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QPushButton>

using namespace reportstest;

class StoredFormsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    std::unique_ptr<exporttest::Desktop> desk;
    QString path;

    // Record 1 holds the SQL values in Active and Born; the text of the report of Name, Born, Active.
    QString open(const QString& active, const QString& born) {
        path = build(fx->path("s.mdb"), everyType());
        exec(path, "INSERT INTO UserTable (Name, Active, Born, SrchInt, SrchKey, RptFlg) VALUES ('Ann', " + active + ", " + born + ", 0, 0, 0)");
        frmReports& v = openReports(path);
        tick(v, {1, 4, 6});
        fx->ui.answerSave(fx->path("r.pdf"));
        v.OptPDF_Click();
        return pdfText(fx->path("r.pdf"));
    }
    // The workbook's cell of record 1 in a column (F Active, D Born) as type and value ("b1").
    QString cell(const QString& column) {
        fx->ui.answerModal([](QDialog&) { return FrmExpToExcel::instance().optAllFlds->click(), FrmExpToExcel::instance().cmdApply->click(), 1; });
        reports::RunSpreadsheetExport(exporttest::viewChoices());
        const auto c = exporttest::readSheet(QDir(vb::exportFolder()).filePath(desk->files().value(0)));
        return c[column + "2"].type + c[column + "2"].value;
    }
    bool searchFinds(const QString& trueFalse) {
        search::Criteria c;
        c.rows = {{true, "Active", "True/False", "Active", {}, {}, trueFalse, false, {}, {}}};   // Active ticked, trueFalse chosen
        c.keywordBoxes = QStringList(10, QString());
        db::Connection conn;
        conn.Open(connStr(path));
        return search::Run(conn, c).kind == search::Outcome::Found;
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        desk = std::make_unique<exporttest::Desktop>(*fx);
    }
    void cleanup() {
        desk.reset();
        fx.reset();
    }

    void yesNoReadsAlike_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");   // "True", "False", or the text when it is no yes/no
        QTest::newRow("yes") << "'yes'" << "True";
        QTest::newRow("No") << "'No'" << "False";
        QTest::newRow("t with blanks") << "' t '" << "True";
        QTest::newRow("-1") << "-1" << "True";
        QTest::newRow("no yes/no") << "'maybe'" << "maybe";
    }
    void yesNoReadsAlike() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QVERIFY(open(stored, "NULL").contains(shown == "True" ? u'\u2611' : u'\u2610'));
        QCOMPARE(DataInput::instance().flddata[6]->text(), shown);
        QCOMPARE(DataInput::instance().CmboTF[6]->currentText(), shown == "maybe" ? QString() : shown);
        QCOMPARE(searchFinds("TRUE"), shown == "True");
        QCOMPARE(searchFinds("FALSE"), shown == "False");
        QCOMPARE(cell("F"), shown == "maybe" ? "smaybe" : shown == "True" ? "b1" : "b0");
    }

    // Dates are read in the stored forms only: a US form another program wrote stays its text.
    void usDateTextStaysText_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("day") << "3/5/2024";
        QTest::newRow("day and time") << "3/5/2024 2:07 PM";
    }
    void usDateTextStaysText() {
        QFETCH(QString, stored);
        LocaleScope scope("en_GB");
        QVERIFY(open("0", "'" + stored + "'").contains(stored));
        QCOMPARE(DataInput::instance().flddata[4]->text(), stored);
        QCOMPARE(cell("D"), "s" + stored);
    }
};

RV_TEST(StoredFormsTest)
#include "StoredFormsTest.moc"
