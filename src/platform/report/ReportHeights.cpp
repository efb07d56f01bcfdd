#include "platform/report/ReportHeights.h"

#include "platform/format/Locale.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <bit>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace report {

namespace {

// Characters next to which the line-break rules never break but after spaces: Latin-1 letters,
// digits and the punctuation that neither opens, closes nor joins (no hyphens, brackets, slashes,
// currency or percent signs).
bool plainChar(char16_t u) {
    if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')) return true;
    if (u >= 0xC0 && u <= 0xFF) return u != 0xD7 && u != 0xF7;
    switch (u) {
    case u'.': case u',': case u':': case u';': case u'\'': case u'"': case u'&': case u'*': case u'@': case u'#':
    case u'=': case u'_': return true;
    default: return false;
    }
}

bool isDigit(char16_t u) { return u >= u'0' && u <= u'9'; }
bool isSeparator(char16_t u) { return u == u'.' || u == u',' || u == u':' || u == u';'; }

// Whether the rules break before the digit at p of a word starting at from: after a stop, comma,
// colon or semicolon that does not follow a digit ("a.5" breaks, "1.5" does not).
bool breaksBeforeDigit(const char16_t* s, int from, int p) {
    if (!isDigit(s[p]) || !isSeparator(s[p - 1])) return false;
    int q = p - 1;
    while (q >= from && isSeparator(s[q])) --q;
    return q < from || !isDigit(s[q]);
}

// Whether the font shapes letters and digits glyph for glyph (no ligatures, no contextual forms),
// so that a line is as wide as its glyphs' advances with their pairs' kerning; found once per
// font, from every pair of them laid out.
bool glyphForGlyph(const QFont& font) {
    static std::mutex mutex;
    static std::unordered_map<QString, bool> known;
    const QString key = font.key();
    {
        std::lock_guard lock(mutex);
        if (const auto it = known.find(key); it != known.end()) return it->second;
    }
    const QString chars = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString sample;
    for (QChar a : chars)
        for (QChar b : chars) sample.append(a).append(b);
    QTextLayout layout(sample, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    const bool plain = runs.size() == 1 && runs.front().glyphIndexes() == runs.front().rawFont().glyphIndexesForString(sample);
    std::lock_guard lock(mutex);
    known.emplace(key, plain);
    return plain;
}

}  // namespace

Measure::Measure(const Control& c)
    : font(QtFont(c.font)), metrics(font), lineHeight(metrics.lineSpacing()), plainShaping_(glyphForGlyph(font)) {
    advance_.fill(-1);
    overhang_.fill(-1);
}

double Measure::advance(char16_t u) const {
    double& a = advance_[u];
    if (a < 0) a = metrics.horizontalAdvance(QChar(u));
    return a;
}

double Measure::overhang(char16_t u) const {
    double& o = overhang_[u];
    if (o < 0) o = std::max(0.0, -metrics.rightBearing(QChar(u)));
    return o;
}

double Measure::kerning(char16_t a, char16_t b) const {
    auto& row = kerning_[a];
    if (!row) {
        row = std::make_unique<std::array<float, 256>>();
        row->fill(NAN);
    }
    float& k = (*row)[b];
    if (std::isnan(k)) {
        const QChar pair[2] = {QChar(a), QChar(b)};
        k = float(metrics.horizontalAdvance(QString(pair, 2)) - advance(a) - advance(b));
    }
    return k;
}

Measure::Fit Measure::latinFit(const QString& text, double width) const {
    double sum = 0;
    const double over = width * 1.1;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 256 || u < 32) return sum > over ? Fit::No : Fit::Unsure;
        sum += advance(u);
        if (sum > over) return Fit::No;
    }
    return sum <= width * 0.95 ? Fit::Yes : Fit::Unsure;
}

std::optional<std::vector<Span>> Measure::latinWrap(const QString& text, double width) const {
    // The layout sums advances exactly (in 64ths); a line ending closer than this to the width is
    // left to it.
    constexpr double hair = 1.0 / 16;
    if (!plainShaping_) return std::nullopt;
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    const int n = int(text.size());
    std::vector<Span> lines;
    for (int i = 0;;) {
        // A paragraph: up to the next line break, which the layout sees as a line separator ("\r\n"
        // as a space before one).
        int end = i;
        while (end < n && s[end] != u'\n' && s[end] != u'\r') ++end;
        const int sep = end == n ? 0 : (s[end] == u'\r' && end + 1 < n && s[end + 1] == u'\n') ? 2 : 1;
        const char16_t after = sep == 2 ? u' ' : 0;
        // The width of the glyph at p: its advance and its kerning with the next character.
        const auto glyph = [&](int p) {
            const char16_t next = p + 1 < end ? s[p + 1] : after;
            return advance(s[p]) + (next && next < 256 ? kerning(s[p], next) : 0.0);   // (other text is declined)
        };
        int lineStart = i;
        double lineWidth = 0, spaces = 0;   // the words on the line so far; the spaces after them
        bool words = false;
        for (int p = i; p < end;) {
            if (s[p] == u' ') {
                if (!words) return std::nullopt;
                for (; p < end && s[p] == u' '; ++p) spaces += glyph(p);
                continue;
            }
            const int wordStart = p;
            double word = 0;
            for (; p < end && s[p] != u' '; ++p) {
                if (!plainChar(s[p]) || (p > wordStart && breaksBeforeDigit(s, wordStart, p))) return std::nullopt;
                word += glyph(p);
            }
            const double ink = overhang(s[p - 1]);
            double needed = (words ? lineWidth + spaces : 0) + word + ink;
            if (std::abs(needed - width) <= hair) return std::nullopt;
            if (words && needed > width) {
                lines.push_back(Span{lineStart, wordStart - lineStart});
                lineStart = wordStart;
                words = false;
                needed = word + ink;
            }
            if (!words && needed > width - hair) return std::nullopt;   // the layout breaks such a word anywhere
            lineWidth = (words ? lineWidth + spaces : 0) + word;
            spaces = 0;
            words = true;
        }
        if (words && lineWidth + spaces > width - hair) return std::nullopt;   // trailing spaces past the width
        lines.push_back(Span{lineStart, end + sep - lineStart});
        if (sep == 0) break;
        i = end + sep;
        if (i == n) {   // a break at the end opens one more, empty line
            lines.push_back(Span{n, 0});
            break;
        }
    }
    return lines;
}

std::vector<Span> Measure::wrap(const QString& text, double width, bool& fits, QTextOption::WrapMode mode) const {
    fits = false;
    if (text.isEmpty()) return {};
    const Fit fit = latinFit(text, width);
    if (fit == Fit::Yes) {
        fits = true;
        return {Span{0, int(text.size())}};
    }
    if (mode == QTextOption::WrapAtWordBoundaryOrAnywhere) {
        if (auto lines = latinWrap(text, width)) {
            fits = lines->size() == 1;
            return std::move(*lines);
        }
    }
    const bool breaks = text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (fit == Fit::Unsure && !breaks && metrics.horizontalAdvance(text) <= width) {
        fits = true;
        return {Span{0, int(text.size())}};
    }
    return WrapLines(text, font, width, mode);
}

QTextOption::WrapMode WrapModeOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: return QTextOption::WrapAnywhere;
    default: return QTextOption::WrapAtWordBoundaryOrAnywhere;
    }
}

QVariant DetailValue(const Control& c, const QVariantList* row, int column, const QDateTime& now) {
    if (c.dataField.compare(QLatin1String("=Now"), Qt::CaseInsensitive) == 0) return now;
    if (row && column >= 0) return row->value(column);
    return {};
}

RowHeights::RowHeights(const Section& detail, std::vector<int> columnOf, const QDateTime& now)
    : detail_(detail), columnOf_(std::move(columnOf)), now_(now) {
    for (const Control& c : detail.controls) {
        measures_.emplace_back();
        known_.emplace_back();
        if (c.kind == ControlKind::Field && c.canGrow) measures_.back().emplace(c);
    }
}

namespace {

// A number, date or yes/no value as a key of the lines it prints in (none for text and Null).
std::optional<quint64> valueKey(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool: return quint64(v.toBool());
    case QMetaType::Int:
    case QMetaType::LongLong: return quint64(v.toLongLong());
    case QMetaType::Double: return std::bit_cast<quint64>(v.toDouble());
    case QMetaType::QDateTime: {
        const QDateTime d = v.toDateTime();   // as shown: the wall-clock date and time
        return quint64(d.date().toJulianDay()) * 86400000u + quint64(d.time().msecsSinceStartOfDay());
    }
    default: return std::nullopt;
    }
}

}  // namespace

size_t RowHeights::linesOf(size_t ci, const QVariant& value) const {
    const Control& c = detail_.controls[ci];
    Known& known = known_[ci];
    const std::optional<quint64> key = valueKey(value);
    const bool keyed = key && (known.type == 0 || known.type == value.typeId());
    if (keyed)
        if (const auto it = known.lines.find(*key); it != known.lines.end()) return it->second;
    const QString text = ValueText(value, c.outputFormat);
    bool fits = false;
    const size_t lines = text.isEmpty() ? 0 : measures_[ci]->wrap(text, c.width, fits, WrapModeOf(value)).size();
    if (keyed) {
        if (known.lines.size() >= kKnown) known.lines.clear();
        known.type = value.typeId();
        known.lines.emplace(*key, lines);
    }
    return lines;
}

double RowHeights::Of(const QVariantList& row) const {
    double grow = 0;
    for (size_t ci = 0; ci < detail_.controls.size(); ++ci) {
        if (!measures_[ci]) continue;
        const Control& c = detail_.controls[ci];
        const size_t lines = linesOf(ci, DetailValue(c, &row, ci < columnOf_.size() ? columnOf_[ci] : -1, now_));
        if (lines > 1) grow = std::max(grow, std::max(c.height, double(lines) * measures_[ci]->lineHeight) - c.height);
    }
    return detail_.height + grow;
}

std::vector<int> RowHeights::Columns(const Section& detail, const std::vector<int>& columnOf) {
    std::vector<int> out;
    for (size_t ci = 0; ci < detail.controls.size() && ci < columnOf.size(); ++ci) {
        const Control& c = detail.controls[ci];
        if (c.kind == ControlKind::Field && c.canGrow && columnOf[ci] >= 0) out.push_back(columnOf[ci]);
    }
    return out;
}

// One thread's share of the rows: chunks lane, lane + lanes, lane + 2 * lanes, ...
struct ThreadedHeights::Lane {
    std::unique_ptr<RowSource::Reader> reader;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::vector<double>> measured;   // chunks not yet taken, in order
    std::exception_ptr error;                   // met before the next chunk
    std::atomic<bool> stop{false};

    void run(const Section& detail, const std::vector<int>& columnOf, const QDateTime& now, qint64 first,
             qint64 step, qint64 chunks, qint64 total) {
        try {
            const vb::Locale::Pin locale;
            const RowHeights heights(detail, columnOf, now);   // fonts made and dropped on this thread
            for (qint64 k = first; k < chunks && !stop; k += step) {
                {
                    std::unique_lock lock(mutex);
                    changed.wait(lock, [&] { return stop || measured.size() < 2; });
                    if (stop) return;
                }
                const qint64 from = k * kChunk;
                std::vector<double> out;
                for (const QVariantList& row : reader->Read(from, std::min(total, from + kChunk) - from))
                    out.push_back(heights.Of(row));
                std::lock_guard lock(mutex);
                measured.push_back(std::move(out));
                changed.notify_all();
            }
        } catch (...) {
            std::lock_guard lock(mutex);
            error = std::current_exception();
            changed.notify_all();
        }
    }
};

std::unique_ptr<ThreadedHeights> ThreadedHeights::Open(const RowSource& rows, const Section& detail,
                                                       const std::vector<int>& columnOf, const QDateTime& now) {
    const qint64 total = rows.Count();
    const qint64 chunks = (total + kChunk - 1) / kChunk;
    const int lanes = int(std::min<qint64>(std::clamp(QThread::idealThreadCount(), 1, 8), chunks));
    if (lanes < 2) return nullptr;
    const std::vector<int> columns = RowHeights::Columns(detail, columnOf);
    std::unique_ptr<ThreadedHeights> t(new ThreadedHeights);
    t->total_ = total;
    t->chunks_ = chunks;
    for (int i = 0; i < lanes; ++i) {
        auto lane = std::make_unique<Lane>();
        lane->reader = rows.OpenReader(columns);   // on this thread: a file that cannot be opened raises here
        if (!lane->reader) return nullptr;
        t->lanes_.push_back(std::move(lane));
    }
    for (int i = 0; i < lanes; ++i)
        t->lanes_[size_t(i)]->thread = std::thread(&Lane::run, t->lanes_[size_t(i)].get(), std::cref(detail), columnOf, now,
                                                   qint64(i), qint64(lanes), chunks, total);
    return t;
}

ThreadedHeights::~ThreadedHeights() {
    for (auto& lane : lanes_) {
        std::lock_guard lock(lane->mutex);
        lane->stop = true;
        lane->changed.notify_all();
    }
    for (auto& lane : lanes_)
        if (lane->thread.joinable()) lane->thread.join();
}

bool ThreadedHeights::Next(double& height) {
    while (taken_ >= chunk_.size()) {
        if (nextChunk_ >= chunks_) return false;
        Lane& lane = *lanes_[size_t(nextChunk_ % qint64(lanes_.size()))];
        std::unique_lock lock(lane.mutex);
        lane.changed.wait(lock, [&] { return !lane.measured.empty() || lane.error; });
        if (lane.measured.empty()) std::rethrow_exception(lane.error);
        chunk_ = std::move(lane.measured.front());
        lane.measured.pop_front();
        lane.changed.notify_all();
        taken_ = 0;
        ++nextChunk_;
    }
    height = chunk_[taken_++];
    return true;
}

}  // namespace report
