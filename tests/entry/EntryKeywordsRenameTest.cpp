// The keyword list and dragging keywords into the keyword boxes, renaming a field, and the view's
// colours, on the real view over real files.
#include "EntryTestUtil.h"
#include "platform/core/Colors.h"
#include "reports/frmReports.h"
#include "search/frmSearch.h"
#include "support/TestRegistry.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

using namespace entrytest;

namespace {
QColor back(const QWidget* w) { return w->palette().color(QPalette::Window); }
QColor fore(const QWidget* w) { return w->palette().color(QPalette::WindowText); }
const QString kTitle = QStringLiteral("Change Field Name");
}  // namespace

class EntryKeywordsRenameTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

    // Name, Age, Price (Decimal/2), Born, Cost, Active, Photo (PhotoFP), notes, two keywords.
    QString everyTypeDb() {
        const QString path = build(fx->path("k.mdb"), everyType(), true, 2);
        exec(path, "INSERT INTO UserTable (Name, Age, Price, PhotoFP, Memofld, KeyWord1, KeyWord2, SrchInt, SrchKey) "
                   "VALUES ('Ann', 42, 1.5, '/tmp/a.png', 'note', 'Red', NULL, 0, 0), "
                   "('Bob', 7, NULL, NULL, NULL, '', 'red', 0, 0), ('Cy', 8, NULL, NULL, NULL, 'Blue', 'Green', 0, 0)");
        return path;
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(); }
    void cleanup() {
        DataInput::instance().Unload();
        fx.reset();
    }

    // ---- the keyword list ----

    // The list follows each stored record without reading the table again: a new keyword is
    // appended, a keyword no record holds any more leaves, and an entry whose spelling left while
    // another spelling stays shows that one. Read again, the table gives the same entries.
    void keywordListFollowsAddEditAndDelete() {
        const QString path = everyTypeDb();
        DataInput& v = openView(path);
        QCOMPARE(items(v.lstKeywrd), (QStringList{"Red", "Blue", "Green"}));
        v.cmdAction_Click(0);
        v.flddata[1]->setText("Dee");
        v.Keywrd[1]->setText("GREEN");
        v.Keywrd[2]->setText("Yellow");
        Module1::KeyListChg = false;
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList());
        // Case-insensitive: "GREEN" is the listed "Green"; empty and null cells never appear.
        QCOMPARE(items(v.lstKeywrd), (QStringList{"Red", "Blue", "Green", "Yellow"}));
        QVERIFY(Module1::KeyListChg);
        QCOMPARE(Module1::KeyWrdList, (QStringList{"Red", "Blue", "Green", "Yellow"}));

        v.adoUserTbl.Recordset().SetBookmark(3);   // Cy: Blue, Green
        v.Keywrd[2]->setText("Pink");
        v.cmdAction_Click(3);
        QCOMPARE(items(v.lstKeywrd), (QStringList{"Red", "Blue", "GREEN", "Yellow", "Pink"}));

        v.adoUserTbl.Recordset().SetBookmark(4);   // Dee: GREEN, Yellow
        fx->ui.answerMsgBox(vb::vbYes);
        v.cmdAction_Click(1);
        QCOMPARE(fx->ui.titles(), QStringList{"Record Deletion"});
        QCOMPARE(items(v.lstKeywrd), (QStringList{"Red", "Blue", "Pink"}));
        QCOMPARE(Module1::KeyWrdList, (QStringList{"Red", "Blue", "Pink"}));
        v.RefreshKeyList();
        QCOMPARE(items(v.lstKeywrd), (QStringList{"Red", "Blue", "Pink"}));
    }

    // Far more values than a 16-bit index could count.
    void manyKeywordValues() {
        const QString path = build(fx->path("many.mdb"), {{"Name", "Text", ""}}, false, 2);
        exec(path, "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 20000) "
                   "INSERT INTO UserTable (Name, KeyWord1, KeyWord2, SrchInt, SrchKey, RptFlg) "
                   "SELECT 'n', 'a' || i, 'b' || i, 0, 0, 0 FROM c");
        DataInput& v = openView(path);
        v.RefreshKeyList();
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(v.lstKeywrd->count(), 40000);
    }

    // A keyword dragged from the list and dropped on a keyword box replaces the box's text and is
    // saved with the record.
    void keywordDraggedIntoABox() {
        const QString path = everyTypeDb();
        DataInput& v = openView(path);
        v.lstKeywrd->setCurrentRow(1);
        // What the list's own drag carries.
        std::unique_ptr<QMimeData> dragged(v.lstKeywrd->model()->mimeData({v.lstKeywrd->currentIndex()}));
        QVERIFY(dragged && dragged->hasText());
        QCOMPARE(dragged->text(), QString("Blue"));
        std::unique_ptr<QMimeData> data(v.KeywordDragData());
        QCOMPARE(data->text(), QString("Blue"));

        // The drop, as the window system delivers it.
        QWidget* box = v.Keywrd[2];
        QVERIFY(box->acceptDrops());
        const QPoint at = box->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(v.Keywrd[2]->text(), QString("Blue"));
        QCOMPARE(v.EditMode(), int(db::adEditInProgress));
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT KeyWord1 || '|' || KeyWord2 FROM UserTable WHERE Name = 'Ann'"), QString("Red|Blue"));

        // The handler without a mouse; a disabled box takes nothing.
        QVERIFY(v.Keywrd_OLEDragDrop(1, data.get()));
        QCOMPARE(v.Keywrd[1]->text(), QString("Blue"));
        v.Keywrd[1]->setEnabled(false);
        QMimeData other;
        other.setText("Green");
        QVERIFY(!v.Keywrd_OLEDragDrop(1, &other));
        QCOMPARE(v.Keywrd[1]->text(), QString("Blue"));
        QVERIFY(!v.Keywrd_OLEDragDrop(3, &other));   // a keyword box the table has no column for
    }

    // ---- renaming a field ----

    void renameAField_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("column");   // the column's name afterwards
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("prompt");
        const QString ask = "Would you like to rename this field? \r\n\r\nField Name: %1\r\nData Type:%2";
        QTest::newRow("integer") << 2 << "Years Old" << "Years_Old" << "Years_Old" << ask.arg("Age", "Integer");
        QTest::newRow("cleaned") << 4 << "No. 5-A" << "No_5A" << "No_5A" << ask.arg("Born", "Date/Time");
        QTest::newRow("file path, default kept") << 7 << "Photo" << "PhotoFP" << "Photo" << ask.arg("Photo", "Text");
        QTest::newRow("file path, new name") << 7 << "Scan" << "ScanFP" << "Scan" << ask.arg("Photo", "Text");
        QTest::newRow("only the case") << 1 << "NAME" << "NAME" << "NAME" << ask.arg("Name", "Text");
        QTest::newRow("true/false") << 6 << "Done" << "Done" << "Done" << ask.arg("Active", "True/False");
    }
    void renameAField() {
        QFETCH(int, row);
        QFETCH(QString, answer);
        QFETCH(QString, column);
        QFETCH(QString, label);
        QFETCH(QString, prompt);
        const QString path = everyTypeDb();
        const QString before = cli(path, "SELECT * FROM UserTable");
        DataInput& v = openView(path);
        const QString oldName = v.DBDefMain().DBFldFunct().Item(row).FldName;
        v.cmdNegotiate_Click(3);
        frmSearch::instance().Load();
        Module1::SrchFlg = true;
        Module1::SrchSQL = "SELECT * FROM UserTable";
        fx->ui.answerMsgBox(vb::vbOK).answerInput(answer);
        QTest::mouseDClick(v.Label1[row], Qt::LeftButton);

        QCOMPARE(fx->ui.requests.size(), 2);
        QCOMPARE(fx->ui.requests[0].text, prompt);
        QCOMPARE(fx->ui.requests[0].title, kTitle);
        QCOMPARE(fx->ui.requests[0].style, int(vb::vbOKCancel));
        QCOMPARE(fx->ui.requests[1].text, QString("Enter The New Field Name"));
        QCOMPARE(fx->ui.requests[1].title, kTitle);
        QCOMPARE(fx->ui.messages(), QStringList{prompt});

        // The file: the column renamed in its place, every value kept.
        const QString names = cli(path, "SELECT group_concat(name, ',') FROM pragma_table_info('UserTable')");
        QStringList expected = QStringList{"TolvaneID", "Name", "Age", "Price", "Born", "Cost", "Active", "PhotoFP",
                                           "Memofld", "KeyWord1", "KeyWord2", "SrchInt", "SrchKey", "SrchMemo", "RptFlg"};
        expected[expected.indexOf(oldName)] = column;
        QCOMPARE(names, expected.join(','));
        QCOMPARE(cli(path, "SELECT * FROM UserTable"), before);

        // The view: label, field list (one item per row, a Decimal before it included), bindings.
        QCOMPARE(v.Label1[row]->text(), label);
        QCOMPARE(v.lblNote->text(), QString("Notes"));
        QStringList fields = {"Name:Text", "Age:Integer", "Price:Decimal/2", "Born:Date/Time", "Cost:Currency",
                              "Active:True/False", "PhotoFP:Text", "Memofld:Memo", "KeyWord1:Text", "KeyWord2:Text",
                              "SrchInt:Integer"};
        fields[row - 1] = column + fields[row - 1].mid(oldName.size());
        QCOMPARE(fieldList(), fields);
        QCOMPARE(v.BindingOf(v.flddata[row])->DataField(), column);
        QCOMPARE(v.BindingOf(v.Keywrd[1])->DataField(), QString("KeyWord1"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 1 of 3"));
        QCOMPARE(v.flddata[1]->text(), QString("Ann"));
        QCOMPARE(Module1::GetKeyWrdCount(), 2);
        QVERIFY(!frmSearch::instance().IsLoaded());
        QVERIFY(!frmReports::instance().IsLoaded());
        QVERIFY(!Module1::SrchFlg && Module1::SrchSQL.isEmpty());

        // The box writes to the renamed column.
        v.flddata[1]->setText("Anna");
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList{prompt});
        QCOMPARE(cli(path, "SELECT group_concat(Name) FROM UserTable"), QString("Anna,Bob,Cy"));
    }

    void renameRefused_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("messages");   // the boxes after the confirmation
        const QString key = "Field names beginning with Key are reserved for keyword columns";
        const QString reserved = "This name is reserved for the database's own columns, please choose another name";
        QTest::newRow("keyword name") << "" << "Keystone" << QStringList{key};
        QTest::newRow("search mark name") << "" << "SrchInt2" << QStringList{reserved};
        QTest::newRow("hidden column") << "" << "rptflg" << QStringList{reserved};
        QTest::newRow("another field's name") << "" << "name"
                                              << QStringList{"-2147217900", "duplicate column name: name"};
        QTest::newRow("nothing left after cleaning") << "" << ".-" << QStringList{
            "-2147217900", "'' is not a valid name: a name cannot be empty."};
        QTest::newRow("cancelled") << "cancel" << "" << QStringList{};
        QTest::newRow("no name given") << "" << "" << QStringList{};
    }
    void renameRefused() {
        QFETCH(QString, situation);
        QFETCH(QString, answer);
        QFETCH(QStringList, messages);
        const QString path = everyTypeDb();
        const QString schema = cli(path, ".schema UserTable");
        DataInput& v = openView(path);
        const QStringList fieldsBefore = fieldList();
        v.cmdNegotiate_Click(3);
        fx->ui.answerMsgBox(situation == "cancel" ? vb::vbCancel : vb::vbOK);
        if (situation != "cancel") fx->ui.answerInput(answer);
        for (int i = 0; i < messages.size(); ++i) fx->ui.answerMsgBox(vb::vbOK);
        v.Label1_DblClick(2);
        QStringList shown = fx->ui.messages().mid(1);
        if (messages.size() == 2) shown[1] = shown[1].section(": ", -2);   // the engine's wording before the name
        QCOMPARE(shown.size(), messages.size());
        if (!messages.isEmpty()) QCOMPARE(shown.first(), messages.first());
        if (messages.size() == 2) QVERIFY2(shown[1].endsWith(messages[1].section(": ", -1)), qPrintable(shown[1]));
        QCOMPARE(cli(path, ".schema UserTable"), schema);
        QCOMPARE(fieldList(), fieldsBefore);
        QCOMPARE(v.Label1[2]->text(), QString("Age"));
        QCOMPARE(v.BindingOf(v.flddata[2])->DataField(), QString("Age"));
    }

    // A rename while a record is being added or edited would drop it: refused before anything.
    void renameWithAPendingRecord_data() {
        QTest::addColumn<bool>("adding");
        QTest::newRow("adding") << true;
        QTest::newRow("editing") << false;
    }
    void renameWithAPendingRecord() {
        QFETCH(bool, adding);
        const QString path = everyTypeDb();
        DataInput& v = openView(path);
        if (adding) v.cmdAction_Click(0);
        v.flddata[1]->setText("pending");
        fx->ui.answerMsgBox(vb::vbOK);
        v.Label1_DblClick(2);
        QCOMPARE(fx->ui.messages(), QStringList{"Save or cancel the current record before renaming a field"});
        QCOMPARE(fx->ui.titles(), QStringList{kTitle});
        QCOMPARE(v.flddata[1]->text(), QString("pending"));
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable WHERE Name = 'pending'"), QString("1"));
    }

    void onlyASupervisorRenames_data() {
        QTest::addColumn<QString>("level");
        QTest::newRow("restricted") << "RESUSR";
        QTest::newRow("unknown level") << "Supervisor";
    }
    void onlyASupervisorRenames() {
        QFETCH(QString, level);
        DataInput& v = openView(everyTypeDb(), level, true);
        QTest::mouseDClick(v.Label1[2], Qt::LeftButton);
        QVERIFY(fx->ui.requests.isEmpty());
    }

    // ---- colours ----

    void colourChangeReachesLabelsAndFrames() {
        DataInput& v = openView(everyTypeDb());
        Module1::SetFrmColor(QString::number(vb::RGB(10, 20, 30)));
        Module1::SetTextColor(QString::number(vb::RGB(200, 100, 0)));
        v.UpdateFrmClr();
        const QColor b(10, 20, 30), f(200, 100, 0);
        QCOMPARE(back(v.Widget()), b);
        QCOMPARE(back(v.Frame1), b);
        QCOMPARE(fore(v.Frame1), f);
        for (int i = 1; i <= 7; ++i) {
            QCOMPARE(back(v.Label1[i]), b);
            QCOMPARE(fore(v.Label1[i]), f);
        }
        for (QWidget* w : {static_cast<QWidget*>(v.lblNote), static_cast<QWidget*>(v.LblKeyWrd)}) {
            QCOMPARE(back(w), b);
            QCOMPARE(fore(w), f);
        }
        QCOMPARE(back(v.PicNote), b);
        QCOMPARE(v.strFrmClr, QString::number(vb::RGB(10, 20, 30)));
        // Labels of rows beyond the fields, and the boxes, are not touched.
        QVERIFY(back(v.Label1[8]) != b);
        QVERIFY(v.flddata[1]->palette().color(QPalette::Base) != b);

        // A colour text that is no number fails at the caller; what was set before stays set.
        Module1::SetFrmColor(QString::number(vb::RGB(1, 2, 3)));
        Module1::SetTextColor("abc");
        QCOMPARE(testdb::errorOf([&] { v.UpdateFrmClr(); }), int(vb::err::TypeMismatch));
        QCOMPARE(back(v.Widget()), QColor(1, 2, 3));
        QCOMPARE(fore(v.Frame1), f);
    }
};

RV_TEST(EntryKeywordsRenameTest)
#include "EntryKeywordsRenameTest.moc"
