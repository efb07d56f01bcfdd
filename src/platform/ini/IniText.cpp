#include "platform/ini/IniText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace vb::ini {

namespace {

// Windows-1252's characters for the bytes 0x80..0x9F; the five it leaves out read as the C1
// control character of the same number.
constexpr std::array<char16_t, 32> kAnsiHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int unitBytes(Encoding e) {
    switch (e) {
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: return 2;
    case Encoding::Utf32LE:
    case Encoding::Utf32BE: return 4;
    default: return 1;
    }
}

bool bigEndian(Encoding e) { return e == Encoding::Utf16BE || e == Encoding::Utf32BE; }

QStringConverter::Encoding converterOf(Encoding e) {
    switch (e) {
    case Encoding::Utf16LE: return QStringConverter::Utf16LE;
    case Encoding::Utf16BE: return QStringConverter::Utf16BE;
    case Encoding::Utf32LE: return QStringConverter::Utf32LE;
    case Encoding::Utf32BE: return QStringConverter::Utf32BE;
    default: return QStringConverter::Utf8;
    }
}

QString decode(Encoding e, QByteArrayView b) {
    if (e != Encoding::Ansi) {
        QStringDecoder d(converterOf(e), QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return d.decode(b);
    }
    QString s;
    s.reserve(b.size());
    for (char c : b) {
        const auto u = static_cast<unsigned char>(c);
        s += u >= 0x80 && u < 0xA0 ? QChar(kAnsiHigh[u - 0x80]) : QChar(u);
    }
    return s;
}

// The code unit of the file at byte i.
char32_t unitAt(QByteArrayView b, qsizetype i, Encoding e) {
    const int n = unitBytes(e);
    char32_t v = 0;
    for (int k = 0; k < n; ++k) v |= char32_t(static_cast<unsigned char>(b[i + k])) << (8 * (bigEndian(e) ? n - 1 - k : k));
    return v;
}

// The encoding of a file without a byte-order mark. A settings file begins with ASCII (a section,
// a key or a comment), whose characters have zero high bytes in UTF-16 and UTF-32.
Encoding guess(QByteArrayView b) {
    const qsizetype n = std::min<qsizetype>(b.size(), 64);
    std::array<int, 4> zeros{};
    for (qsizetype i = 0; i < n; ++i) zeros[size_t(i % 4)] += b[i] == '\0';
    const int units4 = int(n / 4), units2 = int(n / 2);
    if (units4 > 0 && zeros[2] >= units4 && zeros[3] >= units4 && zeros[0] < units4) return Encoding::Utf32LE;
    if (units4 > 0 && zeros[0] >= units4 && zeros[1] >= units4 && zeros[3] < units4) return Encoding::Utf32BE;
    const int even = zeros[0] + zeros[2], odd = zeros[1] + zeros[3];
    if (units2 > 0 && 2 * odd >= units2 && even * 4 <= odd) return Encoding::Utf16LE;
    if (units2 > 0 && 2 * even >= units2 && odd * 4 <= even) return Encoding::Utf16BE;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    (void)utf8.decode(b);
    return utf8.hasError() ? Encoding::Ansi : Encoding::Utf8;
}

}  // namespace

IniText IniText::fromBytes(const QByteArray& file) {
    IniText t;
    const QByteArrayView b(file);
    static const struct {
        QByteArrayView mark;
        Encoding encoding;
    } kMarks[] = {{QByteArrayView("\xFF\xFE\0\0", 4), Encoding::Utf32LE},
                  {QByteArrayView("\0\0\xFE\xFF", 4), Encoding::Utf32BE},
                  {QByteArrayView("\xFF\xFE", 2), Encoding::Utf16LE},
                  {QByteArrayView("\xFE\xFF", 2), Encoding::Utf16BE},
                  {QByteArrayView("\xEF\xBB\xBF", 3), Encoding::Utf8}};
    qsizetype at = 0;
    bool marked = false;
    for (const auto& m : kMarks) {
        if (!b.startsWith(m.mark)) continue;
        t.encoding_ = m.encoding;
        // An editor may have added more than one mark; one is written back (none in UTF-8).
        while (b.sliced(at).startsWith(m.mark)) at += m.mark.size();
        if (m.encoding != Encoding::Utf8) t.mark_ = m.mark.toByteArray();
        marked = true;
        break;
    }
    if (!marked) t.encoding_ = guess(b);

    const int unit = unitBytes(t.encoding_);
    bool endSeen = false;
    qsizetype start = at;
    auto addLine = [&](qsizetype textEnd, qsizetype lineEnd) {
        const QByteArrayView bytes = b.sliced(start, lineEnd - start);
        Line line{decode(t.encoding_, b.sliced(start, textEnd - start)), {}, bytes.toByteArray()};
        line.end = decode(t.encoding_, b.sliced(textEnd, lineEnd - textEnd));
        if (!endSeen && !line.end.isEmpty()) t.lineEnd_ = line.end, endSeen = true;
        t.lines_.push_back(std::move(line));
        start = lineEnd;
    };
    for (qsizetype i = at; i + unit <= b.size(); i += unit) {
        const char32_t u = unitAt(b, i, t.encoding_);
        if (u == '\n') {
            addLine(i, i + unit);
        } else if (u == '\r') {
            const bool crlf = i + 2 * unit <= b.size() && unitAt(b, i + unit, t.encoding_) == '\n';
            addLine(i, i + unit * (crlf ? 2 : 1));
            if (crlf) i += unit;
        }
    }
    if (start < b.size()) addLine(b.size(), b.size());
    return t;
}

QByteArray IniText::encode(const QString& text) const {
    if (encoding_ != Encoding::Ansi) {
        QStringEncoder e(converterOf(encoding_), QStringConverter::Flag::Stateless);
        return e.encode(text);
    }
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        char byte = '?';   // no such character in the code page
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) byte = char(u);
        for (size_t k = 0; k < kAnsiHigh.size() && byte == '?' && u != '?'; ++k)
            if (kAnsiHigh[k] == u) byte = char(0x80 + k);
        out += byte;
    }
    return out;
}

void IniText::setLine(size_t i, const QString& text) {
    Line& line = lines_[i];
    line.text = text;
    line.bytes = encode(text + line.end);
}

void IniText::insertLine(size_t i, const QString& text) {
    if (i == lines_.size() && !lines_.empty() && lines_.back().end.isEmpty()) {
        lines_.back().end = lineEnd_;
        lines_.back().bytes += encode(lineEnd_);
    }
    lines_.insert(lines_.begin() + qsizetype(i), Line{text, lineEnd_, encode(text + lineEnd_)});
}

QByteArray IniText::bytes() const {
    QByteArray out = mark_;
    for (const Line& line : lines_) out += line.bytes;
    return out;
}

}  // namespace vb::ini
