#pragma once
// Waiting on windows and events in tests, never on the clock.
//
// ModalDriver plays the user at the modal windows an action opens, with a deadline. While the
// driver lives, the handler is handed the active modal window every few milliseconds (and may act
// on it as a user would: typing, pressing keys, closing a box). If the deadline passes first,
// every modal window still open is rejected, so the action returns; the caller then fails its row
// with failure(), which names what was awaited.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QFileDialog;

namespace rvtest {

class ModalDriver {
public:
    using Handler = std::function<void(QWidget* modal)>;
    static constexpr int kDeadlineMs = 5000;

    ModalDriver(QString awaited, Handler handler, int deadlineMs = kDeadlineMs);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool expired() const { return expired_; }
    QString failure() const;

private:
    void tick();

    QString awaited_;
    Handler handler_;
    QObject context_;   // the handler's queued calls die with the driver
    bool handling_ = false;   // a call of the handler is queued
    QTimer tick_;
    QTimer deadline_;
    bool expired_ = false;
};

// Closes every modal window that is open (a box a dialog opened first), rejecting each.
void rejectAllModals();

// Types `name` into a file dialog's name box, as a user does, and presses Enter.
void typeFileName(QFileDialog* dialog, const QString& name);

// Lets every event already posted run, and those they post in turn (queued calls, zero-time
// timers), a bounded number of rounds: what a test checks afterwards did not just "not happen yet".
void settle();

}  // namespace rvtest
