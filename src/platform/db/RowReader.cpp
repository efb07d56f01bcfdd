#include "platform/db/RowReader.h"

#include "platform/db/Connection.h"

#include <sqlite3.h>

namespace db {

RowReader::RowReader(Connection& conn, const QString& sql, const QVariantList& params)
    : st_(std::make_unique<detail::Statement>(conn.handle(), sql)) {
    st_->bindAll(params);
}

RowReader::~RowReader() = default;

bool RowReader::Next() { return st_->step(); }

int RowReader::ColumnCount() const { return st_->columnCount(); }

QString RowReader::ColumnName(int i) const { return QString::fromUtf8(sqlite3_column_name(st_->get(), i)); }

RowReader::Storage RowReader::StorageOf(int i) const {
    switch (sqlite3_column_type(st_->get(), i)) {
    case SQLITE_INTEGER: return Storage::Integer;
    case SQLITE_FLOAT: return Storage::Real;
    case SQLITE_TEXT: return Storage::Text;
    case SQLITE_BLOB: return Storage::Blob;
    default: return Storage::Null;
    }
}

qint64 RowReader::Int(int i) const { return sqlite3_column_int64(st_->get(), i); }

double RowReader::Double(int i) const { return sqlite3_column_double(st_->get(), i); }

QByteArrayView RowReader::Utf8(int i) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st_->get(), i));
    return QByteArrayView(text, text ? sqlite3_column_bytes(st_->get(), i) : 0);
}

QString RowReader::Text(int i) const { return QString::fromUtf8(Utf8(i)); }

QVariant RowReader::Value(int i) const { return st_->column(i); }

}  // namespace db
