#include "AccountsDb.h"
#include "accounts/dlgUserSecur.h"
#include "accounts/frmLogin.h"
#include "accounts/frmUserSecurity.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"

#include "accounts/AccountStore.h"
#include "support/Faults.h"
#include "platform/core/Twips.h"
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <sqlite3.h>

using namespace testfaults;

namespace {
const QString kCurrentUser = QStringLiteral("Current User Is: %1\r\nCurrent User Cannot Be Deleted, Please Login As Admin And Delete User\"");
const QString kAdminDelete = QStringLiteral("Admin User Account Cannot Be Deleted.");
const QString kSpecial = QStringLiteral("User Name Cannot Contain Special Characters");
const QString kTooLong = QStringLiteral("User Name Cannot Be Longer then 8 Characters");
const QString kBlank = QStringLiteral("User Name cannot be blank.  Please add user or cancel.");
const QString kDuplicate = QStringLiteral("User Has Already Been Added, Please Add A New User");
const QString kReadOnly = QStringLiteral("Database is Read Only Please reset Flag, User Can not be added");

frmUserSecurity& list() { return frmUserSecurity::instance(); }
dlgUserSecur& dlg() { return dlgUserSecur::instance(); }

int rowOf(const QString& name) {
    for (int r = 0; r < list().adoSecur->rowCount(); ++r)
        if (list().adoSecur->NameAt(r) == name) return r;
    return -1;
}

}  // namespace

class AccountMaintenanceTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    QString path;

    // Runs the properties dialog from the list's Add or Properties; `user` plays the user.
    void runDialog(bool add, std::function<void()> user) {
        fx->ui.answerModal([user](QDialog&) {
            user();
            return 0;
        });
        if (add) list().cmdAdd_Click();
        else list().cmdProperties_Click();
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        path = accountsdb::makeDb(*fx);
        accountsdb::addAccount(path, QStringLiteral("Bob"), QStringLiteral("RESUSR"), QStringLiteral("s3cret"));
        accountsdb::open(path);
        list().bUserExist = false;
        Module1::AddUserMode = false;
        Module1::SelUserName.clear();
    }
    void cleanup() {
        dlg().Unload();
        fx.reset();
    }

    // The list shows its accounts in whole rows, and the window ends a margin under its buttons.
    void menuShowsTheListAndCloseBoxUnloadsIt() {
        accountsdb::addAccount(path, QStringLiteral("Carol"), QStringLiteral("RESUSR"), QStringLiteral("x"));
        frmMain& m = frmMain::instance();
        m.Quit = [] {};
        m.MDIForm_Load();
        int rows = 0, whole = 0, below = -1;
        fx->ui.answerModal([&](QDialog& d) {
            rows = list().adoSecur->rowCount();
            [&] { QCOMPARE(d.windowTitle(), QStringLiteral("User Maintenance")); }();
            d.show();
            QTableView* grid = list().grdUserSecur;
            for (int r = 0; r < rows; ++r) whole += grid->viewport()->rect().contains(grid->visualRect(list().adoSecur->index(r, 0)));
            below = d.height() - 1 - list().cmdAdd->geometry().bottom();
            d.close();
            return 0;
        });
        m.mnuUserMaint_Click();
        delete frmMain::existing();
        QCOMPARE(rows, 3);
        QCOMPARE(whole, 3);
        QVERIFY2(below >= 0 && below <= vb::twipsToPx(180), qPrintable(QString::number(below)));
        QVERIFY(!list().IsLoaded());
    }

    void buttonsFollowTheLevel_data() {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("supervisor") << "SUPRVR" << false << true;
        QTest::newRow("restricted") << "RESUSR" << false << false;
        QTest::newRow("other case") << "suprvr" << false << false;
        QTest::newRow("supervisor, no accounts") << "SUPRVR" << true << true;
        QTest::newRow("restricted, no accounts") << "RESUSR" << true << false;
    }
    void buttonsFollowTheLevel() {
        QFETCH(QString, level);
        QFETCH(bool, empty);
        QFETCH(bool, enabled);
        if (empty) testdb::exec(path, "DELETE FROM UserProfile");
        Module1::SetCurrentUserLevel(level);
        list().Load();
        QCOMPARE(list().cmdAdd->isEnabled(), enabled);
        QCOMPARE(list().cmdDelete->isEnabled(), enabled);
        QCOMPARE(list().cmdProperties->isEnabled(), enabled);
        QVERIFY(list().cmdExit->isEnabled());
        QCOMPARE(Module1::AddUserMode, empty);
    }

    // Add a restricted account, sign in as it, then delete it.
    void addSignInDelete() {
        list().Load();
        runDialog(true, [] {
            QVERIFY(dlg().AddMode());
            QVERIFY(dlg().OptResUser->isChecked());
            QTest::keyClicks(dlg().txtusernme, QStringLiteral("carol"));
            dlg().txtfullnme->setText(QStringLiteral("Carol Reed"));
            QTest::keyClicks(dlg().txtPasswrd, QStringLiteral("pa55word"));
            dlg().OKButton->click();   // straight from the password box: no focus change first
        });
        QVERIFY(fx->ui.messages().isEmpty());
        QVERIFY(!dlg().IsLoaded());
        QVERIFY(!Module1::AddUserMode);
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob", "carol"}));
        QCOMPARE(accountsdb::column(path, "UserLevel").last(), QStringLiteral("RESUSR"));
        const QString stored = accountsdb::passwordOf(path, QStringLiteral("carol")).toString();
        QVERIFY(stored != QStringLiteral("pa55word"));
        QCOMPARE(stored, CryptPassWrd(QStringLiteral("pa55word")));
        QVERIFY(list().grdUserSecur->isColumnHidden(4));   // the list never shows passwords

        fx->ui.answerModal([](QDialog& d) {
            frmLogin::instance().txtUserName->setText(QStringLiteral("Carol"));
            frmLogin::instance().txtPassword->setText(QStringLiteral("pa55word"));
            frmLogin::instance().cmdOK_Click();
            return d.result();
        });
        QVERIFY(frmLogin::instance().Run());
        QCOMPARE(Module1::GetCurrentUserLevel(), QStringLiteral("RESUSR"));

        Module1::SetCurrentUser(QStringLiteral("Admin"));
        Module1::SetCurrentUserLevel(QStringLiteral("SUPRVR"));
        list().grdUserSecur_Click(rowOf(QStringLiteral("carol")));
        QCOMPARE(Module1::SelUserName, QStringLiteral("carol"));
        list().cmdDelete_Click();
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));
        QCOMPARE(list().adoSecur->rowCount(), 2);
        QVERIFY(fx->ui.messages().isEmpty());
    }

    void deleteRefusals_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("current user") << "Bob" << "Bob" << kCurrentUser.arg("Bob") << "Delete User";
        QTest::newRow("current user typed in other case") << "bOB" << "Bob" << kCurrentUser.arg("bOB") << "Delete User";
        QTest::newRow("Admin") << "Bob" << "Admin" << kAdminDelete << "User Accounts";
        QTest::newRow("ADMIN") << "Bob" << "ADMIN" << kAdminDelete << "User Accounts";
    }
    void deleteRefusals() {
        QFETCH(QString, current);
        QFETCH(QString, pick);
        QFETCH(QString, message);
        QFETCH(QString, title);
        accountsdb::addAccount(path, QStringLiteral("ADMIN"), QStringLiteral("SUPRVR"), QString());
        Module1::SetCurrentUser(current);
        list().Load();
        list().grdUserSecur_Click(rowOf(pick));
        fx->ui.answerMsgBox(vb::vbOK);
        list().cmdDelete_Click();
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QCOMPARE(accountsdb::column(path, "UserName").size(), 3);
    }

    void deleteRemovesThePickedRowOnly() {
        accountsdb::addAccount(path, QStringLiteral("bob"), QStringLiteral("RESUSR"), QString());
        Module1::SetCurrentUser(QStringLiteral("Admin"));
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("bob")));
        list().cmdDelete_Click();
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));
    }

    void deleteFollowsTheHighlightMovedWithTheKeys() {
        accountsdb::addAccount(path, QStringLiteral("carol"), QStringLiteral("RESUSR"), QString());
        Module1::SetCurrentUser(QStringLiteral("Admin"));
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        list().grdUserSecur->selectionModel()->setCurrentIndex(list().adoSecur->index(rowOf(QStringLiteral("carol")), 0),
                                                               QItemSelectionModel::ClearAndSelect);
        list().cmdDelete_Click();
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));
    }

    void renamingTheSignedInAccountKeepsItProtected() {
        Module1::SetCurrentUser(QStringLiteral("bob"));
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        runDialog(false, [] {
            dlg().txtusernme->setText(QStringLiteral("Robert"));
            dlg().OKButton_Click();
        });
        QCOMPARE(Module1::GetCurrentUser(), QStringLiteral("Robert"));
        list().grdUserSecur_Click(rowOf(QStringLiteral("Robert")));
        fx->ui.answerMsgBox(vb::vbOK);
        list().cmdDelete_Click();
        QCOMPARE(fx->ui.titles(), QStringList{"Delete User"});
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Robert"}));
    }

    void deleteNeedsAPickOfThisShowing() {
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        list().cmdExit_Click();
        QCOMPARE(Module1::SelUserName, QStringLiteral("Bob"));
        list().Load();
        list().cmdDelete_Click();
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));
        QVERIFY(fx->ui.messages().isEmpty());
    }

    void failedDeleteIsReported() {
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        {
            OtherProgramLock lock(path);
            fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
            list().cmdDelete_Click();
        }
        QCOMPARE(fx->ui.messages().first(), QString::number(vb::err::E_FAIL_));
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));
        QCOMPARE(list().PickedKey() != 0, true);
    }

    void nameKeysAndValidation() {
        list().Load();
        runDialog(true, [this] {
            fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
            QTest::keyClicks(dlg().txtusernme, QStringLiteral("a1b c"));
            QCOMPARE(dlg().txtusernme->text(), QStringLiteral("abc"));
            QCOMPARE(fx->ui.messages(), (QStringList{kSpecial, kSpecial}));
            QCOMPARE(fx->ui.titles().first(), QStringLiteral("Ravelstow"));
            QTest::keyClick(dlg().txtusernme, Qt::Key_Backspace);
            QCOMPARE(dlg().txtusernme->text(), QStringLiteral("ab"));
            fx->ui.clear();

            bool cancel = false;
            dlg().txtusernme->setText(QStringLiteral("abcdefgh"));   // 8: accepted
            dlg().txtusernme_Validate(cancel);
            QVERIFY(!cancel);
            fx->ui.answerMsgBox(vb::vbOK);
            dlg().txtusernme->setText(QStringLiteral("abcdefghi"));  // pasted 9
            dlg().txtusernme_Validate(cancel);
            QVERIFY(cancel);
            QVERIFY(dlg().txtusernme->text().isEmpty());
            fx->ui.answerMsgBox(vb::vbOK);
            cancel = false;
            dlg().txtusernme->setText(QStringLiteral("ab-cd"));      // pasted punctuation
            dlg().txtusernme_Validate(cancel);
            QVERIFY(cancel);
            QCOMPARE(fx->ui.messages(), (QStringList{kTooLong, kSpecial}));
            dlg().CancelButton->click();
        });
        QCOMPARE(accountsdb::column(path, "UserName").size(), 2);
    }

    // Blank and duplicate names are refused when adding and when editing.
    void nameRefusals_data() {
        QTest::addColumn<bool>("add");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("add, blank") << true << "" << kBlank << "Add User";
        QTest::newRow("add, existing") << true << "Bob" << kDuplicate << "Ravelstow";
        QTest::newRow("add, existing in other case") << true << "aDMIN" << kDuplicate << "Ravelstow";
        QTest::newRow("edit, blank") << false << "" << kBlank << "Add User";
        QTest::newRow("edit, another account's name") << false << "admin" << kDuplicate << "Ravelstow";
    }
    void nameRefusals() {
        QFETCH(bool, add);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, title);
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        runDialog(add, [&] {
            fx->ui.answerMsgBox(vb::vbOK);
            dlg().txtusernme->setText(name);
            dlg().OKButton_Click();
            QVERIFY(dlg().IsLoaded());
            dlg().CancelButton_Click();
        });
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));
    }

    void editKeepsOrReplacesThePassword() {
        const QString before = accountsdb::passwordOf(path, QStringLiteral("Bob")).toString();
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        runDialog(false, [] {
            QVERIFY(!dlg().AddMode());
            QCOMPARE(dlg().txtusernme->text(), QStringLiteral("Bob"));
            QVERIFY(dlg().OptResUser->isChecked());
            bool cancel = false;
            dlg().txtPasswrd_Validate(cancel);   // entered and left without typing
            dlg().txtuserdescp->setText(QStringLiteral("Clerk"));
            dlg().OptSuperv->setChecked(true);
            dlg().OKButton_Click();
        });
        QCOMPARE(accountsdb::passwordOf(path, QStringLiteral("Bob")).toString(), before);
        QCOMPARE(accountsdb::column(path, "UserDescription").last(), QStringLiteral("Clerk"));
        QCOMPARE(accountsdb::column(path, "UserLevel").last(), QStringLiteral("SUPRVR"));

        runDialog(false, [] {
            dlg().txtPasswrd->selectAll();
            QTest::keyClicks(dlg().txtPasswrd, QStringLiteral("n3w"));
            bool cancel = false;
            dlg().txtPasswrd_Validate(cancel);
            QCOMPARE(dlg().txtPasswrd->text(), CryptPassWrd(QStringLiteral("n3w")));
            dlg().txtPasswrd_Validate(cancel);   // not scrambled twice
            dlg().OKButton_Click();
        });
        QCOMPARE(accountsdb::passwordOf(path, QStringLiteral("Bob")).toString(), CryptPassWrd(QStringLiteral("n3w")));
    }

    // The password box holds at most the column's 8 characters: a ninth typed one is refused as a
    // full box refuses it, a longer text pasted in is refused whole with a message, never cut.
    void passwordBoxHoldsEightCharacters() {
        list().Load();
        runDialog(true, [this] {
            QTest::keyClicks(dlg().txtusernme, QStringLiteral("dave"));
            QTest::keyClicks(dlg().txtPasswrd, QStringLiteral("123456789"));
            QCOMPARE(dlg().txtPasswrd->text(), QStringLiteral("12345678"));
            QVERIFY(fx->ui.messages().isEmpty());
            dlg().txtPasswrd->clear();
            QApplication::clipboard()->setText(QStringLiteral("abcdefghijkl"));
            fx->ui.answerMsgBox(vb::vbOK);
            dlg().txtPasswrd->paste();
            QCOMPARE(dlg().txtPasswrd->text(), QString());
            QApplication::clipboard()->setText(QStringLiteral("abcdefgh"));
            dlg().txtPasswrd->paste();
            QCOMPARE(dlg().txtPasswrd->text(), QStringLiteral("abcdefgh"));
            dlg().OKButton_Click();
        });
        QCOMPARE(fx->ui.messages(), QStringList{"Password Cannot Be Longer Than 8 Characters"});
        QCOMPARE(fx->ui.titles(), QStringList{"Ravelstow"});
        QCOMPARE(accountsdb::passwordOf(path, QStringLiteral("dave")).toString(), CryptPassWrd(QStringLiteral("abcdefgh")));
    }

    // The store refuses a password longer than its column however it is reached, and scrambles
    // every password of up to 8 characters as it always has, so stored accounts still sign in.
    void storeRefusesLongPasswords() {
        const QString conn = testdb::connStr(path);
        auto refused = [](auto&& f) {
            try {
                f();
            } catch (const vb::VbError& e) {
                return e.number == vb::err::DB_E_ERRORSOCCURRED;
            }
            return false;
        };
        QVERIFY(refused([] { accounts::StoredPassword(QStringLiteral("123456789")); }));
        QVERIFY(refused([] { accounts::StoredPassword(QString(10000, QLatin1Char('x'))); }));
        QVERIFY(refused([] { accounts::StoredPassword(QStringLiteral("Pässwörd")); }));   // 10 bytes
        for (const QString& p : {QStringLiteral("s3cret\t"), QStringLiteral("s3\x01"), QString("s3") + QChar(0)})
            QVERIFY(refused([&] { accounts::StoredPassword(p); }));   // control characters do not scramble whole
        accounts::Account a;
        a.UserName = QStringLiteral("eve");
        a.UserLevel = accounts::kRestricted;
        a.PassWrd = QStringLiteral("123456789");
        QVERIFY(refused([&] { accounts::AddAccount(conn, a); }));
        QCOMPARE(accountsdb::column(path, "UserName"), (QStringList{"Admin", "Bob"}));

        // An account stored long before (by an older build) can still be edited while its password
        // is left alone; a new long one is refused.
        testdb::exec(path, "UPDATE UserProfile SET PassWrd = 'abcdefghij' WHERE UserName = 'Bob'");
        const qint64 bobKey = accountsdb::connect(path).Scalar("SELECT _rowid_ FROM UserProfile WHERE UserName = 'Bob'").toLongLong();
        std::optional<accounts::Account> bob = accounts::FindAccount(conn, bobKey);
        QVERIFY(bob);
        bob->FullName = QStringLiteral("Robert");
        QVERIFY(accounts::UpdateAccount(conn, *bob));
        bob->PassWrd = QStringLiteral("zyxwvutsrq");
        QVERIFY(refused([&] { accounts::UpdateAccount(conn, *bob); }));
        QCOMPARE(accountsdb::passwordOf(path, QStringLiteral("Bob")).toString(), QStringLiteral("abcdefghij"));

        // Up to 8 characters: the scrambled form of today.
        QCOMPARE(accounts::StoredPassword(QString()), QString());
        QCOMPARE(accounts::StoredPassword(QStringLiteral("secret")),
                 QString::fromLatin1(QByteArray::fromHex("5470447d467f")));
        QCOMPARE(accounts::StoredPassword(QStringLiteral("Admin")), QString::fromLatin1(QByteArray::fromHex("226f4e744f")));
        for (const QString& p : {QStringLiteral("pa55word"), QStringLiteral("12345678"), QStringLiteral("Pässwö")})
            QCOMPARE(accounts::StoredPassword(p), CryptPassWrd(p));
    }

    void adminKeepsNameAndLevel() {
        list().Load();   // current row: Admin
        runDialog(false, [] {
            QVERIFY(!dlg().txtusernme->isEnabled());
            QVERIFY(!dlg().OptSuperv->isEnabled());
            QVERIFY(!dlg().OptResUser->isEnabled());
            QVERIFY(dlg().OptSuperv->isChecked());
            QVERIFY(dlg().txtfullnme->isEnabled());
            dlg().txtfullnme->setText(QStringLiteral("Boss"));
            QTest::keyClicks(dlg().txtPasswrd, QStringLiteral("root"));
            dlg().OKButton_Click();
        });
        QCOMPARE(accountsdb::column(path, "FullName").first(), QStringLiteral("Boss"));
        QCOMPARE(accountsdb::column(path, "UserLevel").first(), QStringLiteral("SUPRVR"));
        QCOMPARE(accountsdb::passwordOf(path, QStringLiteral("Admin")).toString(), CryptPassWrd(QStringLiteral("root")));
    }

    void unknownLevelIsStoredRestricted() {
        testdb::exec(path, "UPDATE UserProfile SET UserLevel = 'Boss' WHERE UserName = 'Bob'");
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        runDialog(false, [] {
            QVERIFY(!dlg().OptSuperv->isChecked());
            QVERIFY(!dlg().OptResUser->isChecked());
            dlg().OKButton_Click();
        });
        QCOMPARE(accountsdb::column(path, "UserLevel").last(), QStringLiteral("RESUSR"));
    }

    void missingAccountIsNotOverwritten() {
        list().Load();
        list().grdUserSecur_Click(rowOf(QStringLiteral("Bob")));
        testdb::exec(path, "DELETE FROM UserProfile WHERE UserName = 'Bob'");
        runDialog(false, [] {
            QVERIFY(dlg().txtusernme->text().isEmpty());
            QVERIFY(dlg().OptResUser->isChecked());
            QVERIFY(!dlg().OKButton->isEnabled());
            dlg().txtusernme->setText(QStringLiteral("Eve"));
            dlg().OKButton_Click();
            dlg().CancelButton_Click();
        });
        QCOMPARE(accountsdb::column(path, "UserName"), QStringList{"Admin"});
    }

    void propertiesAfterAnAbandonedAddEdits() {
        list().Load();
        runDialog(true, [] { dlg().CancelButton->click(); });
        QVERIFY(Module1::AddUserMode);
        runDialog(false, [] {
            QVERIFY(!dlg().AddMode());
            QCOMPARE(dlg().txtusernme->text(), QStringLiteral("Admin"));
            dlg().CancelButton_Click();
        });
    }

    // A lock or a full disk is named, and the account stays in the open dialog to be saved again.
    void failedAddNamesTheCauseAndKeepsTheWindows_data() {
        QTest::addColumn<QString>("message");
        QTest::newRow("locked") << "Database is Locked by another program, the account was not saved. Please try again later.";
        QTest::newRow("full disk") << "Disk is Full, the account was not saved. Please free some space.";
    }
    void failedAddNamesTheCauseAndKeepsTheWindows() {
        QFETCH(QString, message);
        const bool locked = QByteArray(QTest::currentDataTag()) == "locked";
        list().Load();
        bool stillOpen = false;
        runDialog(true, [&] {
            dlg().txtusernme->setText(QStringLiteral("Zed"));
            {
                std::unique_ptr<OtherProgramLock> lock;
                std::unique_ptr<FileSizeLimit> full;
                if (locked) lock = std::make_unique<OtherProgramLock>(path);
                else full = std::make_unique<FileSizeLimit>(1024);   // not even the journal fits
                fx->ui.answerMsgBox(vb::vbOK);
                dlg().OKButton_Click();
            }
            stillOpen = dlg().IsLoaded() && list().IsLoaded();
            dlg().CancelButton_Click();
        });
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QVERIFY(stillOpen);
        QCOMPARE(accountsdb::column(path, "UserName").size(), 2);
    }
};

RV_TEST(AccountMaintenanceTest)
#include "AccountMaintenanceTest.moc"
