#include "platform/report/ReportPainter.h"

#include "platform/core/VbError.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/report/ReportEngine.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <map>
#include <unordered_map>

namespace report {

int WrapFlags(const QFontMetricsF& metrics, double width, const QString& text) {
    const QRectF words = metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text);
    return words.width() <= width + 0.5 ? int(Qt::TextWordWrap) : int(Qt::TextWordWrap | Qt::TextWrapAnywhere);
}

QString CheckGlyph(bool checked) { return checked ? QStringLiteral("\u2611") : QStringLiteral("\u2610"); }

namespace {

Qt::Alignment horizontal(int alignment) {
    switch (alignment) {
    case AlignRight: return Qt::AlignRight;
    case AlignCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// Caption borders: style 6 a thin double line, style 12 a thick double line.
void drawBorder(QPainter& p, double x1, double x2, double y, int style, bool top) {
    if (style == 0) return;
    const bool thick = style >= 7;
    const double w = thick ? 20 : 10;
    const double gap = thick ? 30 : 20;
    p.setPen(QPen(Qt::black, w));
    const double dir = top ? 1 : -1;
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    if (style == 6 || style == 12) p.drawLine(QPointF(x1, y + dir * gap), QPointF(x2, y + dir * gap));
}

}  // namespace

// Fonts and their metrics, made once per control for all the pages painted with it.
class FontCache {
public:
    // Controls of the same font share one QFont, so the painter changes fonts only when it must.
    const QFont& of(const Control* c) {
        auto it = byControl_.find(c);
        if (it != byControl_.end()) return *it->second;
        const FontSpec spec = c ? c->font : FontSpec();
        const QString key = QStringLiteral("%1|%2|%3%4%5").arg(spec.family).arg(spec.size).arg(spec.bold).arg(spec.italic).arg(spec.underline);
        auto f = fonts_.find(key);
        if (f == fonts_.end()) f = fonts_.emplace(key, QtFont(spec)).first;
        byControl_.emplace(c, &f->second);
        return f->second;
    }
    const QFontMetricsF& metrics(const Control* c) {
        auto it = metrics_.find(c);
        if (it == metrics_.end()) it = metrics_.emplace(c, QFontMetricsF(of(c))).first;
        return it->second;
    }
    const QFontMetricsF& glyphMetrics(const Control* c) {
        auto it = glyphMetrics_.find(c);
        if (it == glyphMetrics_.end()) it = glyphMetrics_.emplace(c, QFontMetricsF(glyph(c))).first;
        return it->second;
    }
    // The face an item's text prints in: its control's, unless that face lacks characters of the
    // text that the upright face of the same font has (no installed face has Arabic in italics,
    // for one): then the upright face, so that no character is lost.
    struct Face {
        const QFont* font;
        const QFontMetricsF* metrics;
    };
    Face face(const Control* c, const QString& text) {
        const QFont& styled = of(c);
        if (!styled.italic() || !lacksCharacters(metrics(c), text)) return {&styled, &metrics(c)};
        auto it = upright_.find(c);
        if (it == upright_.end()) {
            QFont f = styled;
            f.setItalic(false);
            it = upright_.emplace(c, std::make_pair(f, QFontMetricsF(f))).first;
        }
        if (lacksCharacters(it->second.second, text)) return {&styled, &metrics(c)};
        return {&it->second.first, &it->second.second};
    }
    const QFont& glyph(const Control* c) {
        auto it = glyphs_.find(c);
        if (it == glyphs_.end()) {
            FontSpec spec = c ? c->font : FontSpec();
            spec.family = QStringLiteral("DejaVu Sans");
            spec.bold = spec.italic = spec.underline = false;
            it = glyphs_.emplace(c, QtFont(spec)).first;
        }
        return it->second;
    }

private:
    static bool lacksCharacters(const QFontMetricsF& metrics, const QString& text) {
        for (const uint u : text.toUcs4())
            if (u > 0x24F && !metrics.inFontUcs4(u)) return true;   // Latin is in every face
        return false;
    }
    std::unordered_map<const Control*, std::pair<QFont, QFontMetricsF>> upright_;
    std::unordered_map<const Control*, QFont> glyphs_;
    std::map<QString, QFont> fonts_;
    std::unordered_map<const Control*, const QFont*> byControl_;
    std::unordered_map<const Control*, QFontMetricsF> metrics_, glyphMetrics_;
};

namespace {

// One line of text at its baseline: much cheaper than laying it out in a rectangle.
void drawLine(QPainter& p, const QFontMetricsF& fm, const QRectF& r, int align, const QString& text) {
    double x = r.left();
    if (align != AlignLeft) {
        const double w = fm.horizontalAdvance(text);
        x = align == AlignRight ? r.right() - w : r.left() + (r.width() - w) / 2;
    }
    p.drawText(QPointF(x, r.top() + fm.ascent()), text);
}

bool oneLine(const QString& text) {
    for (QChar ch : text)
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::LineSeparator) return false;
    return true;
}

}  // namespace

void PaintPage(QPainter& p, const Document& doc, int pageIndex) {
    FontCache fonts;
    PaintPage(p, doc, pageIndex, fonts);
}

void PaintPage(QPainter& p, const Document& doc, int pageIndex, FontCache& fonts) {
    if (pageIndex < 0 || pageIndex >= int(doc.pages.size())) return;
    const QPen textPen(Qt::black);
    p.setPen(textPen);
    const QFont* current = nullptr;
    auto useFont = [&](const QFont& f) {
        if (current != &f) {
            p.setFont(f);
            current = &f;
        }
    };
    for (const Band& band : doc.pages[size_t(pageIndex)].bands) {
        for (const Item& it : band.items) {
            const Control* c = it.control;
            const int align = c ? c->alignment : AlignLeft;
            if (c && c->opaque && (c->backColor & 0xFFFFFF) != 0xFFFFFF) {
                const uint32_t v = c->backColor;
                p.fillRect(it.rect, QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
            }
            if (it.kind == ControlKind::CheckBox) {
                useFont(fonts.glyph(c));
                const QFontMetricsF& fm = fonts.glyphMetrics(c);
                const QString glyph = CheckGlyph(it.checked);
                const double w = fm.horizontalAdvance(glyph);
                const double x = align == AlignCenter ? it.rect.left() + (it.rect.width() - w) / 2
                                 : align == AlignRight ? it.rect.right() - w : it.rect.left();
                p.drawText(QPointF(x, it.rect.top() + fm.ascent()), glyph);
            } else if (!it.lines.isEmpty()) {
                const FontCache::Face face = fonts.face(c, it.text);
                useFont(*face.font);
                double y = it.rect.top();
                for (const QString& line : it.lines) {
                    // Blanks where a line wraps stand neither underlined nor in the centring.
                    qsizetype n = line.size();
                    while (n > 0 && line[n - 1] == QLatin1Char(' ')) --n;
                    drawLine(p, *face.metrics, QRectF(it.rect.left(), y, it.rect.width(), it.lineHeight), align,
                             n == line.size() ? line : line.left(n));
                    y += it.lineHeight;
                }
            } else if (!it.text.isEmpty()) {
                const FontCache::Face face = fonts.face(c, it.text);
                useFont(*face.font);
                // Text the layout measured to fit on one line is drawn without measuring it again.
                if ((it.fits && align == AlignLeft) ||
                    (oneLine(it.text) && face.metrics->horizontalAdvance(it.text) <= it.rect.width())) {
                    drawLine(p, *face.metrics, it.rect, align, it.text);
                } else {
                    const int flags = horizontal(align) | Qt::AlignTop | Qt::TextDontClip |
                                      (it.wrap ? WrapFlags(*face.metrics, it.rect.width(), it.text) : 0);
                    p.drawText(it.rect, flags, it.text);
                }
            }
            if (c && (c->borderTop || c->borderBottom)) {
                p.save();
                drawBorder(p, it.rect.left(), it.rect.right(), it.rect.top(), c->borderTop, true);
                drawBorder(p, it.rect.left(), it.rect.right(), it.rect.bottom(), c->borderBottom, false);
                p.restore();
            }
        }
    }
}

void ReportPage(const PageProgress& onPage, int done, int pages) {
    if (onPage && (done % 50 == 0 || done == pages)) onPage(done, pages);
}

void WritePdf(const Document& doc, const QString& path, const PageProgress& onPage) {
    vb::ReplacingFile file(path);
    {
        QPdfWriter writer(&file);
        writer.setResolution(1440);   // one device unit is one twip
        writer.setTitle(doc.title);
        writer.setCreator(QStringLiteral("Ravelstow"));
        const QSizeF points = doc.paper / 20.0;
        writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer)) vb::raise(vb::err::PathFileAccess, QStringLiteral("Cannot write %1.").arg(path));
        FontCache fonts;
        const int count = int(doc.pages.size());
        for (int i = 0; i < count; ++i) {
            ReportPage(onPage, i, count);
            if (i > 0) writer.newPage();
            PaintPage(painter, doc, i, fonts);
        }
        painter.end();
        ReportPage(onPage, count, count);
    }
    file.commit();
}

}  // namespace report
