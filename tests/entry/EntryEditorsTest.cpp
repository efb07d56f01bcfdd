// The typed editors on the real view over real files: the date dialog and the date it stores, the
// True/False combo, the file picker of file-path fields, and opening linked files.
#include "EntryTestUtil.h"
#include "entry/DlgEntryDte.h"
#include "format/LocaleScope.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/paths/AppPaths.h"
#include "platform/shellexec/ShellExecute.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTimeEdit>

using namespace entrytest;

namespace {
// The user of the date dialog: picks a date and a time (an invalid time clears the time's check
// box), then accepts; a null date cancels.
std::function<int(QDialog&)> pick(QDate date, QTime time = QTime()) {
    return [date, time](QDialog&) {
        DlgEntryDte& d = DlgEntryDte::instance();
        if (date.isNull()) {
            d.CmdCancel_Click();
            return int(QDialog::Rejected);
        }
        d.DTDate->setDate(date);
        d.DTTimeCheck->setChecked(time.isValid());
        if (time.isValid()) d.DTTime->setTime(time);
        d.CmdAccept_Click();
        return int(QDialog::Accepted);
    };
}

void resetDateDialog() {
    DlgEntryDte& d = DlgEntryDte::instance();
    d.Unload();
    d.Dte.clear();
    d.Tme.clear();
    d.EntryDtTm.clear();
    d.bAddTime = d.bEntDteCancel = false;
    d.dteValue = QDate();
    d.tmeValue = QTime();
}
}  // namespace

class EntryEditorsTest : public QObject, OneRecordView {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        resetDateDialog();
        start("e.mdb", everyType(), false, 0);
    }
    void cleanup() {
        vb::setLauncherForTesting({});
        vb::setAssociationLookupForTesting({});
        resetDateDialog();
        stop();
    }

    // ---- the dialog itself ----

    void dateDialogStartsFromTodayOrTheLastAccept() {
        DlgEntryDte& d = DlgEntryDte::instance();
        QDate shownDate;
        QTime shownTime;
        bool shownChecked = false;
        auto look = [&](QDialog&) {
            shownDate = d.DTDate->date();
            shownTime = d.DTTime->time();
            shownChecked = d.DTTimeCheck->isChecked();
            d.CmdAccept_Click();
            return int(QDialog::Accepted);
        };
        // Untouched: today at 12:00 AM.
        fx->ui.answerModal(look);
        d.ShowModal();
        QCOMPARE(shownDate, QDate::currentDate());
        QCOMPARE(shownTime, QTime(0, 0));
        QVERIFY(shownChecked && d.bAddTime && !d.bEntDteCancel);
        QCOMPARE(d.Tme, QString("12:00 AM"));

        // An accepted choice is where the next showing starts.
        fx->ui.answerModal(pick(QDate(1931, 12, 24), QTime(14, 7)));
        d.ShowModal();
        QCOMPARE(d.Tme, QString("02:07 PM"));
        fx->ui.answerModal(look);
        d.ShowModal();
        QCOMPARE(shownDate, QDate(1931, 12, 24));
        QCOMPARE(shownTime, QTime(14, 7));

        // Cancel keeps the last accepted values; the next showing starts from today again.
        fx->ui.answerModal(pick(QDate()));
        d.ShowModal();
        QVERIFY(d.bEntDteCancel);
        QCOMPARE(d.dteValue, QDate(1931, 12, 24));
        fx->ui.answerModal(look);
        d.ShowModal();
        QCOMPARE(shownDate, QDate::currentDate());
        QVERIFY(!d.bEntDteCancel);
    }

    // ---- the date editor ----

    void dateEditorStoresTheChosenDate_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("with a time") << "en_US" << QDate(2024, 3, 5) << QTime(14, 7) << "3/5/2024 2:07:00 PM"
                                     << "2024-03-05 14:07:00";
        QTest::newRow("day-first locale") << "en_GB" << QDate(2024, 3, 5) << QTime(9, 30) << "05/03/2024 09:30:00"
                                          << "2024-03-05 09:30:00";
        QTest::newRow("an old year") << "en_US" << QDate(1931, 12, 24) << QTime() << "12/24/1931" << "1931-12-24 00:00:00";
        QTest::newRow("midnight picked") << "en_US" << QDate(2024, 3, 5) << QTime(0, 0) << "3/5/2024 12:00:00 AM"
                                         << "2024-03-05 00:00:00";
    }
    void dateEditorStoresTheChosenDate() {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        LocaleScope scope(qPrintable(locale));
        DataInput& v = openView(path);
        fx->ui.answerModal(pick(date, time));
        v.chkDteTme[4]->click();
        QCOMPARE(v.flddata[4]->text(), text);
        QVERIFY(!v.chkDteTme[4]->isChecked());
        QCOMPARE(v.FmtDte.Format, QString());   // the general date every date box shows
        v.cmdAction_Click(3);
        const QString shownAfter = v.flddata[4]->text();
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(cli(path, "SELECT Born FROM UserTable"), stored);
        if (time != QTime(0, 0)) QCOMPARE(shownAfter, text);
    }

    // A typed date means the same before and after the date dialog was used, in the locale's
    // order; a text that is no date in that order is refused, never read as another date.
    void typedDateIsReadOneWay_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");   // of "03/05/2024"
        QTest::addColumn<QString>("notADate");
        QTest::newRow("C") << "C" << "2024-05-03 00:00:00" << "12/31/2024";
        QTest::newRow("en_US") << "en_US" << "2024-03-05 00:00:00" << "31/12/2024";
    }
    void typedDateIsReadOneWay() {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(QString, notADate);
        LocaleScope scope(qPrintable(locale));
        DataInput& v = openView(path);
        auto typeAndSave = [&](const QString& text) {
            v.flddata[4]->setText(text);
            bool cancel = false;
            v.flddata_Validate(4, cancel);
            if (!cancel) v.cmdAction_Click(3);
            return !cancel;
        };
        QVERIFY(typeAndSave("03/05/2024"));
        const QString before = cli(path, "SELECT Born FROM UserTable");
        const QString shownBefore = v.flddata[4]->text();
        fx->ui.answerModal(pick(QDate(2023, 11, 9)));
        v.chkDteTme[4]->click();
        const QString picked = v.flddata[4]->text();
        const QString pickedShown = vb::showUserDate(vb::makeDateTime(QDate(2023, 11, 9)));
        v.cmdAction_Click(3);
        const QString pickedStored = cli(path, "SELECT Born FROM UserTable");
        QVERIFY(typeAndSave("03/05/2024"));
        const QString after = cli(path, "SELECT Born FROM UserTable");
        const QString shownAfter = v.flddata[4]->text();
        fx->ui.answerMsgBox(vb::vbOK);
        const bool refused = !typeAndSave(notADate);
        QCOMPARE(before, stored);
        QCOMPARE(after, stored);
        QCOMPARE(shownAfter, shownBefore);
        QCOMPARE(pickedStored, QString("2023-11-09 00:00:00"));
        QCOMPARE(picked, pickedShown);
        QVERIFY(refused);
        QCOMPARE(fx->ui.messages(), QStringList{"This Is Not A Valid Date, Please Enter A Valid Date Value"});
        QCOMPARE(cli(path, "SELECT Born FROM UserTable"), stored);
    }

    void dateEditorCancelled() {
        DataInput& v = openView(path);
        v.flddata[4]->setText("01/02/2020");
        fx->ui.answerModal(pick(QDate()));
        v.chkDteTme[4]->click();
        QCOMPARE(v.flddata[4]->text(), QString("01/02/2020"));
        QVERIFY(!v.chkDteTme[4]->isChecked());
    }

    // ---- the True/False combo ----

    void trueFalseComboWritesTheRecord() {
        DataInput& v = openView(path);
        for (const auto& [index, stored] : {std::pair{1, "1"}, std::pair{0, "0"}, std::pair{1, "1"}}) {
            v.CmboTF[6]->setCurrentIndex(index);
            v.CmboTF_Click(6);
            QCOMPARE(v.flddata[6]->text(), index ? QString("True") : QString("False"));
            v.cmdAction_Click(3);
            QCOMPARE(cli(path, "SELECT Active FROM UserTable"), QString(stored));
        }
        // Focus on the box hands it to the combo.
        v.flddata_GotFocus(6, Qt::TabFocusReason);
        QVERIFY(shown(v.CmboTF[6]));
    }

    // ---- the file picker ----

    void filePickerOfFilePathFields() {
        DataInput& v = openView(path);
        const QString chosen = fx->path("doc.html");
        fx->ui.answerOpen(chosen);
        v.flddata_GotFocus(7, Qt::TabFocusReason);
        QCOMPARE(v.flddata[7]->text(), chosen);
        QCOMPARE(fx->ui.requests.size(), 1);
        const vb::CommonDialog& asked = fx->ui.requests.first().dialog;
        QCOMPARE(asked.DialogTitle, QString("Select File "));
        QCOMPARE(asked.InitDir, vb::programFolder());
        QCOMPARE(asked.Filter, QString("Text (*.txt)|*.txt|HTML (*.htm;*.html)|*.htm;*.html|Excel (*.xls)|*.xls|PDF (*.pdf)|"
                                       "*.pdf|WordDoc (*.doc)|*.doc|(*.jpg)|*.jpg|(*.gif)|*.gif|All Files (*)|*"));
        // Cancelled: the path stays, nothing is said.
        fx->ui.answerOpen(QString());
        v.flddata_GotFocus(7, Qt::MouseFocusReason);
        QCOMPARE(v.flddata[7]->text(), chosen);
        QCOMPARE(fx->ui.messages(), QStringList());
        // Focus coming back from the picker is no new entry; other rows open no editor.
        v.flddata_GotFocus(7, Qt::ActiveWindowFocusReason);
        v.flddata_GotFocus(1, Qt::TabFocusReason);
        QCOMPARE(fx->ui.requests.size(), 2);
    }

    void lowerCaseFpIsNoFilePath() {
        const QString p = build(fx->path("fp.mdb"), {{"Scanfp", "Text", ""}}, false, 0);
        addRows(p, "Scanfp", 1);
        DataInput& v = openView(p);
        v.flddata_GotFocus(1, Qt::TabFocusReason);
        QVERIFY(fx->ui.requests.isEmpty());
    }

    void emptyTableRemindsToAddFirst() {
        exec(path, "DELETE FROM UserTable");
        DataInput& v = openView(path);
        fx->ui.answerMsgBox(vb::vbOK);
        v.flddata_GotFocus(7, Qt::TabFocusReason);
        QCOMPARE(fx->ui.messages(), QStringList{"Please Create A Record By Clicking Add."});
        QCOMPARE(fx->ui.titles(), QStringList{"Create New Record"});
        QCOMPARE(fx->ui.requests.size(), 1);   // no picker
        // Once Add is chosen, the editors work.
        v.cmdAction_Click(0);
        fx->ui.answerOpen(fx->path("a.txt"));
        v.flddata_GotFocus(7, Qt::TabFocusReason);
        QCOMPARE(v.flddata[7]->text(), fx->path("a.txt"));
    }

    // ---- linked files ----

    void linkedFileMessages_data() {
        QTest::addColumn<QString>("file");       // relative to the test folder; "" blank
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("blank") << "" << "File Name is Blank" << "File Path";
        QTest::newRow("missing") << "missing.txt" << "File Name Does Not Exist, Check File Path." << "File Error";
        QTest::newRow("a folder") << "folder" << "File Name Does Not Exist, Check File Path." << "File Error";
        QTest::newRow("no program for the type") << "data.zzq" << "No association for file extension" << "Ravelstow";
    }
    void linkedFileMessages() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QDir(fx->dir.path()).mkdir("folder");
        QFile f(fx->path("data.zzq"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        int launches = 0;
        vb::setLauncherForTesting([&](const QString&, const QStringList&) { return ++launches, true; });
        vb::setAssociationLookupForTesting([](const QString&) { return QString(); });
        DataInput& v = openView(path);
        v.flddata[7]->setText(file.isEmpty() ? QString() : fx->path(file));
        fx->ui.answerMsgBox(vb::vbOK);
        v.CmdOpen_Click(7);
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QCOMPARE(fx->ui.requests.first().style, int(vb::vbOKOnly));
        QCOMPARE(launches, 0);
    }

    void anExistingFileIsHandedToTheOpener() {
        const QString file = fx->path("my notes; $(rm -rf x).txt");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QStringList programs;
        QList<QStringList> arguments;
        vb::setLauncherForTesting([&](const QString& program, const QStringList& args) {
            programs << program;
            arguments << args;
            return true;
        });
        vb::setAssociationLookupForTesting([](const QString&) { return QString("editor.desktop"); });
        DataInput& v = openView(path);
        v.cmdAction_Click(0);   // the button works while a record is being added too
        v.flddata[7]->setText(file);
        QVERIFY(v.CmdOpen[7]);
        QTest::mouseClick(v.CmdOpen[7], Qt::LeftButton);
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(programs, QStringList{"xdg-open"});
        QCOMPARE(arguments, QList<QStringList>{{file}});
        QVERIFY(v.bAddingRec);

        // A start that fails, and the shell's own codes for what is not there.
        vb::setLauncherForTesting([](const QString&, const QStringList&) { return false; });
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        v.OpenDoc(file);
        v.OpenDoc(fx->path("gone.txt"));
        v.OpenDoc(fx->path("no/such/folder/gone.txt"));
        QCOMPARE(fx->ui.messages(), (QStringList{"Unknown error", "File not found", "Path not found"}));
        QCOMPARE(fx->ui.titles(), (QStringList{"Ravelstow", "Ravelstow", "Ravelstow"}));
    }
};

RV_TEST(EntryEditorsTest)
#include "EntryEditorsTest.moc"
