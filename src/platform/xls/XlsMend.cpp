#include "platform/xls/XlsMend.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>

namespace xls {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr int kMiniSectorSize = 64;
constexpr quint16 kBof = 0x0809, kFilePass = 0x002F, kBoundSheet = 0x0085, kSst = 0x00FC, kContinue = 0x003C, kFormula = 0x0006,
                  kString = 0x0207, kShrFmla = 0x04BC, kArray = 0x0221, kTable = 0x0236, kNumber = 0x0203,
                  kLabel = 0x0204, kBoolErr = 0x0205;
// A record type FreeXL passes over: it fills the room a shorter rewritten record leaves.
constexpr quint16 kFiller = 0x00EF;

quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
void put16(QByteArray& b, quint16 v) {
    char bytes[2];
    qToLittleEndian(v, bytes);
    b.append(bytes, 2);
}

// The Workbook stream of a compound file, as the list of places its pieces take in the file.
class WorkbookStream {
public:
    // Finds the stream; false with the reason when the file is no compound file holding one.
    bool find(const QByteArray& file, QString& problem) {
        if (file.size() < 512 || !file.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")))
            return fail(problem, QStringLiteral("it is not an Excel 97-2003 workbook (.xls)"));
        const quint16 shift = u16(file, 0x1E);
        if (shift != 9 && shift != 12) return fail(problem, QStringLiteral("its sector size is not one of a workbook"));
        sectorSize_ = 1 << shift;

        // The sector allocation table, from the header's list and the chain of further lists. No
        // list is longer than the file has sectors, and a chain that comes back to a sector loops.
        const qint64 fileSectors = std::max<qint64>(file.size() / sectorSize_ - 1, 0);
        const quint32 fatSectors = u32(file, 0x2C);
        if (fatSectors > fileSectors) return fail(problem, markDamaged());
        QList<quint32> fatList;
        for (int i = 0; i < 109 && quint32(fatList.size()) < fatSectors; ++i) fatList << u32(file, 0x4C + 4 * i);
        QList<bool> seen(fileSectors, false);
        quint32 more = u32(file, 0x44);
        for (quint32 n = u32(file, 0x48); n > 0 && more < kEndOfChain && quint32(fatList.size()) < fatSectors; --n) {
            const qint64 at = sectorAt(file, more);
            if (at < 0 || seen[more]) return fail(problem, markDamaged());
            seen[more] = true;
            for (int i = 0; i < sectorSize_ / 4 - 1 && quint32(fatList.size()) < fatSectors; ++i)
                fatList << u32(file, at + 4 * i);
            more = u32(file, at + sectorSize_ - 4);
        }
        for (quint32 s : fatList) {
            const qint64 at = sectorAt(file, s);
            if (at < 0) return fail(problem, markDamaged());
            for (int i = 0; i < sectorSize_ / 4; ++i) fat_ << u32(file, at + 4 * i);
        }

        // The directory: the root entry holds the small streams, "Workbook" the BIFF8 records.
        QList<quint32> dir;
        if (!chain(fat_, u32(file, 0x30), dir)) return fail(problem, damaged());
        quint32 rootStart = kEndOfChain, start = kEndOfChain, size = 0;
        bool found = false;
        for (quint32 s : dir) {
            const qint64 at = sectorAt(file, s);
            if (at < 0) return fail(problem, damaged());
            for (int e = 0; e < sectorSize_ / 128; ++e) {
                const qint64 entry = at + 128 * e;
                const int type = quint8(file.at(entry + 0x42));
                if (type == 5) rootStart = u32(file, entry + 0x74);
                if (type != 2) continue;
                QString name;
                const int chars = std::min<int>(u16(file, entry + 0x40) / 2, 32);
                for (int i = 0; i + 1 < chars; ++i) name += QChar(u16(file, entry + 2 * i));
                if (name == QLatin1String("Workbook")) {
                    start = u32(file, entry + 0x74);
                    size = u32(file, entry + 0x78);
                    found = true;
                }
            }
        }
        if (!found) return fail(problem, QStringLiteral("the file holds no Excel 97-2003 workbook"));

        QList<quint32> sectors;
        if (size >= u32(file, 0x38)) {
            if (!chain(fat_, start, sectors)) return fail(problem, damaged());
            pieceSize_ = sectorSize_;
            for (quint32 s : sectors) pieces_ << sectorAt(file, s);
        } else {
            // A small stream lies in 64-byte pieces inside the root entry's stream.
            QList<quint32> miniFat, miniFatSectors, root;
            if (!chain(fat_, u32(file, 0x3C), miniFatSectors) || !chain(fat_, rootStart, root))
                return fail(problem, damaged());
            for (quint32 s : miniFatSectors) {
                const qint64 at = sectorAt(file, s);
                if (at < 0) return fail(problem, damaged());
                for (int i = 0; i < sectorSize_ / 4; ++i) miniFat << u32(file, at + 4 * i);
            }
            if (!chain(miniFat, start, sectors)) return fail(problem, damaged());
            pieceSize_ = kMiniSectorSize;
            const int perSector = sectorSize_ / kMiniSectorSize;
            for (quint32 m : sectors) {
                if (m / perSector >= quint32(root.size())) return fail(problem, damaged());
                pieces_ << sectorAt(file, root[m / perSector]) + (m % perSector) * kMiniSectorSize;
            }
        }
        if (qint64(pieces_.size()) * pieceSize_ < size) return fail(problem, damaged());
        for (qint64 at : pieces_)
            if (at < 0 || at + pieceSize_ > file.size()) return fail(problem, damaged());
        size_ = size;
        return true;
    }

    QByteArray read(const QByteArray& file) const {
        QByteArray out;
        out.reserve(pieces_.size() * pieceSize_);
        for (qint64 at : pieces_) out.append(file.constData() + at, pieceSize_);
        out.truncate(size_);
        return out;
    }

    // Whether find failed on a damaged allocation table.
    bool isDamaged() const { return damaged_; }

    // Writes stream, of the same length as read gave, back to its places.
    void write(QByteArray& file, const QByteArray& stream) const {
        for (qsizetype i = 0; i < pieces_.size(); ++i) {
            const qsizetype from = i * pieceSize_;
            const qsizetype n = std::min<qsizetype>(pieceSize_, stream.size() - from);
            if (n <= 0) break;
            std::copy_n(stream.constData() + from, n, file.data() + pieces_[i]);
        }
    }

private:
    int sectorSize_ = 512;
    int pieceSize_ = 512;
    quint32 size_ = 0;
    QList<quint32> fat_;
    QList<qint64> pieces_;
    bool damaged_ = false;

    static bool fail(QString& problem, const QString& why) {
        problem = why;
        return false;
    }
    static QString damaged() { return QStringLiteral("its table of sectors is damaged"); }
    // The allocation table itself cannot be read: no reader finds anything in the file, and one
    // that trusts the header's counts can loop or run out of memory.
    QString markDamaged() {
        damaged_ = true;
        return damaged();
    }

    qint64 sectorAt(const QByteArray& file, quint32 s) const {
        const qint64 at = (qint64(s) + 1) * sectorSize_;
        return s < kEndOfChain && at + sectorSize_ <= file.size() ? at : -1;
    }
    // The sectors of a chain; false when it runs outside the table or comes back to a sector.
    static bool chain(const QList<quint32>& table, quint32 s, QList<quint32>& out) {
        out.clear();
        QList<bool> seen(table.size(), false);
        while (s != kEndOfChain) {
            if (s >= quint32(table.size()) || seen[s]) return false;
            seen[s] = true;
            out << s;
            s = table[s];
        }
        return true;
    }
};

struct Record {
    qsizetype at = 0;   // where its header starts in the stream
    quint16 type = 0;
    quint16 size = 0;
    qsizetype body() const { return at + 4; }
    qsizetype end() const { return at + 4 + size; }
};

// The records of the stream, up to the end or to the first that does not fit in it.
QList<Record> recordsOf(const QByteArray& s) {
    QList<Record> out;
    qsizetype at = 0;
    while (at + 4 <= s.size()) {
        Record r{at, u16(s, at), u16(s, at + 2)};
        if ((r.type == 0 && r.size == 0) || r.end() > s.size()) break;
        out << r;
        at = r.end();
    }
    return out;
}

// Reads texts stored across a record and the CONTINUE records after it.
class SplitReader {
public:
    SplitReader(const QByteArray& s, const QList<Record>& records, qsizetype first, qsizetype last)
        : s_(s), records_(records), index_(first), last_(last) {}

    bool ok() const { return ok_; }
    int record() const { return int(index_); }   // the record being read
    void skip(qsizetype n) {
        while (n > 0 && ok_) {
            if (!ensure()) return;
            const qsizetype k = std::min<qsizetype>(n, left());
            off_ += k;
            n -= k;
        }
    }
    quint16 word() {
        const quint8 lo = byte();
        return quint16(lo | (byte() << 8));
    }
    quint32 dword() {
        const quint32 lo = word();
        return lo | (quint32(word()) << 16);
    }
    quint8 byte() {
        if (!ensure()) return 0;
        return quint8(s_.at(records_[index_].body() + off_++));
    }
    // n characters; where they run on into the next record, that record starts with its own
    // flags byte saying how its part is stored.
    QString chars(int n, bool wide) {
        QString out;
        out.reserve(n);
        while (n > 0 && ok_) {
            if (left() == 0) {
                if (!next()) return out;
                wide = (byte() & 0x01) != 0;
            }
            const qsizetype at = records_[index_].body() + off_;
            const int unit = wide ? 2 : 1;
            const int k = int(std::min<qsizetype>(n, left() / unit));
            if (k == 0) {
                ok_ = false;
                return out;
            }
            for (int i = 0; i < k; ++i)
                out += wide ? QChar(u16(s_, at + 2 * i)) : QChar(quint8(s_.at(at + i)));
            off_ += k * unit;
            n -= k;
        }
        return out;
    }

private:
    const QByteArray& s_;
    const QList<Record>& records_;
    qsizetype index_, last_;
    qsizetype off_ = 0;
    bool ok_ = true;

    qsizetype left() const { return records_[index_].size - off_; }
    bool next() {
        if (index_ >= last_) return ok_ = false;
        ++index_;
        off_ = 0;
        return true;
    }
    bool ensure() {
        while (ok_ && left() == 0)
            if (!next()) return false;
        return ok_;
    }
};

// One text of the shared string table: cch, flags, [runs], [extension], characters, runs, extension.
struct SharedText {
    QString text;
    int records = 1;   // how many records its characters touch
    bool wide = false; // two bytes a character
};

bool readSharedText(SplitReader& r, SharedText& out) {
    const quint16 cch = r.word();
    const int startRecord = r.record();   // a text's header never runs over into the next record
    const quint8 flags = r.byte();
    const quint16 runs = (flags & 0x08) ? r.word() : 0;
    const quint32 ext = (flags & 0x04) ? r.dword() : 0;
    out.wide = (flags & 0x01) != 0;
    out.text = r.chars(cch, out.wide);
    out.records = r.record() - startRecord + 1;
    r.skip(4 * qsizetype(runs));
    r.skip(ext);
    return r.ok();
}

// Writes the shared string table again as records of at most kBiffRecordLimit bytes, so that no
// text's characters touch more than two records; longer texts are shortened to fit.
class SstWriter {
public:
    SstWriter(quint32 total, quint32 unique) {
        QByteArray head;
        put16(head, quint16(total & 0xFFFF));
        put16(head, quint16(total >> 16));
        put16(head, quint16(unique & 0xFFFF));
        put16(head, quint16(unique >> 16));
        bodies_ << head;
    }

    // Adds text; true when it had to be shortened.
    bool add(QString text) {
        bool wide = false;
        for (QChar c : text) wide = wide || c.unicode() > 0xFF;
        const int unit = wide ? 2 : 1;
        if (room() < 3 + (text.isEmpty() ? 0 : unit)) bodies_ << QByteArray();
        const int here = (room() - 3) / unit;
        const int most = here + (kBiffRecordLimit - 1) / unit;
        bool shortened = false;
        if (text.size() > most) {
            text.truncate(most);
            if (text.back().isHighSurrogate()) text.chop(1);
            shortened = true;
        }
        put16(bodies_.last(), quint16(text.size()));
        bodies_.last().append(char(wide ? 1 : 0));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i == here) bodies_ << QByteArray(1, char(wide ? 1 : 0));
            if (wide) put16(bodies_.last(), text[i].unicode());
            else bodies_.last().append(char(text[i].unicode()));
        }
        return shortened;
    }

    // Adds n bytes after the last text when the last record has room for them.
    bool pad(int n) {
        if (room() < n) return false;
        bodies_.last().append(QByteArray(n, '\0'));
        return true;
    }

    // The records: SST, then CONTINUE records.
    QByteArray bytes() const {
        QByteArray out;
        for (qsizetype i = 0; i < bodies_.size(); ++i) {
            put16(out, i == 0 ? kSst : kContinue);
            put16(out, quint16(bodies_[i].size()));
            out += bodies_[i];
        }
        return out;
    }

private:
    QList<QByteArray> bodies_;
    int room() const { return kBiffRecordLimit - int(bodies_.last().size()); }
};

// Fills n bytes of the stream from at with records FreeXL passes over; n is 0 or at least 4.
void fill(QByteArray& s, qsizetype at, qsizetype n) {
    while (n > 0) {
        qsizetype body = std::min<qsizetype>(n - 4, kBiffRecordLimit);
        const qsizetype rest = n - 4 - body;
        if (rest > 0 && rest < 4) body -= 4;
        QByteArray r;
        put16(r, kFiller);
        put16(r, quint16(body));
        r.append(QByteArray(body, '\0'));
        std::copy(r.cbegin(), r.cend(), s.begin() + at);
        at += r.size();
        n -= r.size();
    }
}

// Puts record (header and body) at span.first and fills the rest of the span; false when it
// does not fit.
bool place(QByteArray& s, qsizetype from, qsizetype to, const QByteArray& record) {
    const qsizetype room = to - from - record.size();
    if (room < 0 || (room > 0 && room < 4)) return false;
    std::copy(record.cbegin(), record.cend(), s.begin() + from);
    fill(s, from + record.size(), room);
    return true;
}

QByteArray cellRecord(quint16 type, const QByteArray& s, qsizetype formulaBody, const QByteArray& value) {
    QByteArray r;
    put16(r, type);
    put16(r, quint16(6 + value.size()));
    r.append(s.constData() + formulaBody, 6);   // row, column, format
    r += value;
    return r;
}

// The LABEL record of a text result, shortened until it fits the room from..to.
bool placeLabel(QByteArray& s, qsizetype from, qsizetype to, qsizetype formulaBody, QString text) {
    bool wide = false;
    for (QChar c : text) wide = wide || c.unicode() > 0xFF;
    const qsizetype most = std::min<qsizetype>(to - from, 4 + kBiffRecordLimit) - 13;   // header, cell, cch, flags
    if (most < 0) return false;
    text.truncate(most / (wide ? 2 : 1));
    for (;;) {
        QByteArray value;
        put16(value, quint16(text.size()));
        value.append(char(wide ? 1 : 0));
        for (QChar c : text) {
            if (wide) put16(value, c.unicode());
            else value.append(char(c.unicode()));
        }
        if (6 + value.size() <= kBiffRecordLimit && place(s, from, to, cellRecord(kLabel, s, formulaBody, value)))
            return true;
        if (text.isEmpty()) return false;
        text.chop(1);
    }
}

// Replaces the formula record at index i (and the records of its result) by a plain cell.
void mendFormula(QByteArray& s, const QList<Record>& records, qsizetype i, int sheet, MendReport& report) {
    const Record& f = records[i];
    if (f.size < 20) return;
    const qsizetype b = f.body();
    const FormulaCell cell{sheet, u16(s, b), u16(s, b + 2)};
    report.formulas << cell;
    report.changed = true;
    const auto unread = [&] {
        report.unreadFormulas << cell;
        fill(s, f.at, f.end() - f.at);
    };
    if (u16(s, b + 12) != 0xFFFF) {
        if (!place(s, f.at, f.end(), cellRecord(kNumber, s, b, s.mid(b + 6, 8)))) unread();
        return;
    }
    switch (quint8(s.at(b + 6))) {
    case 0: {   // text: in the STRING record that follows, after any shared or array formula
        qsizetype j = i + 1;
        while (j < records.size() && (records[j].type == kShrFmla || records[j].type == kArray || records[j].type == kTable))
            ++j;
        if (j >= records.size() || records[j].type != kString) return unread();
        qsizetype last = j;
        while (last + 1 < records.size() && records[last + 1].type == kContinue) ++last;
        SplitReader r(s, records, j, last);
        const quint16 cch = r.word();
        const bool wide = (r.byte() & 0x01) != 0;
        const QString text = r.chars(cch, wide);
        if (!r.ok() || !placeLabel(s, f.at, records[last].end(), b, text)) return unread();
        return;
    }
    case 1: {   // a truth value
        QByteArray value(2, '\0');
        value[0] = char(s.at(b + 8) ? 1 : 0);
        if (!place(s, f.at, f.end(), cellRecord(kBoolErr, s, b, value))) unread();
        return;
    }
    case 3:   // an empty text: an empty cell
        fill(s, f.at, f.end() - f.at);
        return;
    default:   // an error value: no result to give
        return unread();
    }
}

// Writes the shared string table from records[first] again when FreeXL could not read it.
void mendSharedStrings(QByteArray& s, const QList<Record>& records, qsizetype first, MendReport& report) {
    qsizetype last = first;
    while (last + 1 < records.size() && records[last + 1].type == kContinue) ++last;
    if (records[first].size < 8) return;
    const quint32 total = u32(s, records[first].body()), unique = u32(s, records[first].body() + 4);
    SplitReader r(s, records, first, last);
    r.skip(8);
    QList<QString> texts;
    bool needed = false;
    for (quint32 n = 0; n < unique && r.ok(); ++n) {
        SharedText t;
        if (!readSharedText(r, t)) break;
        if (t.records > 2) {
            needed = true;
            // FreeXL takes a text of two-byte characters over any number of records.
            if (!t.wide && t.text.size() > report.longestText) {
                report.longestText = int(t.text.size());
                report.longestTextRecords = t.records;
            }
        }
        texts << t.text;
    }
    if (!needed) return;
    if (!r.ok() || quint32(texts.size()) != unique) {
        report.problem = QStringLiteral("its table of shared texts cannot be read");
        return;
    }
    SstWriter w(total, unique);
    int shortened = 0;
    for (const QString& t : texts) shortened += w.add(t) ? 1 : 0;
    QByteArray table = w.bytes();
    const qsizetype from = records[first].at, to = records[last].end();
    // Room too small for a filler record goes after the last text, which FreeXL never reads.
    if (const qsizetype room = to - from - table.size(); room > 0 && room < 4 && w.pad(int(room))) table = w.bytes();
    if (!place(s, from, to, table)) {
        report.problem = QStringLiteral("its table of shared texts cannot be written again in the room it takes");
        return;
    }
    report.shortenedTexts = shortened;
    report.changed = true;
}

}  // namespace

MendReport MendForFreeXL(QByteArray& file) {
    MendReport report;
    WorkbookStream where;
    if (!where.find(file, report.problem)) {
        report.damaged = where.isDamaged();
        return report;
    }
    QByteArray s = where.read(file);
    const QList<Record> records = recordsOf(s);
    if (records.isEmpty() || records[0].type != kBof || records[0].size < 2 || u16(s, records[0].body()) != 0x0600) {
        report.problem = QStringLiteral("it is not an Excel 97-2003 (BIFF8) workbook");
        return report;
    }
    // The worksheets' places in the stream, in the order of the workbook's list.
    QHash<quint32, int> sheetAt;
    for (const Record& r : records) {
        // The records of a workbook protected by a password are encrypted: nothing to mend.
        if (r.type == kFilePass) return report;
        if (r.type == kBoundSheet && r.size >= 4) sheetAt.insert(u32(s, r.body()), int(sheetAt.size()));
    }

    int sheet = -1;   // -1: the workbook's globals
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        if (r.type == kBof && i > 0) sheet = sheetAt.value(quint32(r.at), -2);
        else if (r.type == kSst && sheet == -1) mendSharedStrings(s, records, i, report);
        else if (r.type == kFormula && sheet >= 0) mendFormula(s, records, i, sheet, report);
    }
    if (report.changed) where.write(file, s);
    return report;
}

}  // namespace xls
