#include "platform/report/ReportData.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace report {

namespace {

// Reads rows of a keyset on a connection of its own.
class KeysetReader final : public RowSource::Reader {
public:
    KeysetReader(const QString& path, const db::Recordset& rs, std::vector<int> columns)
        : rs_(rs), columns_(std::move(columns)) {
        conn_.Open(path);
    }
    ~KeysetReader() override { conn_.Close(); }
    QList<QVariantList> Read(qint64 first, qint64 count) override {
        QList<QVariantList> rows = rs_.RowsAt(conn_, first, count, columns_);
        rows.removeIf([](const QVariantList& row) { return row.isEmpty(); });
        return rows;
    }

private:
    db::Connection conn_;
    const db::Recordset& rs_;
    std::vector<int> columns_;
};

class SqlRows final : public RowSource {
public:
    SqlRows(const QString& path, const QString& sql) : path_(path) {
        conn_.Open(path);
        rs_.Open(sql, conn_, db::adOpenKeyset, db::adLockReadOnly);
        for (int i = 0; i < rs_.FieldCount(); ++i) columns_ << rs_.Fields(i).Name();
        remaining_ = rs_.RecordCount() > 0;
    }
    ~SqlRows() override {
        if (rs_.IsOpen()) rs_.Close();
        conn_.Close();
    }
    QStringList Columns() const override { return columns_; }
    qint64 Count() const override { return rs_.RecordCount(); }
    bool Next(QVariantList& row) override {
        // A batch whose rows have all gone from the file comes back empty: the next one is read.
        while (next_ >= batch_.size()) {
            if (!remaining_) return false;
            batch_ = rs_.GetRows(kBatch);
            next_ = 0;
            remaining_ = !rs_.Eof();
        }
        row = std::move(batch_[next_++]);
        return true;
    }
    void Seek(qint64 row) override {
        batch_.clear();
        next_ = 0;
        // The keyset moves without reading the rows it passes.
        remaining_ = row >= 0 && row < rs_.RecordCount();
        if (!remaining_) return;
        rs_.MoveFirst();
        if (row > 0) rs_.Move(row);
    }

    std::unique_ptr<Reader> OpenReader(const std::vector<int>& columns) const override {
        return std::make_unique<KeysetReader>(path_, rs_, columns);
    }

private:
    static constexpr int kBatch = 500;
    QString path_;
    db::Connection conn_;
    db::Recordset rs_;
    QStringList columns_;
    QList<QVariantList> batch_;
    qsizetype next_ = 0;
    bool remaining_ = false;
};

}  // namespace

std::unique_ptr<RowSource> OpenSqlRows(const QString& databasePath, const QString& sql) {
    return std::make_unique<SqlRows>(databasePath, sql);
}

}  // namespace report
