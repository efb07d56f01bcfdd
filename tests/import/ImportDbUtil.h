#pragma once
// Reading back a database the import built.
#include "platform/db/Connection.h"
#include "support/TestDb.h"

namespace importtest {

// "Name:type" for every column of UserTable, in order.
inline QString layout(const QString& path) { return testdb::columns(path, QStringLiteral("UserTable"), true).join(" | "); }

// The tables of the file and the rows of UserTable.
inline QString contents(const QString& path) {
    db::Connection conn;
    conn.Open(path);
    return conn.TableNames().join(QStringLiteral(",")) + QStringLiteral(" rows ") +
           QString::number(conn.RowCount(QStringLiteral("UserTable")));
}

// The hidden columns that close every UserTable.
inline QString hidden(bool notes) {
    return notes ? QStringLiteral("SrchInt:2 | SrchKey:2 | SrchMemo:2 | RptFlg:11") : QStringLiteral("SrchInt:2 | SrchKey:2 | RptFlg:11");
}

}  // namespace importtest
