// The keyword tally against the table itself: built, it lists what a scan of each keyword column
// on its own lists; kept up to date through many row changes, it holds the same keywords as the
// table, each in a spelling the table holds.
#include "entry/KeywordTally.h"
#include "platform/db/Connection.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace testdb;

namespace {

const QStringList kColumns = {"KeyWord1", "KeyWord2", "KeyWord3"};

QStringList rowOf(db::Connection& conn, qint64 id) {
    QStringList out;
    db::detail::Statement st(conn.handle(), QStringLiteral("SELECT KeyWord1, KeyWord2, KeyWord3 FROM UserTable WHERE TolvaneID = ?1"));
    st.bind(1, id);
    if (st.step())
        for (int j = 0; j < 3; ++j) out << st.column(j).toString();
    return out;
}

QVariantList variants(const QStringList& l) {
    QVariantList out;
    for (const QString& s : l) out << s;
    return out;
}

// What the table holds: each column's distinct values in the order a scan meets them, column by
// column, and of the spellings of one keyword the first.
QStringList scanned(db::Connection& conn) {
    QStringList out;
    QSet<QString> seen;
    for (const QString& c : kColumns) {
        db::detail::Statement st(conn.handle(), QStringLiteral("SELECT DISTINCT %1 FROM UserTable").arg(c));
        while (st.step()) {
            const QString v = st.column(0).toString();
            if (v.isEmpty() || seen.contains(v.toCaseFolded())) continue;
            seen.insert(v.toCaseFolded());
            out << v;
        }
    }
    return out;
}

}  // namespace

class KeywordTallyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void followsTheTable() {
        Fixture fx;
        const QString path = build(fx.path("t.mdb"), {{"Name", "Text", ""}}, false, 3);
        // Few words in several spellings, so rows share keywords and spellings come and go.
        const QStringList words = {"red", "Red", "RED", "blue", "Blue", "green", "", "pink", "Pink", "teal"};
        QRandomGenerator rng(18);
        auto word = [&] { return words[int(rng.bounded(words.size()))]; };
        QStringList rows;
        for (int i = 0; i < 60; ++i) rows << QStringLiteral("('n', '%1', '%2', '%3', 0, 0, 0)").arg(word(), word(), word());
        exec(path, "INSERT INTO UserTable (Name, KeyWord1, KeyWord2, KeyWord3, SrchInt, SrchKey, RptFlg) VALUES " +
                       rows.join(", ") + "; UPDATE UserTable SET KeyWord2 = NULL WHERE TolvaneID % 7 = 0");
        db::Connection conn;
        conn.Open(QStringLiteral("Data Source=") + path);
        KeywordTally tally;
        tally.Build(conn, kColumns);
        QCOMPARE(tally.List(), scanned(conn));

        for (int step = 0; step < 300; ++step) {
            const qint64 id = 1 + rng.bounded(60);
            const QStringList before = rowOf(conn, id);
            QStringList after;
            if (!before.isEmpty() && rng.bounded(10) == 0) {
                conn.Execute(QStringLiteral("DELETE FROM UserTable WHERE TolvaneID = %1").arg(id));
            } else {
                after = {word(), word(), word()};
                conn.Execute(QStringLiteral("INSERT OR REPLACE INTO UserTable (TolvaneID, Name, KeyWord1, KeyWord2, KeyWord3, "
                                            "SrchInt, SrchKey, RptFlg) VALUES (?1, 'n', ?2, ?3, ?4, 0, 0, 0)"),
                             {id, after[0], after[1], after[2]});
            }
            tally.Apply(variants(before), variants(after));
            QSet<QString> listed, held;
            for (const QString& k : tally.List()) listed.insert(k.toCaseFolded());
            for (const QString& k : scanned(conn)) held.insert(k.toCaseFolded());
            QCOMPARE(listed, held);
            for (const QString& k : tally.List()) {
                db::detail::Statement st(conn.handle(), QStringLiteral("SELECT 1 FROM UserTable WHERE ?1 IN (KeyWord1, KeyWord2, KeyWord3)"));
                st.bind(1, k);
                QVERIFY2(st.step(), qPrintable(k));
            }
        }
    }
};

RV_TEST(KeywordTallyTest)
#include "KeywordTallyTest.moc"
