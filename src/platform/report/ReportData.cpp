#include "platform/report/ReportData.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace report {

namespace {

class SqlRows final : public RowSource {
public:
    SqlRows(const QString& path, const QString& sql) {
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

private:
    static constexpr int kBatch = 500;
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
