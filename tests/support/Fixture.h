#pragma once
// What each test starts from: a fresh temporary program folder, the shared state as at start,
// no form loaded, and the scripted UI installed.
#include "support/ScriptedUi.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class frmMain;

class Fixture {
public:
    enum Window { NoMainWindow, WithMainWindow };
    // WithMainWindow: the main window is made and started as at program start; its Quit only
    // counts in `quits`.
    explicit Fixture(Window window = NoMainWindow);
    ~Fixture();

    frmMain* main = nullptr;
    int quits = 0;

    QString path(const QString& name) const;   // a path inside the program folder
    ScriptedUi ui;
    QTemporaryDir dir;
};

// The database at path open as the Open command leaves it: the connection built, the file marked
// open and the user signed in. No view is loaded.
void openDatabase(const QString& path, const QString& level = QStringLiteral("SUPRVR"), bool security = false,
                  const QString& user = QStringLiteral("Admin"));

// Unloads every form and lets the deferred deletions of their windows run (window tests only).
void unloadAllForms();

// A SQLite file made directly with the given SQL (";"-separated statements), for tests that need
// files the program itself would not make.
void makeSqliteFile(const QString& path, const QString& sql);
