// The entry view built from the columns of real files: rows, labels, editors, formats, the field
// list, the keyword area, and the load's failures.
#include "EntryTestUtil.h"
#include "platform/core/Twips.h"
#include "platform/format/FieldType.h"
#include "platform/paths/AppPaths.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QIcon>

using namespace entrytest;
using vb::twipsToPx;

class EntryGenerationTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(); }
    void cleanup() { fx.reset(); }

    void everyTypeWithNotesAndKeywords() {
        const QString path = build(fx->path("all.mdb"), everyType(), true, 3);
        exec(path, "INSERT INTO UserTable (Name, Age, Price, Born, Cost, Active, PhotoFP, Memofld, KeyWord1, KeyWord2, "
                   "KeyWord3, SrchInt, SrchKey, SrchMemo) VALUES ('Ann', 42, 12.5, '2024-03-05 00:00:00', 3.5, 1, "
                   "'/tmp/a.png', 'note', 'red', 'Blue', NULL, 0, 0, 0);"
                   "INSERT INTO UserTable (Name, KeyWord1, KeyWord3, SrchInt, SrchKey) VALUES ('Bob', 'blue', 'Green', 0, 0)");
        DataInput& v = openView(path);
        QVERIFY(fx->ui.messages().isEmpty());

        const QStringList captions = {"Name", "Age", "Price", "Born", "Cost", "Active", "Photo"};
        for (int i = 1; i <= 20; ++i) {
            QCOMPARE(shown(v.flddata[i]), i <= 7);
            QCOMPARE(shown(v.Label1[i]), i <= 7);
            if (i <= 7) QCOMPARE(v.Label1[i]->text(), captions[i - 1]);
            QCOMPARE(shown(v.Keywrd[i]), i <= 3);
        }
        QCOMPARE(fieldList(), (QStringList{"Name:Text", "Age:Integer", "Price:Decimal/2", "Born:Date/Time",
                                           "Cost:Currency", "Active:True/False", "PhotoFP:Text", "Memofld:Memo",
                                           "KeyWord1:Text", "KeyWord2:Text", "KeyWord3:Text", "SrchInt:Integer"}));
        QCOMPARE(Module1::CountDescFlds(), 7);
        QCOMPARE(Module1::GetKeyWrdCount(), 3);
        QCOMPARE(v.intKeyCount, 3);
        QVERIFY(v.bHasMemo);
        QVERIFY(shown(v.txtmemo) && shown(v.lblNote) && shown(v.PicNote));

        // The editors of the typed fields, on their rows only.
        QVERIFY(v.CmdOpen[7] && v.chkDteTme[4] && v.CmboTF[6]);
        QCOMPARE(v.CmdOpen[7]->toolTip(), QString("Open File"));
        QCOMPARE(v.CmboTF[6]->itemText(0) + "/" + v.CmboTF[6]->itemText(1), QString("False/True"));
        for (int i : {1, 2, 3, 5, 6, 7}) QVERIFY(!v.chkDteTme[i]);
        for (int i = 1; i <= 6; ++i) QVERIFY(!v.CmdOpen[i]);
        QCOMPARE(v.intTFCount, 1);
        QCOMPARE(v.intTFFlds[0], 6);

        // Display formats, and the first record shown through them.
        QCOMPARE(v.BindingOf(v.flddata[3])->Format().Format, QString("####.00"));
        QCOMPARE(v.BindingOf(v.flddata[5])->Format().Format, QString("$0.00"));
        QCOMPARE(v.flddata[1]->text(), QString("Ann"));
        QCOMPARE(v.flddata[2]->text(), QString("42"));
        QCOMPARE(v.flddata[3]->text(), QString("12.50"));
        QCOMPARE(v.flddata[5]->text(), QString("$3.50"));
        QCOMPARE(v.flddata[6]->text(), QString("True"));
        QCOMPARE(v.flddata[7]->text(), QString("/tmp/a.png"));
        QCOMPARE(v.txtmemo->toPlainText(), QString("note"));
        QCOMPARE(v.Keywrd[1]->text(), QString("red"));
        // The combo shows the record's value; showing it changes nothing.
        QCOMPARE(v.CmboTF[6]->currentText(), QString("True"));
        QCOMPARE(v.EditMode(), 0);
        QCOMPARE(cli(path, "SELECT Active FROM UserTable WHERE Name = 'Ann'"), QString("1"));

        // Keywords column by column, once each whatever their case, in the spelling met first.
        QCOMPARE(items(v.lstKeywrd), (QStringList{"red", "blue", "Green"}));
        QVERIFY(shown(v.Frame1) && shown(v.lstKeywrd) && shown(v.LblKeyWrd));
        QCOMPARE(v.lblRecord->text(), QString("Record: 1 of 2"));
        QCOMPARE(v.Widget()->windowTitle(), QString("& +Add"));
        QCOMPARE(v.cmdAdd->text(), QString("+ &Add"));
        QVERIFY(v.cmdAdd->isHidden());
    }

    void keywordLayout_data() {
        QTest::addColumn<int>("fields");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<int>("keywords");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("label");
        QTest::addColumn<QPoint>("list");
        QTest::newRow("5 fields, 5 keywords") << 5 << false << 5 << 2655 << QPoint(3780, 2040) << QPoint(3780, 2280);
        QTest::newRow("5 fields and notes count 6") << 5 << true << 3 << 5535 << QPoint(7200, 2640) << QPoint(7200, 2880);
        QTest::newRow("20 fields, 20 keywords") << 20 << false << 20 << 9735 << QPoint(10920, 3840) << QPoint(10920, 4080);
        QTest::newRow("15 fields, 3 keywords: design") << 15 << false << 3 << 9735 << QPoint(10320, 3840) << QPoint(10320, 4080);
    }
    void keywordLayout() {
        QFETCH(int, fields);
        QFETCH(bool, notes);
        QFETCH(int, keywords);
        QFETCH(int, width);
        QFETCH(QPoint, label);
        QFETCH(QPoint, list);
        Rows rows;
        for (int i = 1; i <= fields; ++i) rows << DbFieldRow{QStringLiteral("F%1").arg(i), "Text", ""};
        DataInput& v = openView(build(fx->path("k.mdb"), rows, notes, keywords));
        QVERIFY(fx->ui.messages().isEmpty());
        for (int i = 1; i <= 20; ++i) {
            QCOMPARE(shown(v.flddata[i]), i <= fields);
            QCOMPARE(shown(v.Keywrd[i]), i <= keywords);
        }
        QCOMPARE(v.Frame1->width(), twipsToPx(width));
        QCOMPARE(v.LblKeyWrd->pos(), QPoint(twipsToPx(label.x()), twipsToPx(label.y())));
        QCOMPARE(v.lstKeywrd->pos(), QPoint(twipsToPx(list.x()), twipsToPx(list.y())));
        QCOMPARE(Module1::CountDescFlds(), fields);
    }

    void fieldNamedKeyboardIsAKeywordColumn() {
        const QString path = build(fx->path("kb.mdb"), {{"Keyboard", "Text", ""}, {"keypad", "Text", ""}}, false, 0);
        exec(path, "INSERT INTO UserTable (Keyboard, SrchInt, SrchKey) VALUES ('Qwerty', 0, 0)");
        DataInput& v = openView(path);
        QVERIFY(!shown(v.flddata[1]) && !shown(v.Label1[1]));
        QVERIFY(shown(v.flddata[2]));
        QCOMPARE(v.Label1[2]->text(), QString("keypad"));
        QVERIFY(shown(v.Keywrd[1]));
        QCOMPARE(v.Keywrd[1]->text(), QString("Qwerty"));
        QCOMPARE(fieldList(), (QStringList{"Keyboard:Text", "keypad:Text"}));
        QCOMPARE(Module1::GetKeyWrdCount(), 1);
        QCOMPARE(items(v.lstKeywrd), QStringList{"Qwerty"});
    }

    void columnOfUnknownTypeKeepsItsRowEmpty() {
        const QString path = fx->path("odd.mdb");
        makeSqliteFile(path, "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, A VARCHAR(50), B REAL, "
                             "C INTEGER, SrchInt SMALLINT, SrchKey SMALLINT, RptFlg BIT);"
                             "INSERT INTO UserTable (A, B, C) VALUES ('a', 1.5, 7)");
        DataInput& v = openView(path);
        QVERIFY(fx->ui.messages().isEmpty());
        QVERIFY(shown(v.flddata[1]));
        QVERIFY(!shown(v.flddata[2]) && !shown(v.Label1[2]));
        QVERIFY(shown(v.flddata[3]));
        QCOMPARE(v.Label1[3]->text(), QString("C"));
        QCOMPARE(v.flddata[3]->text(), QString("7"));
        QCOMPARE(fieldList(), (QStringList{"A:Text", "C:Integer"}));
        QCOMPARE(vb::adoTypeName(4), QString());
        QCOMPARE(vb::adoTypeName(2), QString("Integer"));
        QCOMPARE(vb::adoTypeName(3), QString("Integer"));
    }

    void withoutKeywordsTheAreaIsHiddenAndTheCountKept() {
        DataInput& v = DataInput::instance();
        v.intKeyCount = 4;
        openView(build(fx->path("nk.mdb"), {{"A", "Text", ""}}, false, 0));
        QVERIFY(!shown(v.Frame1) && !shown(v.LblKeyWrd) && !shown(v.lstKeywrd));
        QCOMPARE(Module1::GetKeyWrdCount(), 0);
        QCOMPARE(v.intKeyCount, 4);
        QVERIFY(!shown(v.txtmemo));
        QVERIFY(!v.bHasMemo);
    }

    void emptyTable() {
        DataInput& v = openView(build(fx->path("e.mdb"), everyType(), true, 2));
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(v.lblRecord->text(), QString("No Records Available"));
        QCOMPARE(v.lstKeywrd->count(), 0);
        QVERIFY(shown(v.Keywrd[1]) && shown(v.Keywrd[2]));
        for (int i = 0; i < 4; ++i) QVERIFY(!v.cmdNegotiate[i]->isEnabled());
        QVERIFY(!v.cmdAction[1]->isEnabled() && !v.cmdAction[4]->isEnabled());
        QVERIFY(v.cmdAction[0]->isEnabled() && v.cmdAction[3]->isEnabled());
        QCOMPARE(v.flddata[1]->text(), QString());
        QCOMPARE(v.CmboTF[6]->currentIndex(), -1);
        QVERIFY(v.AtBofOrEof());
    }

    // A table too big for a 16-bit keyword array or record counter loads and moves to its end.
    // A large table's first record shows before its keyword list is counted; the list follows,
    // the same, a record saved meanwhile is counted in it, and a list taken meanwhile is complete.
    void largeTables_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("meanwhile");   // what happens while the list is counted
        QTest::newRow("1639") << 1639 << "";
        QTest::newRow("100000") << 100000 << "";
        QTest::newRow("100000, a save while the list is counted") << 100000 << "save";
        QTest::newRow("100000, the list taken while it is counted") << 100000 << "take";
    }
    void largeTables() {
        QFETCH(int, records);
        QFETCH(QString, meanwhile);
        const bool saveWhileCounting = meanwhile == "save";
        const QString path = build(fx->path("big.mdb"), {{"Name", "Text", ""}, {"N", "Number/Integer", ""}}, false, 2);
        addRows(path, "Name", records);
        exec(path, "UPDATE UserTable SET KeyWord1 = 'k' || (TolvaneID % 7), KeyWord2 = 'K' || (TolvaneID % 5)");
        DataInput& v = openView(path);
        QVERIFY(fx->ui.messages().isEmpty());
        QVERIFY(shown(v.flddata[1]));
        QCOMPARE(v.flddata[1]->text(), QString("R1"));
        QCOMPARE(v.lblRecord->text(), QStringLiteral("Record: 1 of %1").arg(records));
        QCOMPARE(v.KeyListComplete(), records < 25000);
        if (meanwhile == "take") QCOMPARE(v.TableKeywords().size(), 7);
        v.Keywrd[2]->setText("Fresh");
        if (saveWhileCounting) v.cmdAction_Click(3);
        QTRY_VERIFY_WITH_TIMEOUT(v.KeyListComplete(), 5000);
        if (!saveWhileCounting) v.cmdAction_Click(3);
        QCOMPARE(items(v.lstKeywrd), (QStringList{"k1", "k2", "k3", "k4", "k5", "k6", "k0", "Fresh"}));   // K0..K4: k0..k4
        v.cmdNegotiate_Click(3);
        QCOMPARE(v.flddata[1]->text(), QStringLiteral("R%1").arg(records));
        QCOMPARE(v.lblRecord->text(), QStringLiteral("Record: %1 of %1").arg(records));
    }

    void loadFailures_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("no UserTable") << "notable" << "This is not a Ravelstow database structure, please open a Ravelstow Database"
                                      << "Incorrect Database Structure";
        QTest::newRow("not a database") << "garbage" << "Database is currently opened in design mode, Close Database"
                                        << "Database Error";
        QTest::newRow("a damaged page") << "damaged" << "Database file is damaged and cannot be read." << "Database Error";
        QTest::newRow("no file named") << "undefined"
                                       << "A Database Has Not Been Defined, Please Finish Defining The User Table"
                                       << "Creating Database";
    }
    void loadFailures() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QString path = fx->path("f.mdb");
        if (kind == "notable") makeSqliteFile(path, "CREATE TABLE Other (a INTEGER)");
        if (kind == "garbage") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        if (kind == "damaged") {
            build(path, {{"Name", "Text", ""}}, false, 1);
            addRows(path, "Name", 3000);
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(cli(path, "SELECT pageno - 1 FROM dbstat WHERE name = 'UserTable' AND pagetype = 'leaf' LIMIT 1 OFFSET 3")
                       .toLongLong() * 4096);
            f.write(QByteArray(4096, '\x5a'));
        }
        if (kind == "undefined") path.clear();
        fx->ui.answerMsgBox(vb::vbOK);
        DataInput& v = openView(path);
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QCOMPARE(Module1::DbUndefined, kind == "undefined");
        QVERIFY(v.IsLoaded());
        QCOMPARE(v.EditMode(), 0);
        QVERIFY(v.AtBofOrEof());
        for (int i = 1; i <= 20; ++i) QVERIFY(!shown(v.flddata[i]));
        // Activating a view whose load failed shows nothing more.
        v.Form_Activate();
        QCOMPARE(fx->ui.messages().size(), 1);
    }

    void unloadedViewIsIdle() {
        DataInput& v = DataInput::instance();
        QVERIFY(!v.IsLoaded());
        QCOMPARE(v.EditMode(), 0);
        QVERIFY(v.AtBofOrEof());
        QVERIFY(!v.IsLoaded());
    }

    void iconsAreReadable() {
        QVERIFY(!QIcon(QDir(vb::resourceFolder()).filePath("res/Add3.ico")).pixmap(16).isNull());
        QVERIFY(!QIcon(QDir(vb::resourceFolder()).filePath("res/Cancel2.ico")).pixmap(16).isNull());
    }
};

RV_TEST(EntryGenerationTest)
#include "EntryGenerationTest.moc"
