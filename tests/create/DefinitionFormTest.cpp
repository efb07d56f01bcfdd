// The definition form: its layouts, the checks on the field count, the cleaning of field names,
// the type and decimals lists, the check boxes and Cancel.
#include "create/CreateDatabase.h"
#include "create/CreateDriver.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"
#include "support/Waiting.h"

#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QTest>

using namespace Module1;

namespace {
const QString kNotNumeric = "Number of Fields must be a numeric value";
const QString kOutOfRange = "Invalid number of fields.  Please enter value between 1-20";
const QString kRefused = "Please Enter A Number Between 1-20, Or Cancel";
const QString kReserved = "ID Is A Reserve Database Word, Please Rename Field";

}  // namespace

class DefinitionFormTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    frmMain* m = nullptr;

    CreateDatabase& form() { return CreateDatabase::instance(); }
    int visibleRows() {
        int n = 0;
        for (int i = 1; i <= CreateDatabase::kRows; ++i)
            if (!form().Text3[i]->isHidden()) ++n;
        return n;
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        m = fx->main;
    }
    void cleanup() { fx.reset(); }

    void newDatabaseShowsStartLayout() {
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        QVERIFY(f.IsLoaded());
        QVERIFY(CreatingDB);
        QCOMPARE(f.Widget()->windowTitle(), QString("bdecadd"));
        QCOMPARE(f.txtNoFields->text(), QString("0"));
        QCOMPARE(f.Label1->text(), QString("Specify Number Of Fields (Minimum 1, Maximum 20):"));
        QCOMPARE(visibleRows(), 0);
        for (QWidget* w : {(QWidget*)f.Label3, (QWidget*)f.txtKeyWrds, (QWidget*)f.CmdCreate, (QWidget*)f.chkMemo,
                           (QWidget*)f.chkusersec})
            QVERIFY(w->isHidden());
        QVERIFY(!f.CmdCancel->isHidden());
        QVERIFY(!m->TabStrip1->isEnabled());
        QStringList types;
        for (int k = 0; k < 7; ++k) types << f.Combo1[1]->itemText(k);
        QCOMPARE(types, QStringList({"Text", "Number/Integer", "Number/Double", "Date/Time", "Currency", "True/False", "FilePath"}));
        QCOMPARE(f.cmbDec[1]->count(), 9);
        QVERIFY(fx->ui.requests.isEmpty());
    }

    void countValidation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("after");
        QTest::newRow("letters") << "abc" << QStringList{kNotNumeric} << true << "abc";
        QTest::newRow("empty") << "" << QStringList{kNotNumeric} << true << "";
        QTest::newRow("25") << "25" << QStringList{kOutOfRange} << false << "0";
        QTest::newRow("20.5 rounds to 20") << "20.5" << QStringList{} << false << "20.5";
        QTest::newRow("0") << "0" << QStringList{} << false << "0";
    }
    void countValidation() {
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(bool, held);
        QFETCH(QString, after);
        m->mnuCreateDB_Click();
        form().txtNoFields->setText(typed);
        bool cancel = false;
        for (int k = 0; k < messages.size(); ++k) fx->ui.answerMsgBox(vb::vbOK);
        form().txtNoFields_Validate(cancel);
        QCOMPARE(cancel, held);
        QCOMPARE(fx->ui.messages(), messages);
        for (const QString& t : fx->ui.titles()) QCOMPARE(t, QString("Create Database"));
        QCOMPARE(form().txtNoFields->text(), after);
    }

    // With real focus: leaving the count box runs its check, and a text that is no number keeps
    // the focus in the box.
    void leavingTheCountBoxChecksIt() {
        m->show();
        QVERIFY(QTest::qWaitForWindowActive(m));
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        f.txtNoFields->setFocus();
        QTRY_VERIFY(f.txtNoFields->hasFocus());
        typeInto(f.txtNoFields, "x");
        fx->ui.answerMsgBox(vb::vbOK);
        f.cmdInitialize->setFocus(Qt::TabFocusReason);
        QCOMPARE(fx->ui.messages(), QStringList{kNotNumeric});
        QTRY_VERIFY(f.txtNoFields->hasFocus());
        // The click that moved the focus does not run the command.
        f.cmdInitialize->click();
        QCOMPARE(fx->ui.requests.size(), 1);

        typeInto(f.txtNoFields, "30");
        fx->ui.answerMsgBox(vb::vbOK);
        f.cmdInitialize->setFocus(Qt::TabFocusReason);
        QCOMPARE(fx->ui.messages().last(), kOutOfRange);
        QCOMPARE(f.txtNoFields->text(), QString("0"));
        QVERIFY(f.cmdInitialize->hasFocus());
    }

    // A bad count, then Create Fields clicked with the mouse: the count's message (for 25 the
    // command's own after it), none in the middle of the click; after "abc" the focus is back in
    // the count box, so the next keys type there.
    void aMouseClickAfterABadCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("25") << "25" << QStringList{kOutOfRange, kRefused};
        QTest::newRow("abc") << "abc" << QStringList{kNotNumeric};
    }
    void aMouseClickAfterABadCount() {
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        fx->ui.emulateModal = true;
        m->show();
        QVERIFY(QTest::qWaitForWindowActive(m));
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        f.txtNoFields->setFocus();
        QTRY_VERIFY(f.txtNoFields->hasFocus());
        typeInto(f.txtNoFields, typed);
        for (qsizetype i = 0; i < messages.size(); ++i) fx->ui.answerMsgBox(vb::vbOK);
        QTest::mouseClick(f.cmdInitialize, Qt::LeftButton);
        QTRY_COMPARE(fx->ui.messages(), messages);
        rvtest::settle();
        QCOMPARE(fx->ui.messages(), messages);
        QCOMPARE(fx->ui.duringClick, QStringList());
        QCOMPARE(fx->ui.overlapping, QStringList());
        if (typed == "abc") QTRY_VERIFY_WITH_TIMEOUT(f.txtNoFields->hasFocus(), 2000);
        QCOMPARE(visibleRows(), 0);
    }

    // Every count that does not round to 1..20 is refused, so the form cannot reach a definition
    // layout without rows ("00" and "0.4" included).
    void createFieldsRefuses_data() {
        QTest::addColumn<QString>("count");
        for (const char* c : {"", "00", "0.4", "21", "20.6", "abc"}) QTest::newRow(c) << QString(c);
    }
    void createFieldsRefuses() {
        QFETCH(QString, count);
        m->mnuCreateDB_Click();
        form().txtNoFields->setText(count);
        fx->ui.answerMsgBox(vb::vbOK);
        form().cmdInitialize_Click();
        QCOMPARE(fx->ui.messages(), QStringList{kRefused});
        QCOMPARE(fx->ui.titles(), QStringList{"Create Database"});
        QCOMPARE(visibleRows(), 0);
        QVERIFY(form().txtNoFields->isEnabled());
        QVERIFY(form().CmdCreate->isHidden());
        QCOMPARE(form().txtNoFields->text(), count);
    }

    void createFieldsShowsRows_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("2.5 rounds to 2") << "2.5" << 2;
        QTest::newRow("20.5 rounds to 20") << "20.5" << 20;
    }
    void createFieldsShowsRows() {
        QFETCH(QString, count);
        QFETCH(int, rows);
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        typeInto(f.txtNoFields, count);
        f.cmdInitialize->click();
        QVERIFY(fx->ui.requests.isEmpty());
        QCOMPARE(f.NoFields, rows);
        QCOMPARE(visibleRows(), rows);
        for (int i = 1; i <= rows; ++i) {
            QVERIFY(!f.Combo1[i]->isHidden());
            QCOMPARE(f.Combo1[i]->currentText(), QString("Text"));
            QVERIFY(f.cmbDec[i]->isHidden());
        }
        QCOMPARE(f.txtNoFields->text(), QString::number(rows));
        QVERIFY(!f.txtNoFields->isEnabled());
        QCOMPARE(f.Label1->text(), QString("Number of Fields:"));
        QVERIFY(f.cmdInitialize->isHidden());
        for (QWidget* w : {(QWidget*)f.Label3, (QWidget*)f.txtKeyWrds, (QWidget*)f.CmdCreate, (QWidget*)f.chkMemo,
                           (QWidget*)f.chkusersec})
            QVERIFY(!w->isHidden());
    }

    void nameCleaning_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::addColumn<bool>("reserved");
        QTest::newRow("blanks and brackets") << "Unit Cost ($)" << "Unit_Cost____" << false;
        QTest::newRow("hash") << "Part#" << "PartNumber" << false;
        QTest::newRow("every replaced sign") << "a|b*c,d'e/f\\g;h?i:j&k$l" << "a_b_c_d_e_f_g_h_i_j_k_l" << false;
        QTest::newRow("I.D becomes ID") << "I.D" << "" << true;
        QTest::newRow("id") << "id" << "" << true;
        QTest::newRow("mixed case passes") << "Id" << "Id" << false;
        QTest::newRow("no trimming") << " x " << "_x_" << false;
    }
    void nameCleaning() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QFETCH(bool, reserved);
        m->mnuCreateDB_Click();
        typeInto(form().txtNoFields, "2");
        form().cmdInitialize->click();
        form().Text3[2]->setText(typed);
        if (reserved) fx->ui.answerMsgBox(vb::vbOK);
        bool cancel = true;
        form().Text3_Validate(2, cancel);
        QVERIFY(!cancel);
        QCOMPARE(form().Text3[2]->text(), cleaned);
        QCOMPARE(fx->ui.messages(), reserved ? QStringList{kReserved} : QStringList{});
        if (reserved) QCOMPARE(fx->ui.titles(), QStringList{"Database Creation"});
    }

    // Moving on from a name box to the next one cleans the name just typed.
    void typedNamesAreCleanedWhenLeft() {
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        typeInto(f.txtNoFields, "3");
        f.cmdInitialize->click();
        typeInto(f.Text3[1], "Unit Cost");
        typeInto(f.Text3[2], "I.D");
        QCOMPARE(f.Text3[1]->text(), QString("Unit_Cost"));
        fx->ui.answerMsgBox(vb::vbOK);
        typeInto(f.Text3[3], "Part#");
        QCOMPARE(fx->ui.messages(), QStringList{kReserved});
        QCOMPARE(f.Text3[2]->text(), QString());
        QVERIFY(f.ValidatePendingBox());
        QCOMPARE(f.Text3[3]->text(), QString("PartNumber"));
    }

    // A refused name or keyword count gives the focus back to its box, so the next keys land there
    // (not in the type list Tab moved on to, not on the Create button).
    // The refused box gets the focus back with its text selected: the next key replaces it.
    void aRefusedBoxGetsTheFocusBack_data() {
        QTest::addColumn<bool>("keywords");   // the keyword count refused at Create, else the name at Tab
        QTest::addColumn<QString>("typed");
        QTest::newRow("name ID, then Tab") << false << "ID";
        QTest::newRow("25 keywords, then Create") << true << "25";
    }
    void aRefusedBoxGetsTheFocusBack() {
        QFETCH(bool, keywords);
        QFETCH(QString, typed);
        fx->ui.emulateModal = true;
        m->show();
        QVERIFY(QTest::qWaitForWindowActive(m));
        defineDatabase(*m, Definition{{FieldRow("Title")}, false, false, ""});
        CreateDatabase& f = form();
        QLineEdit* box = keywords ? f.txtKeyWrds.data() : f.Text3[1].data();
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        typeInto(box, typed);
        fx->ui.answerMsgBox(vb::vbOK);
        if (keywords) QTest::mouseClick(f.CmdCreate, Qt::LeftButton);
        else QTest::keyClick(box, Qt::Key_Tab);
        QTRY_COMPARE(fx->ui.requests.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(box->hasFocus(), 2000);
        QTest::keyClicks(QApplication::focusWidget(), "9");
        QCOMPARE(box->text(), QString("9"));
    }

    void decimalsFollowTheType() {
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        typeInto(f.txtNoFields, "12");
        f.cmdInitialize->click();
        for (int row : {3, 12}) {
            f.Combo1[row]->setCurrentIndex(f.Combo1[row]->findText("Number/Double"));
            QVERIFY(!f.cmbDec[row]->isHidden());
            QCOMPARE(f.cmbDec[row]->currentText(), QString("1"));
            f.cmbDec[row]->setCurrentIndex(3);
            f.Combo1[row]->setCurrentIndex(f.Combo1[row]->findText("Text"));
            QVERIFY(f.cmbDec[row]->isHidden());
            QCOMPARE(f.cmbDec[row]->currentText(), QString("4"));
            f.Combo1[row]->setCurrentIndex(f.Combo1[row]->findText("Number/Double"));
            QVERIFY(!f.cmbDec[row]->isHidden());
            QCOMPARE(f.cmbDec[row]->currentText(), QString("1"));
            // Picking Number/Double again starts over at 1 place.
            f.cmbDec[row]->setCurrentIndex(5);
            Q_EMIT f.Combo1[row]->activated(f.Combo1[row]->currentIndex());
            QCOMPARE(f.cmbDec[row]->currentText(), QString("1"));
        }
    }

    // The flags follow the boxes: a tick shown always counts, after an activation too.
    void checkBoxFlagsFollowTheBoxes() {
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        typeInto(f.txtNoFields, "1");
        f.cmdInitialize->click();
        QVERIFY(!f.bMemo && !f.bUserSec);
        f.chkMemo->setChecked(true);
        f.chkusersec->setChecked(true);
        QVERIFY(f.bMemo && f.bUserSec);
        f.Form_Activate();
        QVERIFY(f.bMemo);
        QVERIFY(f.bUserSec);
        f.chkMemo->setChecked(false);
        QVERIFY(!f.bMemo);
        QVERIFY(f.bUserSec);
        f.chkusersec->setChecked(false);
        f.Form_Activate();
        QVERIFY(!f.bMemo && !f.bUserSec);
    }

    void cancelLeavesOrClearsAFailure() {
        m->mnuCreateDB_Click();
        CreateDatabase& f = form();
        typeInto(f.txtNoFields, "2");
        f.cmdInitialize->click();
        f.chkMemo->setChecked(true);
        f.bCreateFailed = true;
        f.CmdCancel->click();
        // The first Cancel after a failure only clears it; the window keeps its rows and ticks.
        QVERIFY(f.IsLoaded());
        QVERIFY(!CreatingDB);
        QVERIFY(!f.bCreateFailed);
        QVERIFY(f.bMemo);
        QCOMPARE(visibleRows(), 2);
        f.CmdCancel->click();
        QVERIFY(!f.IsLoaded());
        QVERIFY(!f.bMemo && !f.bUserSec);
        QVERIFY(!m->TabStrip1->isEnabled());
        QVERIFY(fx->ui.requests.isEmpty());

        // Loaded again, it starts over.
        m->mnuCreateDB_Click();
        QCOMPARE(form().txtNoFields->text(), QString("0"));
        QVERIFY(form().txtNoFields->isEnabled());
        QCOMPARE(visibleRows(), 0);
        QVERIFY(!form().chkMemo->isChecked());
    }
};

RV_TEST(DefinitionFormTest)
#include "DefinitionFormTest.moc"
