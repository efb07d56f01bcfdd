// Each action of the entry view shows its boxes one after the other: the focus a closing box gives
// back opens no editor (no reminder, no file picker over or after a message), and no box opens in
// the middle of a click. The scripted boxes behave as real ones do while they are open.
#include "EntryTestUtil.h"
#include "support/TestRegistry.h"
#include "support/Waiting.h"

#include <QApplication>

using namespace entrytest;

namespace {
const QString kReminder = QStringLiteral("Please Create A Record By Clicking Add.");
}  // namespace

class EntryMessageOrderTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    QString path;

    void checkOneAtATime() {
        QCOMPARE(fx->ui.overlapping, QStringList());
        QCOMPARE(fx->ui.duringClick, QStringList());
        QCOMPARE(fx->ui.pending(), 0);
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        fx->ui.emulateModal = true;
        path = build(fx->path("m.mdb"), everyType(), false, 0);   // row 7: Photo, a file path
    }
    void cleanup() {
        DataInput::instance().Unload();
        fx.reset();
    }

    // Save on an empty table, after the reminder a click into a box gave.
    void saveOnAnEmptyTable() {
        DataInput& v = showView(path);
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        QTest::mouseClick(v.flddata[1], Qt::LeftButton);
        QTRY_COMPARE(fx->ui.messages(), QStringList{kReminder});
        QTest::mouseClick(v.cmdAction[3], Qt::LeftButton);
        rvtest::settle();
        QCOMPARE(fx->ui.messages().size(), 2);
        QCOMPARE(fx->ui.messages().first(), kReminder);
        QVERIFY(fx->ui.messages().last() != kReminder);
        checkOneAtATime();
    }

    // The open button of a file-path box whose file does not exist: its message, and no picker
    // after it; nor after the message of a save the column refuses (a path longer than it holds).
    void filePathBoxMessagesOpenNoPicker() {
        addRows(path, "Name", 1);
        DataInput& v = showView(path);
        fx->ui.answerOpen(QString());   // entering the box opens the picker: cancelled
        QTest::mouseClick(v.flddata[7], Qt::LeftButton);
        QTRY_COMPARE(fx->ui.requests.size(), 1);
        QVERIFY(v.flddata[7]->hasFocus());
        v.flddata[7]->setText(fx->path("missing.txt"));
        fx->ui.answerMsgBox(vb::vbOK);
        QTest::mouseClick(v.CmdOpen[7], Qt::LeftButton);
        rvtest::settle();
        QCOMPARE(fx->ui.messages(), QStringList{"File Name Does Not Exist, Check File Path."});

        v.flddata[7]->setText(QString(300, QLatin1Char('p')));
        fx->ui.answerMsgBox(vb::vbOK);
        QTest::mouseClick(v.cmdAction[3], Qt::LeftButton);
        rvtest::settle();
        QCOMPARE(fx->ui.requests.size(), 3);
        QCOMPARE(fx->ui.requests.last().kind, ScriptedUi::Kind::MsgBox);
        checkOneAtATime();
    }
};

RV_TEST(EntryMessageOrderTest)
#include "EntryMessageOrderTest.moc"
