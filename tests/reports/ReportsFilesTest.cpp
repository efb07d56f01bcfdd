// The HTML and RTF files of a report (read back, and opened by LibreOffice as a user's word
// processor would), replacing an existing file, and long reports over pages made a few at a time.
#include "ReportData.h"
#include "ReportsTestUtil.h"
#include "platform/print/ReportPreview.h"
#include "platform/report/ReportPainter.h"
#include "platform/ui/ProgressBox.h"
#include "support/Faults.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace reportstest;

namespace {

const QString kLongNote = "A note written after the count, long enough to wrap onto more lines than the note it replaced had";

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The test database with records 4 to `last` added ("Row i" and the given columns).
QString withRows(Fixture& fx, int last, const QString& columns = {}, const QString& values = {}) {
    const QString db = reportsdb::build(fx.path("d.mdb"));
    exec(db, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                            "INSERT INTO UserTable (TolvaneID, Name, SrchInt, SrchKey, SrchMemo, RptFlg, Active%2) "
                            "SELECT i, 'Row ' || i, 0, 0, 0, 0, i %% 2%3 FROM c").arg(last).arg(columns, values).replace("%%", "%"));
    return db;
}

// Records 4 to `last` with a value in most fields and a two-line note.
QString fullRows(Fixture& fx, int last) {
    return withRows(fx, last, ", Age, Price, Born, Cost, PhotoFP, City, Zip, Phone, Email, Extra, Memofld",
                    ", i % 90, i / 7.0, '2024-03-05 00:00:00', i * 1.5, '/p/' || i || '.jpg', 'City ' || i, "
                    "printf('%05d', i), 'P' || i, 'r' || i || '@x.org', 'E' || i, 'A note of record ' || i || "
                    "' with a few more words in it' || char(10) || 'and a second line long enough to wrap'");
}

QString pageText(const report::Page& page) {
    QStringList out;
    for (const report::Band& b : page.bands)
        for (const report::Item& it : b.items) out << it.text + it.lines.join('|');
    return out.join(' ');
}

void tickList(frmReports& v, const QList<int>& boxes, bool notes = false) {
    for (int k : boxes) tick(v, {k});
    v.chkInclMemo->setChecked(notes);
    v.chkInclMemo_Click();
}

// The file converted to PDF by LibreOffice within the deadline; the PDF's path.
QString loPdf(Fixture& fx, const QString& file, int deadlineMs = 60000) {
    QTemporaryDir profile(QDir::tempPath() + "/rv-lo-XXXXXX");
    run("soffice", {"-env:UserInstallation=file://" + profile.path(), "--headless", "--convert-to", "pdf", "--outdir", fx.path("lo"), file},
        "libreoffice-writer-nogui", deadlineMs);
    return fx.path("lo/" + QFileInfo(file).completeBaseName() + ".pdf");
}

// A three-column report with notes and titles, of the test database.
frmReports& sampleReport(Fixture& fx) {
    frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
    v.RptText[0]->setText("Members & <Friends>");
    tickList(v, {1, 5, 6}, true);
    return v;
}

}  // namespace

class ReportsFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Names typed without an extension get the type's.
    void htmlAndRtfHoldTheValuesAsTyped() {
        Fixture fx;
        frmReports& v = sampleReport(fx);
        const QString html = fx.path("r.html"), rtf = fx.path("s.rtf");
        fx.ui.answerSave(fx.path("r")).answerSave(fx.path("s"));
        v.OptHTML_Click();
        v.OptTxt_Click();
        QCOMPARE(fx.ui.messages(), QStringList{});
        QCOMPARE(QDir(fx.path("")).entryList({"r*", "s*"}, QDir::Files), (QStringList{"r.html", "s.rtf"}));
        QCOMPARE(fx.ui.requests[0].dialog.DialogTitle, QString("Enter HTML FileName"));
        QCOMPARE(fx.ui.requests[0].dialog.Filter, QString("All Files (*.*)|*.*|html Files(*.html)|*.html"));
        QCOMPARE(fx.ui.requests[1].dialog.DialogTitle, QString("Enter Text FileName"));
        QCOMPARE(fx.ui.requests[1].dialog.Filter, QString("All Files (*.*)|*.*|rtf Files(*.rtf)|*.rtf"));
        QVERIFY(!v.OptHTML->isChecked() && !v.OptTxt->isChecked());

        const QString h = QString::fromUtf8(readAll(html));
        QVERIFY(h.contains("&lt;b&gt;Bob&lt;/b&gt; &amp; {\\b x} O&#39;Neil"));
        QVERIFY(!h.contains("<b>Bob"));
        QVERIFY(h.contains("Members &amp; &lt;Friends&gt;"));
        for (const char* s : {"Alice", "$1,234.50", "Émile", "Loves the sea", "Notes", "\u2611", "\u2610", "Page 1 Of 1"})
            QVERIFY2(h.contains(QString::fromUtf8(s)), s);
        const QByteArray r = readAll(rtf);
        QVERIFY(r.startsWith("{\\rtf1"));
        QVERIFY(QByteArray(r).replace("\\line ", " ").contains("<b>Bob</b> & \\{\\\\b x\\} O'Neil"));   // as the layout wrapped it
        QVERIFY(r.contains("\\u201?mile"));   // É
        QVERIFY(r.contains("first line\\line second line"));

        // LibreOffice opens both and finds the same values (one start for both files).
        QTemporaryDir profile(QDir::tempPath() + "/rv-lo-XXXXXX");
        const QString out = fx.path("lo");
        run("soffice",
            {"-env:UserInstallation=file://" + profile.path(), "--headless", "--convert-to", "pdf", "--outdir", out, html, rtf},
            "libreoffice-writer-nogui", 60000);
        for (const QString& name : {QStringLiteral("r.pdf"), QStringLiteral("s.pdf")}) {
            const QString text = pdfText(out + "/" + name);
            for (const char* s : {"Alice", "$1,234.50", "Émile", "Loves the sea", "Page 1 Of 1", reportsdb::kMarkup})
                QVERIFY2(text.contains(QString::fromUtf8(s)), qPrintable(name + ": " + QString::fromUtf8(s) + " in " + text));
        }
    }

    // The page's text, tags removed, holds a long value whole; LibreOffice prints a title word
    // longer than the line on page 1, and the footer in the report's face.
    void htmlKeepsValuesAndTitles() {
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb")), path = "/home/user/" + QString("Archive/").repeated(20).left(149);
        exec(db, "UPDATE UserTable SET PhotoFP = '" + path + "'");
        frmReports& v = openReports(db);
        const QString title = "Title" + QString(70, 'W') + "End";
        v.RptText[0]->setText(title);
        tickList(v, {1, 7});
        fx.ui.answerSave(fx.path("r.html"));
        v.OptHTML_Click();
        QVERIFY(QString::fromUtf8(readAll(fx.path("r.html"))).remove(QRegularExpression("<[^>]*>")).contains(path));
        const QString pdf = loPdf(fx, fx.path("r.html"), 30000);
        const QString page = run("pdftotext", {"-l", "1", pdf, "-"}, "poppler-utils").remove(QRegularExpression("\\s"));
        QVERIFY2(page.contains(title) && page.contains("Page1Of1"), qPrintable(page));
        QVERIFY(!run("pdffonts", {pdf}, "poppler-utils").contains("Serif"));
    }

    // Values that fill their boxes, in every layout: no two words overlap on any page.
    void noTextOverText_data() {
        QTest::addColumn<QList<int>>("boxes");
        QTest::addColumn<bool>("notes");
        QTest::newRow("3 fields") << QList<int>{1, 8, 9} << false;
        QTest::newRow("6 fields + notes") << QList<int>{1, 2, 5, 6, 8, 9} << true;
        QTest::newRow("9 fields + notes") << QList<int>{1, 2, 3, 4, 5, 6, 8, 9, 10} << true;
        QTest::newRow("12 fields") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << false;
    }
    void noTextOverText() {
        QFETCH(QList<int>, boxes);
        QFETCH(bool, notes);
        Fixture fx;
        const QString db = fullRows(fx, 80);
        exec(db, QString("UPDATE UserTable SET Name = %1, PhotoFP = %1, City = %1, Zip = %1, Phone = %1, Extra = %1, "
                         "Memofld = 'Note ' || %1").arg("replace(hex(zeroblob(30)), '00', 'MW')"));
        frmReports& v = openReports(db);
        tickList(v, boxes, notes);
        fx.ui.answerSave(fx.path("r.pdf"));
        v.OptPDF_Click();
        QList<QRectF> page;   // the words of the page, as far as read
        static const QRegularExpression re("<page|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\"");
        for (auto it = re.globalMatch(run("pdftotext", {"-bbox", fx.path("r.pdf"), "-"}, "poppler-utils")); it.hasNext();) {
            const auto m = it.next();
            const QRectF word(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()), QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            if (m.captured(0) == "<page") page.clear();
            for (const QRectF& other : page)
                QVERIFY2(word.intersected(other).width() < 0.5 || word.intersected(other).height() < 1, qPrintable(m.captured(0)));
            if (m.captured(0) != "<page") page << word;
        }
    }

    // The title and information lines print every script the data cells print.
    void titlesPrintEveryScript_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("printed");   // as pdftotext reads it
        QTest::newRow("Arabic") << "عربي" << "ﻋﺮﺑﻲ";
        QTest::newRow("Hebrew") << "עברית" << "עברית";
        QTest::newRow("Devanagari (fonts-lohit-deva)") << "हिन्दी" << "ह";
    }
    void titlesPrintEveryScript() {
        QFETCH(QString, words);
        QFETCH(QString, printed);
        Fixture fx;
        frmReports& v = sampleReport(fx);
        v.RptText[0]->setText("Title " + words + " end");
        v.RptText[1]->setText("Info: " + words);
        fx.ui.answerSave(fx.path("t.pdf"));
        v.OptPDF_Click();
        QVERIFY2(pdfText(fx.path("t.pdf")).count(printed) == 2, qPrintable(pdfText(fx.path("t.pdf"))));
    }

    // A stored zero prints as a zero in the PDF, HTML and RTF files.
    void aStoredZeroPrints() {
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb"));
        exec(db, "UPDATE UserTable SET Name = 'Zero', Age = 0 WHERE TolvaneID = 1");
        frmReports& v = openReports(db);
        tickList(v, {1, 2});
        fx.ui.answerSave(fx.path("z.pdf")).answerSave(fx.path("z.html")).answerSave(fx.path("z.rtf"));
        v.OptPDF_Click();
        v.OptHTML_Click();
        v.OptTxt_Click();
        static const QRegularExpression tags("<[^>]*>|\\\\[a-z]+-?\\d* ?|[{}]");
        auto words = [](const QString& file) { return QString::fromUtf8(readAll(file)).replace(tags, " ").simplified(); };
        for (const QString& text : {pdfText(fx.path("z.pdf")), words(fx.path("z.html")), words(fx.path("z.rtf"))})
            QVERIFY2(text.contains("Zero 0 "), qPrintable(text.right(300)));
    }

    // An existing file is replaced only after the question, and only by a complete new file.
    void replacingAnExistingFile() {
        Fixture fx;
        frmReports& v = sampleReport(fx);
        const QString pdf = fx.path("old.pdf");
        writeFile(pdf, "old");
        fx.ui.answerSave(pdf).answerMsgBox(vb::vbCancel);
        v.OptPDF_Click();
        QCOMPARE(fx.ui.messages(), QStringList{"Overwrite PDF File?"});
        QCOMPARE(fx.ui.titles(), QStringList{"PDF File already Exists."});
        QCOMPARE(readAll(pdf), QByteArray("old"));
        QVERIFY(!v.OptPDF->isChecked());

        fx.ui.clear();
        fx.ui.answerSave(QString());   // cancelled: no message, nothing written
        v.OptPDF_Click();
        QCOMPARE(fx.ui.messages(), QStringList{});
        fx.ui.answerSave(fx.path("new"));
        v.OptPDF_Click();
        QVERIFY(readAll(fx.path("new.pdf")).startsWith("%PDF"));

        fx.ui.answerSave(pdf).answerMsgBox(vb::vbOK);
        v.OptPDF_Click();
        QVERIFY(readAll(pdf).startsWith("%PDF"));

        // A target that cannot be written (here a folder): the two boxes, and it stays as it was.
        fx.ui.clear();
        const QString folder = fx.path("taken.html");
        QVERIFY(QDir().mkpath(folder + "/inside"));
        fx.ui.answerSave(folder).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        v.OptHTML_Click();
        QCOMPARE(fx.ui.messages().size(), 3);
        QCOMPARE(fx.ui.messages()[1], QString("75"));
        QVERIFY(fx.ui.messages()[2].contains(folder));
        QVERIFY(QFileInfo(folder + "/inside").isDir());
    }

    // A wide report of many rows opens in the word processor within the deadline, on ledger paper,
    // a long value wrapped in its column.
    void wideHtmlOpensInTheWordProcessor() {
        Fixture fx;
        const QString db = fullRows(fx, 2000);
        exec(db, "UPDATE UserTable SET City = replace(hex(zeroblob(80)), '00', 'Wx') WHERE TolvaneID = 1");
        frmReports& v = openReports(db);
        tickList(v, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, true);
        fx.ui.answerSave(fx.path("wide.html"));
        v.OptHTML_Click();
        const QString pdf = loPdf(fx, fx.path("wide.html"));
        QVERIFY(pdfInfo(pdf).contains("Page size:       1224 x 792 pts"));   // ledger, landscape
        QString text = run("pdftotext", {"-l", "1", pdf, "-"}, "poppler-utils");
        text.remove(QRegularExpression("\\s"));
        QCOMPARE(text.count("Wx"), 80);   // the long value whole (its lines stand between other cells' text)
        QVERIFY2(text.contains("0150") && text.contains("a@x.org") && text.contains("Lovesthesea"), "the next columns on the page");
    }

    // The page of the layout is in the HTML, for a browser's printing.
    void htmlPageSizePerLayout_data() {
        QTest::addColumn<QList<int>>("boxes");
        QTest::addColumn<QString>("page");
        QTest::newRow("portrait") << QList<int>{1, 2, 3} << "size: 612.0pt 792.0pt; margin: 72.0pt 72.0pt 72.0pt 72.0pt;";
        QTest::newRow("landscape") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << "size: 828.0pt 612.0pt;";   // ledger: the wide test
    }
    void htmlPageSizePerLayout() {
        QFETCH(QList<int>, boxes);
        QFETCH(QString, page);
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        tickList(v, boxes);
        fx.ui.answerSave(fx.path("p.html"));
        v.OptHTML_Click();
        QVERIFY2(QString::fromUtf8(readAll(fx.path("p.html"))).contains("@page { " + page), qPrintable(page));
    }

    // Rows with notes keep the program's pages in the word processor: no page holds only a footer.
    void rtfWithNotesKeepsItsPages_data() {
        QTest::addColumn<QList<int>>("boxes");
        QTest::newRow("6 fields + notes, portrait") << QList<int>{1, 2, 5, 6, 8, 9};
        QTest::newRow("9 fields + notes, landscape") << QList<int>{1, 2, 3, 4, 5, 6, 8, 9, 10};
    }
    void rtfWithNotesKeepsItsPages() {
        QFETCH(QList<int>, boxes);
        Fixture fx;
        const QString db = fullRows(fx, 1500);
        exec(db, "UPDATE UserTable SET Memofld = replace(hex(zeroblob(1500)), '00', 'word ') WHERE TolvaneID = 20");
        frmReports& v = openReports(db);
        tickList(v, boxes, true);
        const QString rtf = fx.path("notes.rtf");
        fx.ui.answerSave(rtf);
        v.OptTxt_Click();
        const int pages = QRegularExpression("NUMPAGES\\}\\{\\\\fldrslt (\\d+)").match(QString::fromLatin1(readAll(rtf))).captured(1).toInt();
        QVERIFY(pages > 5);
        const QStringList texts = run("pdftotext", {loPdf(fx, rtf), "-"}, "poppler-utils").split('\f');
        QCOMPARE(texts.size(), pages + 1);   // a form feed ends every page
        for (int p = 0; p < pages; ++p) {
            QVERIFY2(texts[p].contains("Row ") || texts[p].contains("word word"), qPrintable(texts[p]));
            QVERIFY2(texts[p].contains(QStringLiteral("Page %1 Of %2").arg(p + 1).arg(pages)), qPrintable(texts[p]));
        }
    }

    // The footer reads as words past page 999.
    void pageNumbersAboveAThousand() {
        Fixture fx;
        frmReports& v = openReports(withRows(fx, 24500));
        tick(v, {1});
        const QString pdf = fx.path("many.pdf");
        fx.ui.answerSave(pdf);
        v.OptPDF_Click();
        const QString info = run("pdfinfo", {pdf}, "poppler-utils");
        const QString pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1);
        QVERIFY2(pages.toInt() > 1000, qPrintable(info));
        const QString text = run("pdftotext", {"-f", "1000", "-l", "1000", pdf, "-"}, "poppler-utils").simplified();
        QVERIFY2(text.contains("Page 1000 Of " + pages + " "), qPrintable(text.right(80)));
    }

    // Cancel in the progress window of a long report: nothing is shown or written, an old file stays.
    void cancelledReportLeavesNoFile_data() {
        QTest::addColumn<int>("kind");       // 0 PDF, 1 HTML, 2 RTF, 3 the preview
        QTest::addColumn<int>("cancelAt");   // the progress report that answers Cancel; -1 the one at 100%
        QTest::newRow("pdf, laying out") << 0 << 1;
        QTest::newRow("pdf, writing pages") << 0 << 3;   // after the two reports of the layout
        QTest::newRow("html") << 1 << 2;
        QTest::newRow("preview") << 3 << 1;
        QTest::newRow("pdf, at 100%") << 0 << -1;
        QTest::newRow("html, at 100%") << 1 << -1;
        QTest::newRow("rtf, at 100%") << 2 << -1;
    }
    void cancelledReportLeavesNoFile() {
        QFETCH(int, kind);
        QFETCH(int, cancelAt);
        Fixture fx;
        frmReports& v = openReports(withRows(fx, 1200));
        tick(v, {1});
        const QString old = fx.path("old.out");
        writeFile(old, "old");
        RecordingPrinter printer;
        struct Reset {
            ~Reset() { vb::ProgressBox::setCancelAtForTesting(0); }
        } reset;
        vb::ProgressBox::setCancelAtForTesting(cancelAt);
        if (kind != 3) fx.ui.answerSave(old).answerMsgBox(vb::vbOK);   // replace it
        (kind == 0 ? v.OptPDF_Click() : kind == 1 ? v.OptHTML_Click() : kind == 2 ? v.OptTxt_Click() : v.cmdPrintRep_Click());
        QCOMPARE(readAll(old), QByteArray("old"));
        QCOMPARE(QDir(fx.path("")).entryList({"old*"}, QDir::Files | QDir::Hidden), QStringList{"old.out"});
        QVERIFY(printer.previews.empty());
        QVERIFY(!v.OptPDF->isChecked() && !v.OptHTML->isChecked() && !v.OptTxt->isChecked());
    }

    // Another program's lock: the progress window goes, one box names the lock, nothing is written or shown;
    // the same command works once the lock is gone.
    void reportUnderLock_data() {
        QTest::addColumn<int>("kind");
        int k = 0;
        for (const char* name : {"pdf", "html", "rtf", "preview"}) QTest::newRow(name) << k++;
    }
    void reportUnderLock() {
        QFETCH(int, kind);
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb")), out = fx.path("r.out");
        frmReports& v = openReports(db);
        tick(v, {1});
        RecordingPrinter printer;
        auto click = [&](bool locked) {
            if (kind != 3) fx.ui.answerSave(out);
            if (locked) fx.ui.answerMsgBox(vb::vbOK);
            (kind == 0 ? v.OptPDF_Click() : kind == 1 ? v.OptHTML_Click() : kind == 2 ? v.OptTxt_Click() : v.cmdPrintRep_Click());
        };
        { testfaults::OtherProgramLock lock(db); click(true); }
        QCOMPARE(fx.ui.messages(), QStringList{"Database is Locked by another program, the report was not made. Please try again later."});
        QCOMPARE(fx.ui.titles(), QStringList{"Reports"});
        QVERIFY(printer.previews.empty() && !QFile::exists(out));
        click(false);
        QCOMPARE(fx.ui.messages().size(), 1);
        QVERIFY(printer.previews.size() == 1 || QFile::exists(out));
    }

    // Rows changed after the page count was taken: each page is laid out from its own start and
    // measured when drawn. Rows deleted at the end leave the last pages without rows; rows deleted
    // from the first pages leave the last page as it was; a note rewritten longer prints whole.
    void rowsGoneSinceTheCount_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("rows after 20 deleted") << "DELETE FROM UserTable WHERE TolvaneID > 20";
        QTest::newRow("rows of the first pages deleted") << "DELETE FROM UserTable WHERE TolvaneID BETWEEN 10 AND 60";
        QTest::newRow("a note rewritten") << "UPDATE UserTable SET Memofld = '" + kLongNote + "' WHERE TolvaneID = 2";
    }
    void rowsGoneSinceTheCount() {
        QFETCH(QString, change);
        Fixture fx;
        const QString db = withRows(fx, 400);
        frmReports& v = openReports(db);
        tickList(v, {1}, change.startsWith("UPDATE"));
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        const report::Document& doc = *printer.previews.front();
        const size_t last = doc.pages.size() - 1;
        QVERIFY(last > 2);
        const QString lastPage = pageText(doc.pages[last]);
        exec(db, change);
        const QString first = pageText(doc.pages[0]);
        for (size_t p = 1; p < 4; ++p) pageText(doc.pages[p]);   // the first pages, read again
        if (change.contains("> 20")) {
            for (const report::Band& b : doc.pages[last].bands) QVERIFY(b.section != report::SectionKind::Detail);
            QVERIFY(first.contains("Row 20"));
        } else if (change.contains("BETWEEN")) {
            QCOMPARE(pageText(doc.pages[last]), lastPage);
        } else {
            QVERIFY(first.contains(kLongNote));
        }
    }

    // Many records run over pages with their numbers, made and held a few at a time; a page read
    // again is the same page; a long note is continued, never cut.
    void longReportsRunOverPages() {
        Fixture fx;
        const QString db = withRows(fx, 400);
        QString note;
        for (int i = 1; i <= 400; ++i) note += QStringLiteral("word%1 ").arg(i);
        note = note.trimmed();
        exec(db, "UPDATE UserTable SET Memofld = '" + note + "' WHERE TolvaneID = 200");
        frmReports& v = openReports(db);
        tickList(v, {1}, true);
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        QCOMPARE(int(printer.previews.size()), 1);
        const report::Document& doc = *printer.previews.front();
        const int pages = int(doc.pages.size());
        QVERIFY(pages >= 10);
        const QString count = QString::number(pages);
        QString memo;
        QStringList rows, forwards;
        for (int p = 0; p < pages; ++p) {
            QString footer;
            for (const report::Band& b : doc.pages[size_t(p)].bands) {
                for (const report::Item& it : b.items) {
                    QVERIFY2(it.rect.bottom() <= doc.paper.height() - doc.bottomMargin + 1 || b.section == report::SectionKind::PageFooter,
                             "nothing runs into the bottom margin");
                    if (it.control && it.control->name == "fldMemo" && it.text.contains("word")) memo += it.text + " ";
                    if (it.control && it.control->name == "RptName") rows << it.text;
                    if (b.section == report::SectionKind::PageFooter) footer += it.text + " ";
                }
            }
            QVERIFY2(footer.startsWith(QStringLiteral("Page %1 Of %2 ").arg(p + 1).arg(count)), qPrintable(footer));
            forwards << pageText(doc.pages[size_t(p)]);
        }
        QCOMPARE(memo.simplified(), note);
        QCOMPARE(rows.size(), 400);
        QCOMPARE(rows.last(), QString("Row 400"));
        for (int p = pages - 1; p >= 0; --p) QCOMPARE(pageText(doc.pages[size_t(p)]), forwards[p]);

        const QString pdf = fx.path("p.pdf");
        report::WritePdf(doc, pdf);
        QVERIFY2(doc.pages.MostHeld() <= 3, qPrintable(QString::number(doc.pages.MostHeld())));
        auto pdfPage = [&](int n) {
            return run("pdftotext", {"-f", QString::number(n), "-l", QString::number(n), pdf, "-"}, "poppler-utils").simplified();
        };
        QVERIFY(pdfPage(1).contains("Page 1 Of " + count));
        QVERIFY(pdfPage(pages).contains("Page " + count + " Of " + count));

        // The preview draws the page it shows, and only that one.
        report::ReportPreview preview(printer.previews.front());
        preview.ShowPage(pages + 5);
        QCOMPARE(preview.findChild<QSpinBox*>("txtPage")->value(), pages);
        QCOMPARE(preview.findChild<QLabel*>("lblPageCount")->text(), "of " + count);
        QTest::mouseClick(preview.findChild<QToolButton*>("cmdFirst"), Qt::LeftButton);
        QCOMPARE(preview.CurrentPage(), 0);
        QVERIFY(doc.pages.MostHeld() <= 3);
    }
};

RV_TEST(ReportsFilesTest)
#include "ReportsFilesTest.moc"
