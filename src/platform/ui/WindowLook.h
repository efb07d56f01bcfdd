#pragma once
// What every window of the program shares on the desktop: the program's icon, the program's
// font, title bars wide enough for their titles, and windows that open wholly on the screen that
// holds the main window.
#include <QIcon>
#include <QRect>
#include <QString>

class QWidget;

namespace vb {

// The program's own icon: res/ravelstow.png beside the executable.
QIcon ProgramIcon();

// The font of the controls that set none of their own: a face metric-compatible with Arial.
QFont ProgramFont();

// Once per run (later calls do nothing): the program's style (FocusFrameStyle), windows without an
// icon of their own show the program's icon, controls use ProgramFont, and each top-level window that opens is kept wholly on the
// screen of `mainWindow` (moved, and shrunk when it is larger than that screen).
void InstallWindowLook(QWidget* mainWindow);

// The main window given to InstallWindowLook, while it exists.
QWidget* LookMainWindow();

// Where a window whose frame (title bar and borders included) is `frame` goes so that it lies
// wholly inside `available`: moved in, and cut to its size when it is larger.
QRect FitInside(const QRect& frame, const QRect& available);

// The rectangle a window takes on the screen with its frame (title bar and borders); before the
// window manager has framed it, a usual frame is assumed around its client area.
QRect FrameOf(const QWidget* window);

// Places a top-level window so that it lies wholly on the screen that holds `anchor` (or the
// main window when anchor is null), keeping its position where it already fits.
void KeepOnScreen(QWidget* window, const QWidget* anchor = nullptr);

// The width a window needs for the window manager to show `title` in full in its title bar
// (the title in a bold face, the window icon and three title-bar buttons).
int WidthForTitle(const QString& title);

}  // namespace vb
