#pragma once
// Reading back a database the import built.
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"

#include <QStringList>

namespace importtest {

// "Name:type" for every column of UserTable, in order.
inline QString layout(const QString& path) {
    db::Connection conn;
    conn.Open(path);
    db::Catalog cat(conn);
    QStringList out;
    for (const db::ColumnInfo& c : cat.Columns(QStringLiteral("UserTable"))) out << c.Name + ":" + QString::number(c.Type);
    conn.Close();
    return out.join(QStringLiteral(" | "));
}

// The tables of the file and the rows of UserTable.
inline QString contents(const QString& path) {
    db::Connection conn;
    conn.Open(path);
    QString out = conn.TableNames().join(QStringLiteral(",")) + QStringLiteral(" rows ") +
                  QString::number(conn.RowCount(QStringLiteral("UserTable")));
    conn.Close();
    return out;
}

// The hidden columns that close every UserTable.
inline QString hidden(bool notes) {
    return notes ? QStringLiteral("SrchInt:2 | SrchKey:2 | SrchMemo:2 | RptFlg:11") : QStringLiteral("SrchInt:2 | SrchKey:2 | RptFlg:11");
}

}  // namespace importtest
