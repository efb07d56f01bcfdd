#include "platform/ini/IniFile.h"

#include "platform/core/VbError.h"
#include "platform/fs/FileSystem.h"
#include "platform/ini/IniText.h"

#include <QFile>

namespace vb {

namespace {

// The file's lines; a file that cannot be read is a new one.
ini::IniText readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? ini::IniText::fromBytes(f.readAll()) : ini::IniText();
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
    const ini::IniText file = readFile(iniPath);
    for (const ini::IniText::Line& l : file.lines()) {
        const QString& line = l.text;
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
    ini::IniText file = readFile(iniPath);
    const auto& lines = file.lines();
    int sectionLine = -1, insertAt = -1;
    bool done = false;
    for (int i = 0; i < int(lines.size()) && !done; ++i) {
        const QString& line = lines[size_t(i)].text;
        const QString s = sectionOf(line);
        if (!s.isNull()) {
            if (sectionLine >= 0) break;
            if (s.compare(section, Qt::CaseInsensitive) == 0) sectionLine = i, insertAt = i + 1;
            continue;
        }
        if (sectionLine < 0) continue;
        QString k, v;
        if (keyOf(line, k, v)) {
            if (k.compare(key, Qt::CaseInsensitive) == 0) {
                file.setLine(size_t(i), k + "=" + value);
                done = true;
            } else {
                insertAt = i + 1;
            }
        } else if (!line.trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!done) {
        if (sectionLine < 0) {
            if (!lines.empty() && !lines.back().text.trimmed().isEmpty()) file.insertLine(lines.size(), QString());
            file.insertLine(lines.size(), "[" + section + "]");
            file.insertLine(lines.size(), key + "=" + value);
        } else {
            file.insertLine(size_t(insertAt), key + "=" + value);
        }
    }
    // The old file stays until the new one is completely on the disk.
    try {
        WriteFileReplacing(iniPath, file.bytes());
    } catch (const VbError&) {
        return false;
    }
    return true;
}

}  // namespace vb
