#include "reports/ReportProgress.h"

#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace {

// The number of rows of the report's data source (its keys only).
qint64 rowCount(const report::ReportDefinition& def) {
    try {
        db::Connection conn;
        conn.Open(def.databasePath);
        db::Recordset rs;
        rs.Open(def.sql, conn, db::adOpenKeyset, db::adLockReadOnly);
        const qint64 n = rs.RecordCount();
        rs.Close();
        conn.Close();
        return n;
    } catch (const vb::VbError&) {
        return 0;   // the layout meets the same error and reports it
    }
}

}  // namespace

ReportProgress::ReportProgress(const report::ReportDefinition& definition, bool writesPages)
    : box_(QStringLiteral("Reports"), QStringLiteral("Making the report...")),
      total_(std::max<qint64>(1, rowCount(definition))),
      writesPages_(writesPages) {}

void ReportProgress::report(qint64 done, qint64 total) {
    if (!box_(done, total)) throw ReportCancelled{};
}

void ReportProgress::rows(qint64 done) { report(done, writesPages_ ? 2 * total_ : total_); }

void ReportProgress::page(int done, int pages) {
    report(total_ + (pages > 0 ? total_ * done / pages : total_), 2 * total_);
}
