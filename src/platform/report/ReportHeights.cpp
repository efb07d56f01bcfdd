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

}  // namespace report
