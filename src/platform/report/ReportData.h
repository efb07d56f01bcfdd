#pragma once
// The rows of a report: read in order, a batch at a time, never the whole result at once.
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
#include <vector>

namespace report {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual QStringList Columns() const = 0;
    // The rows in all, as counted when the source was opened.
    virtual qint64 Count() const = 0;
    // The next row's values (dates as QDateTime, True/False as bool); false after the last row.
    virtual bool Next(QVariantList& row) = 0;
    // Moves so that Next() reads the row at 0-based position `row` of the rows counted when the
    // source was opened, without reading the rows before it; past the last row none is left.
    virtual void Seek(qint64 row) = 0;

    // Reads rows by position on a thread of its own while the source itself is left alone.
    class Reader {
    public:
        virtual ~Reader() = default;
        // The rows at 0-based positions [first, first + count), leaving out rows gone from the file.
        virtual QList<QVariantList> Read(qint64 first, qint64 count) = 0;
    };
    // A reader of the given columns' values only (the others Null), for one other thread at a
    // time; null when the source has none, and it is read in turn.
    virtual std::unique_ptr<Reader> OpenReader(const std::vector<int>& columns) const {
        (void)columns;
        return nullptr;
    }
};

// The rows of a SELECT on a database file, through the data layer: the query's keys are read
// once, then the rows a batch per statement from any position, so no statement stays open
// between batches and the source can be kept for as long as its rows are wanted. A row gone from
// the file since the keys were read is passed over. Its readers share its keys, each with a
// connection of its own.
// A query the database refuses raises the data layer's error.
std::unique_ptr<RowSource> OpenSqlRows(const QString& databasePath, const QString& sql);

}  // namespace report
