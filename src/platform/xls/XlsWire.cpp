#include "platform/xls/XlsContent.h"

#include <QStringDecoder>
#include <QtEndian>
#include <limits>

namespace xls {

namespace {

constexpr char kMagic[] = "RVXLS1";
constexpr char kEnd[] = "END";

class Writer {
public:
    QByteArray bytes{kMagic};

    void number(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    }
    void text(const QString& s) {
        const QByteArray utf8 = s.toUtf8();
        number(quint32(utf8.size()));
        bytes += utf8;
    }
    void cells(const QList<FormulaCell>& list) {
        number(quint32(list.size()));
        for (const FormulaCell& c : list) {
            number(quint32(c.sheet));
            number(c.row);
            number(c.column);
        }
    }
};

// Every read is checked against the bytes left; the first that does not fit spoils the rest.
class Reader {
public:
    explicit Reader(const QByteArray& b) : b_(b), ok_(b.startsWith(kMagic)), at_(qsizetype(sizeof kMagic) - 1) {}

    bool ok() const { return ok_; }
    quint32 number(quint32 most = std::numeric_limits<quint32>::max()) {
        if (!need(4)) return 0;
        const quint32 v = qFromLittleEndian<quint32>(b_.constData() + at_);
        at_ += 4;
        if (v > most) ok_ = false;
        return ok_ ? v : 0;
    }
    int whole() { return int(number(std::numeric_limits<int>::max())); }
    // Text in UTF-8, as Encode writes it: anything else spoils the rest.
    QString text() {
        const quint32 n = number();
        if (!need(n)) return {};
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        const QString s = utf8.decode(QByteArrayView(b_.constData() + at_, n));
        at_ += n;
        if (utf8.hasError()) ok_ = false;
        return s;
    }
    // The name of a worksheet or a column: never empty.
    QString name() {
        QString s = text();
        if (s.isEmpty()) ok_ = false;
        return s;
    }
    // A count of items that take at least `least` bytes each: no more than the bytes left hold,
    // nor than `most`.
    quint32 count(qsizetype least, quint32 most = std::numeric_limits<quint32>::max()) {
        return number(quint32(std::min<qsizetype>((b_.size() - at_) / least, most)));
    }
    void cells(QList<FormulaCell>& list) {
        for (quint32 n = count(12); n > 0 && ok_; --n) {
            const int sheet = int(number(kMostSheets - 1));
            const quint32 row = number(kMostRows - 1);
            list << FormulaCell{sheet, row, number(kMostColumns - 1)};
        }
    }
    bool atEnd() const { return ok_ && b_.mid(at_) == kEnd; }

private:
    const QByteArray& b_;
    bool ok_;
    qsizetype at_;

    bool need(qint64 n) {
        if (ok_ && n > b_.size() - at_) ok_ = false;
        return ok_;
    }
};

}  // namespace

QByteArray Encode(const WorkbookContent& content) {
    Writer w;
    w.text(content.refusal);
    const MendReport& m = content.mend;
    w.number(m.changed ? 1 : 0);
    w.number(m.damaged ? 1 : 0);
    w.number(quint32(m.shortenedTexts));
    w.number(quint32(m.longestText));
    w.number(quint32(m.longestTextRecords));
    w.text(m.problem);
    w.cells(m.formulas);
    w.cells(m.unreadFormulas);
    w.number(quint32(content.sheets.size()));
    for (const SheetContent& s : content.sheets) {
        w.text(s.name);
        w.text(s.problem);
        w.number(quint32(s.columns.size()));
        for (const SheetColumn& c : s.columns) {
            w.text(c.Name);
            w.number(quint16(c.Type));
            w.number(c.UnreadFormula ? 1 : 0);
        }
    }
    w.bytes += kEnd;
    return w.bytes;
}

bool Decode(const QByteArray& bytes, WorkbookContent& content) {
    Reader r(bytes);
    WorkbookContent c;
    c.refusal = r.text();
    c.mend.changed = r.number(1) != 0;
    c.mend.damaged = r.number(1) != 0;
    c.mend.shortenedTexts = r.whole();
    c.mend.longestText = r.whole();
    c.mend.longestTextRecords = r.whole();
    c.mend.problem = r.text();
    r.cells(c.mend.formulas);
    r.cells(c.mend.unreadFormulas);
    for (quint32 n = r.count(12, kMostSheets); n > 0 && r.ok(); --n) {
        SheetContent s;
        s.name = r.name();
        s.problem = r.text();
        for (quint32 k = r.count(12, kMostColumns); k > 0 && r.ok(); --k) {
            SheetColumn col;
            col.Name = r.name();
            col.Type = int16_t(quint16(r.number(0xFFFF)));
            col.UnreadFormula = r.number(1) != 0;
            s.columns << col;
        }
        c.sheets << s;
    }
    if (!r.atEnd()) return false;
    content = c;
    return true;
}

}  // namespace xls
