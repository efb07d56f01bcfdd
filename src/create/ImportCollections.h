#pragma once
// The columns of the spreadsheet import, on the pattern of the field-definition collection
// (DBFlds in DBFldFunct, held by DBDef):
// - ExportFunct, held by Export: the columns of the worksheet chosen in the import window, one
//   ExportCollect each, without keys;
// - ImportFunct, held by Import: the columns chosen for the new database, one ImportCollect each,
//   in the order chosen, each under a key of its own ("FLD01", "FLD02", ...).
// Items are shared: the item Add or Item returns is the one the collection holds.
#include "shell/DBDef.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// One chosen column.
class ImportCollect : public WriteOnceId {
public:
    QString FldName;        // the column's name as the worksheet's first row gives it
    int16_t FldType = 0;    // the column's ADO type code
    QString TblName;        // the worksheet it comes from
};

// One column of the chosen worksheet; its ID is never set.
class ExportCollect : public WriteOnceId {
public:
    QString ExpFldName;
    int16_t ExpFldType = 0;
    QString ExpTblName;
};

class ImportFunct {
public:
    using Item_t = std::shared_ptr<ImportCollect>;

    // Appends a new item keyed "FLD" + the instance's next number (at least two digits). The
    // counter only grows, so a key is never given twice; past 32767 raises 6 and adds nothing.
    Item_t Add(const QString& FldName, int16_t FldType, const QString& TblName);
    // By 1-based position or by key; a position outside 1..Count or an unknown key raises 5.
    Item_t Item(int position) const;
    Item_t Item(const QString& key) const;
    int32_t Count() const { return int32_t(items_.size()); }
    // Removes by position or key (5 as Item); the items behind move up.
    void CollDelete(int position);
    void CollDelete(const QString& key);

    // NewEnum: the items in collection order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<Item_t> items_;
    int32_t keyCounter_ = 0;
    size_t indexOf(int position) const;
    size_t indexOf(const QString& key) const;
};

class ExportFunct {
public:
    using Item_t = std::shared_ptr<ExportCollect>;

    Item_t Add(const QString& ExpFldName, int16_t ExpFldType, const QString& ExpTblName);
    Item_t Item(int position) const;          // outside 1..Count raises 5
    int32_t Count() const { return int32_t(items_.size()); }
    void CollDelete(int position);            // outside 1..Count raises 5

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<Item_t> items_;
    size_t indexOf(int position) const;
};

class Import {
public:
    // Created on the first call; every later call returns the same collection.
    ::ImportFunct& ImportFunct();

private:
    std::unique_ptr<::ImportFunct> functs_;
};

class Export {
public:
    ::ExportFunct& ExportFunct();

private:
    std::unique_ptr<::ExportFunct> functs_;
};
