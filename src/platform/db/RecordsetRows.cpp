// Record set operations that read many rows: Find and GetRows.
#include "platform/core/VbError.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "platform/db/YesNo.h"

#include <QRegularExpression>
#include <sqlite3.h>
#include <unordered_map>
#include <unordered_set>

namespace db {

using detail::Statement;

void Recordset::Find(const QString& criteria, qint64 skip, bool forward) {
    requireOpen();
    implicitUpdate();
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\[[^\]]+\]|[A-Za-z_][A-Za-z0-9_]*)\s*(<=|>=|<>|=|<|>|\bLIKE\b)\s*(.*?)\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(criteria);
    if (!m.hasMatch())
        vb::raise(vb::err::InvalidArgument, QStringLiteral("The criterion '%1' is not of the form column, operator, value.")
                                                .arg(criteria));
    QString column = m.captured(1);
    if (column.startsWith('[')) column = column.mid(1, column.size() - 2);
    const QString op = m.captured(2).toUpper();
    const QString literal = m.captured(3);
    int fieldIndex = -1;
    for (int i = 0; i < int(fields_.size()); ++i)
        if (fields_[size_t(i)].name_.compare(column, Qt::CaseInsensitive) == 0) fieldIndex = i;
    if (fieldIndex < 0) vb::raise(vb::err::ItemNotFound);
    if (kind_ != Kind::Keyset)
        vb::raise(err::FeatureNotAvailable, QStringLiteral("Find is not available on a record set of this query."));

    // The value: 'text', #date#, a number or a yes/no word.
    QVariant value;
    bool ok = false;
    if (literal.size() >= 2 && literal.startsWith('\'') && literal.endsWith('\''))
        value = literal.mid(1, literal.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    else if (literal.size() >= 2 && literal.startsWith('#') && literal.endsWith('#'))
        value = translateJetSql(literal).mid(1, 19);
    else if (const qint64 i = literal.toLongLong(&ok); ok)
        value = i;
    else if (const double d = literal.toDouble(&ok); ok)
        value = d;
    else if (const auto b = readYesNo(QStringView(literal)))
        value = qint64(*b ? 1 : 0);
    else
        vb::raise(vb::err::InvalidArgument, QStringLiteral("The value '%1' is not understood.").arg(literal));
    QString condition = Connection::Bracket(fields_[size_t(fieldIndex)].origin_) + QLatin1Char(' ') + op + QStringLiteral(" ?1");
    if (op == QLatin1String("LIKE")) {
        QString p = value.toString();
        p.replace('\\', QStringLiteral("\\\\")).replace('%', QStringLiteral("\\%")).replace('_', QStringLiteral("\\_"));
        p.replace('*', '%').replace('?', '_');
        value = p;
        condition += QStringLiteral(" ESCAPE '\\'");
    }
    std::unordered_set<qint64> hits;
    {
        Statement st(db(), QStringLiteral("SELECT _rowid_ FROM %1 WHERE %2").arg(Connection::Bracket(table_), condition));
        st.bind(1, value);
        while (st.step()) hits.insert(sqlite3_column_int64(st.get(), 0));
    }
    const qint64 n = qint64(keys_.size());
    qint64 start = pos_;
    if (onDeleted_ && !forward) start = pos_ - 1;
    start += forward ? skip : -skip;
    if (forward) {
        for (qint64 i = std::max<qint64>(start, 0); i < n; ++i)
            if (hits.count(keys_[size_t(i)])) return setPosition(i);
        setPosition(n);
    } else {
        for (qint64 i = std::min(start, n - 1); i >= 0; --i)
            if (hits.count(keys_[size_t(i)])) return setPosition(i);
        setPosition(-1);
    }
}

QVariantList Recordset::convertRow(const QVariantList& stored) const {
    QVariantList row;
    row.reserve(stored.size());
    for (int i = 0; i < stored.size(); ++i) row << fromStored(stored[i], fields_[size_t(i)].type_.type);
    return row;
}

QList<QVariantList> Recordset::readStoredRows(sqlite3* h, qint64 from, qint64 to, const std::vector<int>* only) const {
    QList<QVariantList> out;
    const int batch = 500;
    std::vector<int> read;   // the fields read, in the statement's order
    if (only) {
        for (int f : *only)
            if (f >= 0 && f < int(fields_.size())) read.push_back(f);
    } else {
        for (int f = 0; f < int(fields_.size()); ++f) read.push_back(f);
    }
    QStringList cols{QStringLiteral("_rowid_")};
    for (int f : read) cols << Connection::Bracket(fields_[size_t(f)].origin_);
    for (qint64 b = from; b < to; b += batch) {
        const qint64 e = std::min(to, b + batch);
        QStringList marks;
        for (qint64 i = b; i < e; ++i) marks << QStringLiteral("?%1").arg(i - b + 1);
        Statement st(h, QStringLiteral("SELECT %1 FROM %2 WHERE _rowid_ IN (%3)")
                            .arg(cols.join(QStringLiteral(", ")), Connection::Bracket(table_), marks.join(QLatin1Char(','))));
        for (qint64 i = b; i < e; ++i) st.bind(int(i - b + 1), keys_[size_t(i)]);
        std::unordered_map<qint64, QVariantList> got;
        while (st.step()) {
            QVariantList row;
            if (only) {
                row.resize(qsizetype(fields_.size()));
                for (size_t k = 0; k < read.size(); ++k) row[read[k]] = st.column(int(k) + 1);
            } else {
                for (size_t k = 0; k < read.size(); ++k) row << st.column(int(k) + 1);
            }
            got.emplace(sqlite3_column_int64(st.get(), 0), std::move(row));
        }
        for (qint64 i = b; i < e; ++i) {
            const auto it = got.find(keys_[size_t(i)]);
            out << (it != got.end() ? it->second : QVariantList());
        }
    }
    return out;
}

QList<QVariantList> Recordset::rowsAt(sqlite3* h, qint64 first, qint64 count, const std::vector<int>* only) const {
    requireOpen();
    QList<QVariantList> out;
    const qint64 n = qint64(keys_.size());
    const qint64 from = std::max<qint64>(first, 0);
    const qint64 to = std::min(n, from + std::max<qint64>(count, 0));
    if (from >= to) return out;
    if (kind_ == Kind::Snapshot) {
        for (qint64 i = from; i < to; ++i) out << convertRow(snapshot_[size_t(i)]);
        return out;
    }
    for (const QVariantList& stored : readStoredRows(h ? h : db(), from, to, only))
        out << (stored.isEmpty() ? QVariantList() : convertRow(stored));
    return out;
}

QList<QVariantList> Recordset::RowsAt(qint64 first, qint64 count) const { return rowsAt(nullptr, first, count, nullptr); }

QList<QVariantList> Recordset::RowsAt(Connection& conn, qint64 first, qint64 count, const std::vector<int>& fields) const {
    if (!conn.IsOpen()) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return rowsAt(conn.handle(), first, count, &fields);
}

QList<QVariantList> Recordset::GetRows(qint64 maxRows) {
    requireOpen();
    implicitUpdate();
    QList<QVariantList> out;
    const qint64 n = qint64(keys_.size());
    qint64 from = std::max<qint64>(pos_, 0);
    if (!onDeleted_ && (keys_.empty() || pos_ >= n || pos_ < 0)) {
        if (keys_.empty() || pos_ >= n) vb::raise(vb::err::NoCurrentRecord);
    }
    const qint64 to = maxRows < 0 ? n : std::min(n, from + maxRows);
    if (kind_ == Kind::Snapshot) {
        for (qint64 i = from; i < to; ++i) out << convertRow(snapshot_[size_t(i)]);
    } else {
        // Rows gone from the file are left out.
        for (const QVariantList& stored : readStoredRows(db(), from, to))
            if (!stored.isEmpty()) out << convertRow(stored);
    }
    setPosition(to);
    return out;
}

}  // namespace db
