// The search run without windows: criteria of every kind under And and Or, the ids found, the
// exact final SELECT texts, the criteria messages, and the roll-back of a run that fails.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "search/SearchEngine.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"
#include "search/SearchFixture.h"

#include <QLocale>
#include <QTest>

using search::Criteria;
using search::Outcome;
using search::RowCriterion;

namespace {

// The rows the view sets up for the fixture's fields, none ticked.
std::vector<RowCriterion> fixtureRows() {
    const QList<QPair<QString, QString>> defs = {{"Name", "Text"},      {"Age", "Integer"}, {"Price", "Decimal/2"},
                                                 {"Born", "Date/Time"}, {"Cost", "Currency"}, {"Active", "True/False"},
                                                 {"PhotoFP", "Text"}};
    std::vector<RowCriterion> rows;
    for (const auto& d : defs) {
        RowCriterion r;
        r.name = d.first;
        r.type = d.second;
        r.caption = d.first.endsWith("FP") ? d.first.left(d.first.size() - 2) : d.first;
        rows.push_back(r);
    }
    return rows;
}

// Criteria from a short text: fields "Name||mit;Age|>=|40;Born||2024-03-01 00:00..2024-03-31 23:59",
// keywords "red,,,green" (box by box), notes text ("" for none).
Criteria criteria(const QString& fields, bool fieldAnd, const QString& keywords, bool keyAnd, const QString& notes,
                  const QString& sort = "Sort Off") {
    Criteria c;
    c.rows = fixtureRows();
    for (const QString& item : fields.split(';', Qt::SkipEmptyParts)) {
        const QStringList p = item.split('|');
        for (RowCriterion& r : c.rows) {
            if (r.name != p[0]) continue;
            r.checked = true;
            r.op = p[1];
            if (r.type == "True/False") r.trueFalse = p[2];
            else if (r.type == "Date/Time" && p[2].contains("..")) {
                const QStringList range = p[2].split("..");
                r.hasRange = true;
                r.from = QDateTime::fromString(range[0], "yyyy-MM-dd HH:mm");
                r.to = QDateTime::fromString(range[1], "yyyy-MM-dd HH:mm");
            } else r.value = p[2];
        }
    }
    c.fieldAnd = fieldAnd;
    c.keyAnd = keyAnd;
    c.keywordBoxes = keywords.split(',');
    while (c.keywordBoxes.size() < 10) c.keywordBoxes << QString();
    c.hasNotes = true;
    c.memoChecked = !notes.isEmpty();
    c.memoText = notes.isEmpty() ? search::kNotesPrompt : notes;
    c.notesFlag = c.memoChecked;
    c.sort = sort;
    for (const RowCriterion& r : c.rows)
        if (r.name == sort) c.sortType = r.type;
    c.keyWordCount = 2;
    return c;
}

QString idsOf(db::Connection& conn, const QString& sql) {
    db::Recordset rs;
    rs.Open(sql, conn);
    QStringList ids;
    while (!rs.Eof()) {
        ids << rs.Fields(0).Value().toString();
        rs.MoveNext();
    }
    return ids.join(',');
}

QString flagged(db::Connection& conn) {
    db::Recordset rs;
    rs.Open("SELECT TolvaneID FROM UserTable WHERE RptFlg = 1 ORDER BY TolvaneID", conn);
    QStringList ids;
    while (!rs.Eof()) {
        ids << rs.Fields(0).Value().toString();
        rs.MoveNext();
    }
    return ids.join(',');
}

QString marks(db::Connection& conn) {
    db::Recordset rs;
    rs.Open("SELECT TolvaneID, SrchInt, SrchKey, SrchMemo, RptFlg FROM UserTable ORDER BY TolvaneID", conn);
    QStringList out;
    while (!rs.Eof()) {
        QStringList row;
        for (int i = 0; i < 5; ++i) row << (rs.Fields(i).Value().isNull() ? "N" : rs.Fields(i).Value().toString());
        out << row.join(':');
        rs.MoveNext();
    }
    return out.join(' ');
}

}  // namespace

class SearchEngineTest : public QObject {
    Q_OBJECT
    Fixture* fx = nullptr;
    QString path;
    db::Connection conn;

private Q_SLOTS:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        fx = new Fixture;
        path = searchdb::build(fx->path("s.mdb"));
        conn = db::Connection();
        conn.Open(testdb::connStr(path));
    }
    void cleanup() {
        conn.Close();
        delete fx;
        fx = nullptr;
    }

    void finds_data() {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<bool>("fieldAnd");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<bool>("keyAnd");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("sql");
        const QString S = "Select * From UserTable ";
        QTest::newRow("text contains, one row is Or") << "Name||mit" << true << "" << false << "" << "Sort Off" << "1,4"
                                                      << S + "Where SrchInt <> 0";
        QTest::newRow("text ignores case beyond ASCII") << "Name||émi" << true << "" << false << "" << "Sort Off" << "1"
                                                        << S + "Where SrchInt <> 0";
        QTest::newRow("text été finds ÉTÉ") << "Name||été" << true << "" << false << "" << "Sort Off" << "2"
                                            << S + "Where SrchInt <> 0";
        QTest::newRow("percent and underscore are literal") << "Name||0% sure_[" << true << "" << false << "" << "Sort Off"
                                                            << "3" << S + "Where SrchInt <> 0";
        QTest::newRow("apostrophe in a text") << "Name||h o'n" << true << "" << false << "" << "Sort Off" << "4"
                                              << S + "Where SrchInt <> 0";
        QTest::newRow("file path field") << "PhotoFP||a.JPG" << true << "" << false << "" << "Sort Off" << "1"
                                         << S + "Where SrchInt <> 0";
        QTest::newRow("integer >=") << "Age|>= Greater Equal To|40" << true << "" << false << "" << "Sort Off" << "2"
                                    << S + "Where SrchInt <> 0";
        QTest::newRow("integer =") << "Age|=  Equal To|30" << true << "" << false << "" << "Sort Off" << "1,4"
                                   << S + "Where SrchInt <> 0";
        QTest::newRow("decimal >") << "Price|> Greater |2.5" << true << "" << false << "" << "Sort Off" << "2"
                                   << S + "Where SrchInt <> 0";
        QTest::newRow("date range") << "Born||2024-03-01 00:00..2024-03-31 23:59" << true << "" << false << "" << "Sort Off"
                                    << "1" << S + "Where SrchInt <> 0";
        QTest::newRow("currency as formatted") << "Cost||$ 12.50" << true << "" << false << "" << "Sort Off" << "1,4"
                                               << S + "Where SrchInt <> 0";
        QTest::newRow("true") << "Active||TRUE" << true << "" << false << "" << "Sort Off" << "1,4" << S + "Where SrchInt <> 0";
        QTest::newRow("false") << "Active||FALSE" << true << "" << false << "" << "Sort Off" << "2,3" << S + "Where SrchInt <> 0";
        QTest::newRow("two fields And") << "Name||smith;Age|=  Equal To|30" << true << "" << false << "" << "Sort Off"
                                        << "1,4" << S + "Where SrchInt = 2";
        QTest::newRow("And drops a partial match") << "Name||smith;Cost||99.99" << true << "" << false << "" << "Sort Off"
                                                   << "" << S + "Where SrchInt = 2";
        QTest::newRow("two fields Or") << "Name||jones;Age|=  Equal To|30" << false << "" << false << "" << "Sort Off"
                                       << "1,2,4" << S + "Where SrchInt <> 0";
        QTest::newRow("date And true/false") << "Born||2024-01-01 00:00..2024-12-31 23:59;Active||TRUE" << true << "" << false
                                             << "" << "Sort Off" << "1" << S + "Where SrchInt = 2";
        QTest::newRow("decimal Or currency") << "Price|> Greater |5;Cost||12.5" << false << "" << false << "" << "Sort Off"
                                             << "1,2,4" << S + "Where SrchInt <> 0";
        QTest::newRow("text And file path") << "Name||é;PhotoFP||PICS" << true << "" << false << "" << "Sort Off" << "1"
                                            << S + "Where SrchInt = 2";
        QTest::newRow("Null marks met by the first row") << "Name||100%;Age|< Less |50" << false << "" << false << ""
                                                         << "Sort Off" << "1,2,3,4" << S + "Where SrchInt <> 0";
        QTest::newRow("one keyword is Or") << "" << true << "red" << true << "" << "Sort Off" << "1,2,4"
                                           << S + "Where SrchKey <> 0";
        QTest::newRow("keyword apostrophe") << "" << true << "o'brien" << false << "" << "Sort Off" << "1"
                                            << S + "Where SrchKey <> 0";
        QTest::newRow("keywords And, boxes 0 and 3") << "" << true << "red,,,GREEN" << true << "" << "Sort Off" << "4"
                                                     << S + "Where SrchKey = 2 ";
        QTest::newRow("keywords Or") << "" << true << "blue,green" << false << "" << "Sort Off" << "2,3,4"
                                     << S + "Where SrchKey <> 0";
        QTest::newRow("notes alone") << "" << true << "" << false << "sea" << "Sort Off" << "1,4"
                                     << S + "Where SrchMemo <> 0";
        QTest::newRow("notes ignore case beyond ASCII") << "" << true << "" << false << "ÉTÉ" << "Sort Off" << "2"
                                                        << S + "Where SrchMemo <> 0";
        QTest::newRow("one field with notes is And") << "Name||smith" << false << "" << false << " breeze " << "Sort Off"
                                                     << "4" << S + "Where SrchInt = 1 And SrchMemo <> 0";
        QTest::newRow("fields And, keywords Or") << "Name||s;Age|=  Equal To|30" << true << "red,green" << false << ""
                                                 << "Sort Off" << "1,4" << S + "Where SrchInt = 2 AND SrchKey <> 0 ";
        QTest::newRow("fields Or, keywords And, notes") << "Name||s;Age|=  Equal To|45" << false << "red,green" << true
                                                        << "sea" << "Sort Off" << "4"
                                                        << S + "Where SrchInt <> 0 AND SrchKey = 2 AND SrchMemo <> 0";
        QTest::newRow("sorted by a date") << "Name||é" << true << "" << false << "" << "Born" << "2,1"
                                          << S + "Where SrchInt <> 0 Order by [Born]";
        QTest::newRow("sorted by text ignoring case") << "Name||s" << true << "" << false << "" << "Name" << "3,4,1,2"
                                                      << S + "Where SrchInt <> 0 Order by casefold([Name])";
        QTest::newRow("sorted, F and K Or Or") << "Name||s" << true << "red" << false << "" << "Born" << "4,2,1"
                                               << S + "Where SrchInt <> 0 AND SrchKey <> 0  Order by [Born]";
    }
    void finds() {
        QFETCH(QString, fields);
        QFETCH(bool, fieldAnd);
        QFETCH(QString, keywords);
        QFETCH(bool, keyAnd);
        QFETCH(QString, notes);
        QFETCH(QString, sort);
        QFETCH(QString, ids);
        QFETCH(QString, sql);
        const Outcome o = search::Run(conn, criteria(fields, fieldAnd, keywords, keyAnd, notes, sort));
        QCOMPARE(o.error.description, QString());
        QCOMPARE(o.sql, sql);
        QCOMPARE(o.kind, ids.isEmpty() ? Outcome::NotFound : Outcome::Found);
        QCOMPARE(idsOf(conn, o.sql), ids);
        QStringList sortedIds = ids.split(',', Qt::SkipEmptyParts);
        std::sort(sortedIds.begin(), sortedIds.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QCOMPARE(flagged(conn), sortedIds.join(','));
        // A second run with the same criteria clears the first run's marks and finds the same.
        search::Run(conn, criteria(fields, fieldAnd, keywords, keyAnd, notes, sort));
        QCOMPARE(idsOf(conn, o.sql), ids);
        QCOMPARE(flagged(conn), sortedIds.join(','));
    }

    // Every case of the final statement, sorted and unsorted, character for character.
    void finalStatements_data() {
        QTest::addColumn<int>("nF");
        QTest::addColumn<int>("nK");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<bool>("fAnd");
        QTest::addColumn<bool>("kAnd");
        QTest::addColumn<QString>("unsorted");
        QTest::addColumn<QString>("sorted");
        const QString S = "Select * From UserTable Where ";
        QTest::newRow("FK And And N") << 2 << 3 << true << true << true << S + "SrchInt = 2 AND SrchKey = 3 AND SrchMemo  <> 0"
                                      << S + "SrchInt = 2 AND SrchKey = 3 AND SrchMemo  <> 0 ";
        QTest::newRow("FK And And") << 2 << 3 << false << true << true << S + "SrchInt = 2 AND SrchKey = 3"
                                    << S + "SrchInt = 2 AND SrchKey = 3";
        QTest::newRow("FK Or Or N") << 2 << 3 << true << false << false
                                    << "Select * From UserTable WHERE SrchInt <> 0 AND SrchKey <> 0 And SrchMemo <> 0"
                                    << S + "SrchInt <> 0 AND SrchKey <> 0 And SrchMemo <> 0";
        QTest::newRow("FK Or Or") << 2 << 3 << false << false << false
                                  << "Select * From UserTable WHERE SrchInt <> 0 AND SrchKey <> 0 "
                                  << S + "SrchInt <> 0 AND SrchKey <> 0 ";
        QTest::newRow("FK And Or N") << 2 << 3 << true << true << false << S + "SrchInt = 2 AND SrchKey <> 0  And SrchMemo <> 0"
                                     << S + "SrchInt = 2 AND SrchKey <> 0 AND SrchMemo <> 0";
        QTest::newRow("FK And Or") << 2 << 3 << false << true << false << S + "SrchInt = 2 AND SrchKey <> 0 "
                                   << S + "SrchInt = 2 AND SrchKey <> 0 ";
        QTest::newRow("FK Or And N") << 2 << 3 << true << false << true << S + "SrchInt <> 0 AND SrchKey = 3 AND SrchMemo <> 0"
                                     << S + "SrchInt <> 0 AND SrchKey = 3 AND SrchMemo <> 0";
        QTest::newRow("FK Or And") << 2 << 3 << false << false << true << S + "SrchInt <> 0 AND SrchKey = 3 "
                                   << S + "SrchInt <> 0 AND SrchKey = 3 ";
        QTest::newRow("K And N") << 0 << 3 << true << true << true << S + "SrchKey = 3 And SrchMemo <> 0"
                                 << S + "SrchKey = 3 And SrchMemo <> 0";
        QTest::newRow("K And") << 0 << 3 << false << true << true << S + "SrchKey = 3 " << S + "SrchKey = 3 ";
        QTest::newRow("K Or N") << 0 << 3 << true << true << false << S + "SrchKey <> 0 And SrchMemo <> 0"
                                << S + "SrchKey <> 0 And SrchMemo <> 0";
        QTest::newRow("K Or") << 0 << 3 << false << true << false << S + "SrchKey <> 0" << S + "SrchKey <> 0";
        QTest::newRow("F And N") << 2 << 0 << true << true << true << S + "SrchInt = 2 And SrchMemo <> 0"
                                 << S + "SrchInt = 2 And Srchmemo <> 0";
        QTest::newRow("F And") << 2 << 0 << false << true << true << S + "SrchInt = 2" << S + "SrchInt = 2";
        QTest::newRow("F Or N") << 2 << 0 << true << false << true << S + "SrchInt <> 0 AND SrchMemo <> 0"
                                << S + "SrchInt <> 0 AND SrchMemo <> 0";
        QTest::newRow("F Or") << 2 << 0 << false << false << true << S + "SrchInt <> 0" << S + "SrchInt <> 0";
        QTest::newRow("N only") << 0 << 0 << true << true << true << S + "SrchMemo <> 0" << S + "SrchMemo <> 0";
    }
    void finalStatements() {
        QFETCH(int, nF);
        QFETCH(int, nK);
        QFETCH(bool, notes);
        QFETCH(bool, fAnd);
        QFETCH(bool, kAnd);
        QFETCH(QString, unsorted);
        QFETCH(QString, sorted);
        QCOMPARE(search::FinalStatement(nF, nK, notes, fAnd, kAnd, {}, false), unsorted);
        QCOMPARE(search::FinalStatement(nF, nK, notes, fAnd, kAnd, "Last Name", false), sorted + " Order by [Last Name]");
        // Each one runs.
        db::Recordset rs;
        rs.Open(search::FinalStatement(nF, nK, notes, fAnd, kAnd, "Name", true), conn);
    }

    // Criteria messages: the text, the title, and nothing written.
    void messages_data() {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("style");
        const QString blank = search::kBlankTitle;
        QTest::newRow("nothing entered")
            << "" << "Enter values into Field Search Criteria, Keyword Search Criteria or Search For Text In Notes.\r\n" << blank
            << 304;
        QTest::newRow("empty text") << "Name||" << "Please Enter A Search Value For Name\r\n" << blank << 304;
        QTest::newRow("empty file path") << "PhotoFP||" << "Please Enter A Search Value For Photo\r\n" << blank << 304;
        QTest::newRow("empty number") << "Age|> Greater |" << "Please Enter A Search Value For Age\r\n" << blank << 304;
        QTest::newRow("no operator") << "Age||5" << "Please Select an >, < or = Value For Age\r\n" << blank << 304;
        QTest::newRow("unknown operator") << "Age|about|5" << "Please Select an >, < or = Value For Age\r\n" << blank << 304;
        QTest::newRow("not a number") << "Age|> Greater |5x"
                                      << "This is a numeric field, please enter all numbers" << "Ravelstow Search" << 0;
        QTest::newRow("currency 0") << "Cost||0" << "Please Enter A Search Value For Cost\r\n" << blank << 304;
        QTest::newRow("currency empty") << "Cost||" << "Please Enter A Search Value For Cost\r\n" << blank << 304;
        QTest::newRow("currency not money") << "Cost||abc"
                                            << "This is a Currency field, please enter a monetary value" << "Ravelstow" << 0;
        QTest::newRow("date never confirmed") << "Born||" << "Please Enter A Search Value For Born\r\n" << blank << 304;
        QTest::newRow("later row checked first") << "Name||smith;Age||5" << "Please Select an >, < or = Value For Age\r\n"
                                                 << blank << 304;
    }
    void messages() {
        QFETCH(QString, fields);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QFETCH(int, style);
        search::Run(conn, criteria("Name||smith", true, "", false, ""));
        const QString before = marks(conn);
        const Outcome o = search::Run(conn, criteria(fields, true, "", false, ""));
        QCOMPARE(o.kind, Outcome::Message);
        QCOMPARE(o.prompt, prompt);
        QCOMPARE(o.title, title);
        QCOMPARE(o.style, style);
        QCOMPARE(marks(conn), before);
    }

    // A run that fails part-way (here the keyword pass, after the field marks) leaves the previous
    // result's marks; a database that cannot be written is recognised as read-only.
    void failureRollsBack_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("refused part-way") << false;
        QTest::newRow("read-only") << true;
    }
    void failureRollsBack() {
        QFETCH(bool, readOnly);
        QCOMPARE(search::Run(conn, criteria("Age|=  Equal To|30", true, "", false, "")).kind, Outcome::Found);
        const QString before = marks(conn);
        if (readOnly) conn.Execute("PRAGMA query_only = 1");
        else conn.Execute("CREATE TRIGGER fail AFTER UPDATE OF SrchKey ON UserTable WHEN NEW.SrchKey > 0 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        const Outcome o = search::Run(conn, criteria("Name||jones", true, "blue", false, ""));
        QCOMPARE(o.kind, Outcome::Failed);
        QCOMPARE(o.readOnly, readOnly);
        QVERIFY(!conn.InTransaction());
        if (readOnly) conn.Execute("PRAGMA query_only = 0");
        QCOMPARE(marks(conn), before);
    }

    // No 16-bit counters: ids above 32,767 and Or runs over more than 32,767 records.
    void largeTables() {
        testdb::exec(path, "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 40000) "
                           "INSERT INTO UserTable (TolvaneID, Name, Age, SrchInt, SrchKey, RptFlg) "
                           "SELECT 100 + i, 'bulk ' || i, i % 7, 0, 0, 0 FROM c");
        const Outcome o = search::Run(conn, criteria("Name||bulk;Age|=  Equal To|3", false, "", false, ""));
        QCOMPARE(o.kind, Outcome::Found);
        QCOMPARE(o.count, qint64(40000));
        const Outcome and2 = search::Run(conn, criteria("Name||bulk 40000;Age|> Greater |0", true, "", false, ""));
        QCOMPARE(idsOf(conn, and2.sql), QString("40100"));
    }
};

RV_TEST(SearchEngineTest)
#include "SearchEngineTest.moc"
