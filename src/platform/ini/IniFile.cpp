#include "platform/ini/IniFile.h"

#include "platform/core/VbError.h"
#include "platform/fs/FileSystem.h"

#include <QFile>
#include <QStringList>

namespace vb {

namespace {

QStringList readLines(const QString& path, bool* exists = nullptr) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (exists) *exists = false;
        return {};
    }
    if (exists) *exists = true;
    QString text = QString::fromUtf8(f.readAll());
    // Byte-order marks ahead of the first line (an editor may have added more than one) are not
    // part of it; the file is written back without them.
    qsizetype marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(0xFEFF)) ++marks;
    text.remove(0, marks);
    text.replace("\r\n", "\n").replace('\r', '\n');
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// The section name of a "[name]" line, or a null string for any other line.
QString sectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith('[')) {
        const int end = t.indexOf(']');
        if (end > 0) return t.mid(1, end - 1).trimmed();
    }
    return {};
}

bool keyOf(const QString& line, QString& key, QString& value) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('[')) return false;
    const int eq = t.indexOf('=');
    if (eq < 0) return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    if (value.size() >= 2 && ((value.startsWith('"') && value.endsWith('"')) || (value.startsWith('\'') && value.endsWith('\''))))
        value = value.mid(1, value.size() - 2);
    return true;
}

}  // namespace

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                int bufferSize, const QString& iniPath) {
    const int keep = bufferSize > 0 ? bufferSize - 1 : 0;
    QString result = defaultValue;
    bool inSection = false, found = false;
    for (const QString& line : readLines(iniPath)) {
        const QString s = sectionOf(line);
        if (!s.isNull()) {
            if (found) break;
            inSection = s.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString k, v;
        if (inSection && keyOf(line, k, v) && k.compare(key, Qt::CaseInsensitive) == 0) {
            result = v;
            found = true;
            break;
        }
    }
    return result.left(keep);
}

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& iniPath) {
    bool exists = false;
    QStringList lines = readLines(iniPath, &exists);
    int sectionLine = -1, insertAt = -1;
    bool done = false;
    for (int i = 0; i < lines.size() && !done; ++i) {
        const QString s = sectionOf(lines[i]);
        if (!s.isNull()) {
            if (sectionLine >= 0) break;
            if (s.compare(section, Qt::CaseInsensitive) == 0) sectionLine = i, insertAt = i + 1;
            continue;
        }
        if (sectionLine < 0) continue;
        QString k, v;
        if (keyOf(lines[i], k, v)) {
            if (k.compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = k + "=" + value;
                done = true;
            } else {
                insertAt = i + 1;
            }
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!done) {
        if (sectionLine < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
            lines << "[" + section + "]" << key + "=" + value;
        } else {
            lines.insert(insertAt, key + "=" + value);
        }
    }
    // The old file stays until the new one is completely on the disk.
    try {
        WriteFileReplacing(iniPath, (lines.join("\r\n") + "\r\n").toUtf8());
    } catch (const VbError&) {
        return false;
    }
    return true;
}

}  // namespace vb
