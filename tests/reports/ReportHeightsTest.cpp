// How tall the report engine makes each row: plain Latin-1 text is wrapped from its glyphs'
// advances without a text layout, into the lines the layout makes, and other text is left to it;
// many rows are measured on several threads, and the pages break where they break in turn.
#include "ReportData.h"
#include "platform/report/ReportHeights.h"
#include "reports/ReportLayouts.h"
#include "support/TestRegistry.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace report;

namespace {

QString spans(const std::vector<Span>& lines) {
    QStringList out;
    for (const Span& s : lines) out << QStringLiteral("%1+%2").arg(s.start).arg(s.length);
    return out.join(' ');
}

Control styled(int style) {
    Control c;
    c.font.size = style == 3 ? 12 : 9;
    c.font.bold = style == 1;
    c.font.italic = style == 2;
    return c;
}

// The rows of a database read in turn: a source without readers for other threads.
class InTurn final : public RowSource {
public:
    explicit InTurn(std::unique_ptr<RowSource> rows) : rows_(std::move(rows)) {}
    QStringList Columns() const override { return rows_->Columns(); }
    qint64 Count() const override { return rows_->Count(); }
    bool Next(QVariantList& row) override { return rows_->Next(row); }
    void Seek(qint64 row) override { rows_->Seek(row); }

private:
    std::unique_ptr<RowSource> rows_;
};

QString pageText(const Page& page) {
    QStringList out;
    for (const Band& b : page.bands)
        for (const Item& it : b.items) out << it.text + it.lines.join('|');
    return out.join(' ');
}

}  // namespace

class ReportHeightsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void plainTextWrapsAsTheLayoutDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("quick");   // wrapped without the layout (in the first font)
        QTest::newRow("words") << "A note of record 6 with a few more words in it, long enough to wrap onto a second line." << 1440.0 << true;
        QTest::newRow("breaks") << "first line\nsecond\r\nthird\rfourth\n" << 1440.0 << true;
        QTest::newRow("empty lines") << "a\n\n\nb" << 800.0 << true;
        QTest::newRow("accents and numbers") << QString::fromUtf8("Église Ñame 3.14159 2,718 \"quoted\" it's") << 900.0 << true;
        QTest::newRow("ligatures") << "affy different buffy Muffy Jeffrey" << 2103.358 << true;
        QTest::newRow("trailing spaces") << "ends with spaces     " << 1200.0 << true;
        QTest::newRow("stop before a digit") << "ends.5 here and more words" << 900.0 << false;
        QTest::newRow("hyphen") << "well-known words wrap here" << 900.0 << false;
        QTest::newRow("word wider than the line") << "Supercalifragilistic" << 500.0 << false;
        QTest::newRow("leading space") << " indented words wrap here" << 900.0 << false;
        QTest::newRow("tab") << "a\tb c d e f g h i j" << 300.0 << false;
        QTest::newRow("Greek") << QString::fromUtf8("Latin, then Άλφα βήτα γάμμα δέλτα") << 900.0 << false;
    }
    void plainTextWrapsAsTheLayoutDoes() {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(bool, quick);
        for (int style = 0; style < 5; ++style) {
            Control c = styled(style);
            if (style == 4) {   // a font with ligatures ("ff" kerns with the next letter): left to the layout
                c.font.family = "DejaVu Sans";
                c.font.size = 11.3;
            }
            const Measure m(c);
            const QString layout = spans(WrapLines(text, m.font, width));
            // (other fonts may end a line within a hair of the width, left to the layout)
            const auto lines = m.latinWrap(text, width);
            if (style == 0 || style == 4 || !quick) QCOMPARE(lines.has_value(), quick && style < 4);
            if (lines) QCOMPARE(spans(*lines), layout);
            bool fits = false;
            QCOMPARE(spans(m.wrap(text, width, fits)), layout);
        }
    }

    // Words of letters, digits and plain punctuation, kerning pairs among them, single and double
    // spaces and every kind of line break, at widths from a few letters to many words.
    void randomPlainTextWrapsAsTheLayoutDoes() {
        const QString letters = QString::fromUtf8("abcdefghijklmnopqrstuvwxyzAVTWYLfiry0123456789ÑéÀÿ.,:;'\"&*@#=_");
        const QStringList gaps = {" ", " ", " ", " ", "  ", "\n", "\r\n", "\r", "\n\n"};
        QRandomGenerator rng(7);
        int quick = 0;
        for (int n = 0; n < 3000; ++n) {
            QString text;
            for (int w = 1 + rng.bounded(20); w > 0; --w) {
                for (int k = 1 + rng.bounded(9); k > 0; --k) text += letters[rng.bounded(letters.size())];
                text += gaps[rng.bounded(gaps.size())];
            }
            const Measure m(styled(n % 4));
            const double width = 300 + rng.bounded(2700);
            if (const auto lines = m.latinWrap(text, width)) {
                ++quick;
                QCOMPARE(spans(*lines), spans(WrapLines(text, m.font, width)));
            }
        }
        QVERIFY2(quick > 1500, qPrintable(QString::number(quick)));
    }

    // Notes of one to many lines (some with line breaks, some rows deleted) over several chunks:
    // the same pages, row for row, as when the rows are read in turn.
    void threadsBreakPagesAsOneReader() {
        QTemporaryDir dir;
        const QString db = reportsdb::build(dir.filePath("d.mdb"));
        testdb::exec(db, "WITH RECURSIVE c(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM c WHERE i < 7000) "
                         "INSERT INTO UserTable (TolvaneID, Name, Memofld, SrchInt, SrchKey, SrchMemo, RptFlg) "
                         "SELECT i, 'Row ' || i, substr('word word word word word word word word word word word word', 1, "
                         "(i * 7919) % 60) || CASE WHEN i % 11 = 0 THEN char(10) || 'more' ELSE '' END, 0, 0, 0, 0 FROM c;"
                         "DELETE FROM UserTable WHERE TolvaneID BETWEEN 3000 AND 3100");
        ReportChoices c;
        c.columns = {{1, "Name", "Text", "Name"}};
        c.inclNotes = c.hasNotes = true;
        c.dbPath = db;
        const QDateTime now(QDate(2024, 3, 5), QTime(9, 0));
        const Document threaded = Run(BuildReport(c), now);
        const auto def = BuildReport(c);
        const Document inTurn = Run(def, [&] { return std::make_unique<InTurn>(OpenSqlRows(db, def->sql)); }, now);
        QVERIFY(threaded.pages.size() > 100);
        QCOMPARE(threaded.pages.size(), inTurn.pages.size());
        for (size_t p = 0; p < inTurn.pages.size(); ++p) QCOMPARE(pageText(threaded.pages[p]), pageText(inTurn.pages[p]));
    }
};

RV_TEST(ReportHeightsTest)
#include "ReportHeightsTest.moc"
