#include "platform/office/XlsxWriter.h"

#include "platform/core/VbError.h"
#include "platform/fs/ReplacingFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <xlsxwriter.h>

namespace office {

namespace {
enum FormatKey { kBold = 1, kCurrency, kDate, kTime, kDateTime, kFixed0 = 100 };

// The first day whose day number every spreadsheet program reads as that day. Excel counts a
// 29 February 1900 that never was and takes no day before 1900; LibreOffice and openpyxl count
// from 30 December 1899, and until March 1900 each reads a number a day apart from the other.
const QDate kFirstNumberedDay(1900, 3, 1);

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Control characters libxlsxwriter writes as "_xHHHH_" (tab and line feed stay as they are).
bool writtenAsEscape(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n'; }

// A cell's text in the file reads "_xHHHH_" as the character HHHH. The underscore that begins such a
// sequence in a stored text is itself written "_x005F_", so that the text reads back as it is; a
// control character after "_xHHHH" counts, as the library writes it beginning with '_'. Returns the
// number of underscores escaped and leaves the escaped text in out (untouched when none).
int escapeUnderscores(const char* s, qsizetype n, QByteArray& out) {
    int escaped = 0;
    qsizetype copied = 0;
    for (qsizetype i = 0; i + 6 < n; ++i) {
        if (s[i] != '_' || (s[i + 1] != 'x' && s[i + 1] != 'X') || !isHex(s[i + 2]) || !isHex(s[i + 3]) ||
            !isHex(s[i + 4]) || !isHex(s[i + 5]) || (s[i + 6] != '_' && !writtenAsEscape(s[i + 6])))
            continue;
        if (escaped++ == 0) out.clear();
        out.append(s + copied, i - copied).append("_x005F");
        copied = i;   // the '_' itself follows, closing the escape
    }
    if (escaped) out.append(s + copied, n - copied);
    return escaped;
}
}

XlsxWriter::XlsxWriter(vb::ReplacingFile& file) : file_(file) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    // The rows wait in temporary files beside the workbook, on the disk it is written to.
    QByteArray folder = QFile::encodeName(QFileInfo(file.target()).absolutePath());
    options.tmpdir = folder.data();
    const QByteArray name = QFile::encodeName(file.libraryPath());
    errno = 0;
    wb_ = workbook_new_opt(name.constData(), &options);
    if (!wb_) file.failWrite(errno, QStringLiteral("the workbook cannot be made"));
    ws_ = workbook_add_worksheet(wb_, nullptr);   // "Sheet1"
    if (!ws_) {
        lxw_workbook_free(wb_);
        wb_ = nullptr;
        vb::raise(vb::err::PathFileAccess, QStringLiteral("The workbook %1 cannot be made.").arg(file.target()));
    }
}

XlsxWriter::~XlsxWriter() {
    if (wb_) lxw_workbook_free(wb_);   // frees the rows' temporary storage without writing a file
}

void XlsxWriter::check(int rc) {
    if (rc == LXW_NO_ERROR) return;
    // A row that cannot go to its temporary file is a failed write; the others are refused values.
    if (rc == LXW_ERROR_CREATING_TMPFILE) file_.failWrite(errno, QString::fromUtf8(lxw_strerror(lxw_error(rc))));
    vb::raise(vb::err::PathFileAccess, QString::fromUtf8(lxw_strerror(lxw_error(rc))));
}

lxw_format* XlsxWriter::format(int key, const char* numFormat, bool bold) {
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    lxw_format* f = workbook_add_format(wb_);
    if (numFormat) format_set_num_format(f, numFormat);
    if (bold) format_set_bold(f);
    formats_[key] = f;
    return f;
}

void XlsxWriter::writeText(int row, int col, const QString& text, bool bold) {
    // The first n characters as written, and whether they fit a cell: the library counts the
    // characters of the escapes against the limit too.
    QByteArray utf8, escaped;
    int escapes = 0;
    const auto take = [&](qsizetype n) {
        if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate()) --n;   // never split a character
        utf8 = QStringView(text).left(n).toUtf8();
        escapes = escapeUnderscores(utf8.constData(), utf8.size(), escaped);
        return n + 6 * qsizetype(escapes) <= kMaxText;
    };
    qsizetype keep = std::min<qsizetype>(text.size(), kMaxText);
    if (!take(keep)) {   // the longest start that fits
        qsizetype fits = 0;
        while (keep - fits > 1) {
            const qsizetype mid = (fits + keep) / 2;
            (take(mid) ? fits : keep) = mid;
        }
        take(keep = fits);
    }
    if (keep < text.size()) ++cut_;
    check(worksheet_write_string(ws_, lxw_row_t(row), lxw_col_t(col), (escapes ? escaped : utf8).constData(),
                                 bold ? format(kBold, nullptr, true) : nullptr));
}

void XlsxWriter::writeText(int row, int col, const char* utf8, int bytes) {
    // A text of at most kMaxText bytes has at most that many characters.
    if (bytes <= kMaxText) {
        QByteArray escaped;
        const int escapes = escapeUnderscores(utf8, bytes, escaped);
        if (escapes == 0) return check(worksheet_write_string(ws_, lxw_row_t(row), lxw_col_t(col), utf8, nullptr));
        if (bytes + 6 * escapes <= kMaxText)
            return check(worksheet_write_string(ws_, lxw_row_t(row), lxw_col_t(col), escaped.constData(), nullptr));
    }
    writeText(row, col, QString::fromUtf8(utf8, bytes));
}

void XlsxWriter::writeNumber(int row, int col, double value, NumberStyle style, int places) {
    lxw_format* f = nullptr;
    if (style == NumberStyle::Currency) {
        f = format(kCurrency, "$#,##0.00;($#,##0.00)");
    } else if (style == NumberStyle::Fixed) {
        const QByteArray pattern = places > 0 ? "0." + QByteArray(places, '0') : QByteArray("0");
        f = format(kFixed0 + places, pattern.constData());
    }
    check(worksheet_write_number(ws_, lxw_row_t(row), lxw_col_t(col), value, f));
}

void XlsxWriter::writeBoolean(int row, int col, bool value) {
    check(worksheet_write_boolean(ws_, lxw_row_t(row), lxw_col_t(col), value ? 1 : 0, nullptr));
}

double XlsxWriter::serialOf(const QDateTime& value) {
    const QTime t = value.time();
    const qint64 day = value.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay();
    const double serial = double(day) + t.msecsSinceStartOfDay() / 86400000.0;
    // A spreadsheet program cuts the time it reads to the second, from the double nearest to the
    // number written (16 significant digits at most): 14:14:17 written as 34511.59325231481 (just
    // under the exact 34511.593252314815) reads as 14:14:16, and so does 10:27:18 on a day whose
    // exact number 24940.435625 is short, since the double nearest to it lies just below. So the
    // number written is a tenth of a millisecond above the exact one, rounded up at the 15th
    // significant digit: never under the exact time, and under a millisecond above it. A time
    // whose fraction of the day a double holds exactly (multiples of 675 s: midnight, noon) is
    // written as it is.
    if (serial <= 0) return serial;
    const int ms = t.msecsSinceStartOfDay();
    if (ms % 675000 == 0) return serial;
    constexpr long double kAbove = 0.1L / 86400000.0L;   // a tenth of a millisecond, in days
    const long double above = std::floor(serial) + (long double)ms / 86400000.0L + kAbove;
    const long double step = std::pow(10.0L, std::floor(std::log10(above)) - 14);
    return double(std::ceil(above / step) * step);
}

void XlsxWriter::writeDate(int row, int col, const QDateTime& value) {
    const bool timeOnly = value.date() == QDate(1899, 12, 30);
    const bool withTime = value.time() != QTime(0, 0);
    // No day number reads as such a day everywhere: it is written as the text its cell would show.
    if (!timeOnly && value.date() < kFirstNumberedDay)
        return writeText(row, col, value.toString(withTime ? QStringLiteral("M/d/yyyy h:mm:ss AP") : QStringLiteral("M/d/yyyy")));
    lxw_format* f = timeOnly   ? format(kTime, "h:mm:ss AM/PM")
                    : withTime ? format(kDateTime, "m/d/yyyy h:mm:ss AM/PM")
                               : format(kDate, "m/d/yyyy");
    check(worksheet_write_number(ws_, lxw_row_t(row), lxw_col_t(col), serialOf(value), f));
}

void XlsxWriter::setColumnWidth(int col, double width) {
    check(worksheet_set_column(ws_, lxw_col_t(col), lxw_col_t(col), width, nullptr));
}

void XlsxWriter::close() {
    lxw_workbook* wb = wb_;
    wb_ = nullptr;
    errno = 0;
    const lxw_error rc = workbook_close(wb);   // frees the workbook whatever the outcome
    if (rc != LXW_NO_ERROR) file_.failWrite(errno, QString::fromUtf8(lxw_strerror(rc)));
}

}  // namespace office
