// A report of a real search result: the search view's run and its report button hand the result
// to the reports view, whose PDF holds only the hits in the search's order.
#include "ReportsTestUtil.h"
#include "search/SearchFixture.h"
#include "search/frmSearch.h"
#include "shell/frmMain.h"
#include "support/TestRegistry.h"

#include <QLocale>

using namespace reportstest;

class ReportsSearchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reportOfASearchResult() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Fixture fx(Fixture::WithMainWindow);
        const QString db = searchdb::build(fx.path("s.mdb"));
        openDatabase(db);
        DataInput::instance().Load();
        fx.main->SelectTab(2);
        frmSearch& s = frmSearch::instance();
        int name = -1;
        for (int i = 0; i < frmSearch::kRows; ++i)
            if (shown(s.chfldSrch[size_t(i)]) && s.chfldSrch[size_t(i)]->text() == "Name") name = i;
        QVERIFY(name >= 0);
        s.chfldSrch[size_t(name)]->setChecked(true);
        s.txtSrcFld[size_t(name)]->setText("SMITH");
        s.cmboSort->setCurrentText("Name");
        s.cmdSearch_Click();
        s.cmdPrtRep_Click();
        QCOMPARE(fx.main->SelectedTab(), 3);
        frmReports& v = frmReports::instance();
        QVERIFY(v.IsLoaded());
        QVERIFY(v.OptSrchRes->isChecked());
        tick(v, {1});
        fx.ui.answerSave(fx.path("hits.pdf"));
        v.OptPDF_Click();
        QCOMPARE(fx.ui.messages(), QStringList{});
        const QString text = pdfText(fx.path("hits.pdf"));
        QVERIFY2(text.contains("smith o'neil") && text.contains("Émile Smith"), qPrintable(text));
        QVERIFY(!text.contains("jones"));
        QVERIFY(text.indexOf("smith o'neil") < text.indexOf("Émile Smith"));
        unloadAllForms();
    }
};

RV_TEST(ReportsSearchTest)
#include "ReportsSearchTest.moc"
