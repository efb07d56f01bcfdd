// The report engine's pages over many rows: a page is laid out from its own start, whichever page
// was read before, from rows opened once; and its texts are measured as they are when it is drawn.
#include "platform/report/ReportEngine.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

// Rows held in memory ("N", "Note"), counting how often they are opened and how many are read.
struct Counts {
    std::vector<QString> notes;
    int opens = 0;
    qint64 read = 0;
};

class MemoryRows final : public report::RowSource {
public:
    explicit MemoryRows(Counts& c) : c_(c) { ++c_.opens; }
    QStringList Columns() const override { return {QStringLiteral("N"), QStringLiteral("Note")}; }
    qint64 Count() const override { return qint64(c_.notes.size()); }
    bool Next(QVariantList& row) override {
        if (at_ >= Count()) return false;
        ++c_.read;
        row = {at_, c_.notes[size_t(at_)]};
        ++at_;
        return true;
    }
    void Seek(qint64 row) override { at_ = row; }

private:
    Counts& c_;
    qint64 at_ = 0;
};

// A detail band of the row number and its note, growing with the note's lines.
report::Document run(Counts& c) {
    auto def = std::make_shared<report::ReportDefinition>();
    report::Section& detail = def->section(report::SectionKind::Detail);
    detail.height = 300;
    report::Control& n = detail.Add(report::ControlKind::Field, QStringLiteral("fldN"));
    n.dataField = QStringLiteral("N");
    n.width = 1000, n.height = 300;
    report::Control& note = detail.Add(report::ControlKind::Field, QStringLiteral("fldNote"));
    note.dataField = QStringLiteral("Note");
    note.left = 1200, note.width = 1500, note.height = 300;
    note.canGrow = note.multiLine = true;
    return report::Run(def, [&c] { return std::make_unique<MemoryRows>(c); }, QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
}

// The note of the page's first row.
QString firstNote(const report::Page& page) {
    for (const report::Band& b : page.bands)
        for (const report::Item& it : b.items)
            if (it.control->name == QLatin1String("fldNote")) return (it.lines.isEmpty() ? it.text : it.lines.join(' ')).simplified();
    return {};
}

}  // namespace

class ReportPagingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // After the first page, the last one, then each page back, reads its own rows only, from
    // rows opened once.
    void pagesReadFromTheirOwnStart() {
        Counts c;
        c.notes.assign(20000, QStringLiteral("a short note"));
        const report::Document doc = run(c);
        const int pages = int(doc.pages.size());
        QVERIFY(pages > 100);
        QCOMPARE(firstNote(doc.pages[0]), QStringLiteral("a short note"));
        const qint64 perPage = qint64(c.notes.size()) / pages + 2;
        for (int p = pages - 1; p >= pages - 4; --p) {
            c.read = 0;
            QCOMPARE(firstNote(doc.pages[size_t(p)]), QStringLiteral("a short note"));
            QVERIFY2(c.read <= perPage, qPrintable(QStringLiteral("page %1 read %2 rows").arg(p + 1).arg(c.read)));
        }
        QCOMPARE(c.opens, 1);
    }

    // A note changed since the pages were counted is drawn whole, wrapped as it is now.
    void textsMeasuredWhenDrawn() {
        Counts c;
        c.notes.assign(200, QStringLiteral("one two three four five six seven eight nine ten"));
        const report::Document doc = run(c);
        const QString longer = QStringLiteral("eleven twelve thirteen fourteen fifteen sixteen seventeen");
        c.notes[0] = longer;
        QCOMPARE(firstNote(doc.pages[0]), longer);
    }
};

RV_TEST(ReportPagingTest)
#include "ReportPagingTest.moc"
