#pragma once
// The widest database the benchmarks time: 20 fields of every type (a file path among them), notes
// and 20 keyword columns, with `records` rows of varied values made by one INSERT ... SELECT; and
// the search the benchmarks run on it.
#include "create/DatabaseBuilder.h"
#include "BenchSupport.h"
#include "platform/db/Connection.h"
#include "search/SearchEngine.h"
#include "search/SearchResultModel.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace bench {

// The column of field i (1..20): F1..F20, the file-path fields ending in "FP".
inline const char* const kTypes[] = {"Text", "Number/Integer", "Text", "Number/Double", "Date/Time", "Currency", "True/False",
                        "Text", "FilePath", "Text"};

inline QString columnName(int i) { return QStringLiteral("F%1%2").arg(i).arg((i - 1) % 10 == 8 ? QStringLiteral("FP") : QString()); }

inline bool buildWidestDatabase(const QString& path, int records) {
    DatabaseDefinition d;
    for (int i = 1; i <= 20; ++i) {
        const QString type = QString::fromLatin1(kTypes[(i - 1) % 10]);
        d.rows << DbFieldRow{QStringLiteral("F%1").arg(i), type, type == QLatin1String("Number/Double") ? QStringLiteral("2") : QString()};
    }
    d.noFieldsText = QStringLiteral("20");
    d.bMemo = true;
    d.keyWordsText = QStringLiteral("20");
    if (BuildDatabase(path, d).bCreateFailed) return false;
    QStringList cols, values;
    for (int i = 1; i <= 20; ++i) {
        cols << db::Connection::Bracket(columnName(i));
        switch ((i - 1) % 10) {
        case 1: values << QStringLiteral("(i * %1) % 1000").arg(i); break;
        case 3: values << QStringLiteral("(i % 997) / 7.0"); break;
        case 4: values << QStringLiteral("printf('20%02d-%02d-%02d 10:00:00', i % 24, 1 + i % 12, 1 + i % 28)"); break;
        case 5: values << QStringLiteral("(i % 5000) / 4.0"); break;
        case 6: values << QStringLiteral("i % 2"); break;
        default: values << QStringLiteral("printf('Value %x Ñame %d', (i * 2654435761) % 4294967296, i)"); break;
        }
    }
    cols << QStringLiteral("Memofld");
    values << QStringLiteral("'Notes of record ' || i || CASE WHEN i % 13 = 0 THEN ' with the Église stamp' ELSE '' END");
    for (int c = 1; c <= 20; ++c) {
        cols << QStringLiteral("KeyWord%1").arg(c);
        values << QStringLiteral("CASE WHEN (i + %1) % 3 = 0 THEN 'kw' || ((i / 3 + %1) % 60) ELSE NULL END").arg(c);
    }
    cols << QStringLiteral("SrchInt") << QStringLiteral("SrchKey") << QStringLiteral("SrchMemo") << QStringLiteral("RptFlg");
    values << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0");
    db::Connection conn;
    conn.Open(path);
    conn.Execute(QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                                "INSERT INTO UserTable (%2) SELECT %3 FROM c")
                     .arg(records)
                     .arg(cols.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
    conn.Close();
    return true;
}

// Every field of the widest database as a search criterion, none ticked; notes and keywords on.
inline search::Criteria widestCriteria() {
    search::Criteria c;
    static const char* types[] = {"Text", "Integer", "Text", "Decimal/2", "Date/Time", "Currency", "True/False",
                                  "Text", "Text", "Text"};
    for (int i = 1; i <= 20; ++i) {
        search::RowCriterion r;
        r.type = QString::fromLatin1(types[(i - 1) % 10]);
        r.name = columnName(i);
        r.caption = QStringLiteral("F%1").arg(i);
        c.rows.push_back(r);
    }
    c.fieldAnd = true;
    c.keyAnd = true;
    for (int i = 0; i < 10; ++i) c.keywordBoxes << QString();
    c.hasNotes = true;
    c.memoText = search::kNotesPrompt;
    c.sort = QStringLiteral("Sort Off");
    c.keyWordCount = 20;
    return c;
}

// The benchmarks' two searches: a text "contains" And an integer >= And one keyword; the notes.
inline search::Criteria threeCriteria() {
    search::Criteria c = widestCriteria();
    c.rows[0].checked = true;
    c.rows[0].value = QStringLiteral("ab");
    c.rows[1].checked = true;
    c.rows[1].op = QStringLiteral(">= Greater Equal To");
    c.rows[1].value = QStringLiteral("500");
    c.keywordBoxes[0] = QStringLiteral("KW7");
    return c;
}
inline search::Criteria notesCriteria() {
    search::Criteria c = widestCriteria();
    c.memoChecked = true;
    c.memoText = QStringLiteral("église");
    c.notesFlag = true;
    return c;
}
// The keyword criterion of threeCriteria() as hand-written SQL.
inline QString keywordMatchSql() {
    QStringList kw;
    for (int c = 1; c <= 20; ++c) kw << QStringLiteral("KeyWord%1 = 'kw7'").arg(c);
    return kw.join(QStringLiteral(" OR "));
}

// One search through the engine and the grid's model: marks, final SELECT, first screen.
inline double searchThroughEngine(db::Connection& conn, const QString& connStr, const search::Criteria& c, qint64& found) {
    QElapsedTimer t;
    t.start();
    const search::Outcome o = search::Run(conn, c);
    SearchResultModel model;
    model.SetQuery(connStr, o.sql);
    for (int r = 0; r < std::min(30, model.rowCount()); ++r)
        for (int col = 0; col < model.columnCount(); ++col) model.data(model.index(r, col));
    found = model.rowCount();
    return ms(t);
}

}  // namespace bench
