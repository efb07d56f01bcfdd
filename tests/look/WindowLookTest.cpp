// Every window and dialog of the program, opened as a user opens it and walked at its default
// size: captions that fit their controls, the program's icon, windows wholly on the main window's
// screen, child views that fill their frames in the form colour. A new window is covered by one
// more entry in openings().
#include "look/WindowWalk.h"
#include "platform/ui/FormWidgets.h"

#include "accounts/frmLogin.h"
#include "accounts/frmUserSecurity.h"
#include "create/CreateDatabase.h"
#include "create/frmDtaTransfer.h"
#include "entry/DataInput.h"
#include "entry/DlgEntryDte.h"
#include "import/XlsFixture.h"
#include "platform/core/Colors.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/FrmMailLbls.h"
#include "search/DlgToFrmDte.h"
#include "search/frmSearch.h"
#include "platform/ui/QtUiServices.h"
#include "platform/ui/WindowLook.h"
#include "shell/HelpWindow.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QDebug>
#include <QDialog>
#include <QFile>
#include <QInputDialog>
#include <QProcess>
#include <QScreen>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

// The main window started on a 1024x768 screen: its frame, title bar included, lies inside the
// screen's available area. Prints both and returns 0 when it does.
int mainOnSmallScreen(const QStringList&) {
    Fixture fx(Fixture::WithMainWindow);
    fx.main->show();
    QCoreApplication::processEvents();
    const QRect frame = vb::FrameOf(fx.main), screen = fx.main->screen()->availableGeometry();
    printf("frame %s screen %s\n", qPrintable(QDebug::toString(frame)), qPrintable(QDebug::toString(screen)));
    return screen.contains(frame) && screen.size() == QSize(1024, 768) ? 0 : 1;
}
RV_TEST_CHILD(mainOnSmallScreen, mainOnSmallScreen)

// Twenty fields of every type, with names as long as users give them.
testdb::Rows twentyFields() {
    const char* types[] = {"Text", "Number/Integer", "Number/Double", "Date/Time", "Currency", "True/False", "FilePath"};
    const char* names[] = {"Customer Name", "Street Address", "Town", "Postcode", "Telephone", "Date Of Purchase",
                           "Amount Paid", "Paid In Full", "Invoice Scan", "Serial Number", "Warranty Ends",
                           "Colour", "Weight In Kg", "Quantity", "Supplier", "Order Number", "Delivered",
                           "Price Each", "Manual", "Remarks"};
    testdb::Rows rows;
    for (int i = 0; i < 20; ++i) {
        const QString type = QString::fromLatin1(types[i % 7]);
        rows.append({QString::fromLatin1(names[i]), type, type == QLatin1String("Number/Double") ? QStringLiteral("2") : QString()});
    }
    return rows;
}

}  // namespace

class WindowLookTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    QStringList problems;

    frmMain& main() { return *fx->main; }

    QColor formColour() const { return vb::winRgbToQColor(uint32_t(vb::colourFromText(Module1::GetFrmColor()))); }

    // Every window that shows now, and every child view in the main window.
    void walkAll(const QString& when) {
        QCoreApplication::processEvents();
        QStringList found;
        const bool focusWalk = QByteArray(QTest::currentTestFunction()) == "everyControlShowsItsFocus";
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) continue;
            found << (focusWalk ? look::FocusProblems(w) : look::ProblemsOfWindow(w));
        }
        for (QMdiSubWindow* sub : main().MdiArea->subWindowList())
            if (sub->isVisible() && !focusWalk) found << look::ProblemsOfChildView(sub, formColour());
        // The active view's frame covers the document area: no bare band, no other frame beside it.
        const QRect area = main().MdiArea->viewport()->rect();
        if (QMdiSubWindow* active = main().MdiArea->activeSubWindow(); active && active->isVisible()) {
            const QRect g = active->geometry();
            if (g.left() > 1 || g.top() > 1 || g.right() < area.right() || g.bottom() < area.bottom())
                found << QStringLiteral("the active frame %1 leaves part of the document area %2 uncovered")
                             .arg(QDebug::toString(g), QDebug::toString(area));
        }
        for (const QString& p : found) problems << when + ": " + p;
    }

    // A modal window's answer that walks everything while it shows, then closes it as its
    // title-bar button does.
    std::function<int(QDialog&)> walkModal(const QString& when, std::function<void(QDialog&)> then = {}) {
        return [this, when, then](QDialog& d) {
            d.show();
            walkAll(when);
            if (then) then(d);
            d.reject();
            return int(QDialog::Rejected);
        };
    }

    // Fourteen fields with the same long beginning, as imported tables name them.
    QString longNamesDb() {
        testdb::Rows rows;
        for (int i = 1; i <= 14; ++i) rows.append({QStringLiteral("Customer_Description_Field_%1").arg(i, 2, 10, QLatin1Char('0')), "Text", ""});
        const QString path = testdb::build(fx->path("long.mdb"), rows, true, 1);
        testdb::addRows(path, QStringLiteral("Customer_Description_Field_01"), 2);
        return path;
    }

    void openMaximised() {
        openDb(sampleDb());
        main().MdiArea->activeSubWindow()->showMaximized();
        DataInput::instance().Form_Activate();
    }

    // The sample database with a few records.
    QString sampleDb(bool security = false) {
        const QString path = testdb::buildSample(fx->path(security ? "secured.mdb" : "sample.mdb"), security);
        testdb::addRows(path, QStringLiteral("Name"), 3);
        // The first account as a new database gets it, and a restricted one.
        if (security)
            testdb::exec(path, "INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) VALUES "
                               "('Admin', 'Administrator', 'Admin Has Full Rights On Database', 'SUPRVR', ''), "
                               "('Clerk', 'Front Desk', 'Looks records up', 'RESUSR', '')");
        return path;
    }

    // Opens the file with the Open command; `login` answers the login of a file with accounts.
    void openDb(const QString& path, std::function<int(QDialog&)> login = {}) {
        fx->ui.answerOpen(path);
        if (login) fx->ui.answerModal(std::move(login));
        main().mnuOpenDB_Click();
    }

    void openSecured() {
        openDb(sampleDb(true), [](QDialog& d) {
            frmLogin& f = frmLogin::instance();
            QTest::keyClicks(f.txtUserName, QStringLiteral("Admin"));
            f.cmdOK->click();
            return d.result();
        });
    }

public:
    // One way a user opens windows of the program; the walk checks whatever then shows, and
    // modal windows are walked while they show (walkModal).
    struct Opening {
        const char* name;
        std::function<void(WindowLookTest&)> open;
    };

    static QList<Opening> openings() {
        return {
            {"start", [](WindowLookTest&) {}},
            {"definition form", [](WindowLookTest& t) { t.main().mnuCreateDB_Click(); }},
            {"definition form with 20 fields",
             [](WindowLookTest& t) {
                 t.main().mnuCreateDB_Click();
                 CreateDatabase& f = CreateDatabase::instance();
                 f.txtNoFields->setText(QStringLiteral("20"));
                 f.cmdInitialize->click();
             }},
            {"entry view", [](WindowLookTest& t) { t.openDb(t.sampleDb()); }},
            {"entry view maximised, as a new database leaves it", [](WindowLookTest& t) { t.openMaximised(); }},
            {"search view over a maximised entry view",
             [](WindowLookTest& t) {
                 t.openMaximised();
                 t.main().SelectTab(2);
             }},
            {"entry view with 20 fields",
             [](WindowLookTest& t) { t.openDb(testdb::build(t.fx->path("twenty.mdb"), twentyFields(), true, 20)); }},
            {"entry view after a field rename",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.fx->ui.answerMsgBox(vb::vbOK).answerInput(QStringLiteral("Full Name"));
                 DataInput::instance().Label1_DblClick(1);
             }},
            {"search view",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.main().SelectTab(2);
             }},
            {"reports view",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.main().SelectTab(3);
             }},
            {"entry view for a restricted user",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb(true), [](QDialog& d) {
                     QTest::keyClicks(frmLogin::instance().txtUserName, QStringLiteral("Clerk"));
                     frmLogin::instance().cmdOK->click();
                     return d.result();
                 });
             }},
            {"search view with a date range",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.main().SelectTab(2);
                 frmSearch& s = frmSearch::instance();
                 t.fx->ui.answerModal([](QDialog&) {
                     DlgToFrmDte::instance().OKButton_Click();
                     return int(QDialog::Accepted);
                 });
                 for (size_t i = 0; i < s.chfldSrch.size(); ++i)
                     if (s.chfldSrch[i]->text() == QLatin1String("Born")) s.chfldSrch[i]->setChecked(true);
             }},
            {"search view with long names", [](WindowLookTest& t) { t.openDb(t.longNamesDb()); t.main().SelectTab(2); }},
            {"reports view with long names", [](WindowLookTest& t) { t.openDb(t.longNamesDb()); t.main().SelectTab(3); }},
            {"date dialog",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("date dialog")));
                 DlgEntryDte::instance().ShowModal();
             }},
            {"date range dialog",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.main().SelectTab(2);
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("date range dialog")));
                 DlgToFrmDte::instance().ShowModal();
             }},
            {"spreadsheet export choice",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("spreadsheet export choice")));
                 FrmExpToExcel::instance().ShowModal();
             }},
            {"database export choice",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("database export choice")));
                 frmGenDB::instance().ShowModal();
             }},
            {"mailing labels",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb());
                 FrmMailLbls::instance().Show();
             }},
            {"login",
             [](WindowLookTest& t) {
                 t.openDb(t.sampleDb(true), t.walkModal(QStringLiteral("login")));
             }},
            {"account list",
             [](WindowLookTest& t) {
                 t.openSecured();
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("account list")));
                 t.main().mnuUserMaint_Click();
             }},
            {"account properties",
             [](WindowLookTest& t) {
                 t.openSecured();
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("account list"), [](QDialog&) {
                     frmUserSecurity::instance().cmdAdd->click();
                 }));
                 t.fx->ui.answerModal(t.walkModal(QStringLiteral("account properties")));
                 t.main().mnuUserMaint_Click();
             }},
            {"about", [](WindowLookTest& t) { t.main().mnuAbout_Click(); }},
            {"help",
             [](WindowLookTest&) {
                 vb::CommonDialog dlg;
                 dlg.HelpFile = Module1::HelpFilePath;
                 dlg.HelpCommand = vb::cdlHelpContents;
                 HelpWindow::instance().ShowHelp(dlg);
             }},
            {"import window",
             [](WindowLookTest& t) {
                 const QString book = t.fx->path("book.xls");
                 QVERIFY2(xlsfixture::makeStandard(book), "python3-xlwt makes the workbook");
                 t.fx->ui.answerOpen(book);
                 vb::CommonDialog dlg;
                 ImportExcelTable(dlg);
             }},
        };
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        main().show();
        problems.clear();
    }
    void cleanup() {
        HelpWindow::instance().Close();
        FrmMailLbls::instance().Unload();
        fx.reset();
    }

    void everyWindowShowsWhole_data() {
        QTest::addColumn<int>("opening");
        const QList<Opening> all = openings();
        for (int i = 0; i < all.size(); ++i) QTest::newRow(all[i].name) << i;
    }
    void everyWindowShowsWhole() {
        QFETCH(int, opening);
        const Opening o = openings().at(opening);
        o.open(*this);
        walkAll(QString::fromLatin1(o.name));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Every control that takes the focus shows a focus frame while it has it, in every window.
    void everyControlShowsItsFocus_data() { everyWindowShowsWhole_data(); }
    void everyControlShowsItsFocus() { everyWindowShowsWhole(); }

    // A child view fills its frame in the form colour whatever size the frame is given.
    void childViewsFillTheirFramesAtAnySize() {
        openDb(sampleDb());
        for (int tab : {1, 2, 3}) {
            main().SelectTab(tab);
            QCoreApplication::processEvents();
            QMdiSubWindow* sub = main().MdiArea->activeSubWindow();
            QVERIFY(sub);
            const QSize design = sub->size();
            for (QSize size : {design + QSize(160, 120), design + QSize(400, 0), design + QSize(0, 300)}) {
                sub->resize(size);
                QCoreApplication::processEvents();
                for (const QString& p : look::ProblemsOfChildView(sub, formColour()))
                    problems << QStringLiteral("tab %1 at %2x%3: %4").arg(tab).arg(size.width()).arg(size.height()).arg(p);
            }
            sub->resize(design);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Message boxes are wide enough for their whole title, even when their only text is a number.
    void messageBoxesShowTheirWholeTitle_data() {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::newRow("error number") << QStringLiteral("-2147467259") << int(vb::vbOKOnly) << QStringLiteral("Ravelstow");
        QTest::newRow("short text, long title") << QStringLiteral("Overwrite Database?") << int(vb::vbOKCancel)
                                                << QStringLiteral("Database already Exists.");
        QTest::newRow("question") << QStringLiteral("Create A New Database File?") << int(vb::vbOKCancel)
                                  << QStringLiteral("Create Ravelstow Database");
        QTest::newRow("long text") << QStringLiteral("Data View is in Edit Mode, Please Save Or Cancel The Current Record First.")
                                   << int(vb::vbOKOnly) << QStringLiteral("Data Entry");
    }
    void messageBoxesShowTheirWholeTitle() {
        QFETCH(QString, prompt);
        QFETCH(int, style);
        QFETCH(QString, title);
        const std::unique_ptr<QMessageBox> box = vb::QtUiServices::NewMessageBox(prompt, style, title, &main());
        box->show();
        QCoreApplication::processEvents();
        QVERIFY2(box->width() >= vb::WidthForTitle(title),
                 qPrintable(QStringLiteral("%1 px for a title that needs %2").arg(box->width()).arg(vb::WidthForTitle(title))));
        const QStringList found = look::ProblemsOfWindow(box.get());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // A user's field name is drawn a little smaller when it is wider than its label, and cut
    // with "..." (whole in the tooltip) only when even the least size is too wide.
    void longNamesShrinkThenCut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<bool>("whole");
        QTest::newRow("fits") << QStringLiteral("Date Of Purchase") << false << true;
        QTest::newRow("a little long") << QStringLiteral("Manufacturer Serial Reference Code") << true << true;
        QTest::newRow("far too long") << QStringLiteral("Name Of The Person Who Signed For The Delivery At The Door") << true
                                      << false;
    }
    void longNamesShrinkThenCut() {
        QFETCH(QString, name);
        QFETCH(bool, smaller);
        QFETCH(bool, whole);
        vb::FittingLabel label(name);
        QFont bold(QStringLiteral("Arial"));
        bold.setPointSizeF(8.25);
        bold.setBold(true);
        label.setFont(bold);
        vb::PlaceTwips(&label, 0, 0, 2775, 255);   // a field label of the entry view
        QCOMPARE(label.text(), name);
        QCOMPARE(label.CaptionFont().pointSizeF() < 8.25, smaller);
        QVERIFY(label.CaptionFont().pointSizeF() >= vb::FittingLabel::kLeastPoints);
        QCOMPARE(label.CaptionText() == name, whole);
        if (!whole) QVERIFY(label.CaptionText().endsWith(QChar(0x2026)));
        QVERIFY(QFontMetrics(label.CaptionFont()).horizontalAdvance(label.CaptionText()) <= label.contentsRect().width());
    }

    // The input box is wide enough for its whole title.
    void inputBoxShowsItsWholeTitle() {
        const auto box = vb::QtUiServices::NewInputBox(QStringLiteral("Enter The New Field Name"),
                                                       QStringLiteral("Change Field Name"), QStringLiteral("Name"), &main());
        box->show();
        QCoreApplication::processEvents();
        const QStringList found = look::ProblemsOfWindow(box.get());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // On a 1024x768 screen the main window with its title bar lies inside the screen.
    void mainWindowFitsASmallScreen() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString config = fx->path("screen.json");
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly) &&
                f.write(R"({"screens":[{"name":"small","x":0,"y":0,"width":1024,"height":768,"logicalDpi":96}]})") > 0);
        f.close();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QStringLiteral("mainOnSmallScreen")});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardOutput().constData());
    }

    // A window larger than the screen, or placed past its edge, is brought wholly onto it.
    void windowsAreKeptOnTheScreen_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 1280, 1024);
        QTest::newRow("inside") << QRect(100, 100, 400, 300) << QRect(100, 100, 400, 300);
        QTest::newRow("past the bottom right") << QRect(1000, 900, 760, 640) << QRect(520, 384, 760, 640);
        QTest::newRow("above and left") << QRect(-50, -20, 300, 200) << QRect(0, 0, 300, 200);
        QTest::newRow("larger than the screen") << QRect(200, 100, 1500, 1200) << screen;
    }
    void windowsAreKeptOnTheScreen() {
        QFETCH(QRect, frame);
        QFETCH(QRect, expected);
        QCOMPARE(vb::FitInside(frame, QRect(0, 0, 1280, 1024)), expected);
    }
};

RV_TEST(WindowLookTest)
#include "WindowLookTest.moc"
