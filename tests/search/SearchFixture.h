#pragma once
// The search tests' database: every field type, notes and two keyword columns, built by the
// program's builder, with mixed case, apostrophes, non-ASCII letters, Null values and a record
// whose marks are Null.
#include "support/TestDb.h"

#include <QString>

namespace searchdb {

// Ids 1..4:
//  1 "Émile Smith", 30, 2.5, 2024-03-15 10:00, 12.5, True, notes "Loves the SEA", keywords Red / O'Brien
//  2 "ÉTÉ jones", 45, 10.25, 2023-01-01, 99.99, False, notes "été en mer", keywords blue / red
//  3 "100% sure_[x]", False, everything else Null, keyword Green, marks Null (RptFlg 0)
//  4 "smith o'neil", 30, Null, Null, 12.5, True, notes "sea breeze", keywords RED / Green
inline QString build(const QString& path) {
    testdb::build(path, testdb::everyType(), true, 2);
    testdb::exec(path,
                 "INSERT INTO UserTable (TolvaneID, Name, Age, Price, Born, Cost, Active, PhotoFP, Memofld, KeyWord1, KeyWord2, "
                 "SrchInt, SrchKey, SrchMemo, RptFlg) VALUES "
                 "(1, 'Émile Smith', 30, 2.5, '2024-03-15 10:00:00', 12.5, 1, '/pics/a.jpg', 'Loves the SEA', 'Red', "
                 "'O''Brien', 0, 0, 0, 0),"
                 "(2, 'ÉTÉ jones', 45, 10.25, '2023-01-01 00:00:00', 99.99, 0, NULL, 'été en mer', 'blue', 'red', 0, 0, 0, 0),"
                 "(3, '100% sure_[x]', NULL, NULL, NULL, NULL, 0, NULL, NULL, 'Green', NULL, NULL, NULL, NULL, 0),"
                 "(4, 'smith o''neil', 30, NULL, NULL, 12.5, 1, NULL, 'sea breeze', 'RED', 'Green', 0, 0, 0, 0)");
    return path;
}

}  // namespace searchdb
