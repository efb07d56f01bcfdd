#include "platform/xls/XlsReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <freexl.h>
#include <memory>

namespace xls {

namespace {

constexpr int16_t kAdDouble = 5, kAdDate = 7, kAdVarWChar = 202, kAdLongVarWChar = 203;
constexpr int kShortTextLimit = 255;

// What a sampled cell holds, for the type guess.
enum class CellKind { Empty, Number, Date, Text, LongText };

QString reasonOf(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return QStringLiteral("the file does not exist or cannot be read");
    case FREEXL_INSUFFICIENT_MEMORY: return QStringLiteral("there is not enough memory to read it");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
        return QStringLiteral("it is not an Excel 97-2003 workbook (.xls)");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return QStringLiteral("the file holds no workbook");
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
        return QStringLiteral("its text uses a character set that cannot be read");
    default: return QStringLiteral("the workbook is damaged or of a kind that cannot be read (code %1)").arg(code);
    }
}

QString cellText(const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_INT: return QString::number(v.value.int_value);
    case FREEXL_CELL_DOUBLE: return QString::number(v.value.double_value, 'g', 15);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return v.value.text_value ? QString::fromUtf8(v.value.text_value) : QString();
    default: return {};
    }
}

CellKind kindOf(const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_INT:
    case FREEXL_CELL_DOUBLE: return CellKind::Number;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: return CellKind::Date;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: {
        const QString text = cellText(v);
        if (text.isEmpty()) return CellKind::Empty;
        return text.size() > kShortTextLimit ? CellKind::LongText : CellKind::Text;
    }
    default: return CellKind::Empty;
    }
}

// The ADO type code of a column from the kinds of its sampled cells: the kind most cells share
// wins (numbers adDouble, dates and times adDate, text adVarWChar, or adLongVarWChar when a
// sampled text is longer than 255 characters); a tie, or a column with no value, is text.
int16_t typeOfCells(const QList<CellKind>& cells) {
    int numbers = 0, dates = 0, texts = 0;
    bool longText = false;
    for (CellKind k : cells) {
        switch (k) {
        case CellKind::Number: ++numbers; break;
        case CellKind::Date: ++dates; break;
        case CellKind::LongText: longText = true; [[fallthrough]];
        case CellKind::Text: ++texts; break;
        case CellKind::Empty: break;
        }
    }
    if (numbers > texts && numbers > dates) return kAdDouble;
    if (dates > texts && dates > numbers) return kAdDate;
    return longText ? kAdLongVarWChar : kAdVarWChar;
}

// Why FreeXL gave no workbook although it reported success: it stops at the first record it
// cannot take and loses the reason on the way out.
QString reasonOfSilentStop(const MendReport& mend) {
    if (mend.longestText > 0)
        return QStringLiteral("its table of shared texts holds a text of %1 characters that runs over %2 of the table's "
                              "records, and the reader takes a text of single-byte characters only when it spans at most two%3")
            .arg(mend.longestText)
            .arg(mend.longestTextRecords)
            .arg(mend.problem.isEmpty() ? QString() : QStringLiteral("; ") + mend.problem);
    return QStringLiteral("the reader stopped partway through its records without saying why");
}

// The columns of worksheet `index` of the open workbook, or why they cannot be read.
void readColumns(const void* handle, unsigned short index, const MendReport& mend, SheetContent& sheet) {
    if (freexl_select_active_worksheet(handle, index) != FREEXL_OK) {
        sheet.problem = QStringLiteral("it cannot be selected");
        return;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
        sheet.problem = QStringLiteral("its size cannot be read");
        return;
    }
    if (rows == 0) return;
    if (columns > kMostColumns) {
        sheet.problem = QStringLiteral("its size says %1 columns, more than a worksheet holds (%2)").arg(columns).arg(kMostColumns);
        return;
    }
    const unsigned int lastSample = std::min(rows - 1, kSampleRows);
    for (unsigned short c = 0; c < columns; ++c) {
        FreeXL_CellValue v;
        SheetColumn col;
        QList<CellKind> kinds;
        for (unsigned int r = 0; r <= lastSample; ++r) {
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK) {
                sheet.columns.clear();
                sheet.problem = QStringLiteral("a cell cannot be read");
                return;
            }
            if (r == 0) col.Name = cellText(v);
            else kinds << kindOf(v);
        }
        if (col.Name.isEmpty()) col.Name = QStringLiteral("F") + QString::number(c + 1);
        col.Type = typeOfCells(kinds);
        for (const FormulaCell& f : mend.unreadFormulas)
            col.UnreadFormula = col.UnreadFormula || (f.sheet == index && f.column == c && f.row <= lastSample);
        sheet.columns << col;
    }
}

// Closes FreeXL's handle however the reading ends.
struct Handle {
    const void* h = nullptr;
    ~Handle() {
        if (h) freexl_close(h);
    }
};

}  // namespace

WorkbookContent ReadWorkbook(const QString& path) {
    WorkbookContent out;
    // FreeXL reads a mended copy when the file needs one; the file itself is never written.
    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    MendReport mend = bytes.isEmpty() ? MendReport{} : MendForFreeXL(bytes);
    // FreeXL trusts the header's counts: on a damaged allocation table it can loop for ever.
    if (mend.damaged) {
        out.refusal = mend.problem;
        return out;
    }
    std::unique_ptr<QTemporaryFile> copy;
    if (mend.changed && !QDir::tempPath().isEmpty()) {
        copy = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("ravelstow-XXXXXX.xls")));
        if (!copy->open() || copy->write(bytes) != bytes.size() || !copy->flush()) copy.reset();
    }
    bytes.clear();

    Handle handle;
    if (copy) {
        const int rc = freexl_open(QFile::encodeName(copy->fileName()).constData(), &handle.h);
        if (rc != FREEXL_OK || !handle.h) {
            if (handle.h) freexl_close(handle.h);
            handle.h = nullptr;
            copy.reset();
        }
    }
    if (!copy) {
        // The file as it is: no formula gives its result then.
        if (mend.changed) mend.unreadFormulas = mend.formulas;
        const int rc = freexl_open(QFile::encodeName(path).constData(), &handle.h);
        if (rc != FREEXL_OK) out.refusal = reasonOf(rc);
        else if (!handle.h) out.refusal = reasonOfSilentStop(mend);
        if (!out.refusal.isEmpty()) return out;
    }
    unsigned int info = 0;
    if (freexl_get_info(handle.h, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        out.refusal = QStringLiteral("it is protected by a password");
        return out;
    }
    unsigned int count = 0;
    if (freexl_get_info(handle.h, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        out.refusal = QStringLiteral("its list of worksheets cannot be read");
        return out;
    }
    for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle.h, static_cast<unsigned short>(i), &name) != FREEXL_OK) {
            out.sheets.clear();
            out.refusal = QStringLiteral("its list of worksheets cannot be read");
            return out;
        }
        if (!name || !*name) {
            out.sheets.clear();
            out.refusal = QStringLiteral("a worksheet in its list has no name");
            return out;
        }
        out.sheets << SheetContent{QString::fromUtf8(name), {}, {}};
    }
    for (qsizetype i = 0; i < out.sheets.size(); ++i) readColumns(handle.h, static_cast<unsigned short>(i), mend, out.sheets[i]);
    out.mend = mend;
    return out;
}

}  // namespace xls
