#include "search/SearchEngine.h"

#include "platform/core/UiServices.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/YesNo.h"
#include "platform/format/FieldType.h"
#include "platform/format/VbConvert.h"

#include <cmath>

namespace search {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kCriteriaStyle = vb::vbOKOnly | vb::vbExclamation | vb::vbDefaultButton2;   // 304

QString col(const QString& name) { return db::Connection::Bracket(name); }

// The SQL operator of an operator list's text, from its first two characters; "" when none.
QString sqlOperator(const QString& text) {
    const QString code = text.left(2);
    if (code == QLatin1String("< ")) return QStringLiteral(" < ");
    if (code == QLatin1String("<=")) return QStringLiteral(" <= ");
    if (code == QLatin1String("> ")) return QStringLiteral(" > ");
    if (code == QLatin1String(">=")) return QStringLiteral(" >= ");
    if (code == QLatin1String("= ")) return QStringLiteral(" = ");
    return {};
}

// One field criterion ready to run: the condition on UserTable and its bound values.
struct Condition {
    QString where;
    QVariantList params;
};

Outcome message(const QString& prompt, const QString& title, int style, int row = -1, bool clear = false) {
    Outcome o;
    o.kind = Outcome::Message;
    o.prompt = prompt;
    o.title = title;
    o.style = style;
    o.focusRow = row;
    o.clearValue = clear;
    return o;
}

QVariant numberValue(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9e15) return QVariant(qint64(v));
    return QVariant(v);
}

// Checks one ticked row and builds its condition; a message when the row cannot be searched.
bool rowCondition(const RowCriterion& r, int row, Condition& out, Outcome& msg) {
    const QString missingValue = QStringLiteral("Please Enter A Search Value For ") + r.caption + kCrLf;
    const QString column = col(r.name);
    const vb::FieldType type = vb::FieldType::parse(r.type);
    const vb::FieldKind kind = type.kind;
    const auto refuse = [&msg](const Outcome& o) {
        msg = o;
        return false;
    };
    const auto missing = [&] { return refuse(message(missingValue, kBlankTitle, kCriteriaStyle, row)); };
    if (kind == vb::FieldKind::Text) {
        if (r.value.isEmpty()) return missing();
        // Contains, ignoring case for every letter; the text is taken literally (no wildcards).
        out.where = QStringLiteral("instr(casefold(%1), ?) > 0").arg(column);
        out.params = {r.value.toCaseFolded()};
        return true;
    }
    if (type.isNumber()) {
        if (r.value.isEmpty()) return missing();
        const QString op = sqlOperator(r.op);
        if (op.isEmpty())
            return refuse(message(QStringLiteral("Please Select an >, < or = Value For ") + r.caption + kCrLf, kBlankTitle,
                                  kCriteriaStyle, row));
        const auto number = vb::parseNumber(r.value);
        if (!number)
            return refuse(message(QStringLiteral("This is a numeric field, please enter all numbers"),
                                  QStringLiteral("Ravelstow Search"), vb::vbOKOnly, row, true));
        out.where = column + op + QStringLiteral("?");
        out.params = {numberValue(*number)};
        return true;
    }
    if (kind == vb::FieldKind::DateTime) {
        if (!r.hasRange || !r.from.isValid() || !r.to.isValid()) return missing();
        out.where = QStringLiteral("%1 BETWEEN ? AND ?").arg(column);
        // Bound as date values: the data layer writes them in the stored form.
        out.params = {r.from, r.to};
        return true;
    }
    if (kind == vb::FieldKind::Currency) {
        if (r.value.trimmed().isEmpty()) return missing();
        const auto number = vb::parseNumber(r.value);
        if (!number)
            return refuse(message(QStringLiteral("This is a Currency field, please enter a monetary value"),
                                  QStringLiteral("Ravelstow"), vb::vbOKOnly, row, true));
        const double amount = vb::roundHalfEven(*number, 4);
        if (amount == 0) return missing();
        out.where = column + QStringLiteral(" = ?");
        out.params = {numberValue(amount)};
        return true;
    }
    if (kind == vb::FieldKind::Boolean) {
        const QString v = r.trueFalse.trimmed();
        if (v.isEmpty()) return missing();
        // Read as every view reads it, on both sides.
        out.where = QStringLiteral("yesno(%1) = ?").arg(column);
        out.params = {qint64(db::readYesNo(QStringView(v)).value_or(false) ? 1 : 0)};
        return true;
    }
    // A type the search cannot compare: the row adds nothing.
    out.where = QStringLiteral("0");
    return true;
}

// The condition "some keyword column equals the keyword", ignoring case for every letter.
QString keywordMatch(int columns) {
    QStringList parts;
    for (int c = 1; c <= columns; ++c) parts << QStringLiteral("KeyWord%1").arg(c);
    return parts.isEmpty() ? QStringLiteral("0") : QStringLiteral("casefold_in(?1, ") + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

}  // namespace

QString notFoundText() {
    return QStringLiteral("Ravelstow did not find any records matching your search criteria.") + kCrLf + kCrLf +
           QStringLiteral("Enter new search criteria or change And/Or logic criteria.") + kCrLf;
}

QString readOnlyText() { return QStringLiteral("Operation Cannot Be performed.  Database is Read Only"); }

QString readOnlyText(const vb::VbError& e) {
    const QString folder = db::ReadOnlyFolderOf(e);
    if (folder.isEmpty()) return readOnlyText();
    return QStringLiteral("Operation Cannot Be performed.  The folder '%1' of the database may not be written").arg(folder);
}

QString FinalStatement(int nF, int nK, bool N, bool fieldAnd, bool keyAnd, const QString& sortColumn, bool sortIsText) {
    const bool sorted = !sortColumn.isEmpty();
    const bool F = nF > 0, K = nK > 0;
    const QString base = QStringLiteral("Select * From UserTable Where ");
    const QString f = QString::number(nF), k = QString::number(nK);
    QString s;
    if (F && K) {
        if (fieldAnd && keyAnd)
            s = base + "SrchInt = " + f + " AND SrchKey = " + k +
                (N ? (sorted ? QStringLiteral(" AND SrchMemo  <> 0 ") : QStringLiteral(" AND SrchMemo  <> 0")) : QString());
        else if (!fieldAnd && !keyAnd)
            s = (sorted ? base : QStringLiteral("Select * From UserTable WHERE ")) +
                (N ? QStringLiteral("SrchInt <> 0 AND SrchKey <> 0 And SrchMemo <> 0")
                   : QStringLiteral("SrchInt <> 0 AND SrchKey <> 0 "));
        else if (fieldAnd)
            s = base + "SrchInt = " + f +
                (N ? (sorted ? QStringLiteral(" AND SrchKey <> 0 AND SrchMemo <> 0")
                             : QStringLiteral(" AND SrchKey <> 0  And SrchMemo <> 0"))
                   : QStringLiteral(" AND SrchKey <> 0 "));
        else
            s = base + "SrchInt <> 0 AND SrchKey = " + k + (N ? QStringLiteral(" AND SrchMemo <> 0") : QStringLiteral(" "));
    } else if (K) {
        if (keyAnd) s = base + "SrchKey = " + k + (N ? QStringLiteral(" And SrchMemo <> 0") : QStringLiteral(" "));
        else s = base + (N ? QStringLiteral("SrchKey <> 0 And SrchMemo <> 0") : QStringLiteral("SrchKey <> 0"));
    } else if (F) {
        if (fieldAnd)
            s = base + "SrchInt = " + f +
                (N ? (sorted ? QStringLiteral(" And Srchmemo <> 0") : QStringLiteral(" And SrchMemo <> 0")) : QString());
        else s = base + (N ? QStringLiteral("SrchInt <> 0 AND SrchMemo <> 0") : QStringLiteral("SrchInt <> 0"));
    } else {
        s = base + QStringLiteral("SrchMemo <> 0");
    }
    if (sorted) {
        // The sort ignores case for every letter, as the search's comparisons do.
        const QString c = col(sortColumn);
        s += QStringLiteral(" Order by ") + (sortIsText ? QStringLiteral("casefold(%1)").arg(c) : c);
    }
    return s;
}

void ClearMarks(db::Connection& conn) {
    conn.Execute(QStringLiteral("UPDATE UserTable SET SrchInt = 0, SrchKey = 0, RptFlg = 0 "
                                "WHERE SrchInt > 0 OR SrchKey > 0 OR RptFlg <> 0"));
}

Outcome Run(db::Connection& conn, const Criteria& c) {
    Outcome o;
    o.fieldAnd = c.fieldAnd;
    o.keyAnd = c.keyAnd;

    // Notes criterion: a ticked box counts unless it still shows its prompt, which leaves the
    // flag as the box's own click set it.
    bool notesOn = false;
    if (c.hasNotes) {
        if (c.memoChecked) notesOn = c.memoText == kNotesPrompt ? c.notesFlag : true;
    }
    const QString notesText = c.memoText.trimmed().toCaseFolded();

    // Field logic.
    int nF0 = 0;
    for (const RowCriterion& r : c.rows)
        if (r.checked) ++nF0;
    if (nF0 == 1) o.fieldAnd = notesOn;
    // Keywords, packed without gaps, and their logic.
    QStringList keywords;
    for (const QString& k : c.keywordBoxes)
        if (!k.isEmpty()) keywords << k;
    const int nK = int(std::min<qsizetype>(keywords.size(), 10));
    if (nK == 1 && !notesOn) o.keyAnd = false;
    o.notesOn = notesOn;

    if (nK == 0 && nF0 == 0 && !notesOn) {
        Outcome m = message(QStringLiteral("Enter values into Field Search Criteria, Keyword Search Criteria or Search For "
                                           "Text In Notes.") + kCrLf,
                            kBlankTitle, kCriteriaStyle);
        m.fieldAnd = o.fieldAnd;
        m.keyAnd = o.keyAnd;
        m.notesOn = notesOn;
        return m;
    }

    // Every criterion is checked before anything is written.
    std::vector<Condition> conditions;
    for (int i = 0; i < int(c.rows.size()); ++i) {
        const RowCriterion& r = c.rows[size_t(i)];
        if (!r.checked) continue;
        Condition cond;
        Outcome m;
        if (!rowCondition(r, i, cond, m)) {
            m.fieldAnd = o.fieldAnd;
            m.keyAnd = o.keyAnd;
            m.notesOn = notesOn;
            return m;
        }
        conditions.push_back(std::move(cond));
    }
    const int nF = int(conditions.size());
    const bool sorted = !c.sort.isEmpty() && c.sort != QLatin1String("Sort Off");
    o.sql = FinalStatement(nF, nK, notesOn, o.fieldAnd, o.keyAnd, sorted ? c.sort : QString(),
                           vb::FieldType::parse(c.sortType).kind == vb::FieldKind::Text);

    const QString contains = QStringLiteral("instr(casefold(Memofld), ?) > 0");
    try {
        conn.BeginTrans();
        // The previous run's marks; marks that are Null stay Null.
        if (c.hasNotes)
            conn.Execute(QStringLiteral("UPDATE UserTable SET SrchInt = 0, SrchKey = 0, SrchMemo = 0, RptFlg = 0 "
                                        "WHERE SrchInt > 0 OR SrchKey > 0 OR SrchMemo > 0 OR RptFlg <> 0"));
        else
            conn.Execute(QStringLiteral("UPDATE UserTable SET SrchInt = 0, SrchKey = 0, RptFlg = 0 "
                                        "WHERE SrchInt > 0 OR SrchKey > 0 OR RptFlg <> 0"));

        // Field pass. And: the k-th criterion raises the level of the records that met the k - 1
        // before it; Or: every criterion marks the records it accepts.
        for (int k = 1; k <= nF; ++k) {
            const Condition& cond = conditions[size_t(k - 1)];
            if (o.fieldAnd && k > 1)
                conn.Execute(QStringLiteral("UPDATE UserTable SET SrchInt = %1 WHERE SrchInt = %2 AND %3")
                                 .arg(k).arg(k - 1).arg(cond.where),
                             cond.params);
            else
                conn.Execute(QStringLiteral("UPDATE UserTable SET SrchInt = %1 WHERE %2").arg(k).arg(cond.where),
                             cond.params);
        }
        // (Under And-combined fields the notes pass marks the records that also met every field;
        // the keyword stage's notes pass below marks every record whose notes match, which
        // covers it, so it is not run twice.)

        // Keyword stage: a keyword matches a record that holds it in any keyword column.
        const QString match = keywordMatch(c.keyWordCount);
        for (int j = 0; j < nK; ++j) {
            const QVariantList kw = {keywords[j].toCaseFolded()};
            if (o.keyAnd && j > 0)
                conn.Execute(QStringLiteral("UPDATE UserTable SET SrchKey = %1 WHERE SrchKey = %2 AND %3")
                                 .arg(j + 1).arg(j).arg(match),
                             kw);
            else
                conn.Execute(QStringLiteral("UPDATE UserTable SET SrchKey = %1 WHERE %2").arg(j + 1).arg(match), kw);
        }
        if (notesOn) conn.Execute(QStringLiteral("UPDATE UserTable SET SrchMemo = 1 WHERE ") + contains, {notesText});

        // The result carries RptFlg for the reports and exports: the final statement's condition.
        const QString unsorted = FinalStatement(nF, nK, notesOn, o.fieldAnd, o.keyAnd, QString(), false);
        const QString condition = unsorted.mid(unsorted.indexOf(QLatin1String(" Where "), 0, Qt::CaseInsensitive) + 7);
        o.count = conn.Execute(QStringLiteral("UPDATE UserTable SET RptFlg = 1 WHERE ") + condition);
        conn.CommitTrans();
    } catch (const vb::VbError& e) {
        try {
            if (conn.InTransaction()) conn.RollbackTrans();
        } catch (const vb::VbError&) {
        }
        o.kind = Outcome::Failed;
        o.error = e;
        o.readOnly = db::IsReadOnlyError(e);
        o.sql.clear();
        return o;
    }
    if (o.count > 0) {
        o.kind = Outcome::Found;
    } else {
        o.kind = Outcome::NotFound;
        o.prompt = notFoundText();
        o.title = kResultsTitle;
        o.style = kCriteriaStyle;
    }
    return o;
}

}  // namespace search
