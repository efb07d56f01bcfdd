// The HTML file of a report holds each value as stored, and LibreOffice prints it as the program
// does: long words wrapped, every line in the report's font.
#include "ReportData.h"
#include "ReportsTestUtil.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace reportstest;

namespace {

// The report of the test database with the values and titles given, as HTML; its path.
QString htmlReport(Fixture& fx, const QString& sql, const QString& title = {}) {
    const QString db = reportsdb::build(fx.path("d.mdb"));
    if (!sql.isEmpty()) exec(db, sql);
    frmReports& v = openReports(db);
    v.RptText[0]->setText(title);
    tick(v, {1, 7, 8});
    const QString html = fx.path("r.html");
    fx.ui.answerSave(html);
    v.OptHTML_Click();
    return html;
}

// The HTML converted to PDF by LibreOffice within 30 s, with a profile of its own.
QString loPdf(Fixture& fx, const QString& html) {
    QTemporaryDir profile(QDir::tempPath() + "/rv-lo-XXXXXX");
    run("soffice", {"-env:UserInstallation=file://" + profile.path(), "--headless", "--convert-to", "pdf", "--outdir", fx.path("lo"), html},
        "libreoffice-writer-nogui", 30000);
    return fx.path("lo/r.pdf");
}

}  // namespace

class HtmlReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The page's text, tags removed and entities decoded, holds a long value whole.
    void longValuesKeptWhole() {
        Fixture fx;
        QString path = "/home/user/Documents/Archive";
        while (path.size() < 160) path += "/Folder" + QString::number(path.size());
        path.truncate(160);
        const QString file = htmlReport(fx, "UPDATE UserTable SET PhotoFP = '" + path + "', City = 'Wx' || hex(zeroblob(60))");
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll()).remove(QRegularExpression("<[^>]*>"));
        for (const auto& [entity, ch] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}})
            text.replace(entity, ch);
        QVERIFY2(text.contains(path), qPrintable(text));
        QVERIFY(text.contains("Wx" + QString(120, '0')));
    }

    // LibreOffice prints a title word longer than the line, and the footer in the report's face.
    void titleAndFooterInLibreOffice() {
        Fixture fx;
        const QString word = "Title" + QString(70, 'W') + "End";
        const QString pdf = loPdf(fx, htmlReport(fx, {}, word));
        QString text = run("pdftotext", {"-l", "1", pdf, "-"}, "poppler-utils");
        text.remove(QRegularExpression("\\s"));
        QVERIFY2(text.contains(word) && text.contains("Alice") && text.contains("Page1Of1"), qPrintable(text));
        const QString fonts = run("pdffonts", {pdf}, "poppler-utils");
        QVERIFY2(!fonts.contains("Serif"), qPrintable(fonts));
    }
};

RV_TEST(HtmlReportTest)
#include "HtmlReportTest.moc"
