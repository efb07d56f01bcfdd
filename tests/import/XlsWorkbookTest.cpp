#include "LoFixture.h"
#include "XlsFixture.h"
#include "platform/core/VbError.h"
#include "platform/xls/XlsWorkbook.h"
#include "platform/xls/XlsContent.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>
#include <freexl.h>
#include <sqlite3.h>

namespace {
int32_t errorOf(const std::function<void()>& f, QString* description = nullptr) {
    try {
        f();
    } catch (const vb::VbError& e) {
        if (description) *description = e.description;
        return e.number;
    }
    return 0;
}

const QString kStopped = QStringLiteral("reading it stopped the workbook reader; the file may be damaged");

QString describe(const QList<xls::SheetColumn>& columns) {
    QStringList out;
    for (const auto& c : columns) out << c.Name + ":" + QString::number(c.Type) + (c.UnreadFormula ? "?" : "");
    return out.join(QStringLiteral(" | "));
}
}  // namespace

class XlsWorkbookTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString book;

private Q_SLOTS:
    void initTestCase() {
        book = dir.filePath(QStringLiteral("standard.xls"));
        QVERIFY2(xlsfixture::makeStandard(book), "python3-xlwt is needed to make the test workbook");
    }

    void sheetsAndColumns() {
        xls::Workbook wb;
        wb.Open(book);
        QVERIFY(wb.IsOpen());
        QCOMPARE(wb.SheetNames(), (QStringList{"People", "Stock Items", "Empty"}));
        // Numbers are doubles, dates and times dates, text short or long text; a column without a
        // name is named by its number; the type comes from the eight rows below the names.
        QCOMPARE(describe(wb.Columns("People")),
                 QString("Name:202 | Age:5 | Born:7 | Salary:5 | Remarks:203 | F6:202 | Code:5"));
        QCOMPARE(describe(wb.Columns("Stock Items")),
                 QString("Item:202 | Price:5 | Added:7 | Unit.Price:5 | First Name #2:202"));
        QVERIFY(wb.Columns("Empty").isEmpty());
        // Worksheet names are matched without regard to case when no name matches exactly.
        QCOMPARE(wb.Columns("stock items").size(), 5);
        wb.Close();
        QVERIFY(!wb.IsOpen());
        QVERIFY(wb.SheetNames().isEmpty());
    }

    void sheetThatCannotBeRead() {
        xls::Workbook wb;
        QCOMPARE(errorOf([&] { wb.Columns("People"); }), vb::err::DB_E_ERRORSINCOMMAND);
        wb.Open(book);
        QCOMPARE(errorOf([&] { wb.Columns("Nowhere"); }), vb::err::DB_E_ERRORSINCOMMAND);
        QCOMPARE(errorOf([&] { wb.Columns(""); }), vb::err::DB_E_ERRORSINCOMMAND);
    }

    void workbookRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing file") << "missing";
        QTest::newRow("text file") << "text";
        QTest::newRow("database file") << "sqlite";
        QTest::newRow("empty file") << "empty";
    }
    void workbookRefused() {
        QFETCH(QString, kind);
        const QString path = dir.filePath(kind + ".xls");
        if (kind == "text" || kind == "empty") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (kind == "text") f.write("Name,Age\nAnn,30\n");
        } else if (kind == "sqlite") {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
            sqlite3_exec(db, "CREATE TABLE t(a)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        xls::Workbook wb;
        wb.Open(book);
        QString description;
        QCOMPARE(errorOf([&] { wb.Open(path); }, &description), vb::err::E_FAIL_);
        QVERIFY2(description.contains(path), qPrintable(description));
        // The workbook open before is closed, not kept.
        QVERIFY(!wb.IsOpen());
        QVERIFY(wb.SheetNames().isEmpty());
    }

    // Damaged workbooks that crash the reading library, overrun its buffers or keep it busy for
    // ever are refused; the program reading them goes on.
    void damagedWorkbookRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("reasons");   // any of them
        QTest::newRow("allocation list pointing to itself") << "looping list" << QStringList{"its table of sectors is damaged"};
        QTest::newRow("cell record turned into a size record") << "size record" << QStringList{kStopped};
        QTest::newRow("record of 65535 bytes") << "long record" << QStringList{kStopped};
        // Read past its buffer, the text is refused by the conversion or caught by AddressSanitizer.
        QTest::newRow("directory name longer than its entry")
            << "long name" << QStringList{kStopped, "its text uses a character set that cannot be read"};
    }
    void damagedWorkbookRefused() {
        QFETCH(QString, kind);
        QFETCH(QStringList, reasons);
        const QString path = dir.filePath(kind + ".xls");
        QVERIFY2(xlsfixture::writeDamaged(book, kind, path), "the standard workbook is not the one the damage was found in");
        xls::Workbook wb;
        QString description;
        QCOMPARE(errorOf([&] { wb.Open(path); }, &description), vb::err::E_FAIL_);
        const QString prefix = "The workbook '" + path + "' cannot be opened: ";
        QVERIFY2(description.startsWith(prefix) && reasons.contains(description.mid(prefix.size()).chopped(1)),
                 qPrintable(description));
        QVERIFY(!wb.IsOpen());
    }

    // Whatever the reader does short of a complete answer and a clean exit refuses the workbook.
    void readerThatFails_data() {
        QTest::addColumn<QString>("script");   // the reader's stand-in; ANSWER: a complete answer
        QTest::addColumn<QString>("reason");   // "": the workbook opens
        QTest::newRow("complete answer") << "cat ANSWER" << "";
        QTest::newRow("crash") << "kill -SEGV $$" << kStopped;
        QTest::newRow("hang") << "exec sleep 30" << "reading it took longer than 2 seconds";
        QTest::newRow("error after the answer") << "cat ANSWER; exit 3" << kStopped;
        QTest::newRow("answer cut short") << "head -c 40 ANSWER" << kStopped;
        QTest::newRow("answer too long") << "cat ANSWER; echo more" << kStopped;
        QTest::newRow("garbage") << "echo RVXLS1garbage" << kStopped;
        QTest::newRow("no reader") << "" << "the workbook reader (READER) cannot be started";
    }
    void readerThatFails() {
        QFETCH(QString, script);
        QFETCH(QString, reason);
        QFile answer(dir.filePath("answer")), reader(dir.filePath(script.isEmpty() ? "missing.sh" : "reader.sh"));
        QVERIFY(answer.open(QIODevice::WriteOnly) && answer.write(xls::Encode({{}, {{"Only", {{"Name", 202, false}}, {}}}, {}})) > 0);
        answer.close();
        const QByteArray shell = "#!/bin/sh\n" + script.replace("ANSWER", "'" + answer.fileName() + "'").toUtf8() + "\n";
        QVERIFY(script.isEmpty() || (reader.open(QIODevice::WriteOnly) && reader.write(shell) == shell.size()));
        reader.close();
        reader.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        reason.replace("READER", reader.fileName());
        xls::Workbook wb;
        wb.SetReader(reader.fileName(), 2000);
        QString description;
        QCOMPARE(errorOf([&] { wb.Open(book); }, &description), reason.isEmpty() ? 0 : vb::err::E_FAIL_);
        if (reason.isEmpty()) QCOMPARE(describe(wb.Columns("Only")), QString("Name:202"));
        else QCOMPARE(description, "The workbook '" + book + "' cannot be opened: " + reason + ".");
    }

    // FreeXL alone gives up on a workbook holding a text that spans more than two records of the
    // shared string table, and reports success with no workbook; read mended, every worksheet is
    // there, the long texts' column typed as long text.
    void longText() {
        const QString dir = lofixture::folder();
        QVERIFY2(!dir.isEmpty(), "LibreOffice (libreoffice-calc-nogui) is needed to make the test workbooks");
        const QString path = dir + "/long.xls";
        const void* raw = nullptr;
        QCOMPARE(freexl_open(QFile::encodeName(path).constData(), &raw), FREEXL_OK);
        QVERIFY(raw == nullptr);

        xls::Workbook wb;
        wb.Open(path);
        QCOMPARE(wb.SheetNames(), (QStringList{"Good", "Long", "After"}));
        QCOMPARE(describe(wb.Columns("Good")), QString("Name:202 | Qty:5"));
        QCOMPARE(describe(wb.Columns("Long")), QString("Text:203"));
        QCOMPARE(describe(wb.Columns("After")), QString("Code:202 | Price:5"));
        QCOMPARE(wb.Mended().shortenedTexts, 2);
        QCOMPARE(wb.Mended().longestText, 17000);

        // Where no mended copy can be made, the message says what FreeXL could not take.
        const QByteArray tmp = qgetenv("TMPDIR");
        for (const auto& [book, size] : {std::pair{"long", 17000}, std::pair{"late", 10000}}) {
            const QString file = dir + "/" + book + ".xls";
            qputenv("TMPDIR", QFile::encodeName(file));   // a file: no folder for the copy
            QString description;
            const int32_t error = errorOf([&] { wb.Open(file); }, &description);
            qputenv("TMPDIR", tmp);
            if (tmp.isNull()) qunsetenv("TMPDIR");
            QCOMPARE(error, vb::err::E_FAIL_);
            QCOMPARE(description, "The workbook '" + file + "' cannot be opened: its table of shared texts holds a text of " +
                                      QString::number(size) + " characters that runs over 3 of the table's records, and the "
                                      "reader takes a text of single-byte characters only when it spans at most two.");
        }
    }

    // The reader's answer holds at most 65,536 worksheets and 256 columns (formula cells within them), named, in UTF-8.
    void answerWithinWhatAWorkbookHolds_data() {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("columns");   // a formula cell sits in the last one
        QTest::addColumn<QString>("name");  // of each worksheet and column
        QTest::addColumn<bool>("accepted");
        QTest::newRow("256 columns") << 1 << 256 << "S" << true;
        QTest::newRow("257 columns") << 1 << 257 << "S" << false;
        QTest::newRow("65,537 worksheets") << 65537 << 1 << "S" << false;
        QTest::newRow("empty names") << 2 << 1 << "" << false;
        QTest::newRow("not UTF-8") << 1 << 1 << "\u00E9" << false;   // its second byte spoilt below
    }
    void answerWithinWhatAWorkbookHolds() {
        QFETCH(int, sheets);
        QFETCH(int, columns);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        xls::WorkbookContent content, decoded;
        content.sheets = QList<xls::SheetContent>(sheets, {name, QList<xls::SheetColumn>(columns, {name, 202, false}), {}});
        content.mend.formulas << xls::FormulaCell{0, 1, unsigned(columns - 1)};
        QCOMPARE(xls::Decode(xls::Encode(content).replace("\xC3\xA9", "\xC3\x28"), decoded), accepted);
        QCOMPARE(decoded.sheets.size(), accepted ? sheets : 0);
    }

    // Formula cells read as the results the file stores: numbers, texts (a header too) and truth
    // values; an error result is no value, and its column is marked.
    void formulaResults() {
        const QString dir = lofixture::folder();
        QVERIFY2(!dir.isEmpty(), "LibreOffice (libreoffice-calc-nogui) is needed to make the test workbooks");
        xls::Workbook wb;
        wb.Open(dir + "/formulas.xls");
        QCOMPARE(describe(wb.Columns("Sums")), QString("Name:202 | Qty:5 | Total:5 | Label:202 | Flag:5 | Bad:202?"));
        QCOMPARE(describe(wb.Columns("Names")), QString("Name:5 | Age:5 | Name:5 | TolvaneID:5 | KeyWord1:5 | RptFlg:5"));
        QCOMPARE(wb.Mended().formulas.size(), 13);
        QCOMPARE(wb.Mended().unreadFormulas.size(), 3);
        QCOMPARE(wb.Mended().shortenedTexts, 0);
        // A workbook FreeXL reads as it is stays as it is.
        wb.Open(book);
        QVERIFY(!wb.Mended().changed);
    }
};

RV_TEST(XlsWorkbookTest)
#include "XlsWorkbookTest.moc"
