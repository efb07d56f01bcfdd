// The page layouts built from the view's choices: positions, sizes, names, formats, titles, the
// record source, and the page set-up at report start.
#include "platform/report/ReportEngine.h"
#include "reports/ReportLayouts.h"
#include "shell/Module1.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace report;

namespace {

ReportChoices choices(int fields, const QString& type = QStringLiteral("Text")) {
    ReportChoices c;
    for (int i = 1; i <= fields; ++i)
        c.columns.push_back({i, QStringLiteral("F%1").arg(i), type, QStringLiteral("Label %1").arg(i)});
    c.dbPath = QStringLiteral("x.mdb");
    return c;
}

QList<double> lefts(const Section& s, const QString& prefix) {
    QList<double> out;
    for (const Control& c : s.controls)
        if (c.name.startsWith(prefix)) out << c.left;
    return out;
}

}  // namespace

class ReportLayoutsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Module1::Reset(); }

    void layoutAndPageSetUpByColumnCount_data() {
        QTest::addColumn<int>("fields");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QSizeF>("paper");
        QTest::addColumn<double>("margin");
        QTest::addColumn<double>("printWidth");
        QTest::newRow("4 few columns") << 4 << false << int(ReportLayout::Portrait) << QSizeF(12240, 15840) << 1440.0 << 9360.0;
        QTest::newRow("4 + notes") << 4 << true << int(ReportLayout::Portrait) << QSizeF(12240, 15840) << 720.0 << 9360.0;
        QTest::newRow("7 + notes") << 7 << true << int(ReportLayout::Landscape) << QSizeF(16560, 12240) << 720.0 << 13680.0;
        QTest::newRow("12") << 12 << false << int(ReportLayout::Wide) << QSizeF(24480, 15840) << 720.0 << 21600.0;
        QTest::newRow("12 + notes") << 12 << true << int(ReportLayout::Refused) << QSizeF() << 0.0 << 0.0;
    }
    void layoutAndPageSetUpByColumnCount() {
        QFETCH(int, fields);
        QFETCH(bool, notes);
        QFETCH(int, layout);
        QFETCH(QSizeF, paper);
        QFETCH(double, margin);
        QFETCH(double, printWidth);
        ReportChoices c = choices(fields);
        c.hasNotes = c.inclNotes = notes;
        QCOMPARE(int(ChooseLayout(c.ColumnCount()).layout), layout);
        auto r = BuildReport(c);
        QCOMPARE(r == nullptr, layout == int(ReportLayout::Refused));
        if (!r) return;
        r->onReportStart(*r);
        QCOMPARE(r->page.PaperTwips(), paper);
        QCOMPARE(r->page.leftMargin, margin);
        QCOMPARE(r->page.rightMargin, margin);
        QCOMPARE(r->page.printWidth, printWidth);
    }

    // Notes ticked on a database without notes add no column; a landscape report after a
    // few-columns portrait one keeps the stale few-columns flag yet sets up landscape.
    void notesOnlyCountWhenPresent() {
        ReportChoices c = choices(4);
        c.inclNotes = true;
        QCOMPARE(c.ColumnCount(), 4);
        BuildReport(c);
        QVERIFY(Module1::bRptFewCols);
        auto r = BuildReport(choices(9));
        QVERIFY(Module1::bRptFewCols && Module1::bRptLandscape && !Module1::bRptPortrait);
        r->onReportStart(*r);
        QCOMPARE(r->page.leftMargin, 720.0);
    }

    void columnPositions() {
        ReportChoices wide = choices(12);
        auto r = BuildReport(wide);
        QCOMPARE(lefts(r->section(SectionKind::PageHeader), "lbl"),
                 (QList<double>{0, 1530, 3060, 4590, 6120, 7650, 9180, 10710, 12240, 13770, 15300, 16830}));
        QCOMPARE(r->section(SectionKind::PageFooter).Find("dtefld")->left, 14400.0);

        ReportChoices elevenAndNotes = choices(11);
        elevenAndNotes.hasNotes = elevenAndNotes.inclNotes = true;
        r = BuildReport(elevenAndNotes);
        QCOMPARE(r->section(SectionKind::PageHeader).Find("lblMemo")->left, 16990.0);
        QCOMPARE(r->section(SectionKind::PageHeader).Find("lblMemo")->width, 1440.0);
        QCOMPARE(r->section(SectionKind::Detail).Find("fldMemo")->width, 1540.0);

        r = BuildReport(choices(9));   // landscape: data fields 200 right of their captions
        QCOMPARE(r->section(SectionKind::Detail).Find("RptF2")->left, 1730.0);
        QCOMPARE(r->section(SectionKind::PageFooter).Find("dtefld")->left, 12560.0);
        QCOMPARE(r->section(SectionKind::ReportHeader).visible, false);
    }

    void fewColumnsWidthsAndFormats() {
        ReportChoices c = choices(0);
        c.columns = {{1, "Name", "Text", "Name"}, {2, "Cost", "Currency", "Cost"}, {3, "Paid", "True/False", "Paid"},
                     {4, "Price", "Decimal/2", "Price"}};
        auto r = BuildReport(c);
        Section& d = r->section(SectionKind::Detail);
        Section& h = r->section(SectionKind::PageHeader);
        QCOMPARE(h.Find("lblCost")->width, 2000.0);
        QCOMPARE(d.Find("RptCost")->width, 1440.0);
        QCOMPARE(d.Find("RptCost")->outputFormat, QString("$#,##0.00"));
        QCOMPARE(d.Find("RptName")->width, 2000.0);
        QCOMPARE(d.Find("RptPrice")->outputFormat, QString());
        const Control* box = d.Find("Paid");
        QVERIFY(box && box->kind == ControlKind::CheckBox);
        QCOMPARE(box->left, 2 * 2160 + 320.0);
        QCOMPARE(box->width, 500.0);
        QCOMPARE(box->caption, QString());
        QCOMPARE(h.height, 820.0);
        QCOMPARE(d.height, 480.0);

        // The notes alone: a few-columns portrait report (built directly; the outputs refuse it).
        ReportChoices notes = choices(0);
        notes.hasNotes = notes.inclNotes = true;
        r = BuildReport(notes);
        QCOMPARE(r->section(SectionKind::PageHeader).Find("lblMemo")->left, 2160.0);
        QCOMPARE(r->section(SectionKind::Detail).Find("fldMemo")->width, 2100.0);
    }

    // A stored zero prints as a zero.
    void numbersPrintByType_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("printed");
        QTest::newRow("integer 0") << "Integer" << "0";
        QTest::newRow("double 0") << "Double" << "0.000";
        QTest::newRow("currency 0") << "Currency" << "$0.00";
    }
    void numbersPrintByType() {
        QFETCH(QString, type);
        QFETCH(QString, printed);
        auto r = BuildReport(choices(1, type));
        QCOMPARE(ValueText(type == "Integer" ? QVariant(0) : QVariant(0.0), r->section(SectionKind::Detail).Find("RptF1")->outputFormat), printed);
    }

    void titleLines() {
        ReportChoices c = choices(2);
        c.titles = {QString(), QString(), QStringLiteral("Line 2"), QStringLiteral("   ")};
        auto r = BuildReport(c);
        Section& t = r->section(SectionKind::ReportHeader);
        QVERIFY(t.visible);
        QVERIFY(!t.Find("RepTitle0") && !t.Find("RepTitle1"));
        QCOMPARE(t.Find("RepTitle2")->top, 450.0);
        QCOMPARE(t.Find("RepTitle3")->top, 900.0);   // a line of blanks is a line
        QVERIFY(!t.Find("RepTitle2")->font.underline);
        QCOMPARE(t.Find("RepTitle2")->left, 2530.0);
        QCOMPARE(t.Find("RepTitle2")->font.size, 16.0);
        QVERIFY(t.Find("RepTitle2")->font.italic);
    }

    void recordSource() {
        ReportChoices c = choices(2);
        QCOMPARE(ReportSource(c, ReportLayout::Portrait), QString("Select * From UserTable Order by TolvaneID"));
        QCOMPARE(ReportSource(c, ReportLayout::Wide), QString("Select * From UserTable Order By TolvaneID"));
        c.sortField = "PhotoFP";
        QCOMPARE(ReportSource(c, ReportLayout::Portrait), QString("Select * From UserTable Order by [PhotoFP]"));
        c.allRecords = false;
        c.searchResults = true;
        c.searchSql = "Select * From UserTable Where SrchInt = 1 Order by Name";
        QCOMPARE(ReportSource(c, ReportLayout::Portrait), c.searchSql);
        c.searchResults = false;
        QCOMPARE(ReportSource(c, ReportLayout::Portrait), QString("Select * From UserTable Order by [PhotoFP]"));
    }
};

RV_TEST(ReportLayoutsTest)
#include "ReportLayoutsTest.moc"
