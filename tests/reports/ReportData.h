#pragma once
// The reports tests' database: twelve description fields of every type, notes and one keyword
// column, built by the program's builder, with three records (one holding markup and RTF control
// words, one with Nulls and two-line notes).
#include "support/TestDb.h"

namespace reportsdb {

inline testdb::Rows twelveFields() {
    return {{"Name", "Text", ""},     {"Age", "Number/Integer", ""}, {"Price", "Number/Double", "2"},
            {"Born", "Date/Time", ""}, {"Cost", "Currency", ""},      {"Active", "True/False", ""},
            {"Photo", "FilePath", ""}, {"City", "Text", ""},          {"Zip", "Text", ""},
            {"Phone", "Text", ""},     {"Email", "Text", ""},         {"Extra", "Text", ""}};
}

// The markup value: it must print as typed in every file.
inline const char* kMarkup = "<b>Bob</b> & {\\b x} O'Neil";

inline QString build(const QString& path) {
    testdb::build(path, twelveFields(), true, 1);
    testdb::exec(path,
                 "INSERT INTO UserTable (TolvaneID, Name, Age, Price, Born, Cost, Active, PhotoFP, City, Zip, Phone, Email, "
                 "Extra, Memofld, KeyWord1, SrchInt, SrchKey, SrchMemo, RptFlg) VALUES "
                 "(1, 'Alice', 30, 2.5, '2024-03-15 00:00:00', 1234.5, 1, '/p/a.jpg', 'Oslo', '0150', 'P1', 'a@x.org', "
                 "'E1', 'Loves the sea', 'k', 0, 0, 0, 0),"
                 "(2, '<b>Bob</b> & {\\b x} O''Neil', 7, 10.25, '2023-01-02 00:00:00', 99.99, 0, NULL, 'Bergen', '5003', "
                 "'P2', 'b@x.org', 'E2', 'first line' || char(10) || 'second line', 'k', 1, 0, 0, 1),"
                 "(3, 'Émile', NULL, NULL, NULL, NULL, 0, NULL, 'Ålesund', NULL, NULL, NULL, NULL, NULL, NULL, 1, 0, 0, 1)");
    return path;
}

}  // namespace reportsdb
