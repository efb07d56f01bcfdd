#include "AccountsDb.h"
#include "accounts/frmLogin.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

class LoginTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    QString path;

    // Shows the login; the user types the name and password and presses OK once.
    // Message boxes shown meanwhile are answered OK (boxes of them).
    bool signIn(const QString& name, const QString& password, int boxes = 0) {
        fx->ui.answerModal([&](QDialog& d) {
            frmLogin& f = frmLogin::instance();
            QTest::keyClicks(f.txtUserName, name);
            QTest::keyClicks(f.txtPassword, password);
            f.cmdOK->click();
            return d.result();
        });
        for (int i = 0; i < boxes; ++i) fx->ui.answerMsgBox(vb::vbOK);
        return frmLogin::instance().Run();
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        path = accountsdb::makeDb(*fx);
        accountsdb::addAccount(path, QStringLiteral("Bob"), QStringLiteral("RESUSR"), QStringLiteral("s3cret"));
        accountsdb::addAccount(path, QStringLiteral("Carol"), QStringLiteral("suprvr"), QStringLiteral("pw"));
        accountsdb::addAccount(path, QStringLiteral("Dan"), QStringLiteral("SUPRVR"), QStringLiteral("x6"));
        accountsdb::addAccount(path, QStringLiteral("Nul"), QStringLiteral("RESUSR"), QVariant());
        accountsdb::open(path, QString(), QString());
    }
    void cleanup() {
        delete frmMain::existing();
        fx.reset();
    }

    void signInOutcome_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("level");   // empty: refused
        QTest::newRow("admin, empty password") << "Admin" << "" << "SUPRVR";
        QTest::newRow("name in other case") << "admin" << "" << "SUPRVR";
        QTest::newRow("restricted account") << "Bob" << "s3cret" << "RESUSR";
        QTest::newRow("unknown level is restricted") << "Carol" << "pw" << "RESUSR";
        QTest::newRow("wrong password") << "Bob" << "S3CRET" << "";
        QTest::newRow("unknown name") << "Zed" << "" << "";
        QTest::newRow("injection") << "' OR 1=1 OR UserName='" << "" << "";
        QTest::newRow("injection in password") << "Admin" << "' OR ''='" << "";
        // The scrambled forms of "x6" and "xV" ("YA" and "Ya") differ only in letter case.
        QTest::newRow("password case") << "Dan" << "xV" << "";
        QTest::newRow("password exact") << "Dan" << "x6" << "SUPRVR";
        QTest::newRow("stored null is no password") << "Nul" << "" << "";
    }
    void signInOutcome() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, level);
        const bool ok = signIn(name, password, level.isEmpty() ? 1 : 0);
        frmLogin& f = frmLogin::instance();
        QCOMPARE(ok, !level.isEmpty());
        QCOMPARE(f.LoginSucceeded, ok);
        if (ok) {
            QCOMPARE(Module1::GetCurrentUser(), name);
            QCOMPARE(Module1::GetCurrentUserLevel(), level);
            QVERIFY(fx->ui.messages().isEmpty());
            QCOMPARE(f.Dialog()->result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(fx->ui.messages(), QStringList{"Invalid Password, try again!"});
            QCOMPARE(fx->ui.titles(), QStringList{"Login"});
            QCOMPARE(fx->ui.requests.first().style, int(vb::vbOKOnly));
            QCOMPARE(f.txtPassword->selectedText(), password.left(8));   // the box holds 8
            QCOMPARE(f.txtUserName->text(), name);
            QVERIFY(Module1::GetCurrentUser().isEmpty());
        }
    }

    // Pasted text the scrambling would shorten, or longer than an account holds, matches no
    // account: not the one whose password is what is left, not Admin's empty one.
    void passwordsThatDoNotScrambleWholeNeverMatch_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("10,000 characters") << "Admin" << QString(10000, 'a');
        QTest::newRow("tab") << "Bob" << "s3cret\t";
        QTest::newRow("NUL") << "Bob" << QString("s3cret") + QChar(0);
    }
    void passwordsThatDoNotScrambleWholeNeverMatch() {
        QFETCH(QString, name);
        QFETCH(QString, password);
        int held = 0;
        fx->ui.answerModal([&](QDialog& d) {
            frmLogin& f = frmLogin::instance();
            f.txtUserName->setText(name);
            f.txtPassword->setText(password);
            held = int(f.txtPassword->text().size());
            f.cmdOK->click();
            f.cmdCancel->click();
            return d.result();
        });
        fx->ui.answerMsgBox(vb::vbOK);
        QVERIFY(!frmLogin::instance().Run());
        QVERIFY(held <= 8);
        QCOMPARE(fx->ui.messages(), QStringList{"Invalid Password, try again!"});
        QVERIFY(Module1::GetCurrentUser().isEmpty());
    }

    void emptyNameAsksForOne() {
        // No query runs: the file named is not even there.
        Module1::DBConnStr = testdb::connStr(fx->path("missing.mdb"));
        QVERIFY(!signIn(QString(), QStringLiteral("x"), 1));
        QCOMPARE(fx->ui.messages(), QStringList{"Please Enter a User Name"});
        QCOMPARE(fx->ui.titles(), QStringList{"User Login"});
    }

    void errorIsReportedAndSignsNobodyIn() {
        Module1::DBConnStr = testdb::connStr(fx->path("missing.mdb"));
        QVERIFY(!signIn(QStringLiteral("Admin"), QString(), 2));
        QCOMPARE(fx->ui.messages().size(), 2);
        QCOMPARE(fx->ui.messages().first(), QString::number(vb::err::E_FAIL_));
        QVERIFY(!frmLogin::instance().LoginSucceeded);
        QVERIFY(Module1::GetCurrentUser().isEmpty());
    }

    void eachShowingStartsEmptyAndSignedOut() {
        QVERIFY(signIn(QStringLiteral("Admin"), QString()));
        fx->ui.answerModal([&](QDialog&) {
            frmLogin& f = frmLogin::instance();
            [&] {
                QVERIFY(!f.LoginSucceeded);
                QVERIFY(f.txtUserName->text().isEmpty());
                QVERIFY(f.txtPassword->text().isEmpty());
                QVERIFY(f.txtPassword->echoMode() == QLineEdit::Password);
            }();
            return int(QDialog::Rejected);   // the window goes away without Cancel having run
        });
        QVERIFY(!frmLogin::instance().Run());
    }

    void cancelClosesTheDatabase_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }
    void cancelClosesTheDatabase() {
        QFETCH(int, how);
        frmMain& m = frmMain::instance();
        m.Quit = [] {};
        m.MDIForm_Load();
        m.TabStrip1->setEnabled(true);
        m.SetTabCaption(4, path);
        QVERIFY(signIn(QStringLiteral("Admin"), QString()));   // a success before must not carry over
        fx->ui.answerModal([&](QDialog& d) {
            frmLogin& f = frmLogin::instance();
            f.txtUserName->setText(QStringLiteral("Admin"));
            if (how == 0) f.cmdCancel->click();
            else if (how == 1) QTest::keyClick(&d, Qt::Key_Escape);
            else {
                d.show();
                d.close();
            }
            return d.result();
        });
        QVERIFY(!frmLogin::instance().Run());
        QVERIFY(!frmLogin::instance().LoginSucceeded);
        QVERIFY(Module1::CurrentDBPath.isEmpty());
        QVERIFY(Module1::CloseConfirmed);
        QVERIFY(m.TabCaption(4).isEmpty());
        QVERIFY(!m.TabStrip1->isEnabled());
        QVERIFY(!frmLogin::instance().Dialog()->isVisible());
    }
};

RV_TEST(LoginTest)
#include "LoginTest.moc"
