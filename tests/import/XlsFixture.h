#pragma once
// Makes the .xls workbooks of the import tests at test time with python3-xlwt.
//
// The standard workbook has three worksheets:
//   "People":      Name (text), Age (whole numbers), Born (dates), Salary (decimals), Remarks (text,
//                  one of its sampled cells longer than 255 characters), a column without a name
//                  (text), Code (numbers in the eight sampled rows, text below them); 10 rows.
//   "Stock Items": Item (text), Price (decimals), Added (date and time), Unit.Price (numbers),
//                  First Name #2 (text); 3 rows.
//   "Empty":       nothing.
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTest>

namespace xlsfixture {

inline const char* kScript = R"PY(
import sys, datetime, xlwt
wb = xlwt.Workbook()
day = xlwt.easyxf(num_format_str='YYYY-MM-DD')
stamp = xlwt.easyxf(num_format_str='YYYY-MM-DD HH:MM')
p = wb.add_sheet('People')
for c, h in enumerate(['Name', 'Age', 'Born', 'Salary', 'Remarks', '', 'Code']):
    if h:
        p.write(0, c, h)
for r in range(1, 11):
    p.write(r, 0, 'Person %d' % r)
    p.write(r, 1, 20 + r)
    p.write(r, 2, datetime.date(1990, 1, r), day)
    p.write(r, 3, 1000.25 * r)
    p.write(r, 4, 'x' * 300 if r == 2 else 'short')
    p.write(r, 5, 'no name')
    p.write(r, 6, r if r <= 8 else 'A%d' % r)
s = wb.add_sheet('Stock Items')
for c, h in enumerate(['Item', 'Price', 'Added', 'Unit.Price', 'First Name #2']):
    s.write(0, c, h)
for r in range(1, 4):
    s.write(r, 0, 'item %d' % r)
    s.write(r, 1, 2.5 * r)
    s.write(r, 2, datetime.datetime(2024, 3, r, 14, 7), stamp)
    s.write(r, 3, r)
    s.write(r, 4, 'n%d' % r)
wb.add_sheet('Empty')
wb.save(sys.argv[1])
)PY";

// The Python that has xlwt: the system's first (a per-user Python on PATH may lack it).
inline QString python() {
    if (QFile::exists(QStringLiteral("/usr/bin/python3"))) return QStringLiteral("/usr/bin/python3");
    return QStringLiteral("python3");
}

// Writes the standard workbook to path; false (with a warning) when it could not be made.
inline bool makeStandard(const QString& path) {
    QProcess p;
    p.start(python(), {QStringLiteral("-c"), QString::fromUtf8(kScript), path});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("making the workbook failed: %s", p.readAllStandardError().constData());
        return false;
    }
    return QFile::exists(path);
}

}  // namespace xlsfixture
