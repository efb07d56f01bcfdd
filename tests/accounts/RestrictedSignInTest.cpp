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
};

RV_TEST(RestrictedSignInTest)
#include "RestrictedSignInTest.moc"
