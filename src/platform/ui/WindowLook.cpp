#include "platform/ui/WindowLook.h"

#include "platform/paths/AppPaths.h"
#include "platform/ui/FocusFrameStyle.h"
#include "platform/ui/FormWidgets.h"

#include <QApplication>
#include <QPalette>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace vb {

namespace {

QPointer<QWidget> g_main;

// The window manager's frame around a window's client area, as the main window shows it, or a
// usual title bar and border before the main window is on the screen.
QMargins frameMargins() {
    if (g_main && g_main->isVisible()) {
        const QRect outer = g_main->frameGeometry(), inner = g_main->geometry();
        const QMargins m(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
        if (m.top() > 0) return m;
    }
    return QMargins(4, 28, 4, 4);
}

bool isPlacedWindow(const QWidget* w) {
    if (!w->isWindow()) return false;
    switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
    case Qt::SubWindow: return false;
    default: return true;
    }
}

class WindowLookFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(watched);
        if (!isPlacedWindow(w)) return false;
        KeepOnScreen(w);
        // Some windows (message boxes) take their final size while they are being shown.
        QPointer<QWidget> guard(w);
        QTimer::singleShot(0, w, [guard] {
            if (guard && guard->isVisible()) KeepOnScreen(guard);
        });
        return false;
    }
};

}  // namespace

QIcon ProgramIcon() {
    static const QIcon icon(QDir(resourceFolder()).filePath(QStringLiteral("res/ravelstow.png")));
    return icon;
}

QFont ProgramFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setPointSizeF(8.25);
    return f;
}

void InstallWindowLook(QWidget* mainWindow) {
    g_main = mainWindow;
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    QApplication::setStyle(new FocusFrameStyle);
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setFont(ProgramFont());
    // Text of a disabled box or button stays readable: the style's light grey on the grey of a
    // disabled box is about 1.6:1; this grey gives more than 4.5:1 on it and on white.
    QPalette palette = QApplication::palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(96, 96, 96));
    QApplication::setPalette(palette);
    qApp->installEventFilter(new WindowLookFilter(qApp));
}

QWidget* LookMainWindow() { return g_main; }

QRect FitInside(const QRect& frame, const QRect& available) {
    QRect r = frame;
    if (available.isEmpty()) return r;
    r.setWidth(qMin(r.width(), available.width()));
    r.setHeight(qMin(r.height(), available.height()));
    if (r.right() > available.right()) r.moveRight(available.right());
    if (r.bottom() > available.bottom()) r.moveBottom(available.bottom());
    if (r.left() < available.left()) r.moveLeft(available.left());
    if (r.top() < available.top()) r.moveTop(available.top());
    return r;
}

QRect FrameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry()) return frame;
    return QRect(window->pos(), window->size().grownBy(frameMargins()));
}

void KeepOnScreen(QWidget* window, const QWidget* anchor) {
    if (!window) return;
    if (!anchor) anchor = window->parentWidget() ? window->parentWidget()->window() : g_main.data();
    if (anchor == window) anchor = g_main;
    const QScreen* screen = anchor ? anchor->screen() : window->screen();
    if (!screen) return;
    // The frame's rectangle: a window not yet on the screen has none yet, so a usual one is assumed
    // around its client area (a window's position is that of its frame).
    const QMargins m = frameMargins();
    QRect frame = FrameOf(window);
    // A window that nothing placed opens over the window it belongs to, not where the window
    // manager happens to put it.
    if (!window->testAttribute(Qt::WA_Moved) && anchor) {
        const QRect over = anchor->isVisible() ? anchor->frameGeometry() : anchor->geometry();
        frame.moveCenter(over.center());
    }
    const QRect fitted = FitInside(frame, screen->availableGeometry());
    const QSize client = fitted.size().shrunkBy(m).expandedTo(QSize(1, 1));
    if (fitted.size() != frame.size()) window->resize(client.boundedTo(window->size()));
    if (fitted.topLeft() != window->pos() || !window->testAttribute(Qt::WA_Moved)) window->move(fitted.topLeft());
}

int WidthForTitle(const QString& title) {
    // Window managers draw titles in a bold face of about this size; the icon and the buttons
    // take about 120 pixels of the bar.
    return QFontMetrics(BoldFont(QStringLiteral("DejaVu Sans"), 9)).horizontalAdvance(title) + 120;
}

}  // namespace vb
