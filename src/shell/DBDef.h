#pragma once
// The list of fields of the open database: DBFlds is one field (column name and type name),
// DBFldFunct an ordered collection of them, DBDef the holder of one collection.
#include <QString>
#include <memory>
#include <vector>

// A write-once text: the first value written stays, later writes are ignored.
class WriteOnceId {
public:
    QString ID() const { return id_; }
    void SetID(const QString& id) {
        if (written_) return;
        id_ = id;
        written_ = true;
    }

private:
    QString id_;
    bool written_ = false;
};

class DBFlds : public WriteOnceId {
public:
    QString FldName;
    QString FldType;
};

class DBFldFunct {
public:
    DBFlds& Add(const QString& FldName, const QString& FldType);
    DBFlds& Item(int index);                 // 1-based; outside 1..Count raises 9
    const DBFlds& Item(int index) const;
    int Count() const { return int(items_.size()); }
    void CollDelete(int index);              // 1-based; outside 1..Count raises 9
    void Clear();                            // deletes every item, as the writers do one by one

    // NewEnum: the items in insertion order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::shared_ptr<DBFlds>> items_;
    void check(int index) const;
};

class DBDef {
public:
    // Created on the first read; every later read returns the same collection.
    ::DBFldFunct& DBFldFunct();

private:
    std::unique_ptr<::DBFldFunct> fields_;
};
