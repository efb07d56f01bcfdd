#pragma once
// A settings file as lines of its own bytes. The encoding is the one the file was saved in: UTF-8,
// UTF-16 or UTF-32 (little or big endian) told by a byte-order mark or, without one, by where the
// zero bytes of its first characters fall, else the ANSI code page (Windows-1252) when the bytes
// are not UTF-8. Each line is decoded for reading and keeps its bytes, its line end included, so
// that writing one line leaves every other line as it was; new lines are written in the file's
// encoding with its line end. A UTF-16 or UTF-32 file keeps one byte-order mark; a UTF-8 file is
// written without any (it reads the same).
#include <QByteArray>
#include <QString>
#include <vector>

namespace vb::ini {

enum class Encoding { Utf8, Ansi, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

class IniText {
public:
    struct Line {
        QString text;       // without the line end
        QString end;        // "\r\n", "\n", "\r", or "" on a last line that has none
        QByteArray bytes;   // as in the file, the line end included
    };

    // A new file: UTF-8, lines ended by CR LF.
    IniText() = default;
    static IniText fromBytes(const QByteArray& file);

    Encoding encoding() const { return encoding_; }
    const std::vector<Line>& lines() const { return lines_; }
    // Replaces line i, or inserts a line before it (i == size appends), in the file's encoding.
    void setLine(size_t i, const QString& text);
    void insertLine(size_t i, const QString& text);
    // The file: its byte-order mark, if it had one, and every line's bytes.
    QByteArray bytes() const;

private:
    Encoding encoding_ = Encoding::Utf8;
    QByteArray mark_;
    QString lineEnd_ = QStringLiteral("\r\n");
    std::vector<Line> lines_;

    QByteArray encode(const QString& text) const;
};

}  // namespace vb::ini
