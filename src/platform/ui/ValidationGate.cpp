#include "platform/ui/ValidationGate.h"

#include "platform/ui/AfterMouseClick.h"
#include "platform/ui/RefusedBox.h"

#include <QApplication>
#include <algorithm>
#include <vector>

namespace vb {

namespace {
std::vector<ValidationGate*>& gates() {
    static std::vector<ValidationGate*> all;
    return all;
}
}  // namespace

ValidationGate::ValidationGate(QWidget* scope) : QObject(scope), scope_(scope) {
    gates().push_back(this);
    if (qApp)
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) { onFocusChanged(old, now); });
}

ValidationGate::~ValidationGate() {
    auto& all = gates();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void ValidationGate::Watch(QWidget* box, Check check) {
    if (!box) return;
    checks_[box] = std::move(check);
    // A box destroyed before the gate leaves no dangling entry behind.
    connect(box, &QObject::destroyed, this, [this, box] { checks_.erase(box); });
}

void ValidationGate::SetPending(QWidget* box) {
    if (box && checks_.count(box)) pending_ = box;
}

bool ValidationGate::runCheck(QWidget* box) {
    const auto it = checks_.find(box);
    if (it == checks_.end() || !it->second) return true;
    running_ = true;
    bool ok = true;
    try {
        ok = it->second();
    } catch (const VbError& e) {
        ShowErrorPair(e);   // reported; the box does not keep the user locked in
    } catch (const std::exception& e) {
        ShowUnexpectedError(e);
    }
    running_ = false;
    return ok;
}

void ValidationGate::holdFocus(QWidget* box) {
    pending_ = box;
    if (!box) return;
    running_ = true;
    FocusRefused(box);
    running_ = false;
}

// The box whose turn is next once the pending one has passed: the watched box holding the focus.
QWidget* ValidationGate::focusedWatchedBox() const {
    QWidget* f = QApplication::focusWidget();
    return f && checks_.count(f) ? f : nullptr;
}

bool ValidationGate::ValidatePending() {
    if (running_) return false;
    deferred_ = nullptr;   // the check that waited for a click to end runs here, once
    QPointer<QWidget> box = pending_;
    if (!box) return true;
    if (!runCheck(box)) {
        holdFocus(box);
        return false;
    }
    // Passed: the box stays pending only while it keeps the focus (a button click does not take it).
    if (box && !box->hasFocus()) pending_ = focusedWatchedBox();
    return true;
}

void ValidationGate::runDeferred() {
    QPointer<QWidget> box = deferred_;
    deferred_ = nullptr;
    if (!box || pending_ != box) return;   // a command behind the gate has run the check already
    if (!runCheck(box)) {
        holdFocus(box);
        return;
    }
    pending_ = focusedWatchedBox();
}

void ValidationGate::onFocusChanged(QWidget* old, QWidget* now) {
    if (running_ || !now || !scope_) return;
    // Only moves inside the form count; a dialog, a pop-up or another view leaves the box pending.
    if (!scope_->isAncestorOf(now) && now != scope_) return;
    if (pending_ && old == pending_ && now != old) {
        if (MouseButtonDown()) {
            // A mouse press moved the focus: a message now would take its click away. The check
            // runs when the click has ended, unless a command behind the gate runs it first.
            deferred_ = pending_;
            AfterMouseClick(this, [this] { runDeferred(); });
            return;
        }
        QPointer<QWidget> box = pending_;
        if (!runCheck(box)) {
            holdFocus(box);
            return;
        }
        pending_ = nullptr;
    }
    if (checks_.count(now)) pending_ = now;
}

bool ValidationGate::ValidateFocused() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return true;
    // A copy: a check may unload a form and so destroy its gate.
    const std::vector<QPointer<ValidationGate>> all(gates().begin(), gates().end());
    for (const auto& g : all) {
        if (g && g->pending_ == focus) return g->ValidatePending();
    }
    return true;
}

}  // namespace vb
