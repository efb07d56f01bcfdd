// Mailing labels: the label lines, the data document, the sheets of each product, the window.
#include "ExportTestUtil.h"
#include "OdtRead.h"
#include "platform/office/OdtWriter.h"
#include "reports/ExportTexts.h"
#include "reports/FrmMailLbls.h"
#include "reports/MailLabels.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRegularExpression>

using namespace exporttest;
using namespace testdb;
using Parts = QList<int>;

class MailLabelsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    std::unique_ptr<Desktop> desk;
    int cleared = 0;
    bool searchChosen = false;

    static const inline QStringList kFields = {"First", "Last", "Street", "Street2", "City", "State", "Zip", "Country"};

    // n addresses N001..Nn; the odd ones are the search's hits.
    QString addressDb(int n) {
        Rows rows;
        for (const QString& f : kFields) rows << DbFieldRow{f, "Text", ""};
        rows << DbFieldRow{"Since", "Date/Time", ""};
        const QString path = build(fx->path("a.mdb"), rows, true, 2);
        exec(path, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                                  "INSERT INTO UserTable (First, Last, Street, City, State, Zip, Since, SrchInt, SrchKey, RptFlg) "
                                  "SELECT printf('N%03d', i), 'Smith', i || ' Main St', 'Springfield', 'IL', '62701', "
                                  "'2024-03-05 00:00:00', 0, 0, i % 2 FROM c")
                       .arg(n));
        openDb(path);
        return path;
    }
    FrmMailLbls& window(const Parts& parts, const QString& size = {}) {
        FrmMailLbls& w = FrmMailLbls::instance();
        w.SearchResultChosen = [this] { return searchChosen; };
        w.ClearOption = [this] { ++cleared; };
        w.Show();
        for (int i : parts) w.cmbMail[size_t(i)]->setCurrentText(kFields[i]);
        if (!size.isEmpty()) w.cmboLblSz->setCurrentText(size);
        return w;
    }
    QString onlyLabels() {
        const QStringList files = desk->files();
        return files.size() == 1 ? QDir(vb::exportFolder()).filePath(files.first()) : QString();
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        desk = std::make_unique<Desktop>(*fx);
        cleared = 0;
        searchChosen = false;
    }
    void cleanup() {
        desk.reset();
        fx.reset();
    }

    void lines_data() {
        QTest::addColumn<Parts>("chosen");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("lines");
        const QStringList all = {"Ann", "Lee", "1 Main", "Apt 2", "Paris", "TX", "75460", "USA"};
        QTest::newRow("every part") << Parts{0, 1, 2, 3, 4, 5, 6, 7} << all
                                    << QStringList{"Ann Lee", "1 Main", "Apt 2", "Paris, TX  75460 USA"};
        QTest::newRow("first name and city") << Parts{0, 4} << all << QStringList{"Ann ", "Paris, "};
        QTest::newRow("no name part starts with an empty line") << Parts{2, 4} << all << QStringList{"", "1 Main", "Paris, "};
        QTest::newRow("an empty address line is left out")
            << Parts{0, 1, 2, 3, 4} << QStringList{"Ann", "Lee", "1 Main", "", "Paris", "", "", ""}
            << QStringList{"Ann Lee", "1 Main", "Paris, "};
        QTest::newRow("names only") << Parts{0, 1} << all << QStringList{"Ann Lee"};
    }
    void lines() {
        QFETCH(Parts, chosen);
        QFETCH(QStringList, values);
        QFETCH(QStringList, lines);
        reports::MailSpec spec;
        std::array<QString, reports::kMailParts> v;
        for (int i : chosen) spec.parts[size_t(i)] = kFields[i];
        for (int i = 0; i < reports::kMailParts; ++i) v[size_t(i)] = values[i];
        QCOMPARE(reports::labelLines(spec, v), lines);
    }

    void textKeepsItsSpacesTabsAndLines() {
        const QString text = QString("  two  spaces\tand a tab\n next line <&> \x01" "end ");
        office::OdtWriter odt({}, {}, "fo:page-width=\"8.5in\"");
        odt.body().writeStartElement("table:table");
        odt.body().writeStartElement("table:table-row");
        odt.body().writeStartElement("table:table-cell");
        odt.body().writeStartElement("text:p");
        office::writeText(odt.body(), text);
        for (int i = 0; i < 4; ++i) odt.body().writeEndElement();
        odt.save(fx->path("t.odt"));
        QCOMPARE(readOdtTables(fx->path("t.odt"))[0][0][0].paragraphs, QStringList{QString(text).remove(QChar(1))});
    }

    void productsOfTheSizes() {
        QCOMPARE(reports::productForSize("(10) 2 x 4"), QString("8163"));
        QCOMPARE(reports::productForSize("(14) 1 1/3 x 4"), QString("8162"));
        QCOMPARE(reports::productForSize("(20) 1 x 4"), QString("8161"));
        QCOMPARE(reports::productForSize("(30) 1 x 2 5/8"), QString("8160"));
        QCOMPARE(reports::productForSize("Choose Label Size:"), QString("5160"));
        QCOMPARE(reports::productForSize("(30) 1 x 2"), QString("5160"));
    }

    void createWritesTheDataAndTheLabels() {
        addressDb(31);
        FrmMailLbls& w = window({0, 1, 2, 4, 5, 6});
        QCOMPARE(w.cmboLblSz->currentText(), QString("Choose Label Size:"));
        QCOMPARE(w.cmbMail[3]->currentText(), QString("Choose Field"));
        QCOMPARE(w.cmbMail[3]->count(), 9);   // the fields, without notes and keywords
        w.cmdCreate->click();
        QVERIFY(fx->ui.messages().isEmpty());
        QVERIFY(!w.IsLoaded());
        QCOMPARE(cleared, 1);

        // The data document: the field names, then one row per record.
        const QString mail = fx->path("Mail.odt");
        QCOMPARE(w.strMailDoc, mail);
        const auto data = readOdtTables(mail);
        QCOMPARE(data.size(), 1);
        QCOMPARE(data[0].size(), 32);
        QStringList header;
        for (const auto& c : data[0][0]) header << c.paragraphs.join("");
        QCOMPARE(header, QStringList({"First", "Last", "Street", "City", "State", "Zip"}));
        QCOMPARE(data[0][31].size(), 6);
        QCOMPARE(data[0][31][0].paragraphs, QStringList{"N031"});

        // The labels: 30 on the first sheet, one on the second, in the records' order.
        const QString labels = onlyLabels();
        QVERIFY(QFileInfo(labels).fileName().contains(QRegularExpression("^Labels \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d\\.odt$")));
        QCOMPARE(desk->opened, QStringList{labels});
        const auto sheets = labelsOf(labels);
        QCOMPARE(sheets.size(), 2);
        QCOMPARE(sheets[0].size(), 30);
        QCOMPARE(sheets[0][0], QString("N001 Smith/1 Main St/Springfield, IL  62701 "));
        QCOMPARE(sheets[1], QStringList{"N031 Smith/31 Main St/Springfield, IL  62701 "});
        QCOMPARE(zipEntry(labels, "mimetype"), QByteArray("application/vnd.oasis.opendocument.text"));
        const QByteArray content = zipEntry(labels, "content.xml");
        QVERIFY(content.contains("style:column-width=\"2.6250in\""));
        QVERIFY(content.contains("style:row-height=\"1.0000in\""));
        QVERIFY(content.contains("Springfield, IL <text:s/>62701"));   // two spaces, kept

        // A second run writes Mail.odt anew.
        exec(Module1::CurrentDBPath, "DELETE FROM UserTable WHERE TolvaneID > 2");
        window({4})
            .cmdCreate->click();
        QCOMPARE(readOdtTables(mail)[0].size(), 3);
        QCOMPARE(desk->files().size(), 2);
    }

    void theSheetsLibreOfficePrints() {
        const QString pdftotext = requireTool("pdftotext", "poppler-utils");
        QVERIFY(!pdftotext.isEmpty());
        const QString db = addressDb(31);
        db::Connection conn;
        conn.Open(db);
        reports::MailSpec spec;
        for (int i : {0, 1, 2, 4, 5, 6}) spec.parts[size_t(i)] = kFields[i], spec.types[size_t(i)] = "Text";
        const QStringList products = {"8160", "8161", "8162", "8163"};
        QStringList files;
        for (const QString& p : products) {
            // One sheet and one label more.
            exec(db, "UPDATE UserTable SET RptFlg = (TolvaneID <= " + QString::number(reports::labelProduct(p).perSheet() + 1) + ")");
            spec.searchResult = true;
            const QString made = reports::WriteLabels(conn, spec, p);
            const QString named = fx->path("L" + p + ".odt");
            QVERIFY(QFile::rename(made, named));
            files << named;
        }
        // One LibreOffice run converts all four.
        const QString soffice = requireTool("soffice", "libreoffice-writer-nogui");
        QVERIFY(!soffice.isEmpty());
        QProcess lo;
        lo.start(soffice, QStringList{"-env:UserInstallation=file://" + fx->path("lo-profile"), "--headless", "--convert-to",
                                      "pdf", "--outdir", fx->path("pdf")} + files);
        QVERIFY(lo.waitForFinished(60000));
        for (const QString& p : products) {
            const int per = reports::labelProduct(p).perSheet();
            QProcess t;
            t.start(pdftotext, {"-layout", fx->path("pdf/L" + p + ".pdf"), "-"});
            QVERIFY(t.waitForFinished(30000));
            const QStringList pages = QString::fromUtf8(t.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
            QCOMPARE(pages.size(), 2);
            QStringList order;
            QList<int> perPage;
            for (const QString& page : pages) {
                int n = 0;
                auto it = QRegularExpression("N(\\d{3}) Smith").globalMatch(page);
                while (it.hasNext()) order << it.next().captured(1), ++n;
                perPage << n;
            }
            QCOMPARE(perPage, (QList<int>{per, 1}));
            for (int i = 0; i < order.size(); ++i) QCOMPARE(order[i].toInt(), i + 1);
            QVERIFY2(pages[0].contains(QRegularExpression("Springfield, IL +62701")), qPrintable(pages[0]));
        }
    }

    void windowOutcomes_data() {
        QTest::addColumn<Parts>("parts");
        QTest::addColumn<QString>("typed");        // typed into part 7
        QTest::addColumn<bool>("hasProgram");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("labelFiles");
        QTest::newRow("nothing chosen") << Parts{} << "" << true << reports::texts::kChooseField << "Ravelstow" << 0;
        QTest::newRow("a typed name that is no field") << Parts{0} << "Nope" << true << reports::texts::kLabelError
                                                       << "Mailing Labels" << 0;
        QTest::newRow("no word processor") << Parts{0} << "" << false << reports::texts::kLabelsSavedAs << "Mailing Labels" << 1;
    }
    void windowOutcomes() {
        QFETCH(Parts, parts);
        QFETCH(QString, typed);
        QFETCH(bool, hasProgram);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(int, labelFiles);
        addressDb(3);
        desk->hasProgram = hasProgram;
        FrmMailLbls& w = window(parts);
        if (!typed.isEmpty()) w.cmbMail[7]->setCurrentText(typed);
        fx->ui.answerMsgBox(vb::vbOK);
        w.cmdCreate->click();
        QCOMPARE(fx->ui.messages().size(), 1);
        QVERIFY(fx->ui.messages()[0].startsWith(message));
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QVERIFY(w.bLblAbort);
        QVERIFY(w.IsLoaded());   // the window stays with its choices
        QCOMPARE(cleared, 0);
        QCOMPARE(desk->files().size(), labelFiles);
        if (labelFiles)
            QCOMPARE(fx->ui.messages()[0], message + "\r\n" + onlyLabels() + "\r\n\r\nNo program could open them. " +
                                               reports::texts::kNoWordProcessor);
    }

    void searchResultAndClosing() {
        addressDb(4);
        Module1::SrchFlg = true;
        searchChosen = true;
        window({0}, "(10) 2 x 4").cmdCreate->click();
        QCOMPARE(labelsOf(onlyLabels()), (QList<QStringList>{{"N001 ", "N003 "}}));
        QVERIFY(zipEntry(onlyLabels(), "content.xml").contains("style:row-height=\"2.0000in\""));

        FrmMailLbls& w = window({0});
        w.cmdCancel->click();
        QVERIFY(!w.IsLoaded());
        QCOMPARE(cleared, 2);
        window({0});
        w.Dialog()->reject();   // the close box
        QVERIFY(!w.IsLoaded());
        QCOMPARE(cleared, 3);
    }
};

RV_TEST(MailLabelsTest)
#include "MailLabelsTest.moc"
