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
#include <QtEndian>
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

// Writes a workbook that stops the reading library to path; false when the standard workbook is
// not the one the damage was found in. "looping list": 1 KB whose list of further allocation-table
// sectors points to itself; "size record", "long record": a cell record of the standard workbook
// made a size record, or 65,535 bytes long; "long name": its first directory name that long.
inline bool writeDamaged(const QString& standard, const QString& kind, const QString& path) {
    QFile in(standard), out(path);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QByteArray b = in.readAll();
    if (kind == "looping list") {
        b = QByteArray(1024, char(0xFF));
        b.replace(0, 0x4C, QByteArray(0x4C, '\0'));
        b.replace(0, 8, QByteArray::fromHex("D0CF11E0A1B11AE1"));
        b.replace(0x18, 10, QByteArray::fromHex("3E000300FEFF09000600"));
        for (auto [at, v] : {std::pair{0x2C, 0xFFFFFFF0u}, {0x30, 0xFFFFFFFEu}, {0x38, 4096u}, {0x3C, 0xFFFFFFFEu},
                             {0x44, 0u}, {0x48, 0xFFFFFFF0u}, {1020, 0u}})
            qToLittleEndian(v, b.data() + at);
    } else if (kind == "size record" || kind == "long record") {
        const bool size = kind == "size record";
        if (b.mid(size ? 3111 : 3949, 4) != QByteArray::fromHex(size ? "0000007e" : "00130002")) return false;
        b.replace(size ? 3111 : 3949, 4, QByteArray::fromHex(size ? "00000000" : "ffffffff"));
    } else if (kind == "long name") {
        const qsizetype dir = (qFromLittleEndian<quint32>(b.constData() + 0x30) + 1) * 512;
        b[dir + 0x40] = b[dir + 0x41] = char(0xFF);
    } else {
        return false;
    }
    return out.open(QIODevice::WriteOnly) && out.write(b) == b.size();
}

}  // namespace xlsfixture
