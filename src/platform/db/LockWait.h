#pragma once
// How long a statement waits for another program's lock on the file.
//
// Outside a command every statement waits up to a second by itself. A command that reads and
// writes many times holds a LockWait for its whole run instead: the first statement that meets a
// lock waits (up to kCommandWait), and once that wait has run out every later statement of the
// same command gives up at once, so a command under a lock waits once, not once per statement.
// While a wait lasts the program shows its busy cursor (through the hooks the window layer sets).
//
// Scopes nest; only the outermost one counts. Scopes and hooks belong to the thread that makes
// them: a statement on another thread (a report's readers) waits by itself, as outside a command.
#include <functional>

struct sqlite3;

namespace db {

class LockWait {
public:
    static constexpr int kCommandWait = 1500;    // ms, one wait per command
    static constexpr int kStatementWait = 1000;  // ms, each statement outside a command

    LockWait();
    ~LockWait();
    LockWait(const LockWait&) = delete;
    LockWait& operator=(const LockWait&) = delete;

    // Called when a wait begins and when the command that waited ends (the busy cursor).
    static void SetHooks(std::function<void()> waitStarted, std::function<void()> waitEnded);
    // Installs the waiting on a new connection.
    static void Install(sqlite3* db);
    // Ends the present wait's busy cursor before the command reports its outcome; later
    // statements of the command still give up at once.
    static void Settle();
};

}  // namespace db
