#pragma once
// Helpers of the export tests: the database open with its field list, the export folder inside the
// test's folder, no program ever started, and readers for what the exports write.
#include "entry/DataInput.h"
#include "platform/office/ExportFolder.h"
#include "platform/shellexec/ShellExecute.h"
#include "reports/ExportSpec.h"
#include "shell/Module1.h"
#include "support/Fixture.h"
#include "support/TestDb.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <zip.h>

namespace exporttest {

// The database open as the Open command leaves it, with the entry view's field list filled.
inline void openDb(const QString& path) {
    openDatabase(path);
    DataInput::instance().Load();
}

// Exports go to <test folder>/Documents; opening a file starts nothing and is counted.
struct Desktop {
    QStringList opened;
    bool hasProgram = true;
    explicit Desktop(const Fixture& fx) {
        vb::setExportFolderForTesting(fx.path(QStringLiteral("Documents/Ravelstow Exports")));
        vb::setLauncherForTesting([this](const QString&, const QStringList& args) {
            opened << args.value(0);
            return true;
        });
        vb::setAssociationLookupForTesting([this](const QString&) { return hasProgram ? QStringLiteral("office.desktop") : QString(); });
    }
    ~Desktop() {
        vb::setExportFolderForTesting({});
        vb::setLauncherForTesting({});
        vb::setAssociationLookupForTesting({});
    }
    QStringList files() const {
        return QDir(vb::exportFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

// One entry of a zip file ("" when missing).
inline QByteArray zipEntry(const QString& zipPath, const QString& name) {
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &err);
    if (!z) return {};
    QByteArray out;
    zip_stat_t st;
    if (zip_stat(z, name.toUtf8().constData(), 0, &st) == 0) {
        if (zip_file_t* f = zip_fopen(z, name.toUtf8().constData(), 0)) {
            out.resize(qsizetype(st.size));
            out.resize(qsizetype(zip_fread(f, out.data(), st.size)));
            zip_fclose(f);
        }
    }
    zip_close(z);
    return out;
}

// A tool the checks need; fails the running test (naming the package) when it is missing.
inline QString requireTool(const QString& tool, const QString& package) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        QTest::qFail(qPrintable(tool + " is missing: install " + package + " (scripts/install-deps)"), __FILE__, __LINE__);
    return path;
}

// Converts a file with LibreOffice headless into `format` ("csv", "pdf") beside it, with a
// profile folder of its own; returns the converted file's path ("" on failure, the test failed).
inline QString convert(const QString& file, const QString& format, const QString& workDir, const QString& filter = {}) {
    const QString soffice =
        requireTool(QStringLiteral("soffice"), QStringLiteral("libreoffice-calc-nogui and libreoffice-writer-nogui"));
    if (soffice.isEmpty()) return {};
    const QString outDir = QDir(workDir).filePath(QStringLiteral("converted"));
    QDir().mkpath(outDir);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + QDir(workDir).filePath(QStringLiteral("lo-profile")),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter.isEmpty() ? format : format + ":" + filter,
                      QStringLiteral("--outdir"), outDir, file});
    if (!p.waitForFinished(60000)) {
        p.kill();
        QTest::qFail("soffice did not finish", __FILE__, __LINE__);
        return {};
    }
    const QString out = QDir(outDir).filePath(QFileInfo(file).completeBaseName() + "." + format);
    if (!QFileInfo::exists(out))
        QTest::qFail(qPrintable("soffice made no file: " + QString::fromLocal8Bit(p.readAll())), __FILE__, __LINE__);
    return out;
}

// Ticks box i of the reports view for each i, as the view fills them: box i shows entry i of the
// entry view's field list. The columns stay in box order.
inline void tick(ReportChoices& v, const QList<int>& boxes) {
    const DBFldFunct& list = DataInput::instance().DBDefMain().DBFldFunct();
    for (int i : boxes) v.columns.push_back({i, list.Item(i).FldName, list.Item(i).FldType, list.Item(i).FldName});
    std::sort(v.columns.begin(), v.columns.end(), [](const ReportColumn& a, const ReportColumn& b) { return a.slot < b.slot; });
}

// The ticks of the reports view as a plain choice; sort is the sort list's text.
inline ReportChoices viewChoices(std::initializer_list<int> ticked = {}, bool hasNotes = false, bool inclNotes = false,
                                 bool srchRes = false, const QString& sort = reports::kSortOff) {
    ReportChoices v;
    tick(v, ticked);
    v.hasNotes = hasNotes;
    v.inclNotes = inclNotes;
    v.searchResults = srchRes;
    v.sortField = sort == reports::kSortOff ? QString() : sort;
    return v;
}

}  // namespace exporttest
