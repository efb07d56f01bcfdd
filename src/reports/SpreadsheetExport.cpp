#include "reports/SpreadsheetExport.h"

#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/db/RowReader.h"
#include "platform/db/StoredDate.h"
#include "platform/db/YesNo.h"
#include "platform/format/DataFormat.h"
#include "platform/format/VbConvert.h"
#include "platform/fs/FileSystem.h"
#include "platform/office/ExportFolder.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/office/XlsxWriter.h"

#include <QDir>
#include <QFile>
#include <algorithm>
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
int firstLineChars(QByteArrayView s, int cap) {
    int n = 0;
    for (qsizetype i = 0; i < s.size() && n < cap; ++i) {
        if (s[i] == '\n' || s[i] == '\r') break;
        if ((s[i] & 0xC0) != 0x80) ++n;
    }
    return n;
}

void writeValue(XlsxWriter& xw, const db::RowReader& rows, int row, int col, Column& c) {
    using Storage = db::RowReader::Storage;
    const Storage storage = rows.StorageOf(col);
    if (storage == Storage::Null) return;
    auto asText = [&] {
        const QByteArrayView s = rows.Utf8(col);
        c.width = std::max(c.width, firstLineChars(s, kWidestColumn));
        xw.writeText(row, col, s.data(), int(s.size()));
    };
    const bool numeric = storage == Storage::Integer || storage == Storage::Real;
    switch (c.kind) {
    case vb::ValueKind::Text: asText(); return;
    case vb::ValueKind::Boolean: {
        const auto b = numeric ? std::optional<bool>(rows.Double(col) != 0) : db::readYesNo(QStringView(rows.Text(col)));
        if (!b) return asText();
        xw.writeBoolean(row, col, *b);
        c.width = std::max(c.width, 5);
        return;
    }
    case vb::ValueKind::DateTime: {
        const auto dt = storage == Storage::Text ? db::parseStoredDate(QUtf8StringView(rows.Utf8(col))) : std::nullopt;
        if (!dt) return asText();
        xw.writeDate(row, col, *dt);
        const bool timeOnly = dt->date() == vb::zeroDate();
        c.width = std::max(c.width, timeOnly ? 11 : dt->time() == QTime(0, 0) ? 10 : 22);
        return;
    }
    default: break;
    }
    if (!numeric) return asText();
    const double v = rows.Double(col);
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
        chars = storage == Storage::Integer ? int(QString::number(rows.Int(col)).size())
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
        const vb::FieldType type = vb::FieldType::parse(f.type);
        c.kind = type.valueKind();
        if (c.kind == vb::ValueKind::Decimal) c.places = type.scale;
        c.width = int(f.name.size());
        cols.push_back(c);
    }

    vb::ReplacingFile file(vb::uniqueExportPath(QStringLiteral("Export"), QStringLiteral("xlsx")));
    {
        XlsxWriter xw(file);
        db::RowReader rows(conn, selectSql(spec));
        const int n = rows.ColumnCount();
        for (int c = 0; c < n; ++c) xw.writeText(0, c, rows.ColumnName(c));
        qint64 row = 0;
        while (rows.Next()) {
            ++row;
            for (int c = 0; c < n; ++c) writeValue(xw, rows, int(row), c, cols[size_t(c)]);
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
        [&file](const QString& temp) { return vb::placeExportFile(temp, file.target()); });
    return result;
}

}  // namespace reports
