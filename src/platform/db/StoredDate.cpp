#include "platform/db/StoredDate.h"

namespace db {

namespace {

unsigned code(QChar c) { return c.unicode(); }
unsigned code(char c) { return static_cast<unsigned char>(c); }
unsigned code(QLatin1Char c) { return static_cast<unsigned char>(c.toLatin1()); }

// Reads the stored forms from any kind of string view; `at` walks the text.
template <typename View>
std::optional<QDateTime> parse(View s) {
    const qsizetype n = s.size();
    qsizetype at = 0;
    auto isDigit = [&](qsizetype i) { return i < n && code(s[i]) >= '0' && code(s[i]) <= '9'; };
    auto take = [&](char c) { return at < n && code(s[at]) == unsigned(c) ? (++at, true) : false; };
    // `min` to `max` digits as a number; -1 when there are fewer than `min`.
    auto number = [&](int min, int max) {
        int v = 0, digits = 0;
        for (; digits < max && isDigit(at); ++digits, ++at) v = v * 10 + int(code(s[at]) - '0');
        return digits >= min ? v : -1;
    };
    const int y = number(4, 4);
    if (y < 0 || isDigit(at) || !take('-')) return std::nullopt;
    const int mo = number(1, 2);
    if (mo < 0 || !take('-')) return std::nullopt;
    const int d = number(1, 2);
    int h = 0, mi = 0, se = 0, ms = 0;
    if (d < 0) return std::nullopt;
    if (take(' ') || take('T')) {
        h = number(1, 2);
        if (h < 0 || !take(':') || (mi = number(2, 2)) < 0) return std::nullopt;
        if (take(':')) {
            if ((se = number(2, 2)) < 0) return std::nullopt;
            if (take('.')) {
                if (!isDigit(at)) return std::nullopt;
                for (int scale = 100; isDigit(at); ++at, scale /= 10) ms += int(code(s[at]) - '0') * scale;
            }
        }
    }
    if (at != n) return std::nullopt;
    const QDate date(y, mo, d);
    const QTime time(h, mi, se, ms);
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

}  // namespace

QString toStoredDate(const QDateTime& value) { return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

std::optional<QDateTime> parseStoredDate(QAnyStringView text) {
    return text.visit([](auto view) { return parse(view); });
}

}  // namespace db
