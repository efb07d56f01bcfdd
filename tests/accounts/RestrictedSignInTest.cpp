// Signing in through the real Open command as a restricted account leaves the entry view's
// editing controls disabled; the supervisor gets them enabled.
#include "AccountsDb.h"
#include "accounts/frmLogin.h"
#include "entry/DataInput.h"
#include "shell/frmMain.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTabBar>
#include <QToolButton>

class RestrictedSignInTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(Fixture::WithMainWindow); }
    void cleanup() { fx.reset(); }

    void levelDecidesTheEntryControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("editable");
        QTest::newRow("restricted") << "clerk" << "pa55" << false;
        QTest::newRow("supervisor") << "Admin" << "" << true;
    }
    void levelDecidesTheEntryControls() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, editable);
        const QString path = accountsdb::makeDb(*fx);
        accountsdb::addAccount(path, QStringLiteral("clerk"), QStringLiteral("RESUSR"), QStringLiteral("pa55"));
        testdb::exec(path, "INSERT INTO UserTable (Title, SrchInt, SrchKey, RptFlg) VALUES ('first', 0, 0, 0)");
        fx->ui.answerOpen(path).answerModal([&](QDialog&) {
            frmLogin& login = frmLogin::instance();
            login.txtUserName->setText(name);
            login.txtPassword->setText(password);
            login.cmdOK_Click();
            return int(QDialog::Accepted);
        });
        fx->main->mnuOpenDB_Click();
        QVERIFY(Module1::DBOpen);
        QCOMPARE(Module1::GetCurrentUser(), name);
        DataInput& v = DataInput::instance();
        QVERIFY(v.IsLoaded());
        QCOMPARE(v.flddata[1]->isEnabled(), editable);
        for (int i : {0, 1, 3, 4})
            if (v.cmdAction[size_t(i)]) QVERIFY2(v.cmdAction[size_t(i)]->isEnabled() == editable, qPrintable(QString::number(i)));
    }

    // A refused open, and the entry view shown on the refused file, leave nothing behind: the
    // next open with a restricted sign-in shows the record, read-only, as a fresh start does.
    void aRefusedOpenLeavesNoTrace() {
        const QString plain = testdb::build(fx->path("plain.mdb"), {{"Title", "Text", ""}}, false, 0);
        const QString bad = fx->path("other.mdb");
        makeSqliteFile(bad, "CREATE TABLE t(x)");
        const QString path = accountsdb::makeDb(*fx);
        accountsdb::addAccount(path, QStringLiteral("clerk"), QStringLiteral("RESUSR"), QStringLiteral("pa55"));
        testdb::exec(path, "INSERT INTO UserTable (Title, SrchInt, SrchKey, RptFlg) VALUES ('first', 0, 0, 0)");
        testdb::exec(path, "INSERT INTO UserTable (Title, SrchInt, SrchKey, RptFlg) VALUES ('second', 0, 0, 0)");

        fx->ui.answerOpen(plain);
        fx->main->mnuOpenDB_Click();
        QVERIFY(Module1::DBOpen);
        fx->ui.answerMsgBox(vb::vbOK).answerOpen(bad).answerMsgBox(vb::vbOK);
        fx->main->mnuOpenDB_Click();
        QVERIFY(!Module1::DBOpen);
        fx->ui.answerMsgBox(vb::vbOK);
        fx->main->SelectTab(1);
        fx->main->TabStrip1_Click();   // the user's click on the Edit/View tab

        fx->ui.answerOpen(path).answerModal([](QDialog&) {
            frmLogin& login = frmLogin::instance();
            login.txtUserName->setText(QStringLiteral("clerk"));
            login.txtPassword->setText(QStringLiteral("pa55"));
            login.cmdOK_Click();
            return int(QDialog::Accepted);
        });
        fx->main->mnuOpenDB_Click();
        QCOMPARE(fx->ui.messages(), (QStringList{
            QStringLiteral("Do you want to close current database: ") + plain + "?\r\n\r\nMake sure current changes have been saved. ",
            "Please Open A Ravelstow Database",
            "A Database File Is Not Currently Open"}));   // the refused file left nothing open
        QCOMPARE(fx->ui.pending(), 0);
        QVERIFY(Module1::DBOpen);
        DataInput& v = DataInput::instance();
        QVERIFY(v.IsLoaded());
        QCOMPARE(v.flddata[1]->text(), QStringLiteral("first"));
        QVERIFY(!v.flddata[1]->isEnabled());
        for (int i : {0, 1, 3, 4}) QVERIFY2(!v.cmdAction[size_t(i)]->isEnabled(), qPrintable(QString::number(i)));
        for (int i = 0; i < 4; ++i) QVERIFY2(v.cmdNegotiate[size_t(i)]->isEnabled(), qPrintable(QString::number(i)));
        v.cmdNegotiate_Click(2);
        QCOMPARE(v.flddata[1]->text(), QStringLiteral("second"));
        QCOMPARE(fx->ui.messages().size(), 3);
    }
};

RV_TEST(RestrictedSignInTest)
#include "RestrictedSignInTest.moc"
