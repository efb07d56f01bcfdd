#include "platform/db/JetSql.h"

#include "platform/db/StoredDate.h"
#include "platform/db/TypeMap.h"

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
                const QDateTime dt = parseDateText(sql.mid(i + 1, j - i - 1));
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
