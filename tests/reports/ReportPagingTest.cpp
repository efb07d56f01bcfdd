// The report engine's pages: each laid out from its own start over rows opened once, its texts
// measured as they are when it is drawn.
#include "platform/report/ReportEngine.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

// Notes held in memory as the rows ("Note"); `read` counts the rows read.
struct Notes {
    std::vector<QString> notes;
    qint64 read = 0;
};
struct NoteRows final : report::RowSource {
    Notes& n;
    qint64 at = 0;
    explicit NoteRows(Notes& notes) : n(notes) {}
    QStringList Columns() const override { return {QStringLiteral("Note")}; }
    qint64 Count() const override { return qint64(n.notes.size()); }
    bool Next(QVariantList& row) override {
        if (at >= Count()) return false;
        ++n.read;
        row = {n.notes[size_t(at++)]};
        return true;
    }
    void Seek(qint64 row) override { at = row; }
};

// A detail band of the note, growing with its lines.
report::Document run(Notes& rows) {
    auto def = std::make_shared<report::ReportDefinition>();
    report::Section& detail = def->section(report::SectionKind::Detail);
    detail.height = 300;
    report::Control& note = detail.Add(report::ControlKind::Field, QStringLiteral("fldNote"));
    note.dataField = QStringLiteral("Note");
    note.width = 1500, note.height = 300;
    note.canGrow = note.multiLine = true;
    return report::Run(def, [&rows] { return std::make_unique<NoteRows>(rows); }, QDateTime());
}

QString firstNote(const report::Page& page) {
    for (const report::Band& b : page.bands)
        for (const report::Item& it : b.items) return (it.lines.isEmpty() ? it.text : it.lines.join(' ')).simplified();
    return {};
}

}  // namespace

class ReportPagingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // After the first page, the last one and then each page back read their own rows only (the
    // rows are not opened, nor the pages between laid out, again).
    void pagesReadFromTheirOwnStart() {
        Notes rows;
        rows.notes.assign(20000, QStringLiteral("a short note"));
        const report::Document doc = run(rows);
        const int pages = int(doc.pages.size());
        QVERIFY(pages > 100 && !firstNote(doc.pages[0]).isEmpty());
        for (int p = pages - 1; p >= pages - 4; --p) {
            rows.read = 0;
            QCOMPARE(firstNote(doc.pages[size_t(p)]), QStringLiteral("a short note"));
            QVERIFY2(rows.read <= 20000 / pages + 2, qPrintable(QString::number(rows.read)));
        }
    }

    // A note changed since the pages were counted is drawn whole, wrapped as it is now.
    void textsMeasuredWhenDrawn() {
        Notes rows;
        rows.notes.assign(200, QStringLiteral("one two three four five six seven eight nine ten"));
        const report::Document doc = run(rows);
        rows.notes[0] = QStringLiteral("eleven twelve thirteen fourteen fifteen sixteen seventeen");
        QCOMPARE(firstNote(doc.pages[0]), rows.notes[0]);
    }
};

RV_TEST(ReportPagingTest)
#include "ReportPagingTest.moc"
