#include "platform/report/ReportTable.h"
#include "platform/report/ReportWriters.h"

#include <QStringBuilder>
#include <QTextBoundaryFinder>
#include <cmath>

namespace report {

namespace {

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        switch (ch.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&#39;"); break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QLatin1String("<br/>");
            break;
        case '\n':
        case 0x2028: out += QLatin1String("<br/>"); break;
        default: out += ch;
        }
    }
    return out;
}

QString pt(double twips) { return QString::number(twips / 20.0, 'f', 1) + QLatin1String("pt"); }

QString px(double twips) { return QString::number(std::lround(twips / 15.0)); }

QString fontCss(const FontSpec& f) {
    QString family = f.family;
    family.remove(QLatin1Char('"')).remove(QLatin1Char(';')).remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    return QStringLiteral("font-family:'%1',sans-serif;font-size:%2pt;font-weight:%3;font-style:%4;%5")
        .arg(family.remove(QLatin1Char('\'')))
        .arg(f.size)
        .arg(f.bold ? QLatin1String("bold") : QLatin1String("normal"))
        .arg(f.italic ? QLatin1String("italic") : QLatin1String("normal"))
        .arg(f.underline ? QLatin1String("text-decoration:underline;") : QString());
}

QString alignCss(int a) {
    return a == AlignCenter ? QStringLiteral("center") : a == AlignRight ? QStringLiteral("right") : QStringLiteral("left");
}

// An item's printed text, escaped: the value as it is stored, wrapped in its cell by the browser
// or the word processor. A word processor does not break a word wider than its column: it widens
// the column and pushes the next ones off the page. Where the program's layout breaks such a word
// (at a place that is no line break opportunity), the file holds a zero-width space: it shows
// nothing and forces no break, and lets the word wrap in its column.
QString wrapped(const Item& item) {
    const QString text = PrintedText(item);
    QString out;
    int from = 0;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    for (int at : WrapBreaks(item)) {
        breaks.setPosition(at);
        if (breaks.isAtBoundary()) continue;
        out += escaped(text.mid(from, at - from)) % QChar(0x200B);
        from = at;
    }
    return out + escaped(text.mid(from));
}

FontSpec fontOf(const Item* it) { return it && it->control ? it->control->font : FontSpec(); }

// One table cell: the style of its first item on the cell, further items on lines of their own.
// (A block element in each cell, such as a div, makes word processors import the file very slowly.)
// height: the row's height, given on its first cell.
QString cellHtml(const std::vector<const Item*>& cell, const QString& height = {}) {
    if (cell.empty()) return QLatin1String("<td") % height % QLatin1String("></td>");
    const Item* first = cell.front();
    QString h = QLatin1String("<td") % height % QLatin1String(" style=\"") % fontCss(fontOf(first)) % QLatin1String("text-align:") %
                alignCss(first->control ? first->control->alignment : 0) % QLatin1String("\">") %
                wrapped(*first);
    for (size_t i = 1; i < cell.size(); ++i)
        h += QLatin1String("<br/><span style=\"") % fontCss(fontOf(cell[i])) % QLatin1String("\">") %
             wrapped(*cell[i]) % QLatin1String("</span>");
    return h + QLatin1String("</td>");
}

}  // namespace

QByteArray HtmlOf(const Document& doc, const PageProgress& onPage) {
    QString h;
    h.reserve(4096);
    h += QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>") % escaped(doc.title) %
         QLatin1String("</title>\n<style>\n") %
         // The paper and margins of the report's layout, for printing from a browser.
         QStringLiteral("@page { size: %1 %2; margin: %3 %4 %5 %6; }\n")
             .arg(pt(doc.paper.width()), pt(doc.paper.height()), pt(doc.topMargin), pt(doc.rightMargin),
                  pt(doc.bottomMargin), pt(doc.leftMargin)) %
         QLatin1String("body { background: #ffffff; color: #000000; }\n"
                       // Word processors give a cell's paragraphs the spacing of body text.
                       "td { margin-top: 0cm; margin-bottom: 0cm; }\n"
                       "div.page { margin-bottom: 24pt; }\n"
                       "div.page + div.page { page-break-before: always; }\n"
                       "table.report { border-collapse: collapse; table-layout: fixed; }\n"
                       "table.report td { vertical-align: top; padding: 0 2pt; overflow-wrap: anywhere; word-wrap: break-word; }\n"
                       "table.report tr.caption td { border-top: 3px double #000000; border-bottom: 5px double #000000; }\n"
                       "table.titles { width: 100%; border-collapse: collapse; table-layout: fixed; margin: 0 0 4pt 0; }\n"
                       "td.title { text-align: center; padding: 0 0 4pt 0; overflow-wrap: anywhere; word-wrap: break-word; }\n"
                       "p.footer { margin-top: 12pt; margin-bottom: 0cm; }\n"
                       "</style>\n</head>\n<body>\n");
    const int count = int(doc.pages.size());
    for (int p = 0; p < count; ++p) {
        ReportPage(onPage, p, count);
        const PageTable t = TableOf(doc.pages[size_t(p)]);
        h += QStringLiteral("<div class=\"page\" id=\"page%1\">\n").arg(p + 1);
        // A page after the first starts on a new sheet; the break stands on its first table.
        bool pageBreak = p > 0;
        // The title lines stand in a table of their own: a word processor drops a paragraph that
        // opens the document, and leaves the first page blank.
        if (!t.titles.empty()) {
            h += QLatin1String("<table class=\"titles\" width=\"100%\"") %
                 (pageBreak ? QLatin1String(" style=\"page-break-before:always\"") : QLatin1String("")) % QLatin1String(">\n");
            pageBreak = false;
            for (const Item* it : t.titles)
                h += QLatin1String("<tr><td class=\"title\" align=\"center\" style=\"") % fontCss(fontOf(it)) %
                     QLatin1String("\">") % wrapped(*it) % QLatin1String("</td></tr>\n");
            h += QLatin1String("</table>\n");
        }
        double width = 0;
        for (size_t c = 0; c < t.columnLeft.size(); ++c) width += t.columnRight[c] - t.columnLeft[c];
        // Widths also as attributes (pixels), which word processors read where they skip the style.
        // So do the rows' heights, with no cell padding or spacing of the word processor's own: a
        // row is as tall as in the program's layout (or taller only when its text needs it), and
        // the page holds the program's rows.
        if (!t.rows.empty()) {
            h += QLatin1String("<table class=\"report\" cellpadding=\"0\" cellspacing=\"0\" width=\"") % px(width) %
                 QLatin1String("\" style=\"") % (pageBreak ? QLatin1String("page-break-before:always;") : QLatin1String("")) %
                 QLatin1String("width:") % pt(width) % QLatin1String("\">\n<colgroup>");
            for (size_t c = 0; c < t.columnLeft.size(); ++c)
                h += QLatin1String("<col width=\"") % px(t.columnRight[c] - t.columnLeft[c]) % QLatin1String("\" style=\"width:") %
                     pt(t.columnRight[c] - t.columnLeft[c]) % QLatin1String("\"/>");
            h += QLatin1String("</colgroup>\n");
            for (const PageTable::Row& row : t.rows) {
                h += row.section == SectionKind::PageHeader ? QLatin1String("<tr class=\"caption\" valign=\"top\">")
                                                             : QLatin1String("<tr valign=\"top\">");
                const QString height = QStringLiteral(" height=\"%1\"").arg(int(std::floor(row.height / 15.0)));
                for (size_t c = 0; c < row.cells.size(); ++c) h += cellHtml(row.cells[c], c == 0 ? height : QString());
                h += QLatin1String("</tr>\n");
            }
            h += QLatin1String("</table>\n");
        }
        h += QLatin1String("<p class=\"footer\" style=\"") % fontCss(fontOf(t.footer.empty() ? nullptr : t.footer.front())) %
             QLatin1String("\">");
        QStringList parts;
        for (const Item* it : t.footer) parts << escaped(PrintedText(*it));
        h += parts.join(QLatin1Char(' ')) % QLatin1String("</p>\n</div>\n");
    }
    h += QLatin1String("</body>\n</html>\n");
    ReportPage(onPage, count, count);
    return h.toUtf8();
}

void WriteHtml(const Document& doc, const QString& path, const PageProgress& onPage) { SaveText(path, HtmlOf(doc, onPage)); }

}  // namespace report
