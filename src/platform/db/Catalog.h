#pragma once
// An ADOX-like catalogue: creates database files, appends tables built in memory, lists a
// table's columns with their types and renames a column.
//
// A column's type is its declared type in the table's SQL (see TypeMap.h), so it reads back as it
// was built: adNumeric precision 10 scale 2 is NUMERIC(10,2) and reads back as 131, 10, 2. A
// column's "Description" is kept as a comment after its line in the table's CREATE TABLE text.
// Names are checked by Jet's rules: not empty, at most 64 characters, no leading blank, no control
// characters and none of . ! ` [ ] "; identifiers are always written bracketed.
#include "platform/db/Connection.h"
#include "platform/db/Types.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace db {

// A column to be created. Properties understood: "AutoIncrement" (bool; the column must be the
// table's single-column integer primary key), "Description" (text), "Nullable" (bool; default
// true), "Default" (a value), and the provider's "Jet OLEDB:Compressed UNICODE Strings" and
// "Jet OLEDB:Allow Zero Length", which have no effect here. Another name: 3265.
// A column is nullable unless "Nullable" is false or it is in the primary key. True/False columns
// hold no Null: they are NOT NULL with the default False.
struct ColumnDef {
    QString Name;
    AdoType Type = adVarWChar;
    qint64 DefinedSize = 0;   // text: maximum length (0: 255 for adVarWChar)
    int Precision = 0;        // adNumeric: total digits (0: 18)
    int NumericScale = 0;
    QMap<QString, QVariant> Properties;

    ColumnDef() = default;
    ColumnDef(const QString& name, AdoType type, qint64 definedSize = 0)
        : Name(name), Type(type), DefinedSize(definedSize) {}
    ColumnDef& SetProperty(const QString& name, const QVariant& value);
};

struct IndexDef {
    QString Name;
    bool PrimaryKey = false;
    bool Unique = false;
    QStringList Columns;
};

struct TableDef {
    QString Name;
    QList<ColumnDef> Columns;
    QList<IndexDef> Indexes;

    explicit TableDef(const QString& name = {}) : Name(name) {}
    // Columns.Append(name, type, size) returns the appended column for its properties.
    ColumnDef& AppendColumn(const QString& name, AdoType type, qint64 definedSize = 0);
    TableDef& AppendColumn(const ColumnDef& column);
    ColumnDef& Column(const QString& name);       // 3265 when there is none of that name
    TableDef& AppendIndex(const IndexDef& index);
};

// A column as the file holds it.
struct ColumnInfo {
    QString Name;
    AdoType Type = adEmpty;
    qint64 DefinedSize = 0;
    int Precision = 0;
    int NumericScale = 0;
    bool Nullable = true;
    bool AutoIncrement = false;
    bool PrimaryKey = false;
    QString Description;
    QString DeclaredType;
};

class Catalog {
public:
    Catalog();
    explicit Catalog(const Connection& conn);
    ~Catalog();
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    // Creates a new, empty database file (a connection string or a plain path) and makes a
    // connection to it the active one. A file at the path: 0x80040E17; a folder that does not
    // exist or cannot be written: 0x80004005.
    void Create(const QString& connStrOrPath);
    Connection& ActiveConnection();
    // Releases the active connection (closing it when the catalogue opened it).
    void Close();

    // Tables.Append: one CREATE TABLE (plus CREATE INDEX for indexes that are not the primary
    // key). A name refused, a column used twice, a type that cannot be made, a scale above the
    // precision: 0x80040E14 (nothing is created).
    void Append(const TableDef& table);
    QStringList Tables();
    bool HasTable(const QString& name);
    // The columns of a table in their order; no such table: 3265.
    QList<ColumnInfo> Columns(const QString& table);
    // New name checked as for Append; no such table or column: 3265; a name in use: 0x80040E14.
    void RenameColumn(const QString& table, const QString& oldName, const QString& newName);

    // Jet's name rules; a refused name raises 0x80040E14.
    static void ValidateName(const QString& name);
    // The CREATE TABLE text Append runs (checked first, as Append checks it).
    static QString CreateTableSql(const TableDef& table);

private:
    Connection conn_;
    bool ownsConnection_ = false;
    Connection& requireConnection();
};

}  // namespace db
