#include "create/ImportCollections.h"

#include "platform/core/VbError.h"

#include <limits>

ImportFunct::Item_t ImportFunct::Add(const QString& FldName, int16_t FldType, const QString& TblName) {
    if (keyCounter_ == std::numeric_limits<int32_t>::max()) vb::raise(vb::err::Overflow);
    ++keyCounter_;
    auto item = std::make_shared<ImportCollect>();
    item->SetID(QStringLiteral("FLD") + QStringLiteral("%1").arg(keyCounter_, 2, 10, QLatin1Char('0')));
    item->FldName = FldName;
    item->FldType = FldType;
    item->TblName = TblName;
    items_.push_back(item);
    return item;
}

size_t ImportFunct::indexOf(int position) const {
    if (position < 1 || position > Count()) vb::raise(vb::err::InvalidProcCall);
    return size_t(position - 1);
}

size_t ImportFunct::indexOf(const QString& key) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->ID() == key) return i;
    vb::raise(vb::err::InvalidProcCall);
}

ImportFunct::Item_t ImportFunct::Item(int position) const { return items_[indexOf(position)]; }
ImportFunct::Item_t ImportFunct::Item(const QString& key) const { return items_[indexOf(key)]; }

void ImportFunct::CollDelete(int position) { items_.erase(items_.begin() + std::ptrdiff_t(indexOf(position))); }
void ImportFunct::CollDelete(const QString& key) { items_.erase(items_.begin() + std::ptrdiff_t(indexOf(key))); }

ExportFunct::Item_t ExportFunct::Add(const QString& ExpFldName, int16_t ExpFldType, const QString& ExpTblName) {
    auto item = std::make_shared<ExportCollect>();
    item->ExpFldName = ExpFldName;
    item->ExpFldType = ExpFldType;
    item->ExpTblName = ExpTblName;
    items_.push_back(item);
    return item;
}

size_t ExportFunct::indexOf(int position) const {
    if (position < 1 || position > Count()) vb::raise(vb::err::InvalidProcCall);
    return size_t(position - 1);
}

ExportFunct::Item_t ExportFunct::Item(int position) const { return items_[indexOf(position)]; }
void ExportFunct::CollDelete(int position) { items_.erase(items_.begin() + std::ptrdiff_t(indexOf(position))); }

::ImportFunct& Import::ImportFunct() {
    if (!functs_) functs_ = std::make_unique<::ImportFunct>();
    return *functs_;
}

::ExportFunct& Export::ExportFunct() {
    if (!functs_) functs_ = std::make_unique<::ExportFunct>();
    return *functs_;
}
