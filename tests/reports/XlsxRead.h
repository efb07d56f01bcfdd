#pragma once
// Reads back the first sheet of a workbook: every cell by its reference ("A1") with its type
// ("s" text, "n" number, "b" boolean), its value text and its number format.
#include "ExportTestUtil.h"

#include <QXmlStreamReader>

namespace exporttest {

struct Cell {
    QString type, value, format;
};

inline QMap<QString, Cell> readSheet(const QString& xlsx) {
    // Number formats by style index.
    QMap<int, QString> codes{{0, "General"}};
    QStringList xfFormats;
    {
        QXmlStreamReader x(zipEntry(xlsx, "xl/styles.xml"));
        bool inXfs = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"numFmt")
                codes[x.attributes().value("numFmtId").toInt()] = x.attributes().value("formatCode").toString();
            if (x.isStartElement() && x.name() == u"cellXfs") inXfs = true;
            if (x.isEndElement() && x.name() == u"cellXfs") inXfs = false;
            if (inXfs && x.isStartElement() && x.name() == u"xf")
                xfFormats << codes.value(x.attributes().value("numFmtId").toInt(), "builtin");
        }
    }
    QMap<QString, Cell> cells;
    QXmlStreamReader x(zipEntry(xlsx, "xl/worksheets/sheet1.xml"));
    QString ref;
    Cell cur;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"c") {
            ref = x.attributes().value("r").toString();
            const QString t = x.attributes().value("t").toString();
            cur = Cell{t == u"inlineStr" || t == u"str" ? "s" : t.isEmpty() ? "n" : t, {},
                       xfFormats.value(x.attributes().value("s").toInt(), "General")};
        } else if (x.isStartElement() && (x.name() == u"v" || x.name() == u"t")) {
            cur.value += x.readElementText();
        } else if (x.isEndElement() && x.name() == u"c") {
            cells[ref] = cur;
        }
    }
    return cells;
}

// The number of rows of the sheet's data.
inline int sheetRows(const QMap<QString, Cell>& cells) {
    int rows = 0;
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        QString r = it.key();
        r.remove(QRegularExpression("^[A-Z]+"));
        rows = std::max(rows, r.toInt());
    }
    return rows;
}

}  // namespace exporttest
