#pragma once
// A box whose value was refused takes the focus back with its whole text selected, so that what
// the user types next replaces the refused value instead of adding to it.
class QWidget;

namespace vb {

// Now (the message has been closed).
void FocusRefused(QWidget* box);

// Once the focus move that ran the check has ended; nothing when the box has gone, is hidden or
// is disabled by then.
void FocusRefusedLater(QWidget* box);

}  // namespace vb
