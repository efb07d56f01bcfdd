#include "platform/report/ReportData.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <algorithm>

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
        if (next_ >= batch_.size()) {
            if (!remaining_) return false;
            batch_ = rs_.GetRows(kBatch);
            next_ = 0;
            remaining_ = !rs_.Eof();
            if (batch_.isEmpty()) return false;
        }
        row = std::move(batch_[next_++]);
        return true;
    }
    void Skip(qint64 n) override {
        const qint64 inBatch = std::min<qint64>(n, batch_.size() - next_);
        next_ += inBatch;
        n -= inBatch;
        if (n <= 0 || !remaining_) return;
        // The keyset moves without reading the rows it passes.
        const qint64 left = rs_.RecordCount() - rs_.AbsolutePosition() + 1;
        if (n >= left) {
            remaining_ = false;
            return;
        }
        rs_.Move(n);
        remaining_ = !rs_.Eof();
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
