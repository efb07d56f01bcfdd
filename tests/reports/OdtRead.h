#pragma once
// Reads back an OpenDocument text file: its tables, each a list of cells (style and paragraphs).
#include "ExportTestUtil.h"

#include <QXmlStreamReader>

namespace exporttest {

struct OdtCell {
    QString style;
    QStringList paragraphs;
};
using OdtTable = QList<QList<OdtCell>>;   // rows of cells

// The text of the paragraph the reader stands on, with spaces, tabs and line breaks as written.
inline QString paragraphText(QXmlStreamReader& x) {
    QString out;
    for (int depth = 1; depth > 0 && !x.atEnd();) {
        x.readNext();
        if (x.isCharacters()) out += x.text();
        else if (x.isEndElement()) --depth;
        else if (x.isStartElement()) {
            ++depth;
            if (x.name() == u"s") out += QString(std::max(1, x.attributes().value("text:c").toInt()), ' ');
            else if (x.name() == u"tab") out += '\t';
            else if (x.name() == u"line-break") out += '\n';
        }
    }
    return out;
}

inline QList<OdtTable> readOdtTables(const QString& odt) {
    QList<OdtTable> tables;
    QXmlStreamReader x(zipEntry(odt, "content.xml"));
    bool inCell = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement() && x.name() == u"table-cell") inCell = false;
        if (!x.isStartElement()) continue;
        if (x.name() == u"table" && x.prefix() == u"table") tables.append(OdtTable{});
        else if (x.name() == u"table-row") tables.last().append(QList<OdtCell>{});
        else if (x.name() == u"table-cell") {
            tables.last().last().append(OdtCell{x.attributes().value("table:style-name").toString(), {}});
            inCell = true;
        } else if (x.name() == u"p" && inCell)
            tables.last().last().last().paragraphs << paragraphText(x);
    }
    return tables;
}

// The labels of a label document, sheet by sheet, each label its lines joined by "/".
inline QList<QStringList> labelsOf(const QString& odt) {
    QList<QStringList> sheets;
    for (const OdtTable& t : readOdtTables(odt)) {
        QStringList labels;
        for (const auto& row : t)
            for (const OdtCell& c : row)
                if (c.style == u"Label" && !(c.paragraphs.size() == 1 && c.paragraphs[0].isEmpty()))
                    labels << c.paragraphs.join('/');
        sheets << labels;
    }
    return sheets;
}

}  // namespace exporttest
