#include "reports/SpreadsheetExport.h"

#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/format/DataFormat.h"
#include "platform/format/VbConvert.h"
#include "platform/fs/FileSystem.h"
#include "platform/office/ExportFolder.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/office/XlsxWriter.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace reports {

namespace {

using office::XlsxWriter;
constexpr int kWidestColumn = 60;   // characters; longer texts wrap the view, not the column

struct Column {
    vb::ValueKind kind = vb::ValueKind::Text;
    int places = 0;
    int width = 0;   // longest display text seen, in characters
};

// Characters of the first line of a UTF-8 text, counted up to `cap`.
int firstLineChars(const unsigned char* s, int bytes, int cap) {
    int n = 0;
    for (int i = 0; i < bytes && n < cap; ++i) {
        if (s[i] == '\n' || s[i] == '\r') break;
        if ((s[i] & 0xC0) != 0x80) ++n;
    }
    return n;
}

// 'YYYY-MM-DD[ HH:MM[:SS]]', the stored form of dates.
bool parseStored(const unsigned char* s, int bytes, QDateTime& out) {
    auto num = [&](int at, int len, int& v) {
        if (at + len > bytes) return false;
        v = 0;
        for (int i = at; i < at + len; ++i) {
            if (s[i] < '0' || s[i] > '9') return false;
            v = v * 10 + (s[i] - '0');
        }
        return true;
    };
    int y, mo, d, h = 0, mi = 0, se = 0;
    if (!num(0, 4, y) || bytes < 10 || s[4] != '-' || !num(5, 2, mo) || s[7] != '-' || !num(8, 2, d)) return false;
    if (bytes > 10) {
        if (!(s[10] == ' ' || s[10] == 'T') || !num(11, 2, h) || bytes < 16 || s[13] != ':' || !num(14, 2, mi)) return false;
        if (bytes > 16 && (s[16] != ':' || !num(17, 2, se) || bytes != 19)) return false;
    }
    const QDate date(y, mo, d);
    const QTime time(h, mi, se);
    if (!date.isValid() || !time.isValid()) return false;
    out = vb::makeDateTime(date, time);
    return true;
}

void writeValue(XlsxWriter& xw, sqlite3_stmt* st, int row, int col, Column& c) {
    const int storage = sqlite3_column_type(st, col);
    if (storage == SQLITE_NULL) return;
    auto asText = [&] {
        const auto* s = sqlite3_column_text(st, col);
        const int bytes = sqlite3_column_bytes(st, col);
        c.width = std::max(c.width, firstLineChars(s, bytes, kWidestColumn));
        xw.writeText(row, col, reinterpret_cast<const char*>(s), bytes);
    };
    const bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    switch (c.kind) {
    case vb::ValueKind::Text: asText(); return;
    case vb::ValueKind::Boolean:
        if (!numeric) return asText();
        xw.writeBoolean(row, col, sqlite3_column_int64(st, col) != 0);
        c.width = std::max(c.width, 5);
        return;
    case vb::ValueKind::DateTime: {
        QDateTime dt;
        if (storage != SQLITE_TEXT ||
            !parseStored(sqlite3_column_text(st, col), sqlite3_column_bytes(st, col), dt))
            return asText();
        xw.writeDate(row, col, dt);
        const bool timeOnly = dt.date() == vb::zeroDate();
        c.width = std::max(c.width, timeOnly ? 11 : dt.time() == QTime(0, 0) ? 10 : 22);
        return;
    }
    default: break;
    }
    if (!numeric) return asText();
    const double v = sqlite3_column_double(st, col);
    int chars = 0;
    if (c.kind == vb::ValueKind::Currency) {
        xw.writeNumber(row, col, v, XlsxWriter::NumberStyle::Currency);
        const double a = std::abs(v);
        chars = int(QString::number(a, 'f', 0).size()) * 4 / 3 + 5;   // "$", grouping, cents, sign
    } else if (c.kind == vb::ValueKind::Decimal) {
        xw.writeNumber(row, col, v, XlsxWriter::NumberStyle::Fixed, c.places);
        chars = int(QString::number(v, 'f', c.places).size());
    } else {
        xw.writeNumber(row, col, v);
        chars = storage == SQLITE_INTEGER ? int(QString::number(sqlite3_column_int64(st, col)).size())
                                          : std::min(11, int(QString::number(v, 'g', 10).size()));
    }
    c.width = std::max(c.width, chars);
}

}  // namespace

SpreadsheetResult WriteSpreadsheet(db::Connection& conn, const ExportSpec& spec, const Progress& progress) {
    SpreadsheetResult result;
    const qint64 total = conn.Scalar(countSql(spec)).toLongLong();
    if (total > XlsxWriter::kMaxRows - 1)
        vb::raise(vb::err::Overflow, QStringLiteral("Too Many Records For One Worksheet"));

    std::vector<Column> cols;
    for (const ExportField& f : spec.fields) {
        Column c;
        c.kind = vb::valueKindOf(f.type);
        if (c.kind == vb::ValueKind::Decimal) c.places = vb::decimalPlacesOf(f.type);
        c.width = int(f.name.size());
        cols.push_back(c);
    }

    vb::ReplacingFile file(QDir(vb::exportFolder()).filePath(QStringLiteral("Export.xlsx")));
    {
        XlsxWriter xw(file);
        db::detail::Statement st(conn.handle(), selectSql(spec));
        const int n = st.columnCount();
        for (int c = 0; c < n; ++c)
            xw.writeText(0, c, QString::fromUtf8(sqlite3_column_name(st.get(), c)));
        qint64 row = 0;
        while (st.step()) {
            ++row;
            for (int c = 0; c < n; ++c) writeValue(xw, st.get(), int(row), c, cols[size_t(c)]);
            if (progress && row % 500 == 0 && !progress(row, total)) {
                result.cancelled = true;
                return result;   // the writer is abandoned and the file removes its temporary file
            }
        }
        for (int c = 0; c < n; ++c)
            xw.setColumnWidth(c, std::clamp(cols[size_t(c)].width + 2.0, 8.43, double(kWidestColumn)));
        result.rows = row;
        result.cut = xw.cut();
        xw.close();
    }
    if (progress) progress(result.rows, total);
    result.path = file.commitWith(
        [](const QString& temp) { return vb::placeExportFile(temp, QStringLiteral("Export"), QStringLiteral("xlsx")); });
    return result;
}

}  // namespace reports
