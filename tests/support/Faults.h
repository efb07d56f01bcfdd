#pragma once
// Faults a test puts under the program: another program's lock on a file, a full disk.
#include <QString>
#include <csignal>
#include <sqlite3.h>
#include <sys/resource.h>

namespace testfaults {

// Holds an exclusive lock on a database file from a second connection while it lives, so that
// every write (and every read past the lock) of the program fails as under another program.
struct OtherProgramLock {
    sqlite3* db = nullptr;
    explicit OtherProgramLock(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~OtherProgramLock() {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    OtherProgramLock(const OtherProgramLock&) = delete;
    OtherProgramLock& operator=(const OtherProgramLock&) = delete;
};

// A full disk for this process, whoever runs it (root included): while it lives no file may grow
// past `bytes`, and a write past it fails instead of raising SIGXFSZ.
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit lim = old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};

}  // namespace testfaults
