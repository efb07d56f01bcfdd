#include "platform/report/ReportTable.h"
#include "platform/report/ReportWriters.h"

#include <QStringBuilder>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace report {

namespace {

// RTF text: the characters with a meaning in RTF escaped, everything beyond ASCII as \uN?.
QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (int i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        switch (ch) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '{': out += QLatin1String("\\{"); break;
        case '}': out += QLatin1String("\\}"); break;
        case '\t': out += QLatin1String("\\tab "); break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QLatin1String("\\line ");
            break;
        case '\n':
        case 0x2028: out += QLatin1String("\\line "); break;
        default:
            if (ch < 32) break;
            if (ch < 128) out += QChar(ch);
            else out += QLatin1String("\\u") % QString::number(int(int16_t(ch))) % QLatin1Char('?');
        }
    }
    return out;
}

int twips(double v) { return int(std::lround(v)); }

constexpr int kGap = 20;            // a cell's inner margin on each side (twips)
constexpr int kTinyParagraph = 20;   // the height of the paragraph that opens a page

class FontTable {
public:
    int of(const QString& family) {
        const QString key = family.isEmpty() ? QStringLiteral("Arial") : family;
        auto it = index_.find(key);
        if (it != index_.end()) return it->second;
        const int n = int(index_.size());
        index_.emplace(key, n);
        order_ << key;
        return n;
    }
    QString table() const {
        QString t = QStringLiteral("{\\fonttbl");
        for (int i = 0; i < order_.size(); ++i) {
            QString name = order_[i];
            name.remove(QLatin1Char(';')).remove(QLatin1Char('{')).remove(QLatin1Char('}')).remove(QLatin1Char('\\'));
            t += QStringLiteral("{\\f%1\\fswiss\\fcharset0 %2;}").arg(i).arg(name);
        }
        return t + QLatin1Char('}');
    }

private:
    std::map<QString, int> index_;
    QStringList order_;
};

QString fontCodes(FontTable& fonts, const FontSpec& f) {
    QString s = QStringLiteral("\\f%1\\fs%2").arg(fonts.of(f.family)).arg(int(std::lround(f.size * 2)));
    if (f.bold) s += QLatin1String("\\b");
    if (f.italic) s += QLatin1String("\\i");
    if (f.underline) s += QLatin1String("\\ul");
    return s + QLatin1Char(' ');
}

QString alignCode(int a) { return a == AlignCenter ? QStringLiteral("\\qc") : a == AlignRight ? QStringLiteral("\\qr") : QStringLiteral("\\ql"); }

}  // namespace

QByteArray RtfOf(const Document& doc, const PageProgress& onPage) {
    FontTable fonts;
    fonts.of(QStringLiteral("Arial"));
    const int glyphFont = fonts.of(QStringLiteral("DejaVu Sans"));
    const bool landscape = doc.orientation == OrientLandscape;
    // The page footer stands in the sheet's footer, below the body, where the layout has it; its
    // page number and count are fields. The body ends where the layout's footer band begins.
    double bodyBottom = doc.bottomMargin, footerY = doc.bottomMargin;
    std::vector<const Item*> footer;
    if (!doc.pages.empty())
        for (const Band& b : doc.pages.front().bands)
            if (b.section == SectionKind::PageFooter) {
                bodyBottom = doc.paper.height() - b.top - kTinyParagraph;
                for (const Item& it : b.items) {
                    footer.push_back(&it);
                    footerY = std::min(bodyBottom, doc.paper.height() - it.rect.bottom());
                }
            }
    std::sort(footer.begin(), footer.end(), [](const Item* a, const Item* c) { return a->rect.left() < c->rect.left(); });
    QStringList parts;
    for (const Item* it : footer) {
        const QString text = escaped(PrintedText(*it));
        if (it->kind == ControlKind::PageNumber) parts << QLatin1String("{\\field{\\*\\fldinst PAGE}{\\fldrslt ") % text % QLatin1String("}}");
        else if (it->kind == ControlKind::PageCount) parts << QLatin1String("{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt ") % text % QLatin1String("}}");
        else parts << text;
    }
    const QString footerGroup = footer.empty() ? QString()
                                               : QLatin1String("{\\footer\\pard\\plain\\ql \\f0\\fs18 ") % parts.join(QLatin1Char(' ')) %
                                                     QLatin1String("\\par}\n");
    // The sheet's size, margins and orientation, in the words of the document or of a section.
    const auto pageWords = [&](const std::array<const char*, 7>& words) {
        const double values[6] = {doc.paper.width(), doc.paper.height(), doc.leftMargin,
                                  doc.rightMargin,   doc.topMargin,       bodyBottom};
        QString out;
        for (int i = 0; i < 6; ++i) out += QLatin1Char('\\') + QLatin1String(words[size_t(i)]) + QString::number(twips(values[i]));
        if (landscape) out += QLatin1Char('\\') + QLatin1String(words[6]);
        return out;
    };
    const QString sectionSetup = pageWords({"pgwsxn", "pghsxn", "marglsxn", "margrsxn", "margtsxn", "margbsxn", "lndscpsxn"}) %
                                 QStringLiteral("\\footery%1").arg(twips(footerY));
    const QString tinyParagraph = QStringLiteral("\\pard\\plain\\sl-%1\\slmult0\\fs2\\par\n").arg(kTinyParagraph);
    QString body;
    body.reserve(4096);
    const int count = int(doc.pages.size());
    for (int p = 0; p < count; ++p) {
        ReportPage(onPage, p, count);
        if (p > 0) body += QLatin1String("\\sect\\sectd\\sbkpage") % sectionSetup % QLatin1Char('\n');
        const PageTable t = TableOf(doc.pages[size_t(p)]);
        // A section that starts with a table makes the word processor break the page after the
        // table's first row and lose rows: a page without titles starts with a paragraph a point
        // high, for which the body has that much room below the layout's.
        if (t.titles.empty()) body += tinyParagraph;
        for (const Item* it : t.titles) {
            const FontSpec f = it->control ? it->control->font : FontSpec();
            body += QLatin1String("\\pard\\plain\\qc\\sa80 ") % fontCodes(fonts, f) % escaped(it->text) % QLatin1String("\\par\n");
        }
        for (const PageTable::Row& row : t.rows) {
            const bool caption = row.section == SectionKind::PageHeader;
            // Rows keep exactly the height of the layout (a negative \\trrh): a word processor whose
            // lines come out a little taller must not grow them and push the footer off the page.
            body += QStringLiteral("\\trowd\\trgaph%1\\trleft%2\\trrh-%3")
                        .arg(kGap)
                        .arg(twips(t.columnLeft.front() - doc.leftMargin))
                        .arg(twips(row.height));
            for (size_t c = 0; c < t.columnLeft.size(); ++c) {
                if (caption)
                    body += QLatin1String("\\clbrdrt\\brdrdb\\brdrw10\\clbrdrb\\brdrdb\\brdrw30");
                // The last column ends where its widest item does: give it the cell's inner margins.
                const double right = t.columnRight[c] + (c + 1 == t.columnLeft.size() ? 2 * kGap + 40 : 0);
                body += QStringLiteral("\\clvertalt\\cellx%1").arg(twips(right - doc.leftMargin));
            }
            body += QLatin1Char('\n');
            for (const auto& cell : row.cells) {
                body += QLatin1String("\\pard\\plain\\intbl");
                double lineHeight = 0;
                for (const Item* it : cell) lineHeight = std::max(lineHeight, it->lines.isEmpty() ? 0.0 : it->lineHeight);
                // A growing field's lines as far apart as in the layout.
                if (lineHeight > 0) body += QStringLiteral("\\sl-%1\\slmult0").arg(twips(lineHeight));
                body += cell.empty() ? QStringLiteral("\\ql") : alignCode(cell.front()->control ? cell.front()->control->alignment : 0);
                body += QLatin1Char(' ');
                bool first = true;
                for (const Item* it : cell) {
                    if (!first) body += QLatin1String("\\line ");
                    first = false;
                    FontSpec f = it->control ? it->control->font : FontSpec();
                    if (it->kind == ControlKind::CheckBox)
                        body += QStringLiteral("{\\f%1\\fs%2 ").arg(glyphFont).arg(int(std::lround(f.size * 2)));
                    else
                        body += QLatin1Char('{') % fontCodes(fonts, f);
                    // The value as it is stored: the word processor wraps it within the cell.
                    body += escaped(PrintedText(*it)) % QLatin1Char('}');
                }
                body += QLatin1String("\\cell\n");
            }
            body += QLatin1String("\\row\n");
        }
    }
    body += tinyParagraph;   // the document does not end in a table
    ReportPage(onPage, count, count);
    const QString head = QLatin1String("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n") % fonts.table() %
                         QStringLiteral("\n{\\info{\\title %1}}\n").arg(escaped(doc.title)) %
                         pageWords({"paperw", "paperh", "margl", "margr", "margt", "margb", "landscape"}) % QLatin1Char('\n') %
                         QLatin1String("\\sectd") % sectionSetup % QLatin1Char('\n') % footerGroup;
    return (head + body + QLatin1String("}\n")).toLatin1();
}

void WriteRtf(const Document& doc, const QString& path, const PageProgress& onPage) { SaveText(path, RtfOf(doc, onPage)); }

}  // namespace report
