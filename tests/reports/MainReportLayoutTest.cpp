// The older portrait builder, called as the view's callers call a builder: a new report, then the
// builder with the number of boxes to look at.
#include "ReportsTestUtil.h"
#include "reports/ReportLayouts.h"
#include "support/TestRegistry.h"

using namespace reportstest;
using namespace report;

class MainReportLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneGeometryForEveryColumnCount_data() {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<int>("asked");
        QTest::newRow("3 columns") << 3 << 3;
        QTest::newRow("9 columns") << 9 << 9;
        QTest::newRow("9 ticked, boxes 1 to 3 looked at") << 9 << 3;
    }
    void oneGeometryForEveryColumnCount() {
        QFETCH(int, ticked);
        QFETCH(int, asked);
        Fixture fx;
        Rows rows;
        for (int i = 1; i <= 9; ++i) rows << DbFieldRow{QStringLiteral("F%1").arg(i), i == 2 ? "Currency" : "Text", ""};
        frmReports& v = openReports(build(fx.path("m.mdb"), rows, true));
        fx.ui.answerFont("DejaVu Sans", 11, false);
        v.cmdRptFont_Click();
        for (int k = 1; k <= ticked; ++k) tick(v, {k});
        v.chkInclMemo->setChecked(true);
        v.chkInclMemo_Click();
        v.RptText[0]->setText("Members");

        v.RptDef = NewReport();
        v.BuildMainRep(asked);
        ReportDefinition& r = *v.RptDef;
        QCOMPARE(r.sql, QString("Select * From UserTable"));
        const Section& h = r.section(SectionKind::PageHeader);
        const Section& d = r.section(SectionKind::Detail);
        auto geometry = [](const Control* c) { return QList<double>{c->left, c->width, c->font.size}; };
        for (int k = 1; k <= 9; ++k) {
            const Control* cap = h.Find(QStringLiteral("lblF%1").arg(k));
            QCOMPARE(cap != nullptr, k <= asked);
            if (!cap) continue;
            QCOMPARE(geometry(cap), (QList<double>{(k - 1) * 1300.0, 1440, 9}));
            QCOMPARE(geometry(d.Find(QStringLiteral("RptF%1").arg(k))), (QList<double>{(k - 1) * 1300.0 + 200, 1440, 11}));
        }
        const double notesLeft = (asked - 1) * 1300.0 + 1290;
        QCOMPARE(geometry(h.Find("lblMemo")), (QList<double>{notesLeft, 1090, 9}));
        QCOMPARE(geometry(d.Find("fldMemo")).mid(0, 2), (QList<double>{notesLeft, 1090}));
        const Control* title = r.section(SectionKind::ReportHeader).Find("RepTitle0");
        QCOMPARE((QList<double>{title->left, title->font.size}), (QList<double>{0, 16}));
        QCOMPARE(r.section(SectionKind::PageFooter).Find("dtefld")->left, 7560.0);
    }

    // The source: all records by the sort field, or the search result verbatim.
    void sourceByTheOptionButtons() {
        Fixture fx;
        frmReports& v = openReports(build(fx.path("s.mdb"), everyType()));
        tick(v, {1});
        v.cmboAllRecs->setCurrentIndex(2);
        v.RptDef = NewReport();
        v.BuildMainRep(20);
        QCOMPARE(v.RptDef->sql, QString("Select * From UserTable Order by [Age]"));
        ReportChoices c = v.Choices();
        c.searchResults = true, c.searchSql = "Select * From UserTable Where SrchInt = 1";
        QCOMPARE(MainReportSource(c), c.searchSql);
    }
};

RV_TEST(MainReportLayoutTest)
#include "MainReportLayoutTest.moc"
