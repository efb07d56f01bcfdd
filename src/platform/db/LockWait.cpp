#include "platform/db/LockWait.h"

#include <chrono>
#include <sqlite3.h>
#include <thread>

namespace db {

namespace {

using Clock = std::chrono::steady_clock;

struct WaitState {
    int depth = 0;                 // open command scopes
    bool waiting = false;          // the present command has begun a wait
    bool cursor = false;           // ...and its busy cursor is shown
    bool gaveUp = false;           // ...and it ran out
    Clock::time_point deadline;
    std::function<void()> started, ended;
};

WaitState& state() {
    thread_local WaitState s;
    return s;
}

constexpr auto kStep = std::chrono::milliseconds(5);

int busyHandler(void*, int count) {
    WaitState& s = state();
    if (s.depth == 0) {
        // No command: this statement alone waits, as a busy timeout would.
        if (count * kStep >= std::chrono::milliseconds(LockWait::kStatementWait)) return 0;
        std::this_thread::sleep_for(kStep);
        return 1;
    }
    if (s.gaveUp) return 0;
    const Clock::time_point now = Clock::now();
    if (!s.waiting) {
        s.waiting = true;
        s.cursor = true;
        s.deadline = now + std::chrono::milliseconds(LockWait::kCommandWait);
        if (s.started) s.started();
    }
    if (now >= s.deadline) {
        s.gaveUp = true;
        return 0;
    }
    std::this_thread::sleep_for(kStep);
    return 1;
}

}  // namespace

LockWait::LockWait() {
    WaitState& s = state();
    if (s.depth++ == 0) {
        s.waiting = false;
        s.gaveUp = false;
    }
}

LockWait::~LockWait() {
    WaitState& s = state();
    if (--s.depth > 0) return;
    s.waiting = false;
    s.gaveUp = false;
    Settle();
}

void LockWait::Settle() {
    WaitState& s = state();
    if (!s.cursor) return;
    s.cursor = false;
    if (s.ended) s.ended();
}

void LockWait::SetHooks(std::function<void()> waitStarted, std::function<void()> waitEnded) {
    state().started = std::move(waitStarted);
    state().ended = std::move(waitEnded);
}

void LockWait::Install(sqlite3* db) { sqlite3_busy_handler(db, &busyHandler, nullptr); }

}  // namespace db
