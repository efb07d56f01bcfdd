// The entry view by keyboard: Tab walks every box the user types into, the notes box included,
// and a key combination with Alt never reaches the data.
#include "EntryTestUtil.h"
#include "support/TestRegistry.h"

using namespace entrytest;

class EntryKeyboardTest : public QObject, OneRecordView {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        start("k.mdb");
        fx->ui.emulateModal = true;
    }
    void cleanup() { stop(); }

    // Tab goes through the field boxes (a row's editor right after its box), the keyword boxes and
    // the notes, and on out of the notes without typing into them.
    void tabWalksFieldsKeywordsAndNotes() {
        DataInput& v = showView(path);
        v.flddata[1]->setFocus(Qt::OtherFocusReason);
        fx->ui.answerOpen(QString());   // tabbing into the file-path box opens its picker: cancelled
        QStringList walked;
        for (int i = 0; i < 13; ++i) {
            walked << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCoreApplication::processEvents();
        }
        QCOMPARE(walked, (QStringList{"flddata_1", "flddata_2", "flddata_3", "flddata_4", "chkDteTme_4", "flddata_5",
                                      "CmboTF_6", "flddata_7", "CmdOpen_7", "Keywrd_1", "Keywrd_2", "txtmemo"}
                          << walked.last()));
        QVERIFY(walked.last() != "txtmemo");
        QCOMPARE(v.txtmemo->toPlainText(), QString());
        QCOMPARE(v.EditMode(), 0);
    }

    // A key with Alt types nothing into a field, a keyword or the notes.
    void altKeysNeverType() {
        DataInput& v = showView(path);
        for (QWidget* w : std::initializer_list<QWidget*>{v.flddata[1], v.Keywrd[1], v.txtmemo}) {
            w->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(w, Qt::Key_A, Qt::AltModifier);
            QTest::keyClick(w, Qt::Key_J, Qt::AltModifier);
        }
        QCOMPARE(v.flddata[1]->text(), QString("R1"));
        QCOMPARE(v.Keywrd[1]->text(), QString());
        QCOMPARE(v.txtmemo->toPlainText(), QString());
        QCOMPARE(v.EditMode(), 0);
    }
};

RV_TEST(EntryKeyboardTest)
#include "EntryKeyboardTest.moc"
