#include "platform/xls/XlsWorkbook.h"

#include "platform/core/VbError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <freexl.h>

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

[[noreturn]] void refuseWorkbook(const QString& path, const QString& reason) {
    vb::raise(vb::err::E_FAIL_, QStringLiteral("The workbook '%1' cannot be opened: %2.").arg(path, reason));
}

[[noreturn]] void refuseSheet(const QString& sheet, const QString& reason) {
    vb::raise(vb::err::DB_E_ERRORSINCOMMAND, QStringLiteral("The worksheet '%1' cannot be read: %2.").arg(sheet, reason));
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

}  // namespace

Workbook::Workbook() = default;
Workbook::~Workbook() { Close(); }

namespace {

// Why FreeXL gave no workbook although it reported success: it stops at the first record it
// cannot take and loses the reason on the way out.
QString reasonOfSilentStop(const MendReport& mend) {
    if (mend.longestText > 0)
        return QStringLiteral("its table of shared texts holds a text of %1 characters, and the reader takes a text only "
                              "when it spans at most two of the table's records of %2 bytes (about %3 characters)%4")
            .arg(mend.longestText)
            .arg(kBiffRecordLimit)
            .arg(2 * kBiffRecordLimit - 16)
            .arg(mend.problem.isEmpty() ? QString() : QStringLiteral("; ") + mend.problem);
    return QStringLiteral("the reader stopped partway through its records without saying why");
}

}  // namespace

void Workbook::Open(const QString& path) {
    Close();
    // FreeXL reads a mended copy when the file needs one; the file itself is never written.
    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    MendReport mend = bytes.isEmpty() ? MendReport{} : MendForFreeXL(bytes);
    // FreeXL trusts the header's counts: on a damaged allocation table it can loop for ever.
    if (mend.damaged) refuseWorkbook(path, mend.problem);
    std::unique_ptr<QTemporaryFile> copy;
    if (mend.changed && !QDir::tempPath().isEmpty()) {
        copy = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("ravelstow-XXXXXX.xls")));
        if (!copy->open() || copy->write(bytes) != bytes.size() || !copy->flush()) copy.reset();
    }

    const void* handle = nullptr;
    int rc = FREEXL_INVALID_HANDLE;
    if (copy) {
        rc = freexl_open(QFile::encodeName(copy->fileName()).constData(), &handle);
        if (rc != FREEXL_OK || !handle) {
            if (handle) freexl_close(handle);
            handle = nullptr;
            copy.reset();
        }
    }
    if (!copy) {
        // The file as it is: no formula gives its result then.
        if (mend.changed) mend.unreadFormulas = mend.formulas;
        rc = freexl_open(QFile::encodeName(path).constData(), &handle);
        if (rc != FREEXL_OK) {
            if (handle) freexl_close(handle);
            refuseWorkbook(path, reasonOf(rc));
        }
        if (!handle) refuseWorkbook(path, reasonOfSilentStop(mend));
    }
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        freexl_close(handle);
        refuseWorkbook(path, QStringLiteral("it is protected by a password"));
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        freexl_close(handle);
        refuseWorkbook(path, QStringLiteral("its list of worksheets cannot be read"));
    }
    QStringList sheets;
    for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK) {
            freexl_close(handle);
            refuseWorkbook(path, QStringLiteral("its list of worksheets cannot be read"));
        }
        sheets << QString::fromUtf8(name ? name : "");
    }
    handle_ = handle;
    path_ = path;
    sheets_ = sheets;
    mend_ = mend;
    copy_ = std::move(copy);
}

void Workbook::Close() {
    if (handle_) freexl_close(handle_);
    handle_ = nullptr;
    path_.clear();
    sheets_.clear();
    mend_ = MendReport{};
    copy_.reset();
}

QList<SheetColumn> Workbook::Columns(const QString& sheet) const {
    if (!handle_) refuseSheet(sheet, QStringLiteral("no workbook is open"));
    qsizetype index = sheets_.indexOf(sheet);
    if (index < 0) {
        for (qsizetype i = 0; i < sheets_.size() && index < 0; ++i)
            if (sheets_[i].compare(sheet, Qt::CaseInsensitive) == 0) index = i;
    }
    if (index < 0) refuseSheet(sheet, QStringLiteral("the workbook has no worksheet of that name"));
    if (freexl_select_active_worksheet(handle_, static_cast<unsigned short>(index)) != FREEXL_OK)
        refuseSheet(sheet, QStringLiteral("it cannot be selected"));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK)
        refuseSheet(sheet, QStringLiteral("its size cannot be read"));

    QList<SheetColumn> result;
    if (rows == 0) return result;
    const unsigned int lastSample = std::min(rows - 1, kSampleRows);
    for (unsigned short c = 0; c < columns; ++c) {
        FreeXL_CellValue v;
        if (freexl_get_cell_value(handle_, 0, c, &v) != FREEXL_OK) refuseSheet(sheet, QStringLiteral("a cell cannot be read"));
        SheetColumn col;
        col.Name = cellText(v);
        if (col.Name.isEmpty()) col.Name = QStringLiteral("F") + QString::number(c + 1);
        QList<CellKind> kinds;
        for (unsigned int r = 1; r <= lastSample; ++r) {
            if (freexl_get_cell_value(handle_, r, c, &v) != FREEXL_OK)
                refuseSheet(sheet, QStringLiteral("a cell cannot be read"));
            kinds << kindOf(v);
        }
        col.Type = typeOfCells(kinds);
        for (const FormulaCell& f : mend_.unreadFormulas)
            col.UnreadFormula = col.UnreadFormula || (f.sheet == index && f.column == c && f.row <= lastSample);
        result << col;
    }
    return result;
}

}  // namespace xls
