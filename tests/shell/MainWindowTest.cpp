#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QTabBar>
#include <QTest>

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(); }
    void cleanup() {
        delete frmMain::existing();
        fx.reset();
    }

    void startState() {
        frmMain& m = frmMain::instance();
        m.Quit = [] {};
        m.MDIForm_Load();
        QCOMPARE(m.windowTitle(), QString("Ravel Stow Database Creation Software"));
        QVERIFY(m.mnuDatabase->menuAction()->isVisible());
        QVERIFY(m.mnuHelp->menuAction()->isVisible());
        QVERIFY(!m.ScrConfig->menuAction()->isVisible());
        QVERIFY(!m.mnuUserMaint->isVisible());
        QVERIFY(!m.mnuImport->isVisible());
        QVERIFY(!m.mnuImport->isEnabled());
        QVERIFY(!m.TabStrip1->isEnabled());
        QCOMPARE(m.TabStrip1->count(), 4);
        const QStringList captions{"Edit/View", "Search", "Report", ""};
        for (int i = 0; i < 4; ++i) QCOMPARE(m.TabStrip1->tabText(i), captions[i]);
        QVERIFY(m.MdiArea->subWindowList().isEmpty());
        QVERIFY(!QFile::exists(fx->path("TolvanePrg.ini")));
        QCOMPARE(Module1::IniPath, fx->path("TolvanePrg.ini"));
        QCOMPARE(Module1::GetFrmColor(), QString("16711680"));
        QCOMPARE(Module1::GetTextColor(), QString("16777215"));
        QCOMPARE(Module1::ButtonColorVal, QString("12632256"));
    }

    void menusInOrderWithShortcuts() {
        frmMain& m = frmMain::instance();
        auto names = [](QMenu* menu) {
            QStringList out;
            for (QAction* a : menu->actions()) out << a->objectName() + "=" + a->text();
            return out;
        };
        QCOMPARE(names(m.mnuDatabase), QStringList({"mnuCreateDB=&New Database", "mnuOpenDB=&Open Database",
                                                    "mnDBSaveAs=&Save As", "mnuImport=&ImportExcelTable",
                                                    "mnuCloseDB=&Close Database", "Seperator=", "mnuExit=&Exit"}));
        QCOMPARE(names(m.ScrConfig), QStringList({"mnuScrConfig=Change Screen Color", "mnuChgTxtClr=Change Text Color"}));
        QCOMPARE(names(m.mnuHelp), QStringList({"mnuHelpFile=Ravelstow Help File", "mnuRavelstowWeb=Ravelstow On The Web",
                                                "mnuTutorial=Quick Start Tutorial", "sep2=", "mnuAbout=&About Ravelstow"}));
        QCOMPARE(m.mnuHelpFile->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(m.mnuTutorial->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
        QCOMPARE(m.mnuUserMaint->text(), QString("User &Maintenance"));
    }

    void settingsAreRead() {
        QFile f(fx->path("TolvanePrg.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[BCKCLR]\r\nFrmColor=255\r\n[TXTCLR]\r\nTextColor=not a colour\r\n");
        f.close();
        frmMain& m = frmMain::instance();
        m.MDIForm_Load();
        QCOMPARE(Module1::GetFrmColor(), QString("255"));
        QCOMPARE(Module1::GetTextColor(), QString("16777215"));
    }

    void tabCaptionKeepsAmpersands() {
        frmMain& m = frmMain::instance();
        m.SetTabCaption(4, "/home/a&b/db.mdb");
        QCOMPARE(m.TabCaption(4), QString("/home/a&b/db.mdb"));
    }

    void titleBarCloseEndsTheProgramThroughExit() {
        frmMain& m = frmMain::instance();
        int quits = 0;
        m.Quit = [&] { ++quits; };
        m.show();
        QVERIFY(m.close());
        QCOMPARE(quits, 1);
    }
};

RV_TEST(MainWindowTest)
#include "MainWindowTest.moc"
