// What a report's files hold as the programs that open them read them.
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

// The test database with records 4 to `last`: "Row i", or values of every kind (record 4 with a word wider than its column).
QString withRows(Fixture& fx, int last, bool values = false) {
    const QString db = reportsdb::build(fx.path("d.mdb"));
    const QString plain = "INSERT INTO UserTable (TolvaneID, Name, SrchInt, SrchKey, SrchMemo, RptFlg, Active) SELECT i, 'Row ' || i, 0, 0, 0, 0, 0";
    const QString rich = QString::fromUtf8(
        "INSERT INTO UserTable (TolvaneID, Name, Age, Price, Born, Cost, Active, PhotoFP, City, Zip, Phone, Email, Extra, Memofld, "
        "SrchInt, SrchKey, SrchMemo, RptFlg) SELECT i, 'Name ' || i || ' with a few words that wrap', i, i / 7.0, '2024-03-05 00:00:00', "
        "i * 1000.5, i % 2, '/home/user/Pictures/Holiday ' || i || '/עולם' || i || '.png', "
        "CASE i WHEN 4 THEN replace(hex(zeroblob(30)), '00', 'Wx') ELSE 'City of ' || i || ' by the long river' END, "
        "printf('%05d', i), '+47 555 ' || i, 'first.last' || i || '@example.org', 'An extra remark number ' || i, "
        "'A note of record ' || i || ' with a few more words in it' || char(10) || 'and a second line long enough to wrap', 0, 0, 0, 0");
    exec(db, QString("WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < %1) ").arg(last) + (values ? rich : plain) + " FROM c");
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
    for (auto it = row.globalMatch(text); it.hasNext();)
        if (const int i = it.next().captured(1).toInt(); i >= 4 && i <= last) ++n[i];
    n[1] = int(text.count("Alice"));
    n[2] = int(text.count("O&#39;Neil") + text.count("O'Neil"));
    n[3] = int(text.count("mile"));
    n.removeFirst();
    return n;
}

// The PDF has `pages` pages, each with its own footer.
void checkPages(const QString& pdf, int pages) {
    const QStringList texts = run("pdftotext", {pdf, "-"}, "poppler-utils").split('\f');
    QCOMPARE(texts.size(), pages + 1);
    for (int p = 0; p < pages; ++p)
        QVERIFY2(texts[p].simplified().contains(QString("Page %1 Of %2").arg(p + 1).arg(pages)), qPrintable(pdf + texts[p]));
}

// The files converted by LibreOffice (one start for them all) into `format`.
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
    // A title taller than a page goes on over the next pages, nothing below the footer; every record once in every output.
    void longTitlesKeepEveryRecord_data() {
        QTest::addColumn<QStringList>("titles");
        const auto words = [](int n) { return QString("word ").repeated(n / 5 + 1).left(n).trimmed(); };
        QTest::newRow("one long word") << QStringList{QString(600, 'W'), "", "", ""};
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
            QString header, shown;
            for (size_t p = 0; p < doc.pages.size(); ++p) {
                const report::Page& page = doc.pages[p];
                double footerTop = doc.paper.height();
                for (const report::Band& b : page.bands)
                    if (b.section == report::SectionKind::PageFooter) footerTop = b.top;
                for (const report::Band& b : page.bands)
                    for (const report::Item& it : b.items) {
                        if (b.section != report::SectionKind::PageFooter) QVERIFY2(it.rect.bottom() <= footerTop + 1, qPrintable(it.text.left(40)));
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
            checkPages(pdf, int(doc.pages.size()));
            QCOMPARE(recordCounts(pdfText(pdf), last), once);
            QCOMPARE(recordCounts(fileText(html).remove(QRegularExpression("<[^>]*>")), last), once);
            QCOMPARE(recordCounts(fileText(rtf), last), once);
        }
    }

    // In the word processor the HTML and RTF keep the program's pages, and every text value stands whole in its cell.
    void wordProcessorKeepsPagesAndValues() {
        Fixture fx;
        struct Report { const char* name; QList<int> boxes; bool notes; QString title; int pages = 0; };
        std::vector<Report> reports = {{"short-rows", {1}, false, {}}, {"nine-and-notes", kLayouts[1], true, {}},
                                       {"twelve", kLayouts[2], false, {}}, {"long-title", {1}, false, QString("word ").repeated(180)}};
        QStringList files, values;
        for (Report& r : reports) {
            const QString db = withRows(fx, r.boxes.size() == 1 ? 200 : 260, r.boxes.size() > 1);
            frmReports& v = openReports(db);
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
            if (r.boxes.size() == 12)
                for (const char* column : {"Name", "PhotoFP", "City", "Email", "Extra", "Phone"})
                    values += run("sqlite3", {db, QString("SELECT %1 FROM UserTable WHERE %1 IS NOT NULL").arg(column)}, "sqlite3").split('\n', Qt::SkipEmptyParts);
            QFile::remove(db);
        }
        const QStringList pdfs = converted(fx, files, "pdf");
        for (int f = 0; f < pdfs.size(); ++f) {
            QVERIFY(reports[size_t(f / 2)].pages > 3);
            checkPages(pdfs[f], reports[size_t(f / 2)].pages);
        }
        QCOMPARE(values.size(), 6 * 257 + 13);   // and 13 of the first three records
        for (const QString& text : converted(fx, files.mid(4, 2), "txt:Text (encoded):UTF8")) {
            const QStringList lines = fileText(text).remove(QChar(0x200B)).split('\n');
            for (const QString& value : values) QVERIFY2(lines.contains(value), qPrintable(QFileInfo(text).fileName() + ": " + value));
        }
    }

    // A number too wide for its column breaks where the width ends it, never after its sign.
    void numbersKeepTheirSign() {
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb"));
        exec(db, "UPDATE UserTable SET Cost = -922337203685.47, Price = -9223372036854.5, Age = -214748364800000");
        frmReports& v = openReports(db);
        choose(v, {1, 2, 3, 4, 5, 6});
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        QStringList wrapped;
        for (const report::Band& b : printer.previews.front()->pages[0].bands)
            for (const report::Item& it : b.items)
                if (it.lines.size() > 1 && it.lines.join("") == it.text) wrapped << it.text;
        for (const char* n : {"-$922,337,203,685.47", "-9223372036854.5", "-214748364800000"}) QCOMPARE(wrapped.count(n), 3);
        fx.ui.answerSave(fx.path("n.pdf"));
        v.OptPDF_Click();
        QVERIFY(!run("pdftotext", {"-bbox", fx.path("n.pdf"), "-"}, "poppler-utils").contains(">-</word>"));
    }
};

RV_TEST(ReportsClientsTest)
#include "ReportsClientsTest.moc"
