#pragma once
// The first pass of a report's layout: how tall each row's detail band is. A growing field's
// text is measured into the lines it wraps into within its width; the band grows with the
// tallest.
#include "platform/report/ReportData.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportModel.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <array>
#include <optional>
#include <vector>

namespace report {

// How a control's text is measured: its font's metrics, made once per control.
struct Measure {
    QFont font;
    QFontMetricsF metrics{QFont()};
    double lineHeight = 0;
    mutable std::array<double, 256> advance_;   // Latin-1 advances, -1 until measured
    explicit Measure(const Control& c) : font(QtFont(c.font)), metrics(font), lineHeight(metrics.lineSpacing()) { advance_.fill(-1); }

    enum class Fit { Yes, No, Unsure };
    // Whether Latin-1 text fits the width, from the sum of its characters' advances: surely when
    // the sum is within 95% of the width, surely not past 110% (kerning never takes back that
    // much). Saves shaping the many short values, and the long ones a measure before their
    // layout; Unsure for the rest and for other text.
    Fit latinFit(const QString& text, double width) const {
        double sum = 0;
        const double over = width * 1.1;
        for (QChar ch : text) {
            const char16_t u = ch.unicode();
            if (u >= 256 || u < 32) return sum > over ? Fit::No : Fit::Unsure;
            double& a = advance_[u];
            if (a < 0) a = metrics.horizontalAdvance(ch);
            sum += a;
            if (sum > over) return Fit::No;
        }
        return sum <= width * 0.95 ? Fit::Yes : Fit::Unsure;
    }

    // The lines the text wraps into within the width (line breaks in the text kept); fits is
    // set when the text stands on one line as it is.
    std::vector<Span> wrap(const QString& text, double width, bool& fits,
                           QTextOption::WrapMode mode = QTextOption::WrapAtWordBoundaryOrAnywhere) const {
        fits = false;
        if (text.isEmpty()) return {};
        const Fit fit = latinFit(text, width);
        if (fit == Fit::Yes) {
            fits = true;
            return {Span{0, int(text.size())}};
        }
        const bool breaks = text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
        if (fit == Fit::Unsure && !breaks && metrics.horizontalAdvance(text) <= width) {
            fits = true;
            return {Span{0, int(text.size())}};
        }
        return WrapLines(text, font, width, mode);
    }
};

// How a value's text wraps: a number where the width ends it, never between its sign and its
// digits; other text at word boundaries (inside a word only when it is wider than the line).
QTextOption::WrapMode WrapModeOf(const QVariant& value);

// The value a detail control shows for a row: its column's (column -1: none), or the time of the
// report for "=Now".
QVariant DetailValue(const Control& c, const QVariantList* row, int column, const QDateTime& now);

// The height of the detail band of rows, measured with fonts of its own.
class RowHeights {
public:
    RowHeights(const Section& detail, std::vector<int> columnOf, const QDateTime& now);
    double Of(const QVariantList& row) const;

private:
    const Section& detail_;
    std::vector<int> columnOf_;
    QDateTime now_;
    std::vector<std::optional<Measure>> measures_;   // the growing fields' (none for the others)
};

}  // namespace report
