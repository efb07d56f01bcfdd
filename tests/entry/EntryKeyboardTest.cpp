// The entry view by keyboard: Tab walks every box the user types into, the notes box included,
// and a key combination with Alt never reaches the data.
#include "EntryTestUtil.h"
#include "support/TestRegistry.h"

#include <QApplication>

using namespace entrytest;

class EntryKeyboardTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    QString path;

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        fx->ui.emulateModal = true;
        path = build(fx->path("k.mdb"), everyType(), true, 2);
        addRows(path, "Name", 1);
    }
    void cleanup() {
        DataInput::instance().Unload();
        fx.reset();
    }

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
    void altKeysNeverType_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("field") << "flddata_1";
        QTest::newRow("keyword") << "Keywrd_1";
        QTest::newRow("notes") << "txtmemo";
    }
    void altKeysNeverType() {
        QFETCH(QString, box);
        DataInput& v = showView(path);
        QWidget* w = v.Widget()->findChild<QWidget*>(box);
        QVERIFY(w);
        w->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(w, Qt::Key_A, Qt::AltModifier);
        QTest::keyClick(w, Qt::Key_J, Qt::AltModifier);
        QCOMPARE(v.flddata[1]->text(), QString("R1"));
        QCOMPARE(v.Keywrd[1]->text(), QString());
        QCOMPARE(v.txtmemo->toPlainText(), QString());
        QCOMPARE(v.EditMode(), 0);
    }
};

RV_TEST(EntryKeyboardTest)
#include "EntryKeyboardTest.moc"
