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
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace report {

// How a control's text is measured: its font's metrics, made once per control. Not to be shared
// between threads (it keeps what it has measured).
struct Measure {
    QFont font;
    QFontMetricsF metrics{QFont()};
    double lineHeight = 0;
    explicit Measure(const Control& c);

    enum class Fit { Yes, No, Unsure };
    // Whether Latin-1 text fits the width, from the sum of its characters' advances: surely when
    // the sum is within 95% of the width, surely not past 110% (kerning never takes back that
    // much). Saves shaping the many short values, and the long ones a measure before their
    // layout; Unsure for the rest and for other text.
    Fit latinFit(const QString& text, double width) const;

    // The lines the text wraps into within the width (line breaks in the text kept); fits is
    // set when the text stands on one line as it is.
    std::vector<Span> wrap(const QString& text, double width, bool& fits,
                           QTextOption::WrapMode mode = QTextOption::WrapAtWordBoundaryOrAnywhere) const;

    // The lines of text wrapped at its spaces as WrapLines wraps it, worked out from the glyphs'
    // advances and their pairs' kerning, without shaping the text; none where that is not sure
    // to agree with the text layout: characters other than Latin-1 letters, digits, spaces, line
    // breaks and plain punctuation, a line that starts with a space or a word wider than the
    // line, a line that ends within a hair of the width, a font with ligatures.
    std::optional<std::vector<Span>> latinWrap(const QString& text, double width) const;

private:
    double advance(char16_t u) const;
    double kerning(char16_t a, char16_t b) const;
    double overhang(char16_t u) const;   // how far the glyph's ink runs past its advance (>= 0)
    bool plainShaping_ = false;                  // the font has no ligatures
    mutable std::array<double, 256> advance_;    // -1 until measured
    mutable std::array<double, 256> overhang_;   // -1 until measured
    // Kerning of Latin-1 pairs by first character, a row made when first needed (NaN until measured).
    mutable std::array<std::unique_ptr<std::array<float, 256>>, 256> kerning_;
};

// How a value's text wraps: a number where the width ends it, never between its sign and its
// digits; other text at word boundaries (inside a word only when it is wider than the line).
QTextOption::WrapMode WrapModeOf(const QVariant& value);

// The value a detail control shows for a row: its column's (column -1: none), or the time of the
// report for "=Now".
QVariant DetailValue(const Control& c, const QVariantList* row, int column, const QDateTime& now);

// The height of the detail band of rows, measured with fonts of its own (one thread at a time).
class RowHeights {
public:
    RowHeights(const Section& detail, std::vector<int> columnOf, const QDateTime& now);
    double Of(const QVariantList& row) const;
    // The columns the heights are measured from: those of the growing fields.
    static std::vector<int> Columns(const Section& detail, const std::vector<int>& columnOf);

private:
    const Section& detail_;
    std::vector<int> columnOf_;
    QDateTime now_;
    std::vector<std::optional<Measure>> measures_;   // the growing fields' (none for the others)
    // The lines of the numbers, dates and yes/no values met so far, by control: values repeat, and
    // their formatting is most of the measuring. Cleared when it holds kKnown.
    static constexpr size_t kKnown = 1 << 16;
    struct Known {
        int type = 0;   // the values' type
        std::unordered_map<quint64, size_t> lines;
    };
    mutable std::vector<Known> known_;
    size_t linesOf(size_t control, const QVariant& value) const;
};

// The heights of a source's rows in order, measured on several threads. The rows are shared out
// in chunks, each thread taking every so many, reading them with a reader of its own and
// measuring them with fonts of its own, at most two chunks ahead of the chunk being taken; so
// only those chunks are held. An error met on a thread is raised by Next when its chunk is due.
class ThreadedHeights {
public:
    static constexpr qint64 kChunk = 500;   // rows
    // Null when the source has no readers, or too few rows to share out.
    static std::unique_ptr<ThreadedHeights> Open(const RowSource& rows, const Section& detail,
                                                 const std::vector<int>& columnOf, const QDateTime& now);
    ~ThreadedHeights();   // stops the threads
    bool Next(double& height);   // false past the last row

private:
    struct Lane;
    ThreadedHeights() = default;
    std::vector<std::unique_ptr<Lane>> lanes_;
    qint64 total_ = 0, chunks_ = 0, nextChunk_ = 0;
    std::vector<double> chunk_;
    size_t taken_ = 0;
};

}  // namespace report
