// Text typed where there is no record, and an activation while a record is being added.
#include "EntryTestUtil.h"
#include "shell/frmMain.h"
#include "support/TestRegistry.h"

#include <QToolButton>

using namespace entrytest;

class EntryPendingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(Fixture::WithMainWindow); }
    void cleanup() { fx.reset(); }

    // On an empty table the text has no record to go to: Add starts a record, nothing gets stuck.
    void textTypedOnAnEmptyTableDoesNotBlock() {
        const QString path = build(fx->path("empty.mdb"), {{"Name", "Text", ""}}, false, 0);
        DataInput& v = openView(path);
        QTest::keyClicks(v.flddata[1], "typed");
        QCOMPARE(v.EditMode(), 0);
        v.cmdAction_Click(0);
        QVERIFY(v.bAddingRec);
        v.flddata[1]->setText("Ann");
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT Name FROM UserTable"), QString("Ann"));
        QVERIFY(fx->ui.messages().isEmpty() || !fx->ui.messages().join('|').contains("cannot locate"));
    }

    void activationDuringAnAddKeepsNavigationOff() {
        const QString path = build(fx->path("rows.mdb"), {{"Name", "Text", ""}, {"Age", "Number/Integer", ""}}, true, 0);
        addRows(path, "Name", 3);
        DataInput& v = openView(path);
        v.cmdAction_Click(0);
        v.Form_Activate();
        for (int i = 0; i < 4; ++i) QVERIFY(!v.cmdNegotiate[size_t(i)]->isEnabled());
        QVERIFY(!v.cmdAction[4]->isEnabled());
        QVERIFY(v.bAddingRec);
        QCOMPARE(cli(path, "SELECT COUNT(*) FROM UserTable"), QString("3"));
    }
};

RV_TEST(EntryPendingTest)
#include "EntryPendingTest.moc"
