#pragma once
// The keywords of the table: how often each value stands in the keyword columns, and the list of
// distinct keywords the views show. Keywords are compared without case; the list holds the
// spelling met first, column by column and row by row within a column. Built in one read of the
// table (at once, or a run of rows at a time), then kept up to date from the rows the entry view
// writes, so a save costs only the work of its own keywords.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
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

    KeywordTally();
    ~KeywordTally();

    // Reads every value of the named keyword columns of UserTable.
    void Build(db::Connection& conn, const QStringList& columns);
    // The same read in parts: Start, then Read until it returns true. Each Read reads the next
    // `rows` rows in row-id order with a query of its own, so nothing stays open between parts.
    // Until the last part the list is empty; the finished list is the one Build makes.
    void Start(const QStringList& columns);
    bool Read(db::Connection& conn, qint64 rows);
    // Whether the list is made (not between Start and the Read that finishes it).
    bool Complete() const { return !scan_; }
    void Clear();
    // One row's keyword values left the table (removed) and others came in (added); nulls and
    // empty values are no keywords. The changes of the list, in the order they were made.
    // Only for a complete tally: a row written during a read in parts may or may not have been
    // read yet, so the table is read again instead.
    std::vector<Change> Apply(const QVariantList& removed, const QVariantList& added);
    const QStringList& List() const { return list_; }

private:
    struct Entry {
        QString shown;   // the spelling in the list
        qint64 count = 0;
    };
    struct Scan;
    void finish();
    void add(const QString& value, std::vector<Change>& changes);
    void remove(const QString& value, std::vector<Change>& changes);

    QHash<QString, qint64> spellings_;   // exact value -> cells holding it
    QHash<QString, Entry> keys_;         // case-folded value -> its entry
    QStringList list_;
    std::unique_ptr<Scan> scan_;   // the read in progress
};
