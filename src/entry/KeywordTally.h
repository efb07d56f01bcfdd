#pragma once
// The keywords of the table: how often each value stands in the keyword columns, and the list of
// distinct keywords the views show (the entry view owns it; the search view takes it from there).
// Keywords are compared without case; the list holds the spelling met first, column by column and
// row by row within a column. Counted in one read of the table (at once, or a part at a time
// between events), then kept up to date from the rows the entry view writes, so a save costs only
// the work of its own keywords.
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>


namespace db {
class Connection;
}
namespace vb {
struct VbError;
}

class KeywordTally {
public:
    struct Change {
        enum Kind { Added, Removed, Respelled } kind;
        QString text;   // the entry added or removed; a respelled entry's new spelling
        QString was;    // a respelled entry's old spelling
    };
    // The connection the tally reads (null when none is open).
    using Source = std::function<db::Connection*()>;
    // Told after the list changed: with the changes, in the order they were made, or with null
    // when the list was made anew (a count finished).
    using Listener = std::function<void(const std::vector<Change>* changes)>;
    // Told when a count going on between events fails; the tally is cleared first.
    using Failure = std::function<void(const vb::VbError& e)>;

    static constexpr qint64 kPart = 25000;   // rows a part of a count (some tens of milliseconds)

    KeywordTally();
    ~KeywordTally();
    void Attach(Source source, Listener changed, Failure failed);

    // The list's life over the open table. Start counts the first part of the table at once; a
    // larger table is counted on a part at a time once the events waiting have run, so the owner
    // stays free in between, and the listener is told when the list is complete.
    void Start(const QStringList& columns);
    // Counts what is left of a count at once, for a caller that needs the whole list now.
    void Finish();
    // A row the owner stored, with its keyword values before and after (an insert has none
    // before, a delete none after). A complete list follows the row alone; a list still being
    // counted may or may not have met the row, so the table is counted again at once.
    void Written(const QVariantList& removed, const QVariantList& added);
    // Counts every value of the named keyword columns of UserTable at once, on conn.
    void Build(db::Connection& conn, const QStringList& columns);
    // Stops a count going on; the list is empty.
    void Clear();

    // Whether the list is made (no count is going on).
    bool Complete() const { return !scan_; }
    // Whether the tally follows a table: from Start or Build until Clear.
    bool Following() const { return following_; }
    const QStringList& List() const { return list_; }

    // One row's keyword values left the table (removed) and others came in (added); nulls and
    // empty values are no keywords. The changes of the list, in the order they were made.
    // Only for a complete tally (see Written).
    std::vector<Change> Apply(const QVariantList& removed, const QVariantList& added);

private:
    struct Entry {
        QString shown;   // the spelling in the list
        qint64 count = 0;
    };
    struct Scan;
    // A count in parts: begin, then read until it returns true. Each read reads the next `rows`
    // rows (-1: all) in row-id order with a query of its own, so nothing stays open between parts.
    void begin(const QStringList& columns);
    bool read(db::Connection& conn, qint64 rows);
    void readPart();
    void finish();
    void told(const std::vector<Change>* changes) const;
    void add(const QString& value, std::vector<Change>& changes);
    void remove(const QString& value, std::vector<Change>& changes);

    QHash<QString, qint64> spellings_;   // exact value -> cells holding it
    QHash<QString, Entry> keys_;         // case-folded value -> its entry
    QStringList list_;
    QStringList columns_;
    bool following_ = false;
    std::unique_ptr<Scan> scan_;   // the count in progress
    QPointer<QTimer> timer_;   // runs the parts of a count
    Source source_;
    Listener changed_;
    Failure failed_;
};
