#include "platform/report/ReportPainter.h"

#include "platform/core/VbError.h"
#include "platform/report/ReportEngine.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <unordered_map>

namespace report {

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

// Fonts are made once per control and page painting.
class FontCache {
public:
    const QFont& of(const Control* c) {
        auto it = fonts_.find(c);
        if (it == fonts_.end()) it = fonts_.emplace(c, QtFont(c ? c->font : FontSpec())).first;
        return it->second;
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
    std::unordered_map<const Control*, QFont> fonts_, glyphs_;
};

}  // namespace

void PaintPage(QPainter& p, const Document& doc, int pageIndex) {
    if (pageIndex < 0 || pageIndex >= int(doc.pages.size())) return;
    FontCache fonts;
    const QPen textPen(Qt::black);
    for (const Band& band : doc.pages[size_t(pageIndex)].bands) {
        for (const Item& it : band.items) {
            const Control* c = it.control;
            const int align = c ? c->alignment : AlignLeft;
            if (c && c->opaque && (c->backColor & 0xFFFFFF) != 0xFFFFFF) {
                const uint32_t v = c->backColor;
                p.fillRect(it.rect, QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
            }
            if (it.kind == ControlKind::CheckBox) {
                p.setFont(fonts.glyph(c));
                p.setPen(textPen);
                p.drawText(it.rect, horizontal(align) | Qt::AlignTop | Qt::TextDontClip, CheckGlyph(it.checked));
            } else if (!it.lines.isEmpty()) {
                p.setFont(fonts.of(c));
                p.setPen(textPen);
                double y = it.rect.top();
                for (const QString& line : it.lines) {
                    p.drawText(QRectF(it.rect.left(), y, it.rect.width(), it.lineHeight),
                               horizontal(align) | Qt::AlignTop | Qt::TextDontClip, line);
                    y += it.lineHeight;
                }
            } else if (!it.text.isEmpty()) {
                p.setFont(fonts.of(c));
                p.setPen(textPen);
                const int flags = horizontal(align) | Qt::AlignTop | Qt::TextDontClip |
                                  (it.wrap ? int(Qt::TextWordWrap | Qt::TextWrapAnywhere) : 0);
                p.drawText(it.rect, flags, it.text);
            }
            if (c && (c->borderTop || c->borderBottom)) {
                drawBorder(p, it.rect.left(), it.rect.right(), it.rect.top(), c->borderTop, true);
                drawBorder(p, it.rect.left(), it.rect.right(), it.rect.bottom(), c->borderBottom, false);
            }
        }
    }
}

void WritePdf(const Document& doc, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        vb::raise(vb::err::PathFileAccess, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(1440);   // one device unit is one twip
        writer.setTitle(doc.title);
        writer.setCreator(QStringLiteral("Ravelstow"));
        const QSizeF points = doc.paper / 20.0;
        writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            vb::raise(vb::err::PathFileAccess, QStringLiteral("Cannot write %1.").arg(path));
        }
        for (int i = 0; i < int(doc.pages.size()); ++i) {
            if (i > 0) writer.newPage();
            PaintPage(painter, doc, i);
        }
        painter.end();
    }
    if (!file.commit())
        vb::raise(vb::err::PathFileAccess, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

}  // namespace report
