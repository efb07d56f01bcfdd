#include "entry/SoftBreaks.h"

#include <algorithm>

namespace {
constexpr qsizetype kLookBack = 200;   // how far back from a forced break a blank is looked for
}

QString SoftBreaks::hold(const QString& text) {
    at_.clear();
    QString line = text;
    if (line.contains(u'\r')) line.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // Where the long lines are cut, in the text as it is.
    const QStringView s(line);
    std::vector<qsizetype> cuts;
    qsizetype start = 0;   // where the current piece of a line begins
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\n') {
            start = i + 1;
        } else if (i - start == kLongLine) {
            // After the last blank near the limit, else at the limit.
            qsizetype cut = i;
            for (qsizetype j = i; j > i - kLookBack && j > start; --j)
                if (s[j - 1] == u' ') {
                    cut = j;
                    break;
                }
            cuts.push_back(cut);
            start = cut;
        }
    }
    if (cuts.empty()) return line;
    QString held;
    held.reserve(s.size() + qsizetype(cuts.size()));
    qsizetype copied = 0;
    for (qsizetype cut : cuts) {
        held.append(s.mid(copied, cut - copied));
        at_.push_back(held.size());
        held.append(u'\n');
        copied = cut;
    }
    held.append(s.mid(copied));
    return held;
}

void SoftBreaks::edited(qsizetype from, qsizetype removed, qsizetype added) {
    auto first = std::lower_bound(at_.begin(), at_.end(), from);
    auto last = std::lower_bound(first, at_.end(), from + removed);
    for (auto it = last; it != at_.end(); ++it) *it += added - removed;
    at_.erase(first, last);
}

QString SoftBreaks::release(const QString& held) const {
    if (at_.empty()) return held;
    QString out;
    out.reserve(held.size());
    qsizetype from = 0;
    for (qsizetype p : at_) {
        if (p >= held.size() || held[p] != u'\n') continue;   // not where it was left: kept as it is
        out.append(QStringView(held).mid(from, p - from));
        from = p + 1;
    }
    out.append(QStringView(held).mid(from));
    return out;
}
