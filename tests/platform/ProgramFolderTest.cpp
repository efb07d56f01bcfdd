// Where the program keeps its settings and databases.
#include "platform/paths/AppPaths.h"
#include "support/TestRegistry.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class ProgramFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Started from the build tree (as the tests are): the per-user data folder, or RAVELSTOW_HOME.
    void chosenFolder() {
        QTemporaryDir home;
        const QByteArray saved = qgetenv("RAVELSTOW_HOME");
        qunsetenv("RAVELSTOW_HOME");
        QCOMPARE(vb::programFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        qputenv("RAVELSTOW_HOME", home.path().toUtf8());
        QCOMPARE(vb::programFolder(), home.path());
        saved.isNull() ? qunsetenv("RAVELSTOW_HOME") : qputenv("RAVELSTOW_HOME", saved);
    }
};

RV_TEST(ProgramFolderTest)
#include "ProgramFolderTest.moc"
