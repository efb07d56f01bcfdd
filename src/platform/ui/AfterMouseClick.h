#pragma once
// A check that runs when the focus leaves a box may show a message. Shown while the mouse button
// that moved the focus is still down, the message takes the click away from the button it was
// meant for. Such work waits here until the button is released and the click has been handled.
#include <QObject>
#include <functional>

namespace vb {

// Runs `then` once no mouse button is down any more and the events of the release have been
// handled; at once when no button is down now. Nothing runs when `context` is destroyed first.
void AfterMouseClick(QObject* context, std::function<void()> then);

// Whether a mouse button is down (a click is under way).
bool MouseButtonDown();

}  // namespace vb
