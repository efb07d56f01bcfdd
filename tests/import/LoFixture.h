#pragma once
// Workbooks saved by LibreOffice Calc as Excel 97-2003 (.xls), made once per test run: the
// spreadsheets are written as flat OpenDocument files and converted by soffice --headless, in a
// profile of its own that has Calc compute every formula on loading, so the workbooks store the
// results Calc computed, as a workbook saved from Calc does.
//
// "long.xls":     "Good" (Name text, Qty numbers), "Long" (Text: one text of 17,000 characters,
//                 one of 9,000 Cyrillic characters, one short text), "After" (Code text, Price
//                 numbers).
// "late.xls":     "Late" (Text: 8,000 characters, then 10,000 that begin near a record's end and touch three).
// "formulas.xls": "Sums": Name (text), Qty (numbers), a header made by a formula ("Total") over
//                 Qty*3, Label (texts made by formulas), Flag (truth values made by formulas),
//                 Bad (formulas whose result is an error, #DIV/0!); "Names": the headers Name, Age,
//                 Name, TolvaneID, KeyWord1, RptFlg over numbers.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace lofixture {

inline QString cell(const QString& text) {
    return QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>")
        .arg(text.toHtmlEscaped());
}
inline QString number(double v) {
    return QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\"/>").arg(v);
}
inline QString formula(const QString& f) {
    return QStringLiteral("<table:table-cell table:formula=\"of:=%1\"/>").arg(f.toHtmlEscaped());
}
inline QString row(const QStringList& cells) {
    return QStringLiteral("<table:table-row>") + cells.join(QString()) + QStringLiteral("</table:table-row>");
}
inline QString table(const QString& name, const QStringList& rows) {
    return QStringLiteral("<table:table table:name=\"%1\">").arg(name) + rows.join(QString()) +
           QStringLiteral("</table:table>");
}
inline QString document(const QStringList& tables) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
               "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\" "
               "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">"
               "<office:body><office:spreadsheet>") +
           tables.join(QString()) + QStringLiteral("</office:spreadsheet></office:body></office:document>");
}

inline QString longDocument() {
    return document({table("Good", {row({cell("Name"), cell("Qty")}), row({cell("a"), number(2)}), row({cell("b"), number(4)})}),
                     table("Long", {row({cell("Text")}), row({cell(QString(17000, QChar('y')))}),
                                    row({cell(QString(9000, QChar(0x0416)))}), row({cell("short")})}),
                     table("After", {row({cell("Code"), cell("Price")}), row({cell("c1"), number(1.5)})})});
}

inline QString lateDocument() {
    return document({table("Late", {row({cell("Text")}), row({cell(QString(8000, QChar('x')))}), row({cell(QString(10000, QChar('y')))})})});
}

inline QString formulaDocument() {
    QStringList sums{row({cell("Name"), cell("Qty"), formula("\"To\"&\"tal\""), cell("Label"), cell("Flag"), cell("Bad")})};
    for (int r = 2; r <= 4; ++r)
        sums << row({cell(QStringLiteral("n%1").arg(r)), number(r), formula(QStringLiteral("[.B%1]*3").arg(r)),
                     formula(QStringLiteral("[.A%1]&\"!\"").arg(r)), formula(QStringLiteral("[.B%1]>2").arg(r)),
                     formula("1/0")});
    const QStringList names{row({cell("Name"), cell("Age"), cell("Name"), cell("TolvaneID"), cell("KeyWord1"), cell("RptFlg")}),
                            row({number(1), number(2), number(3), number(4), number(5), number(6)})};
    return document({table("Sums", sums), table("Names", names)});
}

// The folder holding the workbooks above; empty (with a warning) when they could not be
// made. Made on the first call.
inline QString folder() {
    static QTemporaryDir dir;
    static bool made = false;
    if (made) return dir.path();
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        qWarning("soffice (Debian package libreoffice-calc-nogui) is needed to make the test workbooks");
        return {};
    }
    const QList<QPair<QString, QString>> docs{{"long", longDocument()}, {"late", lateDocument()}, {"formulas", formulaDocument()}};
    QStringList args{QStringLiteral("-env:UserInstallation=file://") + dir.filePath("profile"), "--headless", "--convert-to",
                     "xls", "--outdir", dir.path()};
    for (const auto& [name, text] : docs) {
        QFile f(dir.filePath(name + ".fods"));
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(text.toUtf8());
        args << f.fileName();
    }
    // Calc is told to compute the formulas of the files it loads.
    QDir().mkpath(dir.filePath("profile/user"));
    QFile settings(dir.filePath("profile/user/registrymodifications.xcu"));
    if (!settings.open(QIODevice::WriteOnly)) return {};
    settings.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                   "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
                   "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\"><prop oor:name=\"ODFRecalcMode\" "
                   "oor:op=\"fuse\"><value>0</value></prop></item>\n</oor:items>\n");
    settings.close();
    QProcess p;
    p.start(soffice, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning("soffice failed: %s", p.readAllStandardError().constData());
        return {};
    }
    for (const auto& doc : docs)
        if (!QFile::exists(dir.filePath(doc.first + ".xls"))) {
            qWarning("soffice made no %s.xls: %s", qPrintable(doc.first), p.readAllStandardError().constData());
            return {};
        }
    made = true;
    return dir.path();
}

}  // namespace lofixture
