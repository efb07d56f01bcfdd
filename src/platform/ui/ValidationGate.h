#pragma once
// Runs a text box's validation the way VB does: when the focus leaves the box for another control
// of the same window, and before a command of that window runs. Qt does neither on its own (a tool
// button does not even take the focus when clicked), so each form keeps one gate over its widgets.
//
// A watched box becomes "pending" when it gets the focus. Its check runs when the focus moves to
// another widget inside the gate's scope (focus lost to a dialog, a pop-up or another window does
// not count) and when a command asks the gate first. A check that fails holds the focus in the box
// and keeps the command from running.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "platform/core/UiServices.h"

namespace vb {

class ValidationGate : public QObject {
public:
    // The check of a box: true when the value may stay, false when the focus must stay in the box
    // (the Validate event's Cancel).
    using Check = std::function<bool()>;

    // The gate lives as long as its scope (the form's window), which owns it.
    explicit ValidationGate(QWidget* scope);
    ~ValidationGate() override;

    void Watch(QWidget* box, Check check);

    // The box whose check is due, or nullptr.
    QWidget* Pending() const { return pending_; }
    // Makes a watched box the pending one (its focus-in, for callers that move the focus by code
    // on a platform that reports no focus events).
    void SetPending(QWidget* box);

    // Runs the pending box's check; false when it held the focus, so the command must not run.
    bool ValidatePending();

    // A command behind the gate: the pending check first, then the command, all trapped.
    template <typename F>
    void Run(F&& command) {
        RunTrapped([&] {
            if (ValidatePending()) command();
        });
    }

    // For commands outside every form (the main window's tab strip): runs the check of the
    // pending box that has the focus, in whichever form it is. False when it held the focus.
    static bool ValidateFocused();

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    bool runCheck(QWidget* box);
    void holdFocus(QWidget* box);
    void runDeferred();
    QWidget* focusedWatchedBox() const;

    QPointer<QWidget> scope_;
    QPointer<QWidget> pending_;
    QPointer<QWidget> deferred_;   // a check waiting for the mouse click that moved the focus to end
    std::map<QWidget*, Check> checks_;
    bool running_ = false;
};

}  // namespace vb
