#include "entry/KeywordTally.h"

#include "platform/db/Connection.h"
#include "platform/db/RowReader.h"

namespace {

QString keywordOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

}  // namespace

void KeywordTally::Clear() {
    spellings_.clear();
    keys_.clear();
    list_.clear();
}

void KeywordTally::Build(db::Connection& conn, const QStringList& columns) {
    Clear();
    if (columns.isEmpty()) return;
    QStringList names;
    for (const QString& c : columns) names << db::Connection::Bracket(c);
    db::RowReader rows(conn, QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) + QStringLiteral(" FROM UserTable"));
    // The new values of each column in the order rows are read; the list takes them column by
    // column, as a scan of each column on its own would meet them.
    std::vector<QStringList> firstSeen(size_t(columns.size()));
    QHash<QString, int> columnsSeen;   // exact value -> the lowest column holding it, so far
    const int n = int(columns.size());
    while (rows.Next()) {
        for (int j = 0; j < n; ++j) {
            const QByteArrayView text = rows.Utf8(j);
            if (text.isEmpty()) continue;
            const QString value = QString::fromUtf8(text);
            auto it = spellings_.find(value);
            if (it == spellings_.end()) {
                spellings_.insert(value, 1);
                columnsSeen.insert(value, j);
                firstSeen[size_t(j)] << value;
            } else {
                ++*it;
                if (auto c = columnsSeen.find(value); *c > j) {
                    *c = j;
                    firstSeen[size_t(j)] << value;
                }
            }
        }
    }
    // A value listed under an earlier column than it was first met in stands there.
    for (int j = 0; j < n; ++j) {
        for (const QString& value : firstSeen[size_t(j)]) {
            if (columnsSeen.value(value) != j) continue;
            columnsSeen[value] = -1;   // listed
            const QString key = value.toCaseFolded();
            auto it = keys_.find(key);
            if (it == keys_.end()) {
                keys_.insert(key, Entry{value, spellings_.value(value)});
                list_ << value;
            } else {
                it->count += spellings_.value(value);
            }
        }
    }
}

std::vector<KeywordTally::Change> KeywordTally::Apply(const QVariantList& removed, const QVariantList& added) {
    std::vector<Change> changes;
    // Additions first: a keyword the row keeps keeps its place in the list.
    for (const QVariant& v : added)
        if (const QString value = keywordOf(v); !value.isEmpty()) add(value, changes);
    for (const QVariant& v : removed)
        if (const QString value = keywordOf(v); !value.isEmpty()) remove(value, changes);
    return changes;
}

void KeywordTally::add(const QString& value, std::vector<Change>& changes) {
    ++spellings_[value];
    const QString key = value.toCaseFolded();
    auto it = keys_.find(key);
    if (it != keys_.end()) {
        ++it->count;
        return;
    }
    keys_.insert(key, Entry{value, 1});
    list_ << value;
    changes.push_back({Change::Added, value, {}});
}

void KeywordTally::remove(const QString& value, std::vector<Change>& changes) {
    auto s = spellings_.find(value);
    if (s == spellings_.end()) return;   // not counted: the table changed behind the tally
    const bool spellingGone = --*s <= 0;
    if (spellingGone) spellings_.erase(s);
    const QString key = value.toCaseFolded();
    auto it = keys_.find(key);
    if (it == keys_.end()) return;
    const qsizetype at = list_.indexOf(it->shown);
    if (--it->count <= 0) {
        if (at >= 0) list_.removeAt(at);
        changes.push_back({Change::Removed, it->shown, {}});
        keys_.erase(it);
        return;
    }
    if (spellingGone && it->shown == value) {
        // Another spelling of the keyword is still in the table: the list shows that one.
        for (auto o = spellings_.cbegin(); o != spellings_.cend(); ++o) {
            if (o.key().toCaseFolded() != key) continue;
            it->shown = o.key();
            if (at >= 0) list_[at] = o.key();
            changes.push_back({Change::Respelled, o.key(), value});
            break;
        }
    }
}
