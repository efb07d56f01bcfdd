#include "platform/db/JetSql.h"

#include "platform/db/StoredDate.h"

namespace db {

QString quoteText(const QString& value) {
    QString s = value;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString dateLiteral(const QDateTime& dt) {
    return QLatin1Char('\'') + toStoredDate(dt) + QLatin1Char('\'');
}

namespace {

// Jet's LIKE pattern: * any text, ? one character, # one digit (kept literal here), [..] a class.
QString likePattern(const QString& jet, bool& needsEscape) {
    QString out;
    for (const QChar c : jet) {
        if (c == '*') out += '%';
        else if (c == '?') out += '_';
        else if (c == '%' || c == '_' || c == '\\') {
            out += '\\';
            out += c;
            needsEscape = true;
        } else out += c;
    }
    return out;
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }

// The date of a #...# literal: the stored forms, Jet's US forms ("3/5/2024", "3/5/2024 2:07:09 PM")
// and a time alone (on the zero day). Only SQL text is read this way; stored values are not.
QDateTime jetDate(const QString& text) {
    const QString s = text.trimmed();
    if (auto stored = parseStoredDate(s)) return *stored;
    if (s.isEmpty()) return {};
    static const char* const forms[] = {
        "M/d/yyyy h:mm:ss AP", "M/d/yyyy h:mm AP", "M/d/yyyy H:mm:ss", "M/d/yyyy H:mm", "M/d/yyyy",
        "M/d/yyyy h:mm:ss ap", "M/d/yyyy h:mm ap",
    };
    // Dates are wall-clock values without a zone, held in UTC so no daylight-saving gap moves them.
    for (const char* f : forms) {
        const QString form = QString::fromLatin1(f);
        if (!form.contains('H') && !form.contains('h')) {
            const QDate d = QDate::fromString(s, form);
            if (d.isValid()) return QDateTime(d, QTime(0, 0), Qt::UTC);
            continue;
        }
        const int space = int(form.indexOf(' '));
        const int sp = int(s.indexOf(' '));
        if (sp < 0) continue;
        const QDate d = QDate::fromString(s.left(sp), form.left(space));
        const QTime t = QTime::fromString(s.mid(sp + 1), form.mid(space + 1));
        if (d.isValid() && t.isValid()) return QDateTime(d, t, Qt::UTC);
    }
    // A time alone: on the zero day of the program's dates.
    for (const char* f : {"HH:mm:ss", "HH:mm", "h:mm:ss AP", "h:mm AP", "h:mm:ss ap", "h:mm ap"}) {
        const QTime tm = QTime::fromString(s, QString::fromLatin1(f));
        if (tm.isValid()) return QDateTime(QDate(1899, 12, 30), tm, Qt::UTC);
    }
    return {};
}

}  // namespace

QString translateJetSql(const QString& sql, bool likeWildcards, bool doubleQuotedText) {
    QString out;
    out.reserve(sql.size() + 16);
    const int n = int(sql.size());
    bool afterLike = false;   // the last word written was LIKE
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == '\'' || (c == '"' && doubleQuotedText)) {
            // a quoted text, with doubled quotes inside
            QString text;
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        text += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += sql[j++];
            }
            if (afterLike && likeWildcards) {
                bool esc = false;
                out += quoteText(likePattern(text, esc));
                if (esc) out += QLatin1String(" ESCAPE '\\'");
            } else if (c == '"') {
                out += quoteText(text);
            } else {
                out += sql.mid(i, j + 1 - i);
            }
            i = j + 1;
            afterLike = false;
            continue;
        }
        if (c == '[' || c == '"' || c == '`') {
            const QChar close = c == '[' ? QChar(']') : c;
            int j = int(sql.indexOf(close, i + 1));
            if (j < 0) j = n - 1;
            out += sql.mid(i, j + 1 - i);
            i = j + 1;
            afterLike = false;
            continue;
        }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            int j = int(sql.indexOf('\n', i));
            if (j < 0) j = n;
            out += sql.mid(i, j - i);
            i = j;
            continue;
        }
        if (c == '#') {
            const int j = int(sql.indexOf('#', i + 1));
            if (j > i) {
                const QDateTime dt = jetDate(sql.mid(i + 1, j - i - 1));
                if (dt.isValid()) {
                    out += dateLiteral(dt);
                    i = j + 1;
                    afterLike = false;
                    continue;
                }
            }
        }
        if (isWordChar(c)) {
            int j = i;
            while (j < n && isWordChar(sql[j])) ++j;
            const QString word = sql.mid(i, j - i);
            out += word;
            afterLike = word.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0;
            i = j;
            continue;
        }
        if (!c.isSpace()) afterLike = false;
        out += c;
        ++i;
    }
    return out;
}

}  // namespace db
