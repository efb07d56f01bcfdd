#include "search/SearchResultModel.h"

#include "platform/core/VbError.h"
#include "platform/db/YesNo.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbFormat.h"

#include <QDateTime>

SearchResultModel::SearchResultModel(QObject* parent) : QAbstractTableModel(parent) {}
SearchResultModel::~SearchResultModel() = default;

void SearchResultModel::forget() {
    pages_.clear();
    rs_.reset();
    names_.clear();
    display_.clear();
    count_ = 0;
}

void SearchResultModel::SetQuery(const QString& connStr, const QString& sql) {
    beginResetModel();
    forget();
    try {
        if (conn_.IsOpen() && conn_.ConnectionString() != connStr) conn_.Close();
        if (!conn_.IsOpen()) conn_.Open(connStr);
        auto rs = std::make_unique<db::Recordset>();
        rs->Open(sql, conn_, db::adOpenKeyset, db::adLockReadOnly);
        for (int i = 0; i < rs->FieldCount(); ++i) names_ << rs->Fields(i).Name();
        for (int i = 0; i < names_.size(); ++i) display_ << Display::Plain;
        count_ = rs->RecordCount();
        rs_ = std::move(rs);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void SearchResultModel::Clear() {
    beginResetModel();
    forget();
    if (conn_.IsOpen()) conn_.Close();
    endResetModel();
}

QString SearchResultModel::FieldName(int column) const { return column >= 0 && column < names_.size() ? names_[column] : QString(); }

int SearchResultModel::ColumnOf(const QString& fieldName) const {
    for (int i = 0; i < names_.size(); ++i)
        if (names_[i].compare(fieldName, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void SearchResultModel::SetDisplay(int column, Display display) {
    if (column < 0 || column >= display_.size()) return;
    display_[column] = display;
    if (count_ > 0) Q_EMIT dataChanged(index(0, column), index(int(count_ - 1), column));
}

const QVariantList* SearchResultModel::row(int r) const {
    if (!rs_ || r < 0 || r >= count_) return nullptr;
    const qint64 page = r / kPage;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        // Only the pages near the screen are kept.
        if (pages_.size() >= kMaxPages) pages_.clear();
        QList<QVariantList> rows;
        try {
            rows = rs_->RowsAt(page * kPage, kPage);
        } catch (const vb::VbError&) {
            // A file that went away under the grid shows empty rows rather than failing a paint.
        }
        it = pages_.emplace(page, std::move(rows)).first;
    }
    const qint64 at = r - page * kPage;
    return at < it->second.size() ? &it->second[at] : nullptr;
}

qint64 SearchResultModel::IdAt(int r) const {
    const QVariantList* values = row(r);
    return values && !values->isEmpty() ? values->first().toLongLong() : 0;
}

int SearchResultModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(count_); }
int SearchResultModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(names_.size()); }

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const QVariantList* values = row(index.row());
    if (!values || index.column() >= values->size()) return {};
    const QVariant v = values->at(index.column());
    switch (display_.value(index.column())) {
    case Display::Plain:
        if (v.typeId() == QMetaType::QDateTime) return vb::showUserDate(v.toDateTime());
        return v;
    case Display::Integer: return vb::Format(v, QStringLiteral("0"));
    case Display::Double: return vb::Format(v, QStringLiteral("0###.000"));
    case Display::Date: {
        if (v.isNull()) return QString();
        const QDateTime dt = v.toDateTime();
        return dt.isValid() ? vb::showUserShortDate(dt.date()) : v;
    }
    case Display::Currency: return vb::Format(v, QStringLiteral("$ ###0.00"));
    case Display::Boolean:
        if (v.isNull()) return QString();
        if (const auto b = db::readYesNo(v)) return *b ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        return v;
    }
    return v;
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return FieldName(section);
    return {};
}
