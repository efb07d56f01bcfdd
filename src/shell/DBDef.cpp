#include "shell/DBDef.h"

#include "platform/core/VbError.h"

DBFlds& DBFldFunct::Add(const QString& FldName, const QString& FldType) {
    auto f = std::make_shared<DBFlds>();
    f->FldName = FldName;
    f->FldType = FldType;
    items_.push_back(f);
    return *f;
}

void DBFldFunct::check(int index) const {
    if (index < 1 || index > Count()) vb::raise(vb::err::SubscriptRange);
}

DBFlds& DBFldFunct::Item(int index) {
    check(index);
    return *items_[size_t(index - 1)];
}

const DBFlds& DBFldFunct::Item(int index) const {
    check(index);
    return *items_[size_t(index - 1)];
}

void DBFldFunct::CollDelete(int index) {
    check(index);
    items_.erase(items_.begin() + (index - 1));
}

void DBFldFunct::Clear() { items_.clear(); }

::DBFldFunct& DBDef::DBFldFunct() {
    if (!fields_) fields_ = std::make_unique<::DBFldFunct>();
    return *fields_;
}
