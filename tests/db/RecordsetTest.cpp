// Record-set semantics on real files: positions, bookmarks, edits, other connections.
#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "support/TestDb.h"
#include "platform/db/Catalog.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/Recordset.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace testdb;

class RecordsetTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;
    db::Connection conn_;

    void addNames(const QStringList& names) {
        for (const QString& n : names) conn_.Execute("INSERT INTO UserTable (Name) VALUES (?1)", {n});
    }
    static QString name(db::Recordset& rs) { return rs.Fields("Name").Value().toString(); }

private Q_SLOTS:
    void init() {
        static int n = 0;
        path_ = buildSample(dir_.filePath(QStringLiteral("rs%1.mdb").arg(++n)));
        conn_ = db::Connection();
        conn_.Open(connStr(path_));
    }
    void cleanup() { conn_.Close(); }

    void emptySetHasNoCurrentRecord() {
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable", conn_);
        QVERIFY(rs.Bof() && rs.Eof());
        QCOMPARE(rs.RecordCount(), 0);
        QCOMPARE(errorOf([&] { rs.MoveFirst(); }), vb::err::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs.Fields("Name").Value(); }), vb::err::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs.Update(); }), vb::err::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs.Fields(99); }), vb::err::ItemNotFound);
    }

    void openErrors() {
        db::Recordset rs;
        QCOMPARE(errorOf([&] { rs.Open("SELECT * FROM Missing", conn_); }), vb::err::DB_E_NOTABLE);
        QCOMPARE(errorOf([&] { rs.Open("SELECT Nope FROM UserTable", conn_); }), vb::err::DB_E_PARAMNOTOPTIONAL);
        QCOMPARE(errorOf([&] { rs.Open("SELECT * FROM UserTable WHERE Name = 'it's'", conn_); }), vb::err::DB_E_ERRORSINCOMMAND);
        QVERIFY(!rs.IsOpen());
        db::Connection closed;
        QCOMPARE(errorOf([&] { rs.Open("SELECT * FROM UserTable", closed); }), 3709);
    }

    void navigationAndPositions() {
        addNames({"a", "b", "c"});
        db::Recordset rs;
        int moves = 0;
        rs.SetMoveCompleteHandler([&] { ++moves; });
        rs.Open("SELECT * FROM UserTable Order By TolvaneID", conn_);
        QCOMPARE(rs.RecordCount(), 3);
        QCOMPARE(rs.AbsolutePosition(), 1);
        QCOMPARE(name(rs), QString("a"));
        rs.MoveLast();
        QCOMPARE(name(rs), QString("c"));
        QCOMPARE(rs.AbsolutePosition(), 3);
        rs.MoveNext();
        QVERIFY(rs.Eof() && !rs.Bof());
        QCOMPARE(rs.AbsolutePosition(), qint64(db::adPosEOF));
        QCOMPARE(errorOf([&] { rs.MoveNext(); }), vb::err::NoCurrentRecord);
        rs.MovePrevious();
        QCOMPARE(name(rs), QString("c"));
        rs.MoveFirst();
        rs.MovePrevious();
        QVERIFY(rs.Bof());
        QCOMPARE(errorOf([&] { rs.MovePrevious(); }), vb::err::NoCurrentRecord);
        QCOMPARE(moves, 6);   // open and five moves (failed moves do not count)
        // The fields carry the column types.
        QCOMPARE(rs.FieldCount(), 16);
        QCOMPARE(rs.Fields(0).Name(), QString("TolvaneID"));
        QCOMPARE(int(rs.Fields("Price").Type()), int(db::adNumeric));
        QCOMPARE(rs.Fields("Price").NumericScale(), 2);
        QCOMPARE(rs.Fields("Price").Precision(), 10);
        QCOMPARE(rs.Fields("PhotoFP").DefinedSize(), 100);
        QCOMPARE(int(rs.Fields("Memofld").Type()), int(db::adLongVarWChar));
        QCOMPARE(int(rs.Fields("RptFlg").Type()), int(db::adBoolean));
    }

    void bookmarksSurviveRequery() {
        addNames({"a", "b", "c", "d"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable ORDER BY Name DESC", conn_);   // keys not in id order
        rs.MoveNext();
        const qint64 b = rs.Bookmark();
        QCOMPARE(name(rs), QString("c"));
        conn_.Execute("INSERT INTO UserTable (Name) VALUES ('z')");
        rs.Requery();
        QCOMPARE(rs.RecordCount(), 5);
        QCOMPARE(name(rs), QString("z"));
        rs.SetBookmark(b);
        QCOMPARE(name(rs), QString("c"));
        QCOMPARE(rs.AbsolutePosition(), 3);
        QCOMPARE(errorOf([&] { rs.SetBookmark(9999); }), vb::err::DB_E_BADBOOKMARK);
        QCOMPARE(name(rs), QString("c"));
    }

    void addNewThenCancelReturnsToPreviousRow() {
        addNames({"a", "b"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable Order By TolvaneID", conn_);
        rs.MoveNext();
        rs.AddNew();
        QCOMPARE(int(rs.EditMode()), int(db::adEditAdd));
        QCOMPARE(rs.Bookmark(), 0);
        QCOMPARE(rs.RecordCount(), 3);
        QCOMPARE(rs.AbsolutePosition(), 3);
        QVERIFY(!rs.Eof() && !rs.Bof());
        QVERIFY(rs.Fields("Name").Value().isNull());
        rs.Fields("Name").SetValue("new");
        rs.CancelUpdate();
        QCOMPARE(int(rs.EditMode()), int(db::adEditNone));
        QCOMPARE(name(rs), QString("b"));
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(conn_.RowCount("UserTable"), 2);

        // On an empty table the pending row is the only one; cancelling leaves the set empty.
        conn_.Execute("DELETE FROM UserTable");
        rs.Requery();
        rs.AddNew();
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Bookmark(), 0);
        rs.CancelUpdate();
        QVERIFY(rs.Bof() && rs.Eof());
    }

    void addNewUpdateStoresRowAtEnd() {
        addNames({"a"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable Order By TolvaneID", conn_);
        rs.AddNew();
        rs.Fields("Name").SetValue("b");
        rs.Fields("Memofld").SetValue("00123");
        rs.Update();
        QCOMPARE(int(rs.EditMode()), int(db::adEditNone));
        QCOMPARE(rs.AbsolutePosition(), 2);
        QVERIFY(rs.Bookmark() > 0);
        QCOMPARE(rs.Fields("TolvaneID").Value().toLongLong(), rs.Bookmark());
        QCOMPARE(rs.Fields("RptFlg").Value(), QVariant(false));
        QCOMPARE(rs.Fields("Memofld").Value(), QVariant(QString("00123")));
        QCOMPARE(errorOf([&] { rs.Fields("TolvaneID").SetValue(5); }), vb::err::DB_E_ERRORSOCCURRED);
    }

    void movingOffAnEditedRowStoresIt() {
        addNames({"a", "b"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable WHERE SrchInt > 0 OR Name = 'a' OR Name = 'b'", conn_);
        rs.Fields("SrchInt").SetValue(0);
        rs.Fields("RptFlg").SetValue(true);
        QCOMPARE(int(rs.EditMode()), int(db::adEditInProgress));
        QCOMPARE(conn_.Scalar("SELECT RptFlg FROM UserTable WHERE Name = 'a'").toInt(), 0);
        rs.MoveNext();
        QCOMPARE(int(rs.EditMode()), int(db::adEditNone));
        QCOMPARE(conn_.Scalar("SELECT RptFlg FROM UserTable WHERE Name = 'a'").toInt(), 1);
        QCOMPARE(conn_.Scalar("SELECT SrchInt FROM UserTable WHERE Name = 'a'").toInt(), 0);
        // And after an AddNew, a move stores the new row.
        rs.AddNew();
        rs.Fields("Name").SetValue("c");
        rs.MoveFirst();
        QCOMPARE(conn_.RowCount("UserTable"), 3);
        QCOMPARE(rs.RecordCount(), 3);
        // Close with a pending change is refused, as ADO refuses it.
        rs.Fields("Name").SetValue("x");
        QCOMPARE(errorOf([&] { rs.Close(); }), vb::err::IllegalOperation);
        rs.CancelUpdate();
        rs.Close();
        QCOMPARE(conn_.Scalar("SELECT COUNT(*) FROM UserTable WHERE Name = 'x'").toInt(), 0);
    }

    void valuesTheColumnRefuses_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text over 255") << "Name" << QVariant(QString(256, 'x'));
        QTest::newRow("file path over 100") << "PhotoFP" << QVariant(QString(101, 'x'));
        QTest::newRow("integer range") << "Age" << QVariant(3000000000.0);
        QTest::newRow("decimal digits") << "Price" << QVariant(123456789.0);
        QTest::newRow("currency range") << "Cost" << QVariant(1e16);
        QTest::newRow("search mark range") << "SrchInt" << QVariant(40000);
    }
    void valuesTheColumnRefuses() {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        addNames({"a"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable", conn_);
        QCOMPARE(errorOf([&] { rs.Fields(field).SetValue(value); }), vb::err::DB_E_ERRORSOCCURRED);
        QCOMPARE(int(rs.EditMode()), int(db::adEditNone));
    }

    void valuesRoundTrip_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("notes keep leading zeros") << "Memofld" << QVariant("00123") << QVariant("00123");
        QTest::newRow("currency rounds") << "Cost" << QVariant(1.23456) << QVariant(1.2346);
        QTest::newRow("decimal rounds to scale") << "Price" << QVariant("3.14159") << QVariant(3.14);
        QTest::newRow("date and time")
            << "Born" << QVariant(QDateTime(QDate(2024, 3, 5), QTime(14, 7), Qt::UTC))
            << QVariant(QDateTime(QDate(2024, 3, 5), QTime(14, 7), Qt::UTC));
        QTest::newRow("date text") << "Born" << QVariant("2024-03-05") << QVariant(QDateTime(QDate(2024, 3, 5), QTime(0, 0), Qt::UTC));
        QTest::newRow("integer halves to even") << "Age" << QVariant(2.5) << QVariant(2);
        QTest::newRow("boolean from TRUE") << "Active" << QVariant("TRUE") << QVariant(true);
        QTest::newRow("boolean null is false") << "Active" << QVariant() << QVariant(false);
        QTest::newRow("emptied number is null") << "Age" << QVariant("") << QVariant();
    }
    void valuesRoundTrip() {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        addNames({"a"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable", conn_);
        rs.Fields("Age").SetValue(1);   // a value to be replaced by an empty one
        rs.Fields(field).SetValue(value);
        rs.Update();
        rs.Requery();
        const QVariant got = rs.Fields(field).Value();
        if (expected.isNull()) QVERIFY(got.isNull());
        else if (expected.typeId() == QMetaType::Double) QCOMPARE(got.toDouble(), expected.toDouble());
        else QCOMPARE(got, expected);
    }

    void rowDeletedByAnotherConnection() {
        addNames({"a", "b", "c"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable Order By TolvaneID", conn_);
        rs.MoveNext();
        const qint64 b = rs.Bookmark();
        QCOMPARE(name(rs), QString("b"));
        rs.Fields("Name").SetValue("edited");
        db::Connection other;
        other.Open(connStr(path_));   // possible only because the set holds no statement open
        QCOMPARE(other.Execute("DELETE FROM UserTable WHERE TolvaneID = ?1", {b}), 1);
        QCOMPARE(errorOf([&] { rs.Update(); }), vb::err::DB_E_CONCURRENCYVIOLATION);
        rs.CancelUpdate();
        QCOMPARE(errorOf([&] { rs.Fields("Name").Value(); }), vb::err::NoCurrentRecord);
        QCOMPARE(errorOf([&] { rs.Delete(); }), vb::err::DB_E_CONCURRENCYVIOLATION);
        rs.MoveNext();
        QCOMPARE(name(rs), QString("c"));
        rs.Requery();
        QCOMPARE(rs.RecordCount(), 2);
        QCOMPARE(errorOf([&] { rs.SetBookmark(b); }), vb::err::DB_E_BADBOOKMARK);
    }

    void deleteThenMove() {
        addNames({"a", "b", "c"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable Order By TolvaneID", conn_);
        rs.MoveNext();
        rs.Delete();
        QCOMPARE(errorOf([&] { rs.Fields("Name").Value(); }), vb::err::NoCurrentRecord);
        QVERIFY(!rs.Eof());
        QCOMPARE(rs.RecordCount(), 2);
        rs.MoveNext();
        QCOMPARE(name(rs), QString("c"));
        // The entry view's Delete: Delete, MoveNext, Requery, MoveLast.
        rs.Delete();
        rs.MoveNext();
        QVERIFY(rs.Eof());
        rs.Requery();
        rs.MoveLast();
        QCOMPARE(name(rs), QString("a"));
        // Deleting the only row: the move after it reaches EOF, the last move finds no record.
        rs.Delete();
        QVERIFY(!rs.Eof() && !rs.Bof());
        rs.MoveNext();
        QVERIFY(rs.Eof() && rs.Bof());
        rs.Requery();
        QCOMPARE(conn_.RowCount("UserTable"), 0);
    }

    void readOnlySets_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("rows");
        QTest::newRow("distinct") << "SELECT Distinct KeyWord1 FROM UserTable" << 2;
        QTest::newRow("column list") << "SELECT UserName, PassWrd, UserLevel FROM UserProfile Where UserName ='Admin' AND PassWrd = ''" << 1;
        QTest::newRow("join") << "SELECT * FROM UserTable, UserProfile" << 3;
    }
    void readOnlySets() {
        QFETCH(QString, sql);
        QFETCH(int, rows);
        conn_.Close();
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("sec.mdb"), true);
        conn_.Open(connStr(path));
        conn_.Execute("INSERT INTO UserProfile (UserName, FullName, UserLevel, PassWrd) VALUES ('Admin', 'Administrator', 'SUPRVR', '')");
        conn_.Execute("INSERT INTO UserTable (Name, KeyWord1) VALUES ('a', 'red'), ('b', 'RED'), ('c', 'blue')");
        db::Recordset rs;
        rs.Open(sql, conn_);
        QVERIFY(!rs.Updatable());
        QCOMPARE(rs.RecordCount(), rows);
        QCOMPARE(errorOf([&] { rs.Fields(0).SetValue("x"); }), db::err::FeatureNotAvailable);
        QCOMPARE(errorOf([&] { rs.AddNew(); }), db::err::FeatureNotAvailable);
        QCOMPARE(errorOf([&] { rs.Delete(); }), db::err::FeatureNotAvailable);
        rs.MoveLast();
        QVERIFY(!rs.Fields(0).Value().isNull());
        // An action statement runs through Open, and compares names ignoring case.
        conn_.Execute("INSERT INTO UserProfile (UserName, UserLevel) VALUES ('bob', 'RESUSR'), ('Bob', 'RESUSR')");
        db::Recordset del;
        del.Open("Delete From UserProfile Where UserName = 'BOB'", conn_);
        QVERIFY(!del.IsOpen());
        QCOMPARE(conn_.RowCount("UserProfile"), 1);
    }

    void keysetOfNamedColumnsAndReadOnlyLock() {
        addNames({"b", "a"});
        db::Recordset rs;
        rs.Open("SELECT Name, TolvaneID FROM UserTable ORDER BY Name", conn_);
        QCOMPARE(rs.FieldCount(), 2);
        QCOMPARE(name(rs), QString("a"));
        QCOMPARE(int(rs.Fields("Name").Type()), int(db::adVarWChar));
        QVERIFY(!rs.Updatable());
        db::Recordset ro;
        ro.Open("SELECT * FROM UserTable", conn_, db::adOpenKeyset, db::adLockReadOnly);
        QVERIFY(!ro.Updatable());
        QCOMPARE(errorOf([&] { ro.Fields("Name").SetValue("x"); }), db::err::FeatureNotAvailable);
    }

    void findByCriterion() {
        addNames({"a", "b", "c"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable Order By TolvaneID", conn_);
        rs.Find(QStringLiteral("TolvaneID = %1 ").arg(3));
        QCOMPARE(name(rs), QString("c"));
        rs.MoveFirst();
        rs.Find("Name = 'B'");
        QCOMPARE(name(rs), QString("b"));
        rs.Find("Name = 'a'");
        QVERIFY(rs.Eof());
        QCOMPARE(errorOf([&] { rs.Bookmark(); }), vb::err::NoCurrentRecord);
        rs.MoveLast();
        rs.Find("Name LIKE 'a*'", 0, false);
        QCOMPARE(name(rs), QString("a"));
        // A yes/no word reads as every view reads it.
        conn_.Execute("UPDATE UserTable SET Active = 1 WHERE Name = 'c'");
        rs.Find("Active = Yes");
        QCOMPARE(name(rs), QString("c"));
    }

    void getRowsReadsInBatches() {
        for (int i = 0; i < 1234; ++i) conn_.Execute("INSERT INTO UserTable (Name, Age) VALUES (?1, ?2)", {QString::number(i), i});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable ORDER BY Age DESC", conn_);
        rs.MoveNext();
        const auto rows = rs.GetRows();
        QCOMPARE(rows.size(), 1233);
        QCOMPARE(rows.first().at(2).toInt(), 1232);
        QCOMPARE(rows.last().at(2).toInt(), 0);
        QVERIFY(rs.Eof());
    }

    // Rows by position for grids: in the set's order, without moving; a row gone from the file is
    // an empty list, positions past the end are left out.
    void rowsAtReadsByPosition() {
        for (int i = 0; i < 700; ++i) conn_.Execute("INSERT INTO UserTable (Name, Age) VALUES (?1, ?2)", {QString::number(i), i});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable ORDER BY Age DESC", conn_);
        conn_.Execute("DELETE FROM UserTable WHERE Age = 198");
        const auto rows = rs.RowsAt(498, 10);
        QCOMPARE(rows.size(), 10);
        QCOMPARE(rows[0].at(2).toInt(), 201);
        QVERIFY(rows[3].isEmpty());
        QCOMPARE(rows[9].at(2).toInt(), 192);
        QCOMPARE(rs.RowsAt(695, 10).size(), 5);
        QVERIFY(rs.RowsAt(700, 1).isEmpty());
        QCOMPARE(rs.AbsolutePosition(), 1);
    }

    // The set's own writes keep its keys current; a write past it, on any connection, is seen.
    void keysCurrentThroughOwnWrites_data() {
        QTest::addColumn<QString>("write");
        QTest::addColumn<bool>("current");
        for (const char* w : {"add", "edit", "delete"}) QTest::newRow(w) << w << true;
        QTest::newRow("same connection, past the set") << "execute" << false;
        QTest::newRow("another connection") << "other" << false;
    }
    void keysCurrentThroughOwnWrites() {
        QFETCH(QString, write);
        addNames({"a", "b"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable", conn_);
        db::Connection other;
        other.Open(connStr(path_));
        if (write == "add") rs.AddNew();
        if (write == "delete") rs.Delete();
        else if (write == "add" || write == "edit") rs.Fields("Name").SetValue("c"), rs.Update();
        else (write == "other" ? other : conn_).Execute("INSERT INTO UserTable (Name) VALUES ('x')");
        QTEST(rs.KeysCurrent(), "current");
        rs.MoveLast();
        rs.Delete();   // a later write of the set's own never hides one past it
        QTEST(rs.KeysCurrent(), "current");
    }

    void noStatementStaysOpen() {
        addNames({"a", "b"});
        db::Recordset rs;
        rs.Open("SELECT * FROM UserTable", conn_);
        rs.MoveLast();
        QCOMPARE(name(rs), QString("b"));
        for (sqlite3_stmt* st = sqlite3_next_stmt(conn_.handle(), nullptr); st; st = sqlite3_next_stmt(conn_.handle(), st))
            QVERIFY(!sqlite3_stmt_busy(st));
        // Another connection writes, even in an exclusive transaction, while the set is open.
        db::Connection other;
        other.Open(connStr(path_));
        other.Execute("BEGIN EXCLUSIVE; UPDATE UserTable SET Name = 'B2' WHERE Name = 'b'; COMMIT");
        // A renamed column: the kept row statement is prepared again, and reports the column gone.
        db::Catalog(other).RenameColumn("UserTable", "Name", "Title");
        QCOMPARE(errorOf([&] { rs.MoveFirst(); rs.Fields(0).Value(); }), vb::err::DB_E_PARAMNOTOPTIONAL);
        other.Execute("ALTER TABLE UserTable RENAME COLUMN Title TO Name");
        rs.Requery();
        rs.MoveLast();
        QCOMPARE(name(rs), QString("B2"));
    }
};

RV_TEST(RecordsetTest)
#include "RecordsetTest.moc"
