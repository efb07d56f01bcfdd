#include "platform/ini/IniFile.h"
#include "platform/shellexec/ShellExecute.h"
#include "entry/DataInput.h"
#include "search/frmSearch.h"
#include "shell/HelpWindow.h"
#include "shell/Module1.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"
#include "support/Faults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

using namespace Module1;

using namespace testfaults;

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class ColoursHelpAboutTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    frmMain* m = nullptr;

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        m = fx->main;
    }
    void cleanup() {
        HelpWindow::instance().Close();
        vb::setLauncherForTesting({});
        fx.reset();
    }

    void colourLandsInTheSettingsAndTheState() {
        fx->ui.answerColor(0x00FF00);
        m->mnuScrConfig_Click();
        QCOMPARE(vb::GetPrivateProfileString("BCKCLR", "FrmColor", "", 20, IniPath), QString("65280"));
        QCOMPARE(GetFrmColor(), QString("65280"));
        QCOMPARE(fx->ui.requests[0].dialog.Flags, int(vb::cdlCCRGBInit));
        // The next use starts on the colour picked last, whichever command picked it.
        fx->ui.answerColor(0);
        m->mnuChgTxtClr_Click();
        QCOMPARE(fx->ui.requests[1].dialog.Color, 0x00FF00u);
        QCOMPARE(vb::GetPrivateProfileString("TXTCLR", "TextColor", "", 20, IniPath), QString("0"));
        QCOMPARE(GetTextColor(), QString("0"));
        QCOMPARE(GetFrmColor(), QString("65280"));
    }

    void colourReachesTheOpenEntryView() {
        const QString path = fx->path("c.mdb");
        makeSqliteFile(path, "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(50));");
        fx->ui.answerOpen(path);
        m->mnuOpenDB_Click();
        QVERIFY(DataInput::instance().IsLoaded());
        fx->ui.answerColor(0x0000FF);
        m->mnuScrConfig_Click();
        QCOMPARE(DataInput::instance().strFrmClr, QString("255"));
    }

    void cancelChangesNothing() {
        const QString before = GetFrmColor();
        fx->ui.cancelColor();
        m->mnuScrConfig_Click();
        QVERIFY(!QFile::exists(IniPath));
        QCOMPARE(GetFrmColor(), before);
        QVERIFY(fx->ui.messages().isEmpty());
    }

    // A settings file that cannot be written keeps every byte; the command ends without a message
    // and without taking the colour.
    void colourNotWrittenIsNotTaken_data() {
        QTest::addColumn<bool>("textColour");
        QTest::newRow("screen colour") << false;
        QTest::newRow("text colour") << true;
    }
    void colourNotWrittenIsNotTaken() {
        QFETCH(bool, textColour);
        const QString frame = GetFrmColor(), text = GetTextColor();
        {
            QFile f(IniPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QString("[BCKCLR]\r\nFrmColor=%1\r\n[TXTCLR]\r\nTextColor=%2\r\n[NOTES]\r\nText=%3\r\n")
                        .arg(frame, text, QString(3000, 'n'))
                        .toUtf8());
        }
        const QByteArray before = contents(IniPath);
        fx->ui.answerColor(0x00FF00);
        {
            FileSizeLimit full(1000);
            if (textColour) m->mnuChgTxtClr_Click();
            else m->mnuScrConfig_Click();
        }
        QCOMPARE(contents(IniPath), before);
        QCOMPARE(GetFrmColor(), frame);
        QCOMPARE(GetTextColor(), text);
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(QDir(fx->dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\.")), QStringList());
    }

    void searchViewTakesTheColourWhenItsTabIsSelected() {
        frmSearch::instance().Load();
        fx->ui.answerMsgBox(vb::vbOK);
        m->SelectTab(2);   // nothing open: the tab handler says so
        fx->ui.clear();
        fx->ui.answerColor(255);
        m->mnuScrConfig_Click();
        QCOMPARE(frmSearch::instance().FrmColor, QString("255"));
        QCOMPARE(frmSearch::instance().SrchFldsFrame->palette().color(QPalette::Window), QColor(255, 0, 0));
    }

    void helpCommands() {
        fx->ui.expectHelp().expectHelp();
        m->mnuHelpFile_Click();
        m->mnuTutorial_Click();
        QCOMPARE(fx->ui.requests[0].dialog.HelpCommand, int(vb::cdlHelpContents));
        QCOMPARE(fx->ui.requests[0].dialog.HelpContext, 0);
        QCOMPARE(fx->ui.requests[1].dialog.HelpCommand, int(vb::cdlHelpContext));
        QCOMPARE(fx->ui.requests[1].dialog.HelpContext, 12345);
        QCOMPARE(fx->ui.requests[1].dialog.HelpFile, HelpFilePath);
        // The help window shows the contents page, and the tutorial page at its anchor.
        QVERIFY2(QFile::exists(HelpFilePath), qPrintable(HelpFilePath));
        HelpWindow::instance().ShowHelp(fx->ui.requests[0].dialog);
        QCOMPARE(HelpWindow::instance().Source().fileName(), QString("index.html"));
        HelpWindow::instance().ShowHelp(fx->ui.requests[1].dialog);
        QCOMPARE(HelpWindow::instance().Source().fileName(), QString("tutorial.html"));
        QCOMPARE(HelpWindow::instance().Source().fragment(), QString("12345"));
    }

    void webPageOpensInTheBrowser() {
        QStringList started;
        vb::setLauncherForTesting([&](const QString& program, const QStringList& args) {
            started << program + " " + args.join(' ');
            return true;
        });
        m->mnuRavelstowWeb_Click();
        QCOMPARE(started.size(), 1);
        QVERIFY(started[0].startsWith("xdg-open https://"));
    }

    void aboutWindow() {
        m->mnuAbout_Click();
        frmAbout& a = frmAbout::instance();
        QVERIFY(a.IsLoaded());
        QCOMPARE(a.Widget()->windowTitle(), "About " + QCoreApplication::applicationName());
        QCOMPARE(a.lblVersion->text(), QString("Version %1.%2.%3").arg(RAVELSTOW_VERSION_MAJOR).arg(RAVELSTOW_VERSION_MINOR)
                                           .arg(RAVELSTOW_VERSION_PATCH));
        QCOMPARE(a.lblTitle->text(), QString("Ravelstow Database Creation Software"));
        a.cmdOK_Click();
        QVERIFY(!a.IsLoaded());
    }

    void systemInformationUnavailable() {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(fx->dir.path()));
        fx->ui.answerMsgBox(vb::vbOK);
        frmAbout::instance().Load();
        frmAbout::instance().cmdSysInfo_Click();
        qputenv("PATH", path);
        QCOMPARE(fx->ui.messages(), QStringList{"System Information Is Unavailable At This Time"});
    }
};

RV_TEST(ColoursHelpAboutTest)
#include "ColoursHelpAboutTest.moc"
