#include "support/Fixture.h"

#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"
#include "support/WindowHooks.h"

#include <QDir>
#include <QTest>
#include <sqlite3.h>

Fixture::Fixture(Window window) {
    Q_ASSERT(dir.isValid());
    vb::setProgramFolderForTesting(dir.path());
    Module1::Reset();
    // The colours the main window's start-up reads when there is no settings file.
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));
    if (rvtest::windowHooks().setUp) rvtest::windowHooks().setUp(*this, window);
    else if (window == WithMainWindow) qFatal("a test without windows asked for the main window");
}

Fixture::~Fixture() {
    if (rvtest::windowHooks().tearDown) rvtest::windowHooks().tearDown(*this);
    Module1::Reset();
    vb::setProgramFolderForTesting(QString());
    if (ui.pending() > 0) QTest::qFail("Scripted answers left unused", __FILE__, __LINE__);
}

QString Fixture::path(const QString& name) const { return QDir(dir.path()).filePath(name); }

void makeSqliteFile(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        qFatal("cannot create %s", qPrintable(path));
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "?");
        sqlite3_free(err);
        sqlite3_close(db);
        qFatal("sql failed: %s", qPrintable(msg));
    }
    sqlite3_close(db);
}

void openDatabase(const QString& path, const QString& level, bool security, const QString& user) {
    Module1::CurrentDBPath = path;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SecurityOn = security;
    Module1::SetCurrentUser(user);
    Module1::SetCurrentUserLevel(level);
}
