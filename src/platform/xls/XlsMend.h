#pragma once
// Puts an Excel 97-2003 workbook (.xls, BIFF8) into the form FreeXL 1.0 reads, in a copy held in
// memory. Two things in files that other programs write are lost on FreeXL:
// - a shared text of single-byte characters that spans more than two records of the shared string
//   table (one of more than about 16,400 characters, or a shorter one that begins near the end of
//   a record): FreeXL stops reading the workbook and reports success with no handle, so no
//   worksheet can be listed at all;
// - formula cells: FreeXL skips them, so a computed column reads as empty.
// The mended copy holds the shared string table written again with such texts shortened, and each
// formula cell replaced by a plain cell holding the result the file stores for it (a number, a
// text or a truth value). Records keep their places in the workbook stream, so the worksheets'
// offsets and the file's sectors stay as they are. Cells are only rewritten, never read for the
// caller: reading stays FreeXL's work.
#include <QByteArray>
#include <QList>
#include <QString>

namespace xls {

// A formula cell whose stored result cannot be put into the copy (an error value such as #DIV/0!).
struct FormulaCell {
    int sheet = 0;          // 0-based, in the order of the workbook's list of worksheets
    unsigned row = 0;       // 0-based
    unsigned column = 0;    // 0-based
};

struct MendReport {
    bool changed = false;          // the copy differs from the file
    int shortenedTexts = 0;        // shared texts FreeXL could not take whole, shortened in the copy
    int longestText = 0;           // characters of the longest text FreeXL could not take whole
                                   // (single-byte characters over more than two records)
    int longestTextRecords = 0;    // records of the table that text's characters touch
    QList<FormulaCell> formulas;        // every formula cell met
    QList<FormulaCell> unreadFormulas;  // those whose result is not in the copy
    QString problem;               // why the file could not be mended, "" when it could or needed nothing
    bool damaged = false;          // its allocation table is damaged: no reader finds its records
};

// A text of single-byte characters in the shared string table FreeXL takes whole only when it
// spans at most two of the table's records, each at most this many bytes long.
constexpr int kBiffRecordLimit = 8224;

// Mends file (the bytes of a whole .xls file) in place. A file that is no BIFF8 workbook is left
// as it is with a problem; a file FreeXL reads as it is comes back unchanged.
MendReport MendForFreeXL(QByteArray& file);

}  // namespace xls
