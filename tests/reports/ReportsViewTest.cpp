// The reports view: the field panel built from the field list, labels, notes, the record source,
// the font and the colours.
#include "ReportsTestUtil.h"
#include "support/TestRegistry.h"

#include <QGroupBox>
#include <QLabel>

using namespace reportstest;

class ReportsViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panelWidthFollowsFieldCount_data() {
        QTest::addColumn<int>("fields");
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<int>("notesLeft");
        QTest::newRow("5") << 5 << 3015 << 1920;
        QTest::newRow("6") << 6 << 5775 << 4800;
        QTest::newRow("11") << 11 << 11775 << 4800;
        QTest::newRow("20") << 20 << 11775 << 4800;
    }
    void panelWidthFollowsFieldCount() {
        QFETCH(int, fields);
        QFETCH(int, frameWidth);
        QFETCH(int, notesLeft);
        Fixture fx;
        Rows rows;
        for (int i = 1; i <= fields; ++i) rows << DbFieldRow{QStringLiteral("F%1").arg(i), "Text", ""};
        frmReports& v = openReports(build(fx.path("p.mdb"), rows, true));
        QCOMPARE(v.RepLblFrame->width(), vb::twipsToPx(frameWidth));
        QCOMPARE(v.chkInclMemo->x(), vb::twipsToPx(notesLeft));
        QVERIFY(shown(v.chkInclMemo));
        QVERIFY(v.bHasNotes);
        for (int k = 1; k <= 20; ++k) QCOMPARE(shown(v.ChkRepLbl[size_t(k)]), k <= fields);
        QCOMPARE(v.cmboAllRecs->count(), fields + 1);
        QCOMPARE(v.cmboAllRecs->currentText(), QString("Sort All Records (off)"));
    }

    void slotsShowFieldsAndTickingResetsTheLabel() {
        Fixture fx;
        frmReports& v = openReports(build(fx.path("s.mdb"), everyType(), false, 2));
        QCOMPARE(v.ChkRepLbl[7]->text(), QString("Photo"));   // the file-path field without "FP"
        QVERIFY(!shown(v.ChkRepLbl[8]));
        QVERIFY(!shown(v.chkInclMemo));
        QVERIFY(!v.bHasNotes);
        QCOMPARE(v.cmboAllRecs->itemText(7), QString("PhotoFP"));
        QVERIFY(!shown(v.txtRptLbl[7]));
        tick(v, {7});
        QVERIFY(shown(v.txtRptLbl[7]));
        QCOMPARE(v.txtRptLbl[7]->text(), QString("PhotoFP"));
        v.txtRptLbl[7]->setText("Picture");
        v.ChkRepLbl[7]->setChecked(false);
        v.ChkRepLbl_Click(7);
        QVERIFY(!shown(v.txtRptLbl[7]));
        QCOMPARE(v.txtRptLbl[7]->text(), QString("Picture"));
        tick(v, {7});
        QCOMPARE(v.txtRptLbl[7]->text(), QString("PhotoFP"));
    }

    // A text field named like a keyword column takes no slot; an integer named like a search mark
    // takes one without a box. The outputs still read the field shown in each box.
    void oddNamesKeepBoxesOnTheirFields() {
        Fixture fx;
        frmReports& v = openReports(build(fx.path("o.mdb"),
                                          {{"KeyWordX", "Text", ""}, {"City", "Text", ""}, {"SrchAge", "Number/Integer", ""},
                                           {"Zip", "Text", ""}},
                                          false));
        QCOMPARE(v.ChkRepLbl[1]->text(), QString("City"));
        QVERIFY(!shown(v.ChkRepLbl[2]));
        QCOMPARE(v.ChkRepLbl[3]->text(), QString("Zip"));
        tick(v, {1, 3});
        const ReportChoices c = v.Choices();
        QCOMPARE(int(c.columns.size()), 2);
        QCOMPARE(c.columns[0].fieldName, QString("City"));
        QCOMPARE(c.columns[1].fieldName, QString("Zip"));
        QCOMPARE(v.txtRptLbl[3]->text(), QString("Zip"));
    }

    void labelsLoseDashesAndStayShort_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("refused");
        QTest::newRow("dashes") << "a-b-c" << "abc" << false;
        QTest::newRow("20") << QString(20, 'x') << QString(20, 'x') << false;
        QTest::newRow("21") << QString(21, 'x') << QString(21, 'x') << true;
        QTest::newRow("21 with a dash") << QString(20, 'x') + "-" << QString(20, 'x') << false;
    }
    void labelsLoseDashesAndStayShort() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, refused);
        Fixture fx;
        frmReports& v = openReports(build(fx.path("l.mdb"), everyType()));
        tick(v, {1});
        v.txtRptLbl[1]->setText(typed);
        v.txtRptLbl_Validate(1);
        if (refused) fx.ui.answerMsgBox(vb::vbOK);
        QCOMPARE(v.txtRptLbl_LostFocus(1), !refused);
        QCOMPARE(v.txtRptLbl[1]->text(), kept);
        QCOMPARE(fx.ui.messages(), refused ? QStringList{"Report Labels Can Be 20 Characters or Less"} : QStringList{});
        if (refused) QCOMPARE(fx.ui.titles(), QStringList{"Reports"});
    }

    void recordSourceFollowsTheSearchResult() {
        Fixture fx;
        frmReports& v = openReports(build(fx.path("r.mdb"), everyType()));
        QVERIFY(v.OptAllRecs->isChecked());
        QVERIFY(Module1::AllRecsFlg);
        v.OptSrchRes->setChecked(true);
        fx.ui.answerMsgBox(vb::vbOK);
        v.OptSrchRes_Click();
        QCOMPARE(fx.ui.messages(), QStringList{"There Are No Current Search Results"});
        QCOMPARE(fx.ui.titles(), QStringList{"Search Results"});
        QVERIFY(v.OptAllRecs->isChecked());
        QVERIFY(v.cmboAllRecs->isEnabled());

        Module1::SrchFlg = true;
        Module1::SrchSQL = "Select * From UserTable Where SrchInt = 1";
        v.UpdateRepFrmClr();   // colours only: the source stays
        QVERIFY(v.OptAllRecs->isChecked());
        v.Form_Activate();
        QVERIFY(v.OptSrchRes->isChecked());
        QVERIFY(!v.OptAllRecs->isChecked());
        QVERIFY(!Module1::AllRecsFlg);
        QVERIFY(!v.cmboAllRecs->isEnabled());

        Module1::SrchFlg = false;
        Module1::SrchSQL.clear();
        v.Form_Activate();
        QVERIFY(v.OptAllRecs->isChecked());
        QVERIFY(v.cmboAllRecs->isEnabled());
    }

    void fontDialogSetsTheReportFont() {
        Fixture fx;
        frmReports& v = openReports(build(fx.path("f.mdb"), everyType()));
        fx.ui.answerFont("DejaVu Serif", 11, true);
        v.cmdRptFont_Click();
        QCOMPARE(fx.ui.requests.last().dialog.Flags, 3);
        const ReportChoices c = v.Choices();
        QCOMPARE(c.fontName, QString("DejaVu Serif"));
        QCOMPARE(c.fontSize, 11.0);
        QVERIFY(c.fontBold);
        // A cancelled dialog keeps the font.
        fx.ui.answerFont("", 0);
        v.cmdRptFont_Click();
        QCOMPARE(v.Choices().fontName, QString("DejaVu Serif"));
    }

    void coloursReachTheFieldBoxes() {
        Fixture fx;
        frmReports& v = openReports(build(fx.path("c.mdb"), everyType()));
        Module1::SetFrmColor("255");
        Module1::SetTextColor("65280");
        v.UpdateRepFrmClr();
        QCOMPARE(v.ChkRepLbl[1]->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(v.ChkRepLbl[7]->palette().color(QPalette::WindowText), QColor(0, 255, 0));
        QCOMPARE(v.RepLblFrame->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(v.lblTitle->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    }
};

RV_TEST(ReportsViewTest)
#include "ReportsViewTest.moc"
