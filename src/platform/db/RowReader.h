#pragma once
// A forward-only reader of a query's rows: the query is prepared with its values bound when the
// reader is made, Next() steps to each row in turn, and the getters read the current row's
// columns (0-based). Nothing is kept between rows; the statement is finished with the reader.
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

namespace db {

class Connection;

namespace detail {
class Statement;
}

class RowReader {
public:
    // How a column's value of the current row is held in the file.
    enum class Storage { Null, Integer, Real, Text, Blob };

    // Raises as the data layer does for SQL that does not prepare (no such table or column), a
    // closed connection or more values than the statement takes; values bind to ?1..?n.
    RowReader(Connection& conn, const QString& sql, const QVariantList& params = {});
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    bool Next();                        // true on a row, false past the last one; raises on error

    int ColumnCount() const;
    QString ColumnName(int i) const;

    Storage StorageOf(int i) const;
    bool IsNull(int i) const { return StorageOf(i) == Storage::Null; }
    qint64 Int(int i) const;
    double Double(int i) const;
    QString Text(int i) const;          // "" for Null
    // The text's UTF-8 bytes, valid until the next call on the reader.
    QByteArrayView Utf8(int i) const;
    QVariant Value(int i) const;        // by storage: qint64, double, QString, QByteArray or null

private:
    std::unique_ptr<detail::Statement> st_;
};

}  // namespace db
