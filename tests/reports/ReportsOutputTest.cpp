// Reports printed to PDF and read back: layouts by column count, titles, captions, values with
// their formats, True/False boxes, notes, page numbers, the record source and the sort order.
#include "ReportData.h"
#include "ReportsTestUtil.h"
#include "format/LocaleScope.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

using namespace reportstest;

namespace {

QString exportPdf(Fixture& fx, frmReports& v, const QString& name = QStringLiteral("r.pdf")) {
    const QString path = fx.path(name);
    fx.ui.answerSave(path);
    v.OptPDF_Click();
    return path;
}

QString pageSize(const QString& info) {
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+ x [0-9.]+) pts")).match(info);
    return m.captured(1);
}

}  // namespace

class ReportsOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void threeColumnsPortrait() {
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        v.RptText[0]->setText("Club Members");
        v.RptText[2]->setText("Spring list");
        tick(v, {1, 5, 6});
        v.txtRptLbl[1]->setText("Full Name");
        const QString pdf = exportPdf(fx, v);
        QCOMPARE(fx.ui.messages(), QStringList{});
        QCOMPARE(fx.ui.requests.first().dialog.DialogTitle, QString("Enter PDF FileName"));
        QCOMPARE(fx.ui.requests.first().dialog.Filter, QString("All Files (*.*)|*.*|pdf Files(*.pdf)|*.pdf"));
        QCOMPARE(fx.ui.requests.first().dialog.FilterIndex, 2);
        QVERIFY(!v.OptPDF->isChecked());
        const QString info = pdfInfo(pdf);
        QCOMPARE(pageSize(info), QString("612 x 792"));
        const QString text = pdfText(pdf);
        for (const char* s : {"Club Members", "Spring list", "Full Name", "Cost", "Active", "Alice", "$1,234.50", "$99.99",
                              "Émile", "\u2611", "\u2610", "Page 1 Of 1"})
            QVERIFY2(text.contains(QString::fromUtf8(s)), qPrintable(QString::fromUtf8(s) + " in\n" + text));
        QVERIFY(text.contains(QString::fromUtf8(reportsdb::kMarkup)));
        // A few-columns portrait report: 1440 margins and its page set-up.
        QCOMPARE(v.RptObj->leftMargin, 1440.0);
        QVERIFY(Module1::bRptPortrait && Module1::bRptFewCols);
    }

    // A title that wraps pushes the next title and the captions down instead of printing over them.
    void wrappedTitleOverprintsNothing() {
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        v.RptText[0]->setText("Annual Members Report Overview");   // 30 characters: two lines
        v.RptText[1]->setText("Info line 1");
        tick(v, {1, 5});
        const QString pdf = exportPdf(fx, v);
        const QString xml = run("pdftotext", {"-bbox", pdf, "-"}, "poppler-utils");
        QMap<QString, std::pair<double, double>> word;   // first occurrence: yMin, yMax
        QRegularExpression re("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]+)</word>");
        for (auto it = re.globalMatch(xml); it.hasNext();) {
            const auto m = it.next();
            if (!word.contains(m.captured(3))) word[m.captured(3)] = {m.captured(1).toDouble(), m.captured(2).toDouble()};
        }
        QVERIFY2(word["Annual"].first < word["Overview"].first, "the title wraps between words");
        QVERIFY2(word["Overview"].second <= word["Info"].first, qPrintable(xml.left(2000)));
        QVERIFY(word["Info"].second <= word["Name"].first);
    }

    // The dates of the body and the print date of the footer in the locale's short form.
    void datesInTheLocaleForm_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("born");
        QTest::addColumn<QString>("printed");   // the footer's pattern in Qt's notation
        QTest::newRow("en_GB") << "en_GB" << "15/03/2024" << "dd/MM/yyyy h:mm AP";
        QTest::newRow("en_US") << "en_US" << "3/15/2024" << "M/d/yyyy h:mm AP";
    }
    void datesInTheLocaleForm() {
        QFETCH(QString, locale);
        QFETCH(QString, born);
        QFETCH(QString, printed);
        LocaleScope scope(qPrintable(locale));
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        tick(v, {1, 4});
        exportPdf(fx, v);
        QVERIFY(v.RptObj && !v.RptObj->pages.empty());
        QStringList body, footer;
        for (const auto& band : v.RptObj->pages.front().bands)
            for (const auto& item : band.items) {
                if (item.control && item.control->name == "RptBorn") body << item.text;
                if (item.control && item.control->name == "dtefld") footer << item.text;
            }
        QCOMPARE(body.value(0), born);
        QCOMPARE(footer, QStringList{QLocale(QLocale::English).toString(v.RptObj->printedAt, printed)});
    }

    void layoutByColumnCount_data() {
        QTest::addColumn<QList<int>>("boxes");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("size");
        QTest::addColumn<double>("margin");
        QTest::newRow("5 portrait") << QList<int>{1, 2, 3, 4, 5} << false << "612 x 792" << 720.0;
        QTest::newRow("8 fields + notes landscape") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << true << "828 x 612" << 720.0;
        QTest::newRow("9 landscape") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << false << "828 x 612" << 720.0;
        QTest::newRow("12 ledger") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << false << "1224 x 792" << 720.0;
    }
    void layoutByColumnCount() {
        QFETCH(QList<int>, boxes);
        QFETCH(bool, notes);
        QFETCH(QString, size);
        QFETCH(double, margin);
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        for (int k : boxes) tick(v, {k});
        if (notes) {
            v.chkInclMemo->setChecked(true);
            v.chkInclMemo_Click();
        }
        const QString pdf = exportPdf(fx, v);
        QCOMPARE(fx.ui.messages(), QStringList{});
        QCOMPARE(pageSize(pdfInfo(pdf)), size);
        QCOMPARE(v.RptObj->leftMargin, margin);
        const QString text = pdfText(pdf);
        // Every column's caption (the field names, the file path with its ending) and values.
        for (int k : boxes) QVERIFY2(text.contains(v.txtRptLbl[size_t(k)]->text()), qPrintable(v.txtRptLbl[size_t(k)]->text()));
        for (const char* s : {"Alice", "30", "2.5", "Émile"}) QVERIFY2(text.contains(QString::fromUtf8(s)), s);
        if (boxes.size() >= 9) QVERIFY(text.contains("0150") && text.contains("Ålesund"));
        if (notes) {
            QVERIFY(text.contains("Notes"));
            QVERIFY(text.contains("Loves the sea"));
            QVERIFY(text.contains("second line"));
        }
    }

    void thirteenColumnsRefused() {
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        for (int k = 1; k <= 12; ++k) tick(v, {k});
        v.chkInclMemo->setChecked(true);
        v.chkInclMemo_Click();
        QFile old(fx.path("old.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        fx.ui.answerMsgBox(vb::vbOK);
        v.OptPDF_Click();   // refused before any file is asked for
        fx.ui.answerMsgBox(vb::vbOK);
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        QCOMPARE(fx.ui.messages(), QStringList(2, "Maximum Number of Fields Included in a Report Cannot Exceed 12."));
        QCOMPARE(fx.ui.titles(), QStringList(2, "Reports"));
        QVERIFY(printer.previews.empty());
        QVERIFY(!v.OptPDF->isChecked());
    }

    void noFieldTicked() {
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        v.chkInclMemo->setChecked(true);
        v.chkInclMemo_Click();
        RecordingPrinter printer;
        fx.ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        v.cmdPrintRep_Click();
        v.OptHTML_Click();
        QCOMPARE(fx.ui.messages(), (QStringList{"Select one or more fields to include in a report.\r\n",
                                                "At Least One Report Field Must Be checked To Run a Report"}));
        QCOMPARE(fx.ui.requests.first().style, vb::vbExclamation | vb::vbDefaultButton2);
        QVERIFY(printer.previews.empty());
    }

    // Search Results report only the hits, in the search's order; the sort list orders all records.
    void recordSourceAndOrder() {
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb"));
        frmReports& v = openReports(db);
        tick(v, {1, 8});
        fx.ui.answerSave(fx.path("all.pdf"));
        v.cmboAllRecs->setCurrentText("City");
        v.OptPDF_Click();
        const QString all = pdfText(fx.path("all.pdf"));
        QVERIFY(all.indexOf("Bergen") < all.indexOf("Oslo"));
        QVERIFY(all.indexOf("Oslo") < all.indexOf("Ålesund"));

        Module1::SrchFlg = true;
        Module1::SrchSQL = "Select * From UserTable Where SrchInt = 1 Order by City DESC";
        v.Form_Activate();
        QVERIFY(v.OptSrchRes->isChecked());
        fx.ui.answerSave(fx.path("hits.pdf"));
        v.OptPDF_Click();
        const QString hits = pdfText(fx.path("hits.pdf"));
        QVERIFY(!hits.contains("Alice"));
        QVERIFY(hits.contains("Bergen"));
        QVERIFY(hits.indexOf("Ålesund") < hits.indexOf("Bergen"));

        // The result gone (the database closed, a field renamed): the message, and all records.
        Module1::SrchFlg = false;
        Module1::SrchSQL.clear();
        RecordingPrinter printer;
        fx.ui.answerMsgBox(vb::vbOK);
        v.cmdPrintRep_Click();
        QCOMPARE(fx.ui.messages(), QStringList{"There Are No Current Search Results"});
        QVERIFY(v.OptAllRecs->isChecked());
        QVERIFY(printer.previews.empty());
    }

    void previewWithAndWithoutPrinter() {
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        tick(v, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        QCOMPARE(int(printer.previews.size()), 1);
        QCOMPARE(fx.ui.messages(), QStringList{});
        const report::Document& doc = *printer.previews.front();
        QCOMPARE(doc.paper, QSizeF(24480, 15840));
        QCOMPARE(doc.orientation, 2);
        QVERIFY(Module1::bRptWide);
        // What the preview prints: the same pages on the printer's page of the report's size.
        QPrinter pdfPrinter(QPrinter::HighResolution);
        pdfPrinter.setOutputFormat(QPrinter::PdfFormat);
        pdfPrinter.setOutputFileName(fx.path("printed.pdf"));
        report::SetUpPrinter(pdfPrinter, doc);
        report::PrintDocument(pdfPrinter, doc);
        QCOMPARE(pageSize(pdfInfo(fx.path("printed.pdf"))), QString("1224 x 792"));
        QVERIFY(pdfText(fx.path("printed.pdf")).contains("Alice"));
        // Without a printer the preview still opens; Print in it gives the message.
        printer.printer = false;
        printer.show = true;
        fx.ui.answerModal([](QDialog& preview) { return preview.findChild<QToolButton*>("cmdPrint")->click(), 0; }).answerMsgBox(vb::vbOK);
        v.cmdPrintRep_Click();
        QCOMPARE(fx.ui.messages(), QStringList{"A Printer Needs To Be Installed"});
        QCOMPARE(fx.ui.titles(), QStringList{"Reports"});
        QCOMPARE(fx.ui.pending(), 0);
        QCOMPARE(int(printer.previews.size()), 2);
    }
};

RV_TEST(ReportsOutputTest)
#include "ReportsOutputTest.moc"
