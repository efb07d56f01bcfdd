#pragma once
// The keywords of the table: how often each value stands in the keyword columns, and the list of
// distinct keywords the views show. Keywords are compared without case; the list holds the
// spelling met first, column by column and row by row within a column. Built in one read of the
// table, then kept up to date from the rows the entry view writes, so a save costs only the work
// of its own keywords.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace db {
class Connection;
}

class KeywordTally {
public:
    struct Change {
        enum Kind { Added, Removed, Respelled } kind;
        QString text;   // the entry added or removed; a respelled entry's new spelling
        QString was;    // a respelled entry's old spelling
    };

    // Reads every value of the named keyword columns of UserTable.
    void Build(db::Connection& conn, const QStringList& columns);
    void Clear();
    // One row's keyword values left the table (removed) and others came in (added); nulls and
    // empty values are no keywords. The changes of the list, in the order they were made.
    std::vector<Change> Apply(const QVariantList& removed, const QVariantList& added);
    const QStringList& List() const { return list_; }

private:
    struct Entry {
        QString shown;   // the spelling in the list
        qint64 count = 0;
    };
    void add(const QString& value, std::vector<Change>& changes);
    void remove(const QString& value, std::vector<Change>& changes);

    QHash<QString, qint64> spellings_;   // exact value -> cells holding it
    QHash<QString, Entry> keys_;         // case-folded value -> its entry
    QStringList list_;
};
