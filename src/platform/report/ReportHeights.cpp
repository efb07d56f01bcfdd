#include "platform/report/ReportHeights.h"

#include <algorithm>

namespace report {

QTextOption::WrapMode WrapModeOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: return QTextOption::WrapAnywhere;
    default: return QTextOption::WrapAtWordBoundaryOrAnywhere;
    }
}

QVariant DetailValue(const Control& c, const QVariantList* row, int column, const QDateTime& now) {
    if (c.dataField.compare(QLatin1String("=Now"), Qt::CaseInsensitive) == 0) return now;
    if (row && column >= 0) return row->value(column);
    return {};
}

RowHeights::RowHeights(const Section& detail, std::vector<int> columnOf, const QDateTime& now)
    : detail_(detail), columnOf_(std::move(columnOf)), now_(now) {
    for (const Control& c : detail.controls) {
        measures_.emplace_back();
        if (c.kind == ControlKind::Field && c.canGrow) measures_.back().emplace(c);
    }
}

double RowHeights::Of(const QVariantList& row) const {
    double grow = 0;
    for (size_t ci = 0; ci < detail_.controls.size(); ++ci) {
        if (!measures_[ci]) continue;
        const Control& c = detail_.controls[ci];
        const QVariant value = DetailValue(c, &row, ci < columnOf_.size() ? columnOf_[ci] : -1, now_);
        const QString text = ValueText(value, c.outputFormat);
        if (text.isEmpty()) continue;
        const Measure& m = *measures_[ci];
        bool fits = false;
        const size_t lines = m.wrap(text, c.width, fits, WrapModeOf(value)).size();
        if (lines > 1) grow = std::max(grow, std::max(c.height, double(lines) * m.lineHeight) - c.height);
    }
    return detail_.height + grow;
}

HeightPipeline::HeightPipeline(RowsFactory rows, const Section& detail, std::vector<int> columnOf, const QDateTime& now,
                               qint64 total, int threads)
    : factory_(std::move(rows)), detail_(detail), columnOf_(std::move(columnOf)), now_(now), total_(total),
      ahead_(2 * std::max(1, threads)) {
    for (int i = 0; i < std::max(1, threads); ++i) workers_.emplace_back([this] { work(); });
}

HeightPipeline::~HeightPipeline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : workers_) t.join();
}

void HeightPipeline::work() {
    try {
        const std::unique_ptr<RowSource> rows = factory_();
        const RowHeights heights(detail_, columnOf_, now_);
        QVariantList row;
        while (true) {
            qint64 batch = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return stop_ || nextBatch_ < reading_ + ahead_; });
                if (stop_ || nextBatch_ * kBatch >= total_) return;
                batch = nextBatch_++;
            }
            std::vector<double> out;
            const qint64 first = batch * kBatch, end = std::min(total_, first + kBatch);
            out.reserve(size_t(end - first));
            rows->Seek(first);
            for (qint64 i = first; i < end && rows->Next(row); ++i) out.push_back(heights.Of(row));
            {
                std::lock_guard<std::mutex> lock(mutex_);
                done_.emplace(batch, std::move(out));
            }
            changed_.notify_all();
        }
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!error_) error_ = std::current_exception();
            stop_ = true;
        }
        changed_.notify_all();
    }
}

std::optional<double> HeightPipeline::Next() {
    while (pos_ >= current_.size()) {
        if (ended_ || reading_ * kBatch >= total_) return std::nullopt;
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return error_ || done_.count(reading_) > 0; });
        if (error_) std::rethrow_exception(error_);
        auto it = done_.find(reading_);
        current_ = std::move(it->second);
        done_.erase(it);
        ++reading_;
        pos_ = 0;
        // A batch cut short: the rows ended there (rows gone since they were counted).
        ended_ = qint64(current_.size()) < std::min(kBatch, total_ - (reading_ - 1) * kBatch);
        lock.unlock();
        changed_.notify_all();
    }
    return current_[pos_++];
}

}  // namespace report
