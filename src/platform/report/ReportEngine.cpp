#include "platform/report/ReportEngine.h"

#include "platform/core/VbError.h"
#include "platform/format/VbFormat.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <cmath>

namespace report {

QFont QtFont(const FontSpec& spec) {
    QFont f(spec.family.isEmpty() ? QStringLiteral("Arial") : spec.family);
    f.setPixelSize(std::max(1, int(std::lround(spec.size * 20))));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    return f;
}

QString ValueText(const QVariant& value, const QString& outputFormat) {
    if (!value.isValid() || value.isNull()) return {};
    if (!outputFormat.isEmpty()) return vb::Format(value, outputFormat);
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString();
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    default: return vb::Format(value);
    }
}

namespace {

bool truthy(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || (t.toDouble() != 0);
    }
    return v.toDouble() != 0 || v.toBool();
}

struct Span {
    int start = 0, length = 0;
};

// How a control's text is measured: its font's metrics, made once per control.
struct Measure {
    QFont font;
    QFontMetricsF metrics{QFont()};
    double lineHeight = 0;
    explicit Measure(const Control& c) : font(QtFont(c.font)), metrics(font), lineHeight(metrics.lineSpacing()) {}

    // The lines the text wraps into within the width (line breaks in the text kept).
    std::vector<Span> wrap(const QString& text, double width) const {
        if (text.isEmpty()) return {};
        const bool breaks = text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
        if (!breaks && metrics.horizontalAdvance(text) <= width) return {Span{0, int(text.size())}};
        QString laid = text;
        laid.replace(QLatin1String("\r\n"), QStringLiteral(" \u2028"));   // same length: spans stay valid
        laid.replace(QLatin1Char('\n'), QChar::LineSeparator).replace(QLatin1Char('\r'), QChar::LineSeparator);
        QTextLayout layout(laid, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        std::vector<Span> spans;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            spans.push_back(Span{line.textStart(), line.textLength()});
        }
        layout.endLayout();
        return spans;
    }
};

QString lineText(const QString& text, const Span& s) {
    QString t = text.mid(s.start, s.length);
    while (!t.isEmpty() && (t.back() == QLatin1Char('\n') || t.back() == QLatin1Char('\r') || t.back() == QChar::LineSeparator))
        t.chop(1);
    return t;
}

// The items of one band with their wrapped lines, before the band is placed on a page.
struct PendingItem {
    Item item;
    QString full;               // the whole text of a growing field
    std::vector<Span> spans;    // its lines
};

struct PendingBand {
    const Section* section = nullptr;
    std::vector<PendingItem> items;
    double height = 0;
};

class Layout {
public:
    Layout(std::shared_ptr<ReportDefinition> def, const QDateTime& now) : def_(std::move(def)), now_(now) {
        doc_.title = def_->title;
        doc_.printedAt = now;
        doc_.definition = def_;
    }

    Document run(RowSource& rows, const Progress& progress) {
        if (def_->onReportStart) def_->onReportStart(*def_);
        const PageSetup& ps = def_->page;
        doc_.paper = ps.PaperTwips();
        doc_.orientation = ps.orientation;
        doc_.leftMargin = ps.leftMargin;
        doc_.rightMargin = ps.rightMargin;
        doc_.topMargin = ps.topMargin;
        doc_.bottomMargin = ps.bottomMargin;
        const Section& footer = def_->section(SectionKind::PageFooter);
        footerTop_ = doc_.paper.height() - ps.bottomMargin - (footer.visible ? footer.height : 0);

        const Section& detail = def_->section(SectionKind::Detail);
        bind(detail, rows.Columns());
        for (const Control& c : detail.controls) measures_.emplace_back(c);

        newPage();
        QVariantList row;
        qint64 done = 0;
        while (rows.Next(row)) {
            PendingBand band = makeBand(detail, &row, &measures_);
            placeDetail(std::move(band));
            if (progress && ++done % 500 == 0) progress(done);
        }
        const Section& rf = def_->section(SectionKind::ReportFooter);
        if (rf.visible && !rf.controls.empty()) placeDetail(makeBand(rf, nullptr, nullptr));

        // Page footers, now that the page count is known.
        const int count = int(doc_.pages.size());
        for (int i = 0; i < count && footer.visible; ++i) {
            PendingBand band = makeBand(footer, nullptr, nullptr, i + 1, count);
            doc_.pages[size_t(i)].bands.push_back(place(std::move(band), footerTop_));
        }
        return std::move(doc_);
    }

private:
    std::shared_ptr<ReportDefinition> def_;
    QDateTime now_;
    Document doc_;
    std::vector<int> columnOf_;   // detail control -> column of the rows (-1: none)
    std::vector<Measure> measures_;
    double y_ = 0, footerTop_ = 0, bodyTop_ = 0;
    bool pageHasDetail_ = false;

    void bind(const Section& detail, const QStringList& columns) {
        for (const Control& c : detail.controls) {
            int col = -1;
            if ((c.kind == ControlKind::Field || c.kind == ControlKind::CheckBox) && !c.dataField.startsWith('=')) {
                for (int i = 0; i < columns.size(); ++i)
                    if (columns[i].compare(c.dataField, Qt::CaseInsensitive) == 0) { col = i; break; }
                if (col < 0)
                    vb::raise(vb::err::ItemNotFound,
                              QStringLiteral("The report's data has no column named %1.").arg(c.dataField));
            }
            columnOf_.push_back(col);
        }
    }

    PendingBand makeBand(const Section& s, const QVariantList* row, const std::vector<Measure>* measures, int pageNo = 0,
                         int pageCount = 0) {
        PendingBand band;
        band.section = &s;
        double grow = 0;
        band.items.reserve(s.controls.size());
        for (size_t ci = 0; ci < s.controls.size(); ++ci) {
            const Control& c = s.controls[ci];
            PendingItem p;
            Item& it = p.item;
            it.kind = c.kind;
            it.control = &c;
            it.rect = QRectF(c.left, c.top, c.width, c.height);
            it.wrap = c.multiLine || c.canGrow;
            switch (c.kind) {
            case ControlKind::Label: it.text = c.caption; break;
            case ControlKind::PageNumber: it.text = QString::number(pageNo); break;
            case ControlKind::PageCount: it.text = QString::number(pageCount); break;
            case ControlKind::CheckBox:
            case ControlKind::Field: {
                QVariant value;
                if (c.dataField.compare(QLatin1String("=Now"), Qt::CaseInsensitive) == 0) value = now_;
                else if (row && ci < columnOf_.size() && columnOf_[ci] >= 0) value = row->value(columnOf_[ci]);
                if (c.kind == ControlKind::CheckBox) {
                    it.checked = truthy(value);
                    it.text = c.caption;
                    break;
                }
                it.text = ValueText(value, c.outputFormat);
                if (c.canGrow && measures && ci < measures->size() && !it.text.isEmpty()) {
                    const Measure& m = (*measures)[ci];
                    p.spans = m.wrap(it.text, c.width);
                    it.lineHeight = m.lineHeight;
                    if (p.spans.size() > 1) {
                        p.full = it.text;
                        const double h = std::max(c.height, double(p.spans.size()) * m.lineHeight);
                        grow = std::max(grow, h - c.height);
                        it.rect.setHeight(h);
                    } else {
                        p.spans.clear();
                    }
                }
                break;
            }
            }
            band.items.push_back(std::move(p));
        }
        band.height = s.height + grow;
        return band;
    }

    Band place(PendingBand&& pending, double top) {
        Band b;
        b.section = pending.section->kind;
        b.top = top;
        b.height = pending.height;
        b.items.reserve(pending.items.size());
        for (PendingItem& p : pending.items) {
            if (p.spans.size() == 1) {
                p.item.text = lineText(p.full, p.spans.front());
            } else if (p.spans.size() > 1) {
                for (const Span& sp : p.spans) p.item.lines << lineText(p.full, sp);
                const Span& first = p.spans.front();
                const Span& last = p.spans.back();
                p.item.text = p.full.mid(first.start, last.start + last.length - first.start);
            }
            p.item.rect.translate(doc_.leftMargin, top);
            b.items.push_back(std::move(p.item));
        }
        return b;
    }

    void newPage() {
        doc_.pages.emplace_back();
        y_ = doc_.topMargin;
        pageHasDetail_ = false;
        const Section& rh = def_->section(SectionKind::ReportHeader);
        if (doc_.pages.size() == 1 && rh.visible) placeHere(makeBand(rh, nullptr, nullptr));
        const Section& ph = def_->section(SectionKind::PageHeader);
        if (ph.visible) placeHere(makeBand(ph, nullptr, nullptr));
        bodyTop_ = y_;
    }

    void placeHere(PendingBand&& band) {
        const double h = band.height;
        doc_.pages.back().bands.push_back(place(std::move(band), y_));
        y_ += h;
    }

    void placeDetail(PendingBand band) {
        if (y_ + band.height > footerTop_ && pageHasDetail_) newPage();
        // A band taller than what is left of a fresh page is split between lines.
        while (y_ + band.height > footerTop_) {
            PendingBand rest;
            if (!split(band, footerTop_ - y_, rest)) break;   // nothing can be split: let it run over
            placeHere(std::move(band));
            newPage();
            band = std::move(rest);
        }
        placeHere(std::move(band));
        pageHasDetail_ = true;
    }

    // Cuts the band at the available height: the growing items keep the lines that fit, the
    // rest goes into `rest`. False when no line could be moved.
    bool split(PendingBand& band, double available, PendingBand& rest) {
        rest.section = band.section;
        bool moved = false;
        double restBottom = 0;
        for (PendingItem& p : band.items) {
            if (p.spans.size() < 2) continue;
            const double lh = p.item.lineHeight;
            int fit = lh > 0 ? int(std::floor((available - p.item.rect.top()) / lh)) : int(p.spans.size());
            fit = std::max(fit, 1);
            if (fit >= int(p.spans.size())) continue;
            PendingItem tail;
            tail.item = p.item;
            tail.full = p.full;
            tail.spans.assign(p.spans.begin() + fit, p.spans.end());
            tail.item.rect.setHeight(double(tail.spans.size()) * lh);
            restBottom = std::max(restBottom, tail.item.rect.bottom());
            p.spans.resize(size_t(fit));
            p.item.rect.setHeight(double(fit) * lh);
            rest.items.push_back(std::move(tail));
            moved = true;
        }
        if (!moved) return false;
        band.height = available;
        double designBottom = 0;
        for (const Control& c : band.section->controls) designBottom = std::max(designBottom, c.top + c.height);
        rest.height = std::max(restBottom + std::max(0.0, band.section->height - designBottom), 1.0);
        return true;
    }
};

}  // namespace

Document Run(std::shared_ptr<ReportDefinition> definition, RowSource& rows, const QDateTime& now,
             const Progress& progress) {
    return Layout(std::move(definition), now).run(rows, progress);
}

Document Run(std::shared_ptr<ReportDefinition> definition, const QDateTime& now, const Progress& progress) {
    // The page set-up is made when the report starts, before its rows are read.
    auto rows = OpenSqlRows(definition->databasePath, definition->sql);
    return Run(std::move(definition), *rows, now, progress);
}

}  // namespace report
