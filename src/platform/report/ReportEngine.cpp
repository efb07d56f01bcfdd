#include "platform/report/ReportEngine.h"

#include "platform/report/ReportHeights.h"

#include "platform/core/VbError.h"
#include "platform/db/YesNo.h"
#include "platform/format/VbFormat.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <array>
#include <cmath>
#include <deque>
#include <optional>
#include <unordered_map>

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

std::vector<Span> WrapLines(const QString& text, const QFont& font, double width, QTextOption::WrapMode mode) {
    QString laid = text;
    laid.replace(QLatin1String("\r\n"), QStringLiteral(" \u2028"));   // same length: spans stay valid
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator).replace(QLatin1Char('\r'), QChar::LineSeparator);
    QTextLayout layout(laid, font);
    QTextOption option;
    option.setWrapMode(mode);
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

namespace {

bool truthy(const QVariant& v) { return db::readYesNo(v).value_or(false); }

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
    qint64 row = -1;   // in the first pass, a detail band of that row measured for its height alone
};

// Where a page starts: the next row to read, whether the report footer was made, and whether
// the page can be laid out again from there (not when it continues a band split across pages).
struct PageStart {
    qint64 row = 0;
    bool footerMade = false;
    bool restartable = true;
};

// Lays the report out page by page. A first pass over the rows keeps only where each page
// starts; the outputs then ask for pages, which are laid out again from the start of the page
// asked (or the nearest one before it that a page can be laid out from) and held in a small
// window, so a page costs the same wherever it lies. The rows stay open from the first pass on:
// the source holds their keys, not an open statement, and moves to a page's first row without
// reading the rows before it. A page's texts are measured again when it is laid out, so nothing
// is kept per row.
class Pager final : public PageSource {
public:
    static constexpr int kWindow = 3;                // pages held at most

    Pager(std::shared_ptr<ReportDefinition> def, const QDateTime& now, RowsFactory rows)
        : def_(std::move(def)), now_(now), factory_(std::move(rows)) {}

    void start(Document& doc) {
        if (def_->onReportStart) def_->onReportStart(*def_);
        const PageSetup& ps = def_->page;
        doc.title = def_->title;
        doc.printedAt = now_;
        doc.definition = def_;
        doc.paper = ps.PaperTwips();
        doc.orientation = ps.orientation;
        doc.leftMargin = ps.leftMargin;
        doc.rightMargin = ps.rightMargin;
        doc.topMargin = ps.topMargin;
        doc.bottomMargin = ps.bottomMargin;
        left_ = ps.leftMargin;
        top_ = ps.topMargin;
        const Section& footer = def_->section(SectionKind::PageFooter);
        footerTop_ = doc.paper.height() - ps.bottomMargin - (footer.visible ? footer.height : 0);
    }

    // The first pass: every row's height is measured once; only the page starts are kept.
    void count(const Progress& progress) {
        rows_ = factory_();
        const Section& detail = def_->section(SectionKind::Detail);
        bind(detail, rows_->Columns());
        for (const Control& c : detail.controls) measures_.emplace_back(c);
        counting_ = true;
        progress_ = progress;
        threaded_ = ThreadedHeights::Open(*rows_, detail, columnOf_, now_);
        if (!threaded_) rowHeights_ = std::make_unique<RowHeights>(detail, columnOf_, now_);
        resetStream(0);
        Page scratch;
        try {
            while (produce(scratch)) {}
        } catch (...) {
            threaded_.reset();   // its threads read the rows' keys: stopped before the rows go
            throw;
        }
        threaded_.reset();
        rowHeights_.reset();
        count_ = int(starts_.size());
        counting_ = false;
        progress_ = {};
        streamNext_ = -1;
    }

    int Count() const override { return count_; }
    int Held() const override { return int(window_.size()); }
    int MostHeld() const override { return mostHeld_; }

    const Page& At(int index) override {
        for (const auto& [i, page] : window_)
            if (i == index) return page;
        if (index < 0 || index >= count_) vb::raise(vb::err::SubscriptRange, QStringLiteral("The report has no page %1.").arg(index + 1));
        // From the stream when it is already on its way to the page, else from a saved start.
        int from = index;
        while (from > 0 && !starts_[size_t(from)].restartable) --from;
        if (streamNext_ < 0 || streamNext_ > index || streamNext_ < from) restart(from);
        while (true) {
            Page page;
            const int number = streamNext_;
            // Rows gone since the first pass end the report early: its last pages hold no rows.
            if (!produce(page)) streamNext_ = std::max(streamNext_, number + 1);
            if (number < index) continue;
            window_.emplace_back(number, std::move(page));
            if (int(window_.size()) > kWindow) window_.pop_front();
            mostHeld_ = std::max(mostHeld_, int(window_.size()));
            return window_.back().second;
        }
    }

private:
    std::shared_ptr<ReportDefinition> def_;
    QDateTime now_;
    RowsFactory factory_;
    std::vector<int> columnOf_;   // detail control -> column of the rows (-1: none)
    std::vector<Measure> measures_;
    std::unordered_map<const Control*, Measure> labelMeasures_;   // the report header's labels
    std::unique_ptr<RowHeights> rowHeights_;   // the first pass's measures
    std::unique_ptr<ThreadedHeights> threaded_;   // ...or its threads, for many rows
    double left_ = 0, top_ = 0, footerTop_ = 0;
    bool counting_ = false;
    Progress progress_;
    std::vector<PageStart> starts_;
    int count_ = 0;
    std::deque<std::pair<int, Page>> window_;
    int mostHeld_ = 0;

    // The stream of pages being laid out.
    std::unique_ptr<RowSource> rows_;
    int streamNext_ = -1;   // the page produce() makes next; -1: no stream
    qint64 rowsRead_ = 0;
    std::optional<PendingBand> carry_;   // a band that goes to the next page
    // What goes on to the next page: a row, the rest of a split row, the report footer, the rest of
    // the report header.
    enum class Carry { None, Row, Rest, Footer, Header } carryKind_ = Carry::None;
    bool footerMade_ = false, finished_ = false;
    Page* page_ = nullptr;
    double y_ = 0;
    bool pageHasDetail_ = false;

    void resetStream(int page) {
        streamNext_ = page;
        carry_.reset();
        carryKind_ = Carry::None;
        finished_ = false;
    }

    void restart(int page) {
        const PageStart& st = starts_[size_t(page)];
        if (!rows_) rows_ = factory_();
        resetStream(page);
        rows_->Seek(st.row);
        rowsRead_ = st.row;
        footerMade_ = st.footerMade;
    }

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

    // Lays out the next page into page; false when the report had ended before it.
    bool produce(Page& page) {
        if (finished_) return false;
        const int number = streamNext_++;
        if (counting_) {
            PageStart st;
            st.row = carryKind_ == Carry::Row ? rowsRead_ - 1 : rowsRead_;
            st.footerMade = footerMade_ && carryKind_ != Carry::Footer;
            st.restartable = carryKind_ != Carry::Rest && carryKind_ != Carry::Header;
            starts_.push_back(st);
        }
        page_ = &page;
        page.bands.clear();
        y_ = top_;
        pageHasDetail_ = false;
        const Section& detail = def_->section(SectionKind::Detail);
        // The report header opens the first page; one taller than a page goes on over the next
        // ones, and the page header and the rows follow where it ends.
        const Section& rh = def_->section(SectionKind::ReportHeader);
        std::optional<PendingBand> head;
        if (number == 0 && rh.visible) head = makeBand(rh, nullptr);
        if (carry_ && carryKind_ == Carry::Header) {
            head = std::move(*carry_);
            carry_.reset();
            carryKind_ = Carry::None;
        }
        bool rowsHere = true;
        if (head) {
            PendingBand rest;
            if (y_ + head->height > footerTop_ && split(*head, footerTop_ - y_, rest)) {
                carry_ = std::move(rest);
                carryKind_ = Carry::Header;
                rowsHere = false;
            }
            placeHere(std::move(*head));
            pageHasDetail_ = true;
            // Captions with no room for a row under them wait for the next page.
            const Section& ph = def_->section(SectionKind::PageHeader);
            if (y_ + (ph.visible ? ph.height : 0) + detail.height > footerTop_) rowsHere = false;
        }
        const Section& ph = def_->section(SectionKind::PageHeader);
        if (rowsHere && ph.visible) placeHere(makeBand(ph, nullptr));

        while (rowsHere) {
            PendingBand band;
            Carry kind = Carry::Row;
            if (carry_) {
                band = std::move(*carry_);
                kind = carryKind_;
                carry_.reset();
                carryKind_ = Carry::None;
            } else if (nextDetail(band)) {
                if (counting_ && progress_ && rowsRead_ % 500 == 0) progress_(rowsRead_, rows_->Count());
            } else if (!footerMade_) {
                footerMade_ = true;
                const Section& rf = def_->section(SectionKind::ReportFooter);
                if (!rf.visible || rf.controls.empty()) continue;
                band = makeBand(rf, nullptr);
                kind = Carry::Footer;
            } else {
                finished_ = true;
                break;
            }
            if (y_ + band.height > footerTop_ && pageHasDetail_) {
                carry_ = std::move(band);
                carryKind_ = kind;
                break;
            }
            // A band taller than what is left of a fresh page is split between lines.
            if (y_ + band.height > footerTop_) {
                if (band.row >= 0) band = measuredBand(band.row);
                PendingBand rest;
                if (split(band, footerTop_ - y_, rest)) {
                    placeHere(std::move(band));
                    carry_ = std::move(rest);
                    carryKind_ = Carry::Rest;
                    break;
                }
            }
            placeHere(std::move(band));   // (one that cannot be split runs over)
            pageHasDetail_ = true;
        }
        if (!counting_) {
            const Section& footer = def_->section(SectionKind::PageFooter);
            if (footer.visible) {
                PendingBand band = makeBand(footer, nullptr, number + 1, count_);
                page.bands.push_back(place(std::move(band), footerTop_));
            }
        }
        return true;
    }

    // The next row's detail band; false after the last row. The first pass measures only its
    // height.
    bool nextDetail(PendingBand& band) {
        const Section& detail = def_->section(SectionKind::Detail);
        if (counting_) {
            double height = 0;
            if (threaded_) {
                if (!threaded_->Next(height)) return false;
            } else {
                QVariantList row;
                if (!rows_->Next(row)) return false;
                height = rowHeights_->Of(row);
            }
            band = PendingBand();
            band.section = &detail;
            band.height = height;
            band.row = rowsRead_;
        } else {
            QVariantList row;
            if (!rows_->Next(row)) return false;
            band = makeBand(detail, &row);
        }
        ++rowsRead_;
        return true;
    }

    // The first pass's band of a row with its growing fields' lines, read again to be split.
    PendingBand measuredBand(qint64 row) {
        rows_->Seek(row);
        QVariantList values;
        rows_->Next(values);
        return makeBand(def_->section(SectionKind::Detail), &values);
    }

    // The band of a section, for a detail band with the row's values. Its growing fields are
    // measured into the lines they wrap into (in the first pass, only they are made).
    PendingBand makeBand(const Section& s, const QVariantList* row, int pageNo = 0, int pageCount = 0) {
        PendingBand band;
        band.section = &s;
        double grow = 0;
        band.items.reserve(s.controls.size());
        const bool detail = row != nullptr;
        const bool header = s.kind == SectionKind::ReportHeader;
        for (size_t ci = 0; ci < s.controls.size(); ++ci) {
            const Control& c = s.controls[ci];
            // The first pass needs only what makes a band taller or splits it: the growing fields,
            // the report header's lines.
            if (counting_ && !header && !(detail && c.kind == ControlKind::Field && c.canGrow)) continue;
            PendingItem p;
            Item& it = p.item;
            it.kind = c.kind;
            it.control = &c;
            it.rect = QRectF(c.left, c.top, c.width, c.height);
            it.wrap = c.multiLine || c.canGrow;
            switch (c.kind) {
            case ControlKind::Label:
                it.text = c.caption;
                // The report header's wrapping labels are laid out in lines, so that a header
                // taller than a page can go on over the next.
                if (header && c.multiLine && !it.text.isEmpty()) wrapInto(p, labelMeasure(c), c.width, grow);
                break;
            case ControlKind::PageNumber: it.text = QString::number(pageNo); break;
            case ControlKind::PageCount: it.text = QString::number(pageCount); break;
            case ControlKind::CheckBox:
            case ControlKind::Field: {
                const QVariant value = DetailValue(c, row, ci < columnOf_.size() ? columnOf_[ci] : -1, now_);
                if (c.kind == ControlKind::CheckBox) {
                    it.checked = truthy(value);
                    it.text = c.caption;
                    break;
                }
                it.text = ValueText(value, c.outputFormat);
                if (!detail || !c.canGrow || ci >= measures_.size() || it.text.isEmpty()) break;
                wrapInto(p, measures_[ci], c.width, grow, WrapModeOf(value));
                break;
            }
            }
            band.items.push_back(std::move(p));
        }
        band.height = s.height + grow;
        return band;
    }

    // Wraps the item's text into lines within the width; the item grows to hold them, and grow
    // keeps the most any item of the band grew by.
    static void wrapInto(PendingItem& p, const Measure& m, double width, double& grow,
                         QTextOption::WrapMode mode = QTextOption::WrapAtWordBoundaryOrAnywhere) {
        Item& it = p.item;
        it.lineHeight = m.lineHeight;
        bool fits = false;
        p.spans = m.wrap(it.text, width, fits, mode);
        it.fits = fits;
        if (p.spans.size() > 1) {
            p.full = it.text;
            const double designHeight = it.rect.height();
            const double h = std::max(designHeight, double(p.spans.size()) * m.lineHeight);
            grow = std::max(grow, h - designHeight);
            it.rect.setHeight(h);
        } else {
            p.spans.clear();
        }
    }

    const Measure& labelMeasure(const Control& c) {
        auto it = labelMeasures_.find(&c);
        if (it == labelMeasures_.end()) it = labelMeasures_.emplace(&c, Measure(c)).first;
        return it->second;
    }

    Band place(PendingBand&& pending, double top) {
        Band b;
        b.section = pending.section->kind;
        b.top = top;
        b.height = pending.height;
        if (counting_) return b;   // the first pass keeps no items
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
            p.item.rect.translate(left_, top);
            b.items.push_back(std::move(p.item));
        }
        return b;
    }

    void placeHere(PendingBand&& band) {
        const double h = band.height;
        Band b = place(std::move(band), y_);
        if (!counting_) page_->bands.push_back(std::move(b));
        y_ += h;
    }

    // Cuts the band at the available height: an item that runs past it keeps the lines that fit
    // (at least one) and the rest of its lines, and every item below them, go into `rest`, moved
    // up by as much as the first part holds. False when nothing could be moved.
    bool split(PendingBand& band, double available, PendingBand& rest) {
        // Where the rest starts: the first line that does not fit, or an item past the cut.
        double cut = available;
        for (const PendingItem& p : band.items) {
            const QRectF& r = p.item.rect;
            if (r.bottom() <= available) continue;
            if (p.spans.size() < 2 || r.top() >= available) {
                cut = std::min(cut, std::max(0.0, r.top()));
                continue;
            }
            const double lh = p.item.lineHeight;
            const int fit = std::max(1, lh > 0 ? int(std::floor((available - r.top()) / lh)) : int(p.spans.size()));
            if (fit < int(p.spans.size())) cut = std::min(cut, r.top() + fit * lh);
        }
        if (cut <= 0) return false;
        rest.section = band.section;
        bool moved = false;
        double restBottom = 0;
        std::vector<PendingItem> kept;
        for (PendingItem& p : band.items) {
            QRectF& r = p.item.rect;
            if (r.bottom() <= cut + 0.5) {
                kept.push_back(std::move(p));
                continue;
            }
            moved = true;
            if (r.top() >= cut - 0.5 || p.spans.size() < 2) {
                if (r.top() < cut - 0.5) {   // cannot be cut: it stays, running over
                    kept.push_back(std::move(p));
                    continue;
                }
                r.translate(0, -cut);
                restBottom = std::max(restBottom, r.bottom());
                rest.items.push_back(std::move(p));
                continue;
            }
            const double lh = p.item.lineHeight;
            const int fit = std::max(1, int(std::floor((cut - r.top()) / lh + 0.001)));
            if (fit >= int(p.spans.size())) {
                kept.push_back(std::move(p));
                continue;
            }
            PendingItem tail;
            tail.item = p.item;
            tail.full = p.full;
            tail.spans.assign(p.spans.begin() + fit, p.spans.end());
            tail.item.rect = QRectF(r.left(), std::max(0.0, r.top() + fit * lh - cut), r.width(), double(tail.spans.size()) * lh);
            restBottom = std::max(restBottom, tail.item.rect.bottom());
            p.spans.resize(size_t(fit));
            r.setHeight(double(fit) * lh);
            rest.items.push_back(std::move(tail));
            kept.push_back(std::move(p));
        }
        band.items = std::move(kept);
        if (!moved || rest.items.empty()) return false;
        band.height = available;
        double designBottom = 0;
        for (const Control& c : band.section->controls) designBottom = std::max(designBottom, c.top + c.height);
        rest.height = std::max(restBottom + std::max(0.0, band.section->height - designBottom), 1.0);
        return true;
    }
};

}  // namespace

Document Run(std::shared_ptr<ReportDefinition> definition, RowsFactory rows, const QDateTime& now,
             const Progress& progress) {
    Document doc;
    auto pager = std::make_shared<Pager>(std::move(definition), now, std::move(rows));
    pager->start(doc);
    pager->count(progress);
    doc.pages = PageList(pager);
    return doc;
}

Document Run(std::shared_ptr<ReportDefinition> definition, const QDateTime& now, const Progress& progress) {
    // The page set-up is made when the report starts, before its rows are read.
    const QString path = definition->databasePath, sql = definition->sql;
    return Run(std::move(definition), [path, sql] { return OpenSqlRows(path, sql); }, now, progress);
}

}  // namespace report
