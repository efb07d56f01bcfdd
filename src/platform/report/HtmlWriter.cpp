#include "platform/report/ReportTable.h"
#include "platform/report/ReportWriters.h"

#include <QStringBuilder>

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

QString itemSpan(const Item& it) {
    const FontSpec f = it.control ? it.control->font : FontSpec();
    return QLatin1String("<div style=\"") % fontCss(f) % QLatin1String("text-align:") %
           alignCss(it.control ? it.control->alignment : 0) % QLatin1String("\">") % escaped(PrintedText(it)) %
           QLatin1String("</div>");
}

}  // namespace

QByteArray HtmlOf(const Document& doc) {
    QString h;
    h.reserve(4096);
    h += QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>") % escaped(doc.title) %
         QLatin1String("</title>\n<style>\n"
                       "body { background: #ffffff; color: #000000; }\n"
                       "div.page { margin-bottom: 24pt; }\n"
                       "div.page + div.page { page-break-before: always; }\n"
                       "table.report { border-collapse: collapse; table-layout: fixed; }\n"
                       "table.report td { vertical-align: top; padding: 0 2pt; overflow: hidden; }\n"
                       "table.report tr.caption td { border-top: 3px double #000000; border-bottom: 5px double #000000; }\n"
                       "p.title { text-align: center; margin: 0 0 4pt 0; }\n"
                       "p.footer { margin-top: 12pt; }\n"
                       "</style>\n</head>\n<body>\n");
    const int count = int(doc.pages.size());
    for (int p = 0; p < count; ++p) {
        const PageTable t = TableOf(doc.pages[size_t(p)]);
        h += QStringLiteral("<div class=\"page\" id=\"page%1\">\n").arg(p + 1);
        for (const Item* it : t.titles) {
            const FontSpec f = it->control ? it->control->font : FontSpec();
            h += QLatin1String("<p class=\"title\" style=\"") % fontCss(f) % QLatin1String("\">") % escaped(it->text) %
                 QLatin1String("</p>\n");
        }
        double width = 0;
        for (size_t c = 0; c < t.columnLeft.size(); ++c) width += t.columnRight[c] - t.columnLeft[c];
        h += QLatin1String("<table class=\"report\" style=\"width:") % pt(width) % QLatin1String("\">\n<colgroup>");
        for (size_t c = 0; c < t.columnLeft.size(); ++c)
            h += QLatin1String("<col style=\"width:") % pt(t.columnRight[c] - t.columnLeft[c]) % QLatin1String("\"/>");
        h += QLatin1String("</colgroup>\n");
        for (const PageTable::Row& row : t.rows) {
            h += row.section == SectionKind::PageHeader ? QLatin1String("<tr class=\"caption\">") : QLatin1String("<tr>");
            for (const auto& cell : row.cells) {
                h += QLatin1String("<td>");
                for (const Item* it : cell) h += itemSpan(*it);
                h += QLatin1String("</td>");
            }
            h += QLatin1String("</tr>\n");
        }
        h += QLatin1String("</table>\n<p class=\"footer\">");
        QStringList parts;
        for (const Item* it : t.footer) parts << escaped(PrintedText(*it));
        h += parts.join(QLatin1Char(' ')) % QLatin1String("</p>\n</div>\n");
    }
    h += QLatin1String("</body>\n</html>\n");
    return h.toUtf8();
}

void WriteHtml(const Document& doc, const QString& path) { SaveText(path, HtmlOf(doc)); }

}  // namespace report
