#pragma once
// The rows of a search result for the results grid: a keyset over the result's record ids, whose
// rows are read by key, a page at a time, only when the grid paints them. A result of 100,000
// records costs its id list and the pages on screen, never the whole table.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <map>
#include <memory>

class SearchResultModel : public QAbstractTableModel {
public:
    // How a column's values are shown.
    enum class Display { Plain, Integer, Double, Date, Currency, Boolean };

    explicit SearchResultModel(QObject* parent = nullptr);
    ~SearchResultModel() override;

    // Runs the SELECT on the database the connection string names; the ids are read at once, the
    // rows as they are shown. Raises the data layer's errors.
    void SetQuery(const QString& connStr, const QString& sql);
    void Clear();

    // Column captions are the field names; a column's display follows the field's type.
    QString FieldName(int column) const;
    int ColumnOf(const QString& fieldName) const;   // -1 when absent
    void SetDisplay(int column, Display display);
    // The record id (first column) of a row; 0 when the row is out of range or gone.
    qint64 IdAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    static constexpr int kPage = 64;
    static constexpr size_t kMaxPages = 64;
    const QVariantList* row(int r) const;
    void forget();   // drops the rows and the names (between a reset's begin and end)

    db::Connection conn_;
    std::unique_ptr<db::Recordset> rs_;
    QStringList names_;
    QList<Display> display_;
    qint64 count_ = 0;
    mutable std::map<qint64, QList<QVariantList>> pages_;
};
