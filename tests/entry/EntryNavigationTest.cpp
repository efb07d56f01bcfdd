// Navigation, the record counter, the access levels and the activation of the entry view.
#include "EntryTestUtil.h"
#include "search/frmSearch.h"
#include "support/TestRegistry.h"

using namespace entrytest;

class EntryNavigationTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

    QString rowsDb(int n, bool security = false) {
        const QString path = build(fx->path("n.mdb"), {{"Name", "Text", ""}, {"Flag", "True/False", ""}}, false, 1, security);
        addRows(path, "Name", n);
        return path;
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(); }
    void cleanup() { fx.reset(); }

    void moves_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("counter");
        QTest::newRow("last") << QList<int>{3} << "R3" << "Record: 3 of 3";
        QTest::newRow("next on the last stays") << QList<int>{3, 2} << "R3" << "Record: 3 of 3";
        QTest::newRow("previous on the first stays") << QList<int>{1} << "R1" << "Record: 1 of 3";
        QTest::newRow("last, first, next") << QList<int>{3, 0, 2} << "R2" << "Record: 2 of 3";
        QTest::newRow("an index of no button") << QList<int>{2, 7} << "R2" << "Record: 2 of 3";
    }
    void moves() {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, name);
        QFETCH(QString, counter);
        DataInput& v = openView(rowsDb(3));
        for (int c : clicks) v.cmdNegotiate_Click(c);
        QCOMPARE(v.flddata[1]->text(), name);
        QCOMPARE(v.lblRecord->text(), counter);
        QVERIFY(fx->ui.messages().isEmpty());
    }

    void theComboFollowsTheRecord() {
        const QString path = rowsDb(2);
        exec(path, "UPDATE UserTable SET Flag = 1 WHERE TolvaneID = 2");
        DataInput& v = openView(path);
        QCOMPARE(v.CmboTF[2]->currentText(), QString("False"));
        v.cmdNegotiate_Click(2);
        QCOMPARE(v.CmboTF[2]->currentText(), QString("True"));
        QCOMPARE(v.EditMode(), 0);
        v.cmdNegotiate_Click(0);
        QCOMPARE(v.CmboTF[2]->currentText(), QString("False"));
        QCOMPARE(cli(path, "SELECT group_concat(Flag) FROM UserTable"), QString("0,1"));
    }

    void emptyTableForARestrictedUser() {
        DataInput& v = openView(rowsDb(0, true), "RESUSR", true);
        QCOMPARE(v.lblRecord->text(), QString("No Records Available"));
        QVERIFY(v.cmdNegotiate[2]->isEnabled());
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdNegotiate_Click(2);
        QCOMPARE(fx->ui.messages(), QStringList{"A Record Needs to be located before proceeding"});
        QCOMPARE(fx->ui.titles(), QStringList{"Ravelstow"});
    }

    void setVisible_data() {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("accounts");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("status");
        QTest::addColumn<bool>("addSave");       // cmdAction 0 and 3
        QTest::addColumn<bool>("deleteReset");   // cmdAction 1 and 4
        QTest::addColumn<bool>("navigation");
        QTest::addColumn<bool>("boxes");
        QTest::addColumn<bool>("statusAfter");
        QTest::newRow("restricted, true") << "RESUSR" << true << 2 << true << true << true << true << false << true;
        QTest::newRow("restricted, false") << "RESUSR" << true << 2 << false << false << false << true << false << false;
        QTest::newRow("supervisor, records, true") << "SUPRVR" << true << 2 << true << true << true << true << true << true;
        QTest::newRow("supervisor, records, false") << "SUPRVR" << true << 2 << false << true << false << false << true << false;
        QTest::newRow("supervisor, empty, true") << "SUPRVR" << false << 0 << true << true << false << false << true << false;
        // Only the exact level "SUPRVR" is a supervisor: any other level is restricted.
        QTest::newRow("other level") << "supervisor" << true << 2 << false << false << false << true << false << false;
        QTest::newRow("empty level") << "" << true << 2 << true << true << true << true << false << true;
        // Without accounts the database is worked on as the supervisor.
        QTest::newRow("no accounts, no level yet") << "" << false << 2 << false << true << false << false << true << false;
    }
    void setVisible() {
        QFETCH(QString, level);
        QFETCH(bool, accounts);
        QFETCH(int, records);
        QFETCH(bool, status);
        QFETCH(bool, addSave);
        QFETCH(bool, deleteReset);
        QFETCH(bool, navigation);
        QFETCH(bool, boxes);
        QFETCH(bool, statusAfter);
        // Loaded as a supervisor, so that only the call under test changes the controls.
        DataInput& v = openView(rowsDb(records));
        if (records > 0) {
            bool on = true;
            v.SetVisible(on);
        }
        Module1::SetCurrentUserLevel(level);
        Module1::SecurityOn = accounts;
        bool flag = status;
        v.SetVisible(flag);
        QCOMPARE(flag, statusAfter);
        QCOMPARE(v.cmdAction[0]->isEnabled(), addSave);
        QCOMPARE(v.cmdAction[3]->isEnabled(), addSave);
        QCOMPARE(v.cmdAction[1]->isEnabled(), deleteReset);
        QCOMPARE(v.cmdAction[4]->isEnabled(), deleteReset);
        for (int i = 0; i < 4; ++i) QCOMPARE(v.cmdNegotiate[i]->isEnabled(), navigation);
        QCOMPARE(v.flddata[1]->isEnabled(), boxes);
        QCOMPARE(v.Keywrd[20]->isEnabled(), boxes);
        QCOMPARE(v.CmboTF[2]->isEnabled(), boxes);
    }

    void activationWithoutAccounts_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("records") << 2;
        QTest::newRow("empty") << 0;
    }
    void activationWithoutAccounts() {
        QFETCH(int, records);
        DataInput& v = openView(rowsDb(records));
        bool off = false;
        v.SetVisible(off);
        v.Form_Activate();
        QCOMPARE(v.cmdNegotiate[0]->isEnabled(), records > 0);
        QCOMPARE(v.cmdAction[4]->isEnabled(), records > 0);
    }

    void activationReadsAgainAndStays() {
        const QString path = rowsDb(3);
        DataInput& v = openView(path);
        v.cmdNegotiate_Click(3);
        exec(path, "UPDATE UserTable SET Name = 'changed' WHERE TolvaneID = 3; "
                   "INSERT INTO UserTable (Name, SrchInt, SrchKey) VALUES ('R4', 0, 0)");
        v.Form_Activate();
        QCOMPARE(v.flddata[1]->text(), QString("changed"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 3 of 4"));
        QCOMPARE(Module1::RecBookmark, qint64(3));
    }

    void activationMovesToThePickedRecord() {
        DataInput& v = openView(rowsDb(5));
        Module1::SetCurRecID(4);
        v.Form_Activate();
        QCOMPARE(v.flddata[1]->text(), QString("R4"));
        v.cmdNegotiate_Click(0);
        v.Form_Activate();   // every activation goes back to the picked record
        QCOMPARE(v.flddata[1]->text(), QString("R4"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 4 of 5"));
        QVERIFY(fx->ui.messages().isEmpty());
    }

    void pickedRecordDeleted() {
        const QString path = rowsDb(3);
        DataInput& v = openView(path);
        v.cmdNegotiate_Click(2);
        exec(path, "DELETE FROM UserTable WHERE TolvaneID = 3");
        Module1::SetCurRecID(3);
        fx->ui.answerMsgBox(vb::vbOK);
        v.Form_Activate();
        QCOMPARE(fx->ui.messages(), QStringList{"This Record Has Been Deleted."});
        QCOMPARE(fx->ui.titles(), QStringList{"Deletion"});
        QCOMPARE(v.flddata[1]->text(), QString("R1"));
        QCOMPARE(Module1::RecBookmark, qint64(1));
        QVERIFY(!frmSearch::instance().IsLoaded());   // no result shown: the search is not run again

        // The last record gone too: the message, and an empty view.
        exec(path, "DELETE FROM UserTable");
        fx->ui.answerMsgBox(vb::vbOK);
        v.Form_Activate();
        QCOMPARE(fx->ui.messages(), QStringList(2, "This Record Has Been Deleted."));
        QCOMPARE(v.lblRecord->text(), QString("No Records Available"));
        fx->ui.clear();
    }

    // Coming back to the view never drops what is being typed or added.
    void activationKeepsAPendingChange_data() {
        QTest::addColumn<bool>("adding");
        QTest::newRow("a record being added") << true;
        QTest::newRow("a box changed") << false;
    }
    void activationKeepsAPendingChange() {
        QFETCH(bool, adding);
        const QString path = rowsDb(2);
        DataInput& v = openView(path);
        Module1::SetCurRecID(1);
        if (adding) v.cmdAction_Click(0);
        v.flddata[1]->setText("typed");
        v.Form_Activate();
        QCOMPARE(v.flddata[1]->text(), QString("typed"));
        QCOMPARE(v.EditMode(), adding ? 2 : 1);
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable WHERE Name = 'typed'"), QString("1"));
    }
};

RV_TEST(EntryNavigationTest)
#include "EntryNavigationTest.moc"
