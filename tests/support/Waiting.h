#pragma once
// Waiting on windows and events in tests, never on the clock.
#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class QFileDialog;

namespace rvtest {

// Plays the user at the modal windows an action opens: while it lives, the active modal window is
// handed to the handler from the event loop. Past the deadline every modal window is rejected, so
// the action returns, and the caller fails its row with failure(), which names what was awaited.
class ModalDriver {
public:
    static constexpr int kDeadlineMs = 5000;
    ModalDriver(QString awaited, std::function<void(QWidget* modal)> handler);
    bool expired() const { return expired_; }
    QString failure() const {
        return QStringLiteral("Gave up after %1 ms waiting for %2; every open modal window was rejected").arg(kDeadlineMs).arg(awaited_);
    }

private:
    QString awaited_;
    std::function<void(QWidget*)> handler_;
    QDeadlineTimer deadline_{kDeadlineMs};
    QObject context_;   // the handler's queued calls die with the driver
    bool queued_ = false;
    bool expired_ = false;
    QTimer tick_;
};

// Types `name` into a file dialog's name box, as a user does, and presses Enter.
void typeFileName(QFileDialog* dialog, const QString& name);

// Runs posted events, and those they post in turn, a bounded number of rounds.
void settle();

}  // namespace rvtest
