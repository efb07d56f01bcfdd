// A long report is laid out page by page: the outputs hold a few pages at a time, a page read
// again after others is the same page, and every page knows the page count.
#include "ReportData.h"
#include "ReportsTestUtil.h"
#include "platform/print/ReportPreview.h"
#include "platform/report/ReportPainter.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QSpinBox>

using namespace reportstest;

namespace {

QString pageText(const report::Page& page) {
    QStringList out;
    for (const report::Band& b : page.bands)
        for (const report::Item& it : b.items) out << it.text + it.lines.join('|');
    return out.join(' ');
}

}  // namespace

class ReportPagingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Rows deleted after the page count was taken leave the last pages without rows.
    void rowsGoneSinceTheCount() {
        Fixture fx;
        const QString db = reportsdb::build(fx.path("g.mdb"));
        exec(db, "WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < 400) "
                 "INSERT INTO UserTable (TolvaneID, Name, Active, SrchInt, SrchKey, SrchMemo, RptFlg) "
                 "SELECT i, 'Row ' || i, 0, 0, 0, 0, 0 FROM c");
        frmReports& v = openReports(db);
        tick(v, {1});
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        const report::Document& doc = *printer.previews.front();
        const size_t pages = doc.pages.size();
        QVERIFY(pages > 3);
        exec(db, "DELETE FROM UserTable WHERE TolvaneID > 20");
        for (const report::Band& b : doc.pages[pages - 1].bands) QVERIFY(b.section != report::SectionKind::Detail);
        QVERIFY(pageText(doc.pages[0]).contains("Row 20"));
    }

    void pagesAreMadeOneAtATime() {
        Fixture fx;
        const QString db = reportsdb::build(fx.path("p.mdb"));
        QString note;
        for (int i = 1; i <= 400; ++i) note += QStringLiteral("word%1 ").arg(i);
        exec(db, "WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < 400) "
                 "INSERT INTO UserTable (TolvaneID, Name, Active, SrchInt, SrchKey, SrchMemo, RptFlg) "
                 "SELECT i, 'Row ' || i, 0, 0, 0, 0, 0 FROM c");
        exec(db, "UPDATE UserTable SET Memofld = '" + note.trimmed() + "' WHERE TolvaneID = 200");
        frmReports& v = openReports(db);
        tick(v, {1});
        v.chkInclMemo->setChecked(true);
        v.chkInclMemo_Click();
        RecordingPrinter printer;
        v.cmdPrintRep_Click();
        QCOMPARE(int(printer.previews.size()), 1);
        const report::Document& doc = *printer.previews.front();
        const int pages = int(doc.pages.size());
        QVERIFY(pages >= 10);

        const QString pdf = fx.path("p.pdf");
        report::WritePdf(doc, pdf);
        QVERIFY2(doc.pages.MostHeld() <= 3, qPrintable(QString::number(doc.pages.MostHeld())));
        const QString count = QString::number(pages);
        auto pdfPage = [&](int n) {
            return run("pdftotext", {"-f", QString::number(n), "-l", QString::number(n), pdf, "-"}, "poppler-utils").simplified();
        };
        QVERIFY(pdfPage(1).contains("Page 1 Of " + count));
        QVERIFY(pdfPage(pages).contains("Page " + count + " Of " + count));

        // Read backwards, each page (the one after the split note too) is the page read forwards.
        QStringList forwards;
        for (int p = 0; p < pages; ++p) forwards << pageText(doc.pages[size_t(p)]);
        for (int p = pages - 1; p >= 0; --p) QCOMPARE(pageText(doc.pages[size_t(p)]), forwards[p]);

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

RV_TEST(ReportPagingTest)
#include "ReportPagingTest.moc"
