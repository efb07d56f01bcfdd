// Files the program replaces: a write that fails keeps the old file whole, and temporary files
// left by a process that no longer runs are removed when the program next writes to that folder.
#include "platform/core/VbError.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/ini/IniFile.h"
#include "support/TestRegistry.h"
#include "support/Faults.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QStringList hidden(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\."));
}
}  // namespace

class ReplacedFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A full disk (a file-size limit) while the settings are written: the old file stays whole.
    void failedSettingsWriteKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("TolvanePrg.ini");
        QVERIFY(vb::WritePrivateProfileString("BCKCLR", "FrmColor", "16711680", ini));
        QVERIFY(vb::WritePrivateProfileString("NOTES", "Text", QString(3000, 'n'), ini));
        const QByteArray before = contents(ini);
        bool written = true;
        {
            const testfaults::FileSizeLimit full(1000);
            written = vb::WritePrivateProfileString("BCKCLR", "FrmColor", "255", ini);
        }
        QVERIFY(!written);
        QCOMPARE(contents(ini), before);
        QCOMPARE(vb::GetPrivateProfileString("BCKCLR", "FrmColor", "", 255, ini), QString("16711680"));
        QCOMPARE(hidden(dir.path()), QStringList());
    }

    // A temporary file (and its journal) of a process that has ended is removed by the next write
    // to the folder; one of a running process stays.
    void staleTemporaryFilesAreRemoved() {
        QTemporaryDir dir;
        const QString target = dir.filePath("a.mdb");
        QProcess ended;
        ended.start("true");
        QVERIFY(ended.waitForFinished());
        const qint64 deadPid = ended.processId() > 0 ? ended.processId() : 0;
        QString mine = vb::TempPathBeside(target);
        QString stale = QString(mine).replace(QString("-%1-").arg(QCoreApplication::applicationPid()),
                                              QString("-%1-").arg(deadPid ? deadPid : 999999));
        QVERIFY(stale != mine);
        for (const QString& p : {mine, stale, stale + "-journal"}) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        vb::WriteFileReplacing(dir.filePath("b.ini"), "x=1\r\n");
        QVERIFY(QFile::exists(mine));
        QVERIFY(!QFile::exists(stale));
        QVERIFY(!QFile::exists(stale + "-journal"));
        QCOMPARE(contents(dir.filePath("b.ini")), QByteArray("x=1\r\n"));
    }

    // A database engine's write by name that fails: its journals go with the temporary file.
    void failedLibraryWriteLeavesNoJournal() {
        QTemporaryDir dir;
        vb::ReplacingFile out(dir.filePath("e.mdb"));
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QVERIFY(QFile(out.libraryPath() + suffix).open(QIODevice::WriteOnly));
        QVERIFY_THROWS_EXCEPTION(vb::VbError, out.failWrite(ENOSPC, "database or disk is full"));
        QCOMPARE(hidden(dir.path()), QStringList());
    }
};

RV_TEST(ReplacedFilesTest)
#include "ReplacedFilesTest.moc"
