#pragma once
// Walks a window of the program as it shows and says what a user would see as wrong: a caption
// of a label, check box, option or push button, frame, header section, picker or list that is
// wider or taller than its room (the font's metrics against the control's size), a control that
// reaches past the edge of what holds it, an icon that is not the program's, a window that is not
// wholly on the screen of the main window, a child view whose background leaves its frame's edges
// bare, a caption (of a tab or a disabled box) too close in colour to what is behind it.
#include <QColor>
#include <QStringList>

class QMdiSubWindow;
class QWidget;

namespace look {

// Every problem of a top-level window and of all the controls under it ("" parts none).
QStringList ProblemsOfWindow(QWidget* window);

// The problems of a child view's frame: its icon, the view filling the frame in `formColour`,
// and the view's controls.
QStringList ProblemsOfChildView(QMdiSubWindow* frame, const QColor& formColour);

// Each control of a top-level window (its child views' too) that takes keyboard focus but shows no frame with it.
QStringList FocusProblems(QWidget* window);

// The captions and pictures of the controls under `root` (for the walk itself, and for a test
// that a control's text is the one expected).
QStringList ProblemsOfControls(QWidget* root);

}  // namespace look
