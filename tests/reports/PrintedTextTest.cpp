// Reports printed to PDF read back word by word (pdftotext -bbox): no text over text in any
// layout, and every script in the titles and information lines.
#include "ReportData.h"
#include "ReportsTestUtil.h"
#include "support/TestRegistry.h"

#include <QRegularExpression>

using namespace reportstest;

namespace {

struct Word {
    double x1, y1, x2, y2;
    QString text;
};

// The words of each page of a PDF with their boxes (points).
QList<QList<Word>> pdfWords(const QString& pdf) {
    const QString html = run("pdftotext", {"-bbox", pdf, "-"}, "poppler-utils");
    QList<QList<Word>> pages;
    static const QRegularExpression re(
        "<page|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    for (auto m = re.globalMatch(html); m.hasNext();) {
        const auto w = m.next();
        if (w.captured(0) == "<page") pages.append(QList<Word>());
        else if (!pages.isEmpty())
            pages.last().append(Word{w.captured(1).toDouble(), w.captured(2).toDouble(), w.captured(3).toDouble(),
                                     w.captured(4).toDouble(), w.captured(5)});
    }
    return pages;
}

}  // namespace

class PrintedTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Values that fill their boxes, in every layout: no two words of a line overlap on any page.
    void noTextOverText_data() {
        QTest::addColumn<QList<int>>("boxes");
        QTest::addColumn<bool>("notes");
        QTest::newRow("3 fields, portrait") << QList<int>{1, 8, 9} << false;
        QTest::newRow("6 fields + notes, portrait") << QList<int>{1, 2, 5, 6, 8, 9} << true;
        QTest::newRow("9 fields + notes, landscape") << QList<int>{1, 2, 3, 4, 5, 6, 8, 9, 10} << true;
        QTest::newRow("12 fields, wide") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << false;
    }
    void noTextOverText() {
        QFETCH(QList<int>, boxes);
        QFETCH(bool, notes);
        Fixture fx;
        const QString db = reportsdb::build(fx.path("d.mdb"));
        const QString full = "replace(hex(zeroblob(30)), '00', 'MW')";
        exec(db, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < 80) "
                                "INSERT INTO UserTable (TolvaneID, Name, Age, Price, Born, Cost, Active, PhotoFP, City, Zip, Phone, "
                                "Email, Extra, Memofld, SrchInt, SrchKey, SrchMemo, RptFlg) SELECT i, %1, 99999, 9999.999, "
                                "'2024-12-28 23:59:59', 9999999.99, 1, %1, %1, %1, %1, %1, %1, 'Note ' || %1, 0, 0, 0, 0 FROM c")
                                .arg(full));
        frmReports& v = openReports(db);
        for (int k : boxes) tick(v, {k});
        v.chkInclMemo->setChecked(notes);
        v.chkInclMemo_Click();
        const QString pdf = fx.path("r.pdf");
        fx.ui.answerSave(pdf);
        v.OptPDF_Click();
        const auto pages = pdfWords(pdf);
        QVERIFY(pages.size() > 2);
        for (int p = 0; p < pages.size(); ++p) {
            const QList<Word>& w = pages[p];
            for (int i = 0; i < w.size(); ++i)
                for (int j = i + 1; j < w.size(); ++j) {
                    const double dy = std::min(w[i].y2, w[j].y2) - std::max(w[i].y1, w[j].y1);
                    const double dx = std::min(w[i].x2, w[j].x2) - std::max(w[i].x1, w[j].x1);
                    QVERIFY2(dy <= 1 || dx <= 0.5,
                             qPrintable(QStringLiteral("page %1: \"%2\" over \"%3\"").arg(p + 1).arg(w[i].text, w[j].text)));
                }
        }
    }

    // A title and an information line in another script print whole, as the data cells do.
    void titlesPrintEveryScript_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QStringList>("letters");   // what the PDF's text must hold
        QTest::newRow("Arabic") << QString("عربي") << QStringList{"ﻋ", "ﺮ", "ﺑ", "ﻲ"};
        QTest::newRow("Hebrew") << QString("עברית") << QStringList{"עברית"};
        QTest::newRow("Devanagari") << QString("हिन्दी") << QStringList{"ह", "द"};
    }
    void titlesPrintEveryScript() {
        QFETCH(QString, words);
        QFETCH(QStringList, letters);
        Fixture fx;
        frmReports& v = openReports(reportsdb::build(fx.path("d.mdb")));
        v.RptText[0]->setText("Title " + words + " end");
        v.RptText[1]->setText("Info: " + words);
        tick(v, {1});
        const QString pdf = fx.path("t.pdf");
        fx.ui.answerSave(pdf);
        v.OptPDF_Click();
        const QString page = run("pdftotext", {"-l", "1", pdf, "-"}, "poppler-utils");
        const QStringList lines = page.split('\n');
        for (const QString& prefix : {QStringLiteral("Title"), QStringLiteral("Info:")}) {
            const QString line = lines.filter(QRegularExpression("^" + prefix)).value(0);
            for (const QString& l : letters)   // Devanagari needs a font that has it: fonts-lohit-deva
                QVERIFY2(line.contains(l), qPrintable(prefix + " line: " + line));
        }
    }
};

RV_TEST(PrintedTextTest)
#include "PrintedTextTest.moc"
