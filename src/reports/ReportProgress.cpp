#include "reports/ReportProgress.h"

#include <algorithm>

ReportProgress::ReportProgress(bool writesPages)
    : box_(QStringLiteral("Reports"), QStringLiteral("Making the report...")), writesPages_(writesPages) {}

void ReportProgress::report(qint64 done, qint64 total) {
    if (!box_(done, total)) throw ReportCancelled{};
}

void ReportProgress::rows(qint64 done, qint64 total) {
    total_ = std::max<qint64>(1, total);
    report(done, writesPages_ ? 2 * total_ : total_);
}

void ReportProgress::page(int done, int pages) {
    report(total_ + (pages > 0 ? total_ * done / pages : total_), 2 * total_);
}
