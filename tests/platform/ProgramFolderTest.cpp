// Where the program keeps its settings and databases.
#include "platform/paths/AppPaths.h"
#include "support/TestRegistry.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class ProgramFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The tests run from the build tree, as the program does when the build starts it.
    void chosenFolder_data() {
        QTest::addColumn<bool>("homeSet");
        QTest::newRow("started from the build tree: the per-user data folder") << false;
        QTest::newRow("RAVELSTOW_HOME set: that folder") << true;
    }
    void chosenFolder() {
        QFETCH(bool, homeSet);
        QTemporaryDir home;
        const QByteArray saved = qgetenv("RAVELSTOW_HOME");
        homeSet ? qputenv("RAVELSTOW_HOME", home.path().toUtf8()) : qunsetenv("RAVELSTOW_HOME");
        const QString chosen = vb::programFolder();
        saved.isNull() ? qunsetenv("RAVELSTOW_HOME") : qputenv("RAVELSTOW_HOME", saved);
        QCOMPARE(chosen, homeSet ? home.path() : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
};

RV_TEST(ProgramFolderTest)
#include "ProgramFolderTest.moc"
