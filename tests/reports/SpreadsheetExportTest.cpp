// The spreadsheet export: the choice dialog, the workbook's cells and types, what LibreOffice reads.
#include "ExportTestUtil.h"
#include "ReportsTestUtil.h"
#include "XlsxRead.h"
#include "format/LocaleScope.h"
#include "platform/db/StoredDate.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/office/XlsxWriter.h"
#include "platform/ui/ProgressBox.h"
#include "reports/ExportCommands.h"
#include "reports/ExportTexts.h"
#include "reports/FieldChoiceDialog.h"
#include "search/SearchEngine.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace exporttest;
using namespace testdb;

class SpreadsheetExportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    std::unique_ptr<Desktop> desk;

    QString sampleDb() {
        const QString path = buildSample(fx->path("s.mdb"));
        exec(path, R"(INSERT INTO UserTable (Name, Age, Price, Born, Cost, Active, PhotoFP, Memofld, SrchInt, SrchKey, RptFlg) VALUES
            ('Ann "A" O''Neil <&>', 42, 3.14, '2024-03-05 00:00:00', 1234.5, 1, '/p/a b.png', 'two' || char(10) || 'lines', 0, 0, 1),
            ('Bob', -7, NULL, '1899-12-30 14:30:00', -2, 0, NULL, NULL, 0, 0, 0),
            ('Cy', 0, 0.5, '1999-12-31 23:59:59', 0, 0, '', 'x', 0, 0, 1))");
        openDb(path);
        return path;
    }
    // The user's answer to the choice dialog: 0 no option, 1 all fields, 2 selected fields.
    void answerDialog(int option, bool apply = true) {
        fx->ui.answerModal([option, apply](QDialog&) {
            FrmExpToExcel& d = FrmExpToExcel::instance();
            if (option == 1) d.optAllFlds->click();
            if (option == 2) d.optUsrFlds->click();
            (apply ? d.cmdApply : d.cmdCancel)->click();
            return apply ? 1 : 0;
        });
    }
    QString onlyWorkbook() {
        const QStringList files = desk->files();
        if (files.size() != 1) return {};
        return QDir(vb::exportFolder()).filePath(files.first());
    }
    static QStringList column(const QMap<QString, Cell>& cells, QChar col) {
        QStringList out;
        for (int r = 2; cells.contains(QString(col) + QString::number(r)); ++r) out << cells[QString(col) + QString::number(r)].value;
        return out;
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        desk = std::make_unique<Desktop>(*fx);
    }
    void cleanup() {
        desk.reset();
        fx.reset();
        vb::ProgressBox::setCancelAtForTesting(0);
    }

    void typedCellsThatLibreOfficeReads() {
        sampleDb();
        answerDialog(1);
        reports::RunSpreadsheetExport(viewChoices({}, true));
        const QString xlsx = onlyWorkbook();
        QVERIFY(QFileInfo(xlsx).fileName().contains(QRegularExpression("^Export \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d\\.xlsx$")));
        QCOMPARE(desk->opened, QStringList{xlsx});
        QVERIFY(fx->ui.messages().isEmpty());

        const auto c = readSheet(xlsx);
        QStringList header;
        for (QChar col : QString("ABCDEFGH")) header << c[QString(col) + "1"].value;
        QCOMPARE(header, QStringList({"Name", "Age", "Price", "Born", "Cost", "Active", "PhotoFP", "Memofld"}));
        QCOMPARE(sheetRows(c), 4);
        QCOMPARE(c["A2"].type, QString("s"));
        QCOMPARE(c["A2"].value, QString("Ann \"A\" O'Neil <&>"));
        QCOMPARE(c["B3"].type + c["B3"].value, QString("n-7"));
        QCOMPARE(c["C2"].value.toDouble(), 3.14);
        QCOMPARE(c["C2"].format, QString("0.00"));
        QVERIFY(!c.contains("C3"));   // an empty value is no cell
        QCOMPARE(c["D2"].value.toDouble(), 45356.0);
        QCOMPARE(c["D2"].format, QString("m/d/yyyy"));
        QVERIFY(qAbs(c["D3"].value.toDouble() - 14.5 / 24) < 1e-8);   // a time alone is a day fraction
        QVERIFY(c["D3"].format.startsWith("h:mm"));
        QVERIFY(qAbs(c["D4"].value.toDouble() - (36525 + 86399.0 / 86400)) < 1e-6);
        QVERIFY(c["E2"].format.startsWith("$#,##0.00"));
        QCOMPARE(c["F2"].type + c["F2"].value, QString("b1"));
        QCOMPARE(c["F3"].type + c["F3"].value, QString("b0"));
        QCOMPARE(c["H2"].value, QString("two\nlines"));

        // The desktop's spreadsheet program reads the same values.
        const QString csv = convert(xlsx, "csv", fx->path("lo"), "Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true");
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QCOMPARE(text.split('\n').first().trimmed(), QString("Name,Age,Price,Born,Cost,Active,PhotoFP,Memofld"));
        QVERIFY2(text.contains("\"Ann \"\"A\"\" O'Neil <&>\",42,3.14,3/5/2024,\"$1,234.50\",TRUE,/p/a b.png,\"two"), qPrintable(text));
        QVERIFY2(text.contains("Bob,-7,,2:30:00 PM,($2.00),FALSE,,"), qPrintable(text));
        QVERIFY2(text.contains("Cy,0,0.50,12/31/1999 11:59:59 PM,$0.00,FALSE,,x"), qPrintable(text));
    }

    void choices_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<bool>("inclNotes");
        QTest::addColumn<bool>("searchResult");   // "Search Results" chosen with a search present
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("header");       // "" when nothing is written
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("message");
        const QString off = reports::kSortOff;
        QTest::newRow("cancel") << 1 << false << QList<int>{} << false << false << off << "" << "" << "";
        QTest::newRow("no option ever chosen") << 0 << true << QList<int>{} << false << false << off << "" << "" << "";
        QTest::newRow("selected, none ticked") << 2 << true << QList<int>{} << true << false << off << "" << ""
                                               << reports::texts::kExcelNoField;
        QTest::newRow("all fields take the notes unticked")
            << 1 << true << QList<int>{1} << false << false << off << "Name,Age,Price,Born,Cost,Active,PhotoFP,Memofld"
            << "Ann \"A\" O'Neil <&>,Bob,Cy" << "";
        QTest::newRow("selected without notes") << 2 << true << QList<int>{5, 1} << false << false << off << "Name,Cost"
                                                << "Ann \"A\" O'Neil <&>,Bob,Cy" << "";
        QTest::newRow("selected with notes") << 2 << true << QList<int>{7} << true << false << off << "PhotoFP,Memofld" << "" << "";
        QTest::newRow("search result, unsorted") << 1 << true << QList<int>{} << false << true << "Age"
                                                 << "Name,Age,Price,Born,Cost,Active,PhotoFP,Memofld"
                                                 << "Ann \"A\" O'Neil <&>,Cy" << "";
        QTest::newRow("sorted by a field") << 2 << true << QList<int>{1} << false << false << "Age" << "Name"
                                           << "Bob,Cy,Ann \"A\" O'Neil <&>" << "";
    }
    void choices() {
        QFETCH(int, option);
        QFETCH(bool, apply);
        QFETCH(QList<int>, ticked);
        QFETCH(bool, inclNotes);
        QFETCH(bool, searchResult);
        QFETCH(QString, sort);
        QFETCH(QString, header);
        QFETCH(QString, names);
        QFETCH(QString, message);
        sampleDb();
        Module1::SrchFlg = searchResult;
        auto v = viewChoices({}, true, inclNotes, searchResult, sort);
        tick(v, ticked);
        answerDialog(option, apply);
        if (!message.isEmpty()) fx->ui.answerMsgBox(vb::vbOK);
        reports::RunSpreadsheetExport(v);
        QCOMPARE(fx->ui.messages(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty()) QCOMPARE(fx->ui.titles(), QStringList{"Ravelstow"});
        if (header.isEmpty()) {
            QVERIFY(desk->files().isEmpty());
            QVERIFY(desk->opened.isEmpty());
            return;
        }
        const auto c = readSheet(onlyWorkbook());
        QStringList got;
        for (int i = 0; c.contains(QString(QChar('A' + i)) + "1"); ++i) got << c[QString(QChar('A' + i)) + "1"].value;
        QCOMPARE(got.join(','), header);
        if (!names.isEmpty()) QCOMPARE(column(c, 'A').join(','), names);
    }

    void theChoiceIsRememberedAndTheDialogResets() {
        sampleDb();
        answerDialog(2);
        auto v = viewChoices({1});
        reports::RunSpreadsheetExport(v);
        QVERIFY(Module1::bExcelUsrFlds && !Module1::bExcelAllFlds);
        // A second run without a click repeats the choice; the dialog shows no option chosen.
        fx->ui.answerModal([](QDialog& dlg) {
            FrmExpToExcel& d = FrmExpToExcel::instance();
            if (d.optAllFlds->isChecked() || d.optUsrFlds->isChecked() || Module1::bExcelApply) return 0;
            if (dlg.windowTitle() != "Export To Excel Spreadsheet") return 0;
            d.cmdApply->click();
            return 1;
        });
        reports::RunSpreadsheetExport(v);
        QCOMPARE(desk->files().size(), 2);
        // The close box applies nothing.
        fx->ui.answerModal([](QDialog& dlg) { return dlg.reject(), 0; });
        reports::RunSpreadsheetExport(v);
        QVERIFY(!Module1::bExcelApply);
        QCOMPARE(desk->files().size(), 2);
        QVERIFY(!FrmExpToExcel::instance().IsLoaded());
    }

    void longTextIsCutAndNoProgramIsReported() {
        const QString path = build(fx->path("l.mdb"), {{"Notes", "Text", ""}});
        exec(path, "INSERT INTO UserTable (Notes, SrchInt, SrchKey, RptFlg) VALUES (replace(hex(zeroblob(20000)), '00', 'ab'), 0, 0, 0), ('short', 0, 0, 0)");
        openDb(path);
        desk->hasProgram = false;
        answerDialog(1);
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        reports::RunSpreadsheetExport(viewChoices());
        const QString xlsx = onlyWorkbook();
        QVERIFY(desk->opened.isEmpty());
        const QStringList msgs = fx->ui.messages();
        QCOMPARE(msgs.size(), 2);
        QCOMPARE(msgs[0], reports::texts::kWorkbookSavedAs + "\r\n" + xlsx + "\r\n\r\nNo program could open it. " +
                              reports::texts::kNoSpreadsheetProgram);
        QCOMPARE(fx->ui.titles()[0], QString("Export Object"));
        QCOMPARE(msgs[1], reports::texts::cutNote(1));
        const auto c = readSheet(xlsx);
        QCOMPARE(c["A2"].value.size(), 32767);
        QCOMPARE(c["A3"].value, QString("short"));
    }

    void cancelLeavesNoFile() {
        const QString path = build(fx->path("c.mdb"), {{"Name", "Text", ""}});
        addRows(path, "Name", 1200);
        openDb(path);
        vb::ProgressBox::setCancelAtForTesting(1);
        answerDialog(1);
        reports::RunSpreadsheetExport(viewChoices());
        QVERIFY(desk->files().isEmpty());
        QVERIFY(desk->opened.isEmpty());
        QVERIFY(fx->ui.messages().isEmpty());
    }

    // The spreadsheet program cuts a time to the second: every date-time reads back to the second in
    // LibreOffice and openpyxl, random ones and short decimal day numbers (10:27:18 in 24940.435625).
    void dateTimesReadBackToTheSecond() {
        const QString xlsx = fx->path("dates.xlsx");
        QStringList expected;
        {
            vb::ReplacingFile file(xlsx);
            office::XlsxWriter w(file);
            QRandomGenerator rng(25);
            const qint64 first = QDate(1900, 3, 1).toJulianDay(), last = QDate(9999, 12, 31).toJulianDay();
            for (int r = 0; r < 13199; ++r) {
                const QDate day = r < 10000 ? QDate::fromJulianDay(first + qint64(rng.bounded(quint64(last - first + 1))))
                                            : QDate(1968, 4, 12).addDays(r - 10000);
                const QDateTime v(day, QTime(0, 0).addSecs(r < 10000 ? int(rng.bounded(86400)) : 27 * (r - 9999)));
                w.writeDate(r, 0, v);
                expected << v.toString("M/d/yyyy h:mm:ss AP");
            }
            w.close();
            file.commit();
        }
        QFile f(convert(xlsx, "csv", fx->path("lo"), "Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList got = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(got.size(), expected.size());
        for (int r = 0; r < got.size(); ++r) QCOMPARE(got[r].trimmed(), expected[r]);

        QProcess py;   // the system's Python, which has python3-openpyxl
        py.start("/usr/bin/python3", {"-c", "import sys, openpyxl\nfor (v,) in openpyxl.load_workbook(sys.argv[1]).active.values: "
                                            "print(f'{v.month}/{v.day}/{v.year} {v:%I:%M:%S %p}'.replace(' 0', ' '))", xlsx});
        QVERIFY2(py.waitForFinished(60000) && py.exitCode() == 0, qPrintable("needs python3-openpyxl: " + py.readAllStandardError()));
        QCOMPARE(QString::fromUtf8(py.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), expected);
    }

    // Dates before March 1900 and texts that spell the file's escapes read back as stored (texts in LibreOffice only).
    void storedValuesReadBack() {
        const QList<std::pair<QString, QString>> rows = {   // stored, as the cell shows it
            {"1899-12-31 23:59:59", "12/31/1899 11:59:59 PM"}, {"1582-10-15 06:30:00", "10/15/1582 6:30:00 AM"},
            {"1900-01-01 00:00:00", "1/1/1900"}, {"1900-02-28 23:00:00", "2/28/1900 11:00:00 PM"},
            {"_x005F_x0041_", "_x005F_x0041_"}, {"a_x000D_b", "a_x000D_b"},
            {"_X00e9_ and _x0041_x0042_", "_X00e9_ and _x0041_x0042_"}, {"_x0041\x01", "_x0041\x01"}};
        const QString xlsx = fx->path("stored.xlsx");
        {
            vb::ReplacingFile file(xlsx);
            office::XlsxWriter w(file);
            for (int r = 0; r < rows.size(); ++r)
                if (const auto date = db::parseStoredDate(rows[r].first)) w.writeDate(r, 0, *date);
                else w.writeText(r, 0, rows[r].first);
            w.close();
            file.commit();
        }
        QFile f(convert(xlsx, "csv", fx->path("lo"), "Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lo = QString::fromUtf8(f.readAll()).remove('\r').split('\n');
        QProcess p;
        p.start("/usr/bin/python3", {"-c", "import sys, datetime, openpyxl\n"
                                           "for (v,) in openpyxl.load_workbook(sys.argv[1]).active.values:\n"
                                           " print(f'{v.month}/{v.day}/{v.year}' + ('' if v.time() == datetime.time() else "
                                           "' ' + f'{v:%I:%M:%S %p}'.lstrip('0')) if isinstance(v, datetime.datetime) else v)", xlsx});
        QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0, qPrintable("needs python3-openpyxl: " + p.readAllStandardError()));
        const QStringList py = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        for (int r = 0; r < rows.size(); ++r) {
            QCOMPARE(lo.value(r), rows[r].second);
            if (r < 4) QCOMPARE(py.value(r), rows[r].second);
        }
    }

    void seventyThousandRows() {
        const QString path = build(fx->path("big.mdb"), {{"Name", "Text", ""}});
        addRows(path, "Name", 70000);
        openDb(path);
        answerDialog(1);
        reports::RunSpreadsheetExport(viewChoices());
        const auto c = readSheet(onlyWorkbook());
        QCOMPARE(sheetRows(c), 70001);
        QCOMPARE(c["A70001"].value, QString("R70000"));
    }
    // Values another program stored in forms this program does not write (yes/no as words or -1,
    // US date texts) read one way in the report, the entry view, the search and the workbook.
    void storedFormsReadAlike_data() {
        QTest::addColumn<QString>("active");   // the stored values, as SQL
        QTest::addColumn<QString>("born");
        QTest::addColumn<QString>("shown");    // Active as "True", "False" or its text; or Born's text
        QTest::newRow("yes") << "'yes'" << "NULL" << "True";
        QTest::newRow("No") << "'No'" << "NULL" << "False";
        QTest::newRow("t with blanks") << "' t '" << "NULL" << "True";
        QTest::newRow("-1") << "-1" << "NULL" << "True";
        QTest::newRow("no yes/no") << "'maybe'" << "NULL" << "maybe";
        QTest::newRow("US day") << "0" << "'3/5/2024'" << "3/5/2024";
        QTest::newRow("US day and time") << "0" << "'3/5/2024 2:07 PM'" << "3/5/2024 2:07 PM";
    }
    void storedFormsReadAlike() {
        QFETCH(QString, active);
        QFETCH(QString, born);
        QFETCH(QString, shown);
        LocaleScope scope("en_GB");
        const QString path = buildSample(fx->path("s.mdb"));
        exec(path, "INSERT INTO UserTable (Name, Active, Born, SrchInt, SrchKey, RptFlg) VALUES ('Ann', " + active + ", " + born + ", 0, 0, 0)");
        frmReports& v = reportstest::openReports(path);
        reportstest::tick(v, {1, 4, 6});
        fx->ui.answerSave(fx->path("r.pdf"));
        v.OptPDF_Click();
        const QString report = reportstest::pdfText(fx->path("r.pdf"));
        answerDialog(1);
        reports::RunSpreadsheetExport(viewChoices());
        auto cells = readSheet(onlyWorkbook());
        if (born != "NULL") {
            QVERIFY(report.contains(shown));
            QCOMPARE(DataInput::instance().flddata[4]->text(), shown);
            QCOMPARE(cells["D2"].type + cells["D2"].value, "s" + shown);
            return;
        }
        QVERIFY(report.contains(shown == "True" ? u'\u2611' : u'\u2610'));
        QCOMPARE(DataInput::instance().flddata[6]->text(), shown);
        QCOMPARE(DataInput::instance().CmboTF[6]->currentText(), shown == "maybe" ? QString() : shown);
        QCOMPARE(cells["F2"].type + cells["F2"].value, shown == "maybe" ? "smaybe" : shown == "True" ? "b1" : "b0");
        db::Connection conn;
        conn.Open(connStr(path));
        for (const QString trueFalse : {"TRUE", "FALSE"}) {
            search::Criteria c;
            c.rows = {{true, "Active", "True/False", "Active", {}, {}, trueFalse, false, {}, {}}};   // Active ticked
            c.keywordBoxes = QStringList(10, QString());
            QCOMPARE(search::Run(conn, c).kind == search::Outcome::Found, shown.toUpper() == trueFalse);
        }
    }
};

RV_TEST(SpreadsheetExportTest)
#include "SpreadsheetExportTest.moc"
