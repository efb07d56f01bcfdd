#include "reports/MailLabels.h"

#include "platform/db/Connection.h"
#include "platform/db/RowReader.h"
#include "platform/format/DataFormat.h"
#include "platform/office/ExportFolder.h"
#include "platform/office/OdtWriter.h"
#include "platform/fs/ReplacingFile.h"

#include <QDir>
#include <QFile>
#include <vector>

namespace reports {

namespace {

const LabelProduct kProducts[] = {
    {"5160", 3, 10, 2.625, 1, 0.15625, 0.5, 2.78125, 1, 0.0625},
    {"8160", 3, 10, 2.625, 1, 0.15625, 0.5, 2.78125, 1, 0.0625},
    {"8161", 2, 10, 4, 1, 0.15625, 0.5, 4.1875, 1, 0.0625},
    {"8162", 2, 7, 4, 1.3333, 0.15625, 0.8333, 4.1875, 1.3333, 0.0625},
    {"8163", 2, 5, 4, 2, 0.1625, 0.5, 4.1875, 2, 0.125},
};
constexpr double kPageW = 8.5, kPageH = 11;

QByteArray in(double inches) { return QByteArray::number(inches, 'f', 4) + "in"; }

const QByteArray kCommonStyles =
    R"(<style:default-style style:family="paragraph"><style:paragraph-properties fo:margin-top="0in" fo:margin-bottom="0in"/>)"
    R"(<style:text-properties style:font-name="Arial" fo:font-family="Arial" fo:font-size="10pt"/></style:default-style>)"
    R"(<style:style style:name="Standard" style:family="paragraph"/>)";

// The rows of the query as the entry view shows the values: text, nulls as "".
template <typename RowFn>
qint64 eachRow(db::Connection& conn, const ExportSpec& spec, const Progress& progress, bool& cancelled, RowFn onRow) {
    std::vector<vb::DataFormat> formats;
    std::vector<vb::ValueKind> kinds;
    for (const ExportField& f : spec.fields) {
        const vb::FieldType type = vb::FieldType::parse(f.type);
        formats.push_back(vb::DataFormat::forFieldType(type));
        kinds.push_back(type.valueKind());
    }
    const qint64 total = progress ? conn.Scalar(countSql(spec)).toLongLong() : 0;
    db::RowReader rows(conn, selectSql(spec));
    const int n = rows.ColumnCount();
    QStringList values;
    qint64 row = 0;
    cancelled = false;
    while (rows.Next()) {
        values.clear();
        for (int c = 0; c < n; ++c) {
            const QVariant v = rows.Value(c);
            values << (v.isNull() ? QString() : formats[size_t(c)].display(v, kinds[size_t(c)]));
        }
        onRow(values);
        ++row;
        if (progress && row % 200 == 0 && !progress(row, total)) {
            cancelled = true;
            return row;
        }
    }
    return row;
}

void cell(QXmlStreamWriter& w, const QString& style, const QStringList& paragraphs, const QString& paraStyle) {
    w.writeStartElement("table:table-cell");
    w.writeAttribute("table:style-name", style);
    w.writeAttribute("office:value-type", "string");
    for (const QString& p : paragraphs) {
        w.writeStartElement("text:p");
        if (!paraStyle.isEmpty()) w.writeAttribute("text:style-name", paraStyle);
        office::writeText(w, p);
        w.writeEndElement();
    }
    w.writeEndElement();
}

}  // namespace

QString productForSize(const QString& sizeText) {
    if (sizeText == u"(10) 2 x 4") return QStringLiteral("8163");
    if (sizeText == u"(20) 1 x 4") return QStringLiteral("8161");
    if (sizeText == u"(14) 1 1/3 x 4") return QStringLiteral("8162");
    if (sizeText == u"(30) 1 x 2 5/8") return QStringLiteral("8160");
    return QStringLiteral("5160");
}

const LabelProduct& labelProduct(const QString& number) {
    for (const LabelProduct& p : kProducts)
        if (p.number == number) return p;
    return kProducts[0];
}

QStringList MailSpec::chosenNames() const {
    QStringList out;
    for (const QString& p : parts)
        if (!p.isEmpty()) out << p;
    return out;
}

ExportSpec MailSpec::rows() const {
    ExportSpec spec;
    for (int i = 0; i < kMailParts; ++i)
        if (!parts[size_t(i)].isEmpty()) spec.fields << ExportField{parts[size_t(i)], types[size_t(i)]};
    spec.searchResult = searchResult;
    return spec;
}

QStringList labelLines(const MailSpec& spec, const std::array<QString, kMailParts>& values) {
    static const char* const separators[kMailParts] = {" ", "\n", "\n", "\n", ", ", "  ", " ", ""};
    struct Line {
        QString text;
        bool hasField = false, hasValue = false;
    };
    std::vector<Line> lines(1);
    for (int i = 0; i < kMailParts; ++i) {
        const bool chosen = !spec.parts[size_t(i)].isEmpty();
        if (chosen) {
            Line& l = lines.back();
            l.text += values[size_t(i)];
            l.hasField = true;
            l.hasValue = l.hasValue || !values[size_t(i)].isEmpty();
        }
        // The paragraph mark after the last-name part is typed whether or not it is chosen.
        if (!chosen && i != 1) continue;
        const QLatin1String sep(separators[i]);
        if (sep == QLatin1String("\n")) lines.emplace_back();
        else lines.back().text += sep;
    }
    // The mark after the last address part starts no further line of its own when nothing follows.
    QStringList out;
    for (size_t k = 0; k < lines.size(); ++k) {
        const Line& l = lines[k];
        if (l.hasField && !l.hasValue) continue;
        if (k + 1 == lines.size() && !l.hasField && l.text.isEmpty() && k > 0) continue;
        out << l.text;
    }
    return out;
}

qint64 WriteMailData(db::Connection& conn, const MailSpec& spec, const QString& path, const Progress& progress) {
    const ExportSpec rows = spec.rows();
    const int n = int(rows.fields.size());
    const double colW = 6.5 / std::max(1, n);
    const QByteArray autoStyles =
        R"(<style:style style:name="Data" style:family="table"><style:table-properties style:width=")" + in(colW * n) +
        R"(" table:align="left"/></style:style><style:style style:name="DataCol" style:family="table-column">)"
        R"(<style:table-column-properties style:column-width=")" + in(colW) +
        R"("/></style:style><style:style style:name="DataCell" style:family="table-cell">)"
        R"(<style:table-cell-properties fo:padding="0.02in" fo:border="0.5pt solid #000000"/></style:style>)";
    office::OdtWriter odt(autoStyles, kCommonStyles,
                          R"(fo:page-width="8.5in" fo:page-height="11in" fo:margin-top="1in" fo:margin-bottom="1in" )"
                          R"(fo:margin-left="1in" fo:margin-right="1in")");
    QXmlStreamWriter& w = odt.body();
    w.writeStartElement("table:table");
    w.writeAttribute("table:name", "MailData");
    w.writeAttribute("table:style-name", "Data");
    w.writeStartElement("table:table-column");
    w.writeAttribute("table:style-name", "DataCol");
    w.writeAttribute("table:number-columns-repeated", QString::number(n));
    w.writeEndElement();
    auto row = [&](const QStringList& values) {
        w.writeStartElement("table:table-row");
        for (const QString& v : values) cell(w, "DataCell", {v}, {});
        w.writeEndElement();
    };
    row(spec.chosenNames());
    bool cancelled = false;
    const qint64 count = eachRow(conn, rows, progress, cancelled, row);
    if (cancelled) return -1;
    w.writeEndElement();
    odt.save(path);
    return count;
}

QString WriteLabels(db::Connection& conn, const MailSpec& spec, const QString& product, const Progress& progress) {
    const LabelProduct& p = labelProduct(product);
    const double gap = p.pitchX - p.width;
    const double tableW = p.columns * p.width + (p.columns - 1) * gap;
    // A table that exactly fills the page would push the document's closing paragraph onto a page
    // of its own: the bottom margin leaves a little room.
    const double right = std::max(0.0, kPageW - p.left - tableW - 0.05);
    const double bottom = std::max(0.0, kPageH - p.top - p.rows * p.pitchY - 0.1);
    const QByteArray tableProps = R"(<style:table-properties style:width=")" + in(tableW) + R"(" table:align="left")";
    const QByteArray autoStyles =
        R"(<style:style style:name="Sheet" style:family="table">)" + tableProps + R"(/></style:style>)" +
        R"(<style:style style:name="NextSheet" style:family="table">)" + tableProps +
        R"( fo:break-before="page"/></style:style>)"
        R"(<style:style style:name="LabelCol" style:family="table-column"><style:table-column-properties style:column-width=")" +
        in(p.width) +
        R"("/></style:style><style:style style:name="GapCol" style:family="table-column"><style:table-column-properties style:column-width=")" +
        in(gap) +
        R"("/></style:style><style:style style:name="LabelRow" style:family="table-row"><style:table-row-properties style:row-height=")" +
        in(p.pitchY) +
        R"(" fo:keep-together="always"/></style:style><style:style style:name="Label" style:family="table-cell">)"
        R"(<style:table-cell-properties style:vertical-align="top" fo:border="none" fo:padding=")" +
        in(p.padding) +
        R"("/></style:style><style:style style:name="Gap" style:family="table-cell"><style:table-cell-properties fo:border="none" fo:padding="0in"/></style:style>)"
        R"(<style:style style:name="End" style:family="paragraph"><style:text-properties fo:font-size="1pt"/></style:style>)";
    const QByteArray page = "fo:page-width=\"8.5in\" fo:page-height=\"11in\" fo:margin-top=\"" + in(p.top) +
                            "\" fo:margin-bottom=\"" + in(bottom) + "\" fo:margin-left=\"" + in(p.left) +
                            "\" fo:margin-right=\"" + in(right) + "\"";
    office::OdtWriter odt(autoStyles, kCommonStyles, page);
    QXmlStreamWriter& w = odt.body();

    int sheet = 0, inSheet = 0, inRow = 0;
    auto openSheet = [&] {
        w.writeStartElement("table:table");
        w.writeAttribute("table:name", QStringLiteral("Labels%1").arg(++sheet));
        w.writeAttribute("table:style-name", sheet == 1 ? "Sheet" : "NextSheet");
        for (int c = 0; c < p.columns; ++c) {
            if (c > 0) {
                w.writeEmptyElement("table:table-column");
                w.writeAttribute("table:style-name", "GapCol");
            }
            w.writeEmptyElement("table:table-column");
            w.writeAttribute("table:style-name", "LabelCol");
        }
    };
    auto closeRow = [&] {
        for (; inRow > 0 && inRow < p.columns; ++inRow) {
            cell(w, "Gap", {}, {});
            cell(w, "Label", {QString()}, {});
        }
        w.writeEndElement();   // row
        inRow = 0;
    };
    const ExportSpec rows = spec.rows();
    bool cancelled = false;
    eachRow(conn, rows, progress, cancelled, [&](const QStringList& values) {
        if (inSheet == 0) openSheet();
        if (inRow == 0) {
            w.writeStartElement("table:table-row");
            w.writeAttribute("table:style-name", "LabelRow");
        } else {
            cell(w, "Gap", {}, {});
        }
        std::array<QString, kMailParts> byPart;
        for (int i = 0, c = 0; i < kMailParts; ++i)
            if (!spec.parts[size_t(i)].isEmpty()) byPart[size_t(i)] = values.value(c++);
        cell(w, "Label", labelLines(spec, byPart), {});
        if (++inRow == p.columns) closeRow();
        if (++inSheet == p.perSheet()) {
            w.writeEndElement();   // table
            inSheet = 0;
        }
    });
    if (cancelled) return {};
    if (inRow > 0) closeRow();
    if (inSheet > 0) w.writeEndElement();
    w.writeStartElement("text:p");
    w.writeAttribute("text:style-name", "End");
    w.writeEndElement();
    vb::ReplacingFile file(vb::uniqueExportPath(QStringLiteral("Labels"), QStringLiteral("odt")));
    odt.writeTo(file);
    return file.commitWith(
        [&file](const QString& temp) { return vb::placeExportFile(temp, file.target()); });
}

}  // namespace reports
