#include "platform/report/ReportTable.h"

#include "platform/core/VbError.h"
#include "platform/fs/FileSystem.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportPainter.h"

#include <QFontMetricsF>
#include <algorithm>

namespace report {

QString PrintedText(const Item& item) { return item.kind == ControlKind::CheckBox ? CheckGlyph(item.checked) : item.text; }

namespace {

bool lineBreakAt(const QString& text, int i) {
    const QChar ch = text[i];
    return ch == QLatin1Char('\n') || ch == QLatin1Char('\r') || ch == QChar::LineSeparator;
}

}  // namespace

std::vector<int> WrapBreaks(const Item& item) {
    if (item.kind == ControlKind::CheckBox || item.lines.isEmpty()) return {};
    // The lines stand one after another in the text; a line that a line break of the text ends
    // was not wrapped.
    std::vector<int> breaks;
    const QString& text = item.text;
    int at = 0;
    for (int l = 0; l + 1 < item.lines.size(); ++l) {
        at += int(item.lines[l].size());
        if (at >= int(text.size())) break;
        if (lineBreakAt(text, at)) at += text.mid(at, 2) == QLatin1String("\r\n") ? 2 : 1;
        else breaks.push_back(at);
    }
    return breaks;
}

PageTable TableOf(const Page& page) {
    PageTable t;
    // The columns: the lefts of the page header's items, else of the first detail band's.
    for (const Band& b : page.bands) {
        if (b.section != SectionKind::PageHeader) continue;
        for (const Item& it : b.items) t.columnLeft.push_back(it.rect.left());
    }
    if (t.columnLeft.empty())
        for (const Band& b : page.bands)
            if (b.section == SectionKind::Detail) {
                for (const Item& it : b.items) t.columnLeft.push_back(it.rect.left());
                break;
            }
    std::sort(t.columnLeft.begin(), t.columnLeft.end());
    t.columnLeft.erase(std::unique(t.columnLeft.begin(), t.columnLeft.end(),
                                   [](double a, double b) { return std::abs(a - b) < 1; }),
                       t.columnLeft.end());
    if (t.columnLeft.empty()) t.columnLeft.push_back(0);
    auto columnOf = [&](double left) {
        int c = 0;
        for (int i = 0; i < int(t.columnLeft.size()); ++i)
            if (left + 1 >= t.columnLeft[size_t(i)]) c = i;
        return c;
    };
    t.columnRight.assign(t.columnLeft.size(), 0);
    for (size_t i = 0; i + 1 < t.columnLeft.size(); ++i) t.columnRight[i] = t.columnLeft[i + 1];
    double lastRight = t.columnLeft.back() + 1440;

    for (const Band& b : page.bands) {
        switch (b.section) {
        case SectionKind::ReportHeader:
            for (const Item& it : b.items) t.titles.push_back(&it);
            std::sort(t.titles.begin(), t.titles.end(), [](const Item* a, const Item* c) { return a->rect.top() < c->rect.top(); });
            break;
        case SectionKind::PageFooter:
            for (const Item& it : b.items) t.footer.push_back(&it);
            std::sort(t.footer.begin(), t.footer.end(), [](const Item* a, const Item* c) { return a->rect.left() < c->rect.left(); });
            break;
        default: {
            if (b.items.empty()) break;
            PageTable::Row row;
            row.section = b.section;
            row.height = b.height;
            row.cells.resize(t.columnLeft.size());
            for (const Item& it : b.items) {
                const int c = columnOf(it.rect.left());
                row.cells[size_t(c)].push_back(&it);
                if (c == int(t.columnLeft.size()) - 1) lastRight = std::max(lastRight, it.rect.right());
            }
            t.rows.push_back(std::move(row));
        }
        }
    }
    t.columnRight.back() = lastRight;
    return t;
}

void SaveText(const QString& path, const QByteArray& bytes) { vb::WriteFileReplacing(path, bytes); }

}  // namespace report
