// Every file the program writes, on a full disk, in a folder it may not write to, over a read-only
// or locked file: the failure names its cause, the old file stays byte for byte, and no temporary
// file is left.
#include "ExportTestUtil.h"
#include "ReportData.h"
#include "platform/fs/DatabaseCopy.h"
#include "platform/fs/FileSystem.h"
#include "platform/report/ReportPainter.h"
#include "platform/report/ReportWriters.h"
#include "reports/MailLabels.h"
#include "reports/SpreadsheetExport.h"
#include "support/Faults.h"
#include "support/TestRegistry.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <memory>

using namespace exporttest;

namespace {

QMap<QString, QByteArray> folderBytes(const QString& folder) {
    QMap<QString, QByteArray> out;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile f(QDir(folder).filePath(name));
        out[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
    }
    return out;
}

report::Document bigDocument() {
    report::Document doc;
    doc.title = "Failures";
    doc.paper = QSizeF(12240, 15840);
    std::vector<report::Page> pages(12, report::Page{});
    for (report::Page& page : pages) {
        report::Band& band = page.bands.emplace_back();
        for (int i = 0; i < 40; ++i) {
            band.items.emplace_back().rect = QRectF(720, 720 + i * 300, 8000, 280);
            band.items.back().text = QString("Row %1 with some text").arg(i);
        }
    }
    doc.pages = report::PageList(std::make_shared<report::HeldPages>(std::move(pages)));
    return doc;
}

}  // namespace

class OutputFailuresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failedWriteNamesItsCauseAndKeepsTheOldFile_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("cause");
        for (const QString o : {"pdf", "html", "rtf", "xlsx", "labels", "database", "settings"}) {
            for (const char* f : {"full:0", "full:half", "full:most"})
                QTest::newRow(qPrintable(o + " " + f)) << o << QString(f) << "Disk full";
            QTest::newRow(qPrintable(o + " folder not writable")) << o << "folder" << "Permission denied";
            if (o != "xlsx" && o != "labels")   // these never replace a file
                QTest::newRow(qPrintable(o + " read-only target")) << o << "readonly" << "is read-only";
        }
        QTest::newRow("database locked target") << "database" << "locked" << "locked by another program";
    }
    void failedWriteNamesItsCauseAndKeepsTheOldFile() {
        QFETCH(QString, output);
        QFETCH(QString, fault);
        QFETCH(QString, cause);
        Fixture fx;
        Desktop desk(fx);
        const QString db = reportsdb::build(fx.path("d.mdb"));
        db::Connection conn;
        conn.Open(db);
        const QString out = fx.path("out");
        QDir().mkpath(out);
        const report::Document doc = bigDocument();
        reports::ExportSpec spec;
        spec.fields = {{"Name", "Text"}, {"Age", "Number/Integer"}};
        reports::MailSpec mail;
        mail.parts[0] = "Name", mail.types[0] = "Text";
        const bool exported = output == "xlsx" || output == "labels";
        const QString folder = exported ? vb::exportFolder() : out;
        const QString target = QDir(out).filePath("target." + output);
        std::function<void()> write = [&] {
            if (output == "pdf") report::WritePdf(doc, target);
            if (output == "html") report::WriteHtml(doc, target);
            if (output == "rtf") report::WriteRtf(doc, target);
            if (output == "xlsx") reports::WriteSpreadsheet(conn, spec, {});
            if (output == "labels") reports::WriteLabels(conn, mail, "8160", {});
            if (output == "database") vb::CopyDatabase(db, target);
            if (output == "settings") vb::WriteFileReplacing(target, QByteArray(30000, 's'));
        };
        write();   // the old file
        const auto before = folderBytes(folder);
        QVERIFY(!before.isEmpty());
        const qint64 size = before.first().size();
        std::unique_ptr<testfaults::FileSizeLimit> full;
        std::unique_ptr<testfaults::OtherProgramLock> lock;
        const auto ro = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ExeOwner | QFileDevice::ExeGroup;
        if (fault == "folder") QFile::setPermissions(folder, ro);
        if (fault == "readonly") QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        if (fault == "locked") lock = std::make_unique<testfaults::OtherProgramLock>(target);
        vb::VbError error;
        try {
            if (fault.startsWith("full:")) {
                const QString at = fault.mid(5);
                full = std::make_unique<testfaults::FileSizeLimit>(at == "0" ? 0 : at == "half" ? size / 2 : size * 9 / 10);
            }
            write();
        } catch (const vb::VbError& e) {
            error = e;
        }
        full.reset();
        lock.reset();
        QFile::setPermissions(folder, ro | QFileDevice::WriteOwner);
        QVERIFY2(error.description.contains(cause), qPrintable(error.description));
        if (exported)   // names the time-stamped file it writes
            QVERIFY2(error.description.contains(QRegularExpression(" \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d( \\(\\d+\\))?\\.")),
                     qPrintable(error.description));
        QVERIFY(error.number == vb::err::DiskFull || error.number == vb::err::PermissionDenied);
        QCOMPARE(folderBytes(folder), before);
    }
};

RV_TEST(OutputFailuresTest)
#include "OutputFailuresTest.moc"
