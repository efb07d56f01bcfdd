// What a report's files hold as the programs that open them read them: every record under titles
// of any length, in the preview, the PDF, the HTML and the RTF, in every layout.
#include "ReportData.h"
#include "ReportsTestUtil.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace reportstest;

namespace {

const QList<QList<int>> kLayouts = {{1}, {1, 2, 3, 4, 5, 6, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};

// The test database with records "Row 4" to "Row `last`" added.
QString withRows(Fixture& fx, int last) {
    const QString db = reportsdb::build(fx.path("d.mdb"));
    exec(db, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                            "INSERT INTO UserTable (TolvaneID, Name, SrchInt, SrchKey, SrchMemo, RptFlg, Active) "
                            "SELECT i, 'Row ' || i, 0, 0, 0, 0, 0 FROM c").arg(last));
    return db;
}

void choose(frmReports& v, const QList<int>& boxes) {
    for (int k = 1; k <= 12; ++k) {
        v.ChkRepLbl[size_t(k)]->setChecked(boxes.contains(k));
        v.ChkRepLbl_Click(k);
    }
}

QString fileText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// How often each record's name stands in the text: "Row 4" to "Row last", then the three others.
QList<int> recordCounts(const QString& text, int last) {
    QList<int> n(last + 1, 0);
    static const QRegularExpression row("\\bRow (\\d+)\\b");
    for (auto it = row.globalMatch(text); it.hasNext();) {
        const int i = it.next().captured(1).toInt();
        if (i >= 4 && i <= last) ++n[i];
    }
    n[1] = int(text.count("Alice"));
    n[2] = int(text.count("O&#39;Neil") + text.count("O'Neil"));
    n[3] = int(text.count("mile"));
    n.removeFirst();
    return n;
}

// Records 4 to `last` with values of every kind in the twelve fields and the notes: words, paths, a
// right-to-left file name, addresses, numbers, two-line notes; record 4 has one word wider than
// its column.
QString valueRows(Fixture& fx, int last = 24) {
    const QString db = reportsdb::build(fx.path("d.mdb"));
    exec(db, QString::fromUtf8(
                 "WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                 "INSERT INTO UserTable (TolvaneID, Name, Age, Price, Born, Cost, Active, PhotoFP, City, Zip, Phone, Email, "
                 "Extra, Memofld, SrchInt, SrchKey, SrchMemo, RptFlg) SELECT i, 'Name ' || i || ' with a few words that wrap', i, i / 7.0, "
                 "'2024-03-05 00:00:00', i * 1000.5, i % 2, '/home/user/Pictures/Holiday ' || i || '/עולם' || i || '.png', "
                 "CASE i WHEN 4 THEN replace(hex(zeroblob(30)), '00', 'Wx') ELSE 'City of ' || i || ' by the long river' END, "
                 "printf('%05d', i), '+47 555 ' || i, 'first.last' || i || '@example.org', 'An extra remark number ' || i, "
                 "'A note of record ' || i || ' with a few more words in it' || char(10) || 'and a second line long enough to wrap', "
                 "0, 0, 0, 0 FROM c").arg(last));
    return db;
}

// The files converted by LibreOffice into `format` (one start for them all); the converted files.
QStringList converted(Fixture& fx, const QStringList& files, const QString& format) {
    QTemporaryDir profile(QDir::tempPath() + "/rv-lo-XXXXXX");
    run("soffice", QStringList{"-env:UserInstallation=file://" + profile.path(), "--headless", "--convert-to", format, "--outdir", fx.path("lo")} + files,
        "libreoffice-writer-nogui", 120000);
    QStringList out;
    for (const QString& f : files) out << fx.path("lo/" + QFileInfo(f).completeBaseName() + "." + format.section(':', 0, 0));
    return out;
}

}  // namespace

class ReportsClientsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A title band taller than the room on the page goes on over the next pages; the captions and
    // the rows start below it, nothing stands below the page footer, and every record is printed
    // once in the preview, the PDF, the HTML and the RTF.
    void longTitlesKeepEveryRecord_data() {
        QTest::addColumn<QStringList>("titles");
        const auto words = [](int n) { return QString("word ").repeated(n / 5 + 1).left(n).trimmed(); };
        QTest::newRow("empty") << QStringList{"", "", "", ""};
        QTest::newRow("one long word") << QStringList{QString(600, 'W'), "", "", ""};
        QTest::newRow("300") << QStringList{words(300), "", "", ""};
        QTest::newRow("900") << QStringList{words(900), "", "", ""};
        QTest::newRow("2,000") << QStringList{words(2000), "", "", ""};
        QTest::newRow("four long lines") << QStringList{words(300), words(300), words(310), words(450)};
    }
    void longTitlesKeepEveryRecord() {
        QFETCH(QStringList, titles);
        Fixture fx;
        const int last = 200;
        frmReports& v = openReports(withRows(fx, last));
        for (int i = 0; i < 4; ++i) v.RptText[size_t(i)]->setText(titles[i]);
        const QList<int> once(last, 1);
        for (const QList<int>& boxes : kLayouts) {
            choose(v, boxes);
            RecordingPrinter printer;
            v.cmdPrintRep_Click();
            QCOMPARE(int(printer.previews.size()), 1);
            const report::Document& doc = *printer.previews.front();
            const int pages = int(doc.pages.size());
            QString header, shown;
            for (int p = 0; p < pages; ++p) {
                double footerTop = doc.paper.height();
                for (const report::Band& b : doc.pages[size_t(p)].bands)
                    if (b.section == report::SectionKind::PageFooter) footerTop = b.top;
                for (const report::Band& b : doc.pages[size_t(p)].bands)
                    for (const report::Item& it : b.items) {
                        if (b.section != report::SectionKind::PageFooter)
                            QVERIFY2(it.rect.bottom() <= footerTop + 1, qPrintable(it.text.left(40)));
                        if (b.section == report::SectionKind::ReportHeader) header += it.text;
                        else shown += it.text + "\n";
                    }
            }
            QCOMPARE(header.remove(' '), titles.join("").remove(' '));
            QCOMPARE(recordCounts(shown, last), once);

            const QString pdf = fx.path("r.pdf"), html = fx.path("r.html"), rtf = fx.path("r.rtf");
            for (const QString& f : {pdf, html, rtf}) QFile::remove(f);
            fx.ui.answerSave(pdf).answerSave(html).answerSave(rtf);
            v.OptPDF_Click();
            v.OptHTML_Click();
            v.OptTxt_Click();
            QCOMPARE(fx.ui.messages(), QStringList{});
            const QStringList texts = run("pdftotext", {pdf, "-"}, "poppler-utils").split('\f');
            QCOMPARE(texts.size(), pages + 1);
            for (int p = 0; p < pages; ++p)
                QVERIFY2(texts[p].simplified().contains(QString("Page %1 Of %2").arg(p + 1).arg(pages)), qPrintable(texts[p]));
            QCOMPARE(recordCounts(texts.join(' '), last), once);
            QCOMPARE(recordCounts(fileText(html).remove(QRegularExpression("<[^>]*>")), last), once);
            QCOMPARE(recordCounts(fileText(rtf), last), once);
        }
    }

    // Opened by the word processor, every text value of a twelve-field report stands whole in its
    // cell, with no line break that is not stored. (A word wider than its column holds
    // zero-width spaces in the HTML, where the layout broke it.)
    void valuesReadWholeInTheWordProcessor() {
        Fixture fx;
        const QString db = valueRows(fx);
        frmReports& v = openReports(db);
        choose(v, kLayouts[2]);
        const QString html = fx.path("values.html"), rtf = fx.path("values-rtf.rtf");
        fx.ui.answerSave(html).answerSave(rtf);
        v.OptHTML_Click();
        v.OptTxt_Click();
        const QStringList texts = converted(fx, {html, rtf}, "txt:Text (encoded):UTF8");
        QStringList values;
        for (const char* column : {"Name", "PhotoFP", "City", "Email", "Extra", "Phone"})
            values += run("sqlite3", {db, QString("SELECT %1 FROM UserTable WHERE %1 IS NOT NULL").arg(column)}, "sqlite3")
                          .split('\n', Qt::SkipEmptyParts);
        QCOMPARE(values.size(), 6 * 21 + 13);   // and 13 of the first three records
        for (const QString& text : texts) {
            const QStringList lines = fileText(text).remove(QChar(0x200B)).split('\n');
            for (const QString& value : values) QVERIFY2(lines.contains(value), qPrintable(QFileInfo(text).fileName() + ": " + value));
        }
    }

    // The HTML and the RTF opened by the word processor have the program's pages: as many, each
    // with its own footer.
    void pagesInTheWordProcessor() {
        Fixture fx;
        struct Report {
            const char* name;
            QList<int> boxes;
            bool notes;
            QString title;
            int pages = 0;
        };
        std::vector<Report> reports = {{"short-rows", {1}, false, {}},
                                       {"nine-and-notes", kLayouts[1], true, {}},
                                       {"twelve", kLayouts[2], false, {}},
                                       {"long-title", {1}, false, QString("word ").repeated(180)}};
        QStringList files;
        for (Report& r : reports) {
            frmReports& v = openReports(r.boxes.size() == 1 ? withRows(fx, 200) : valueRows(fx, 260));
            v.RptText[0]->setText(r.title);
            choose(v, r.boxes);
            v.chkInclMemo->setChecked(r.notes);
            v.chkInclMemo_Click();
            RecordingPrinter printer;
            v.cmdPrintRep_Click();
            r.pages = int(printer.previews.front()->pages.size());
            files << fx.path(QString(r.name) + ".html") << fx.path(QString(r.name) + "-rtf.rtf");
            fx.ui.answerSave(files[files.size() - 2]).answerSave(files.back());
            v.OptHTML_Click();
            v.OptTxt_Click();
            v.Unload();
            QFile::remove(fx.path("d.mdb"));
        }
        const QStringList pdfs = converted(fx, files, "pdf");
        for (int f = 0; f < pdfs.size(); ++f) {
            const int pages = reports[size_t(f / 2)].pages;
            QVERIFY(pages > 3);
            const QStringList texts = run("pdftotext", {pdfs[f], "-"}, "poppler-utils").split('\f');
            QCOMPARE(texts.size() - 1, pages);
            for (int p = 0; p < pages; ++p)
                QVERIFY2(texts[p].simplified().contains(QString("Page %1 Of %2").arg(p + 1).arg(pages)), qPrintable(pdfs[f] + texts[p]));
        }
    }

    // A number too wide for its column breaks where the width ends it, never after its sign.
    void numbersKeepTheirSign_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        QTest::newRow("currency") << "Cost" << "-922337203685.47" << "-$922,337,203,685.47";
        QTest::newRow("double") << "Price" << "-9223372036854.5" << "-9223372036854.5";
        QTest::newRow("integer") << "Age" << "-214748364800000" << "-214748364800000";
    }
    void numbersKeepTheirSign() {
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb"));
        exec(db, QString("UPDATE UserTable SET %1 = %2").arg(column, stored));
        frmReports& v = openReports(db);
        choose(v, {1, 2, 3, 4, 5, 6});
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        int whole = 0;
        for (const report::Band& b : printer.previews.front()->pages[0].bands)
            for (const report::Item& it : b.items)
                if (it.text == printed) {
                    QVERIFY(it.lines.size() > 1);
                    QCOMPARE(it.lines.join(""), printed);
                    ++whole;
                }
        QCOMPARE(whole, 3);
        fx.ui.answerSave(fx.path("n.pdf"));
        v.OptPDF_Click();
        QVERIFY(!run("pdftotext", {"-bbox", fx.path("n.pdf"), "-"}, "poppler-utils").contains(">-</word>"));
    }
};

RV_TEST(ReportsClientsTest)
#include "ReportsClientsTest.moc"
