#include "platform/ui/WidgetColors.h"

#include "platform/core/Colors.h"

#include <QPalette>
#include <QWidget>

namespace vb {

void SetBackColor(QWidget* w, uint32_t winRgb) {
    if (!w) return;
    QPalette p = w->palette();
    const QColor c = winRgbToQColor(winRgb);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetForeColor(QWidget* w, uint32_t winRgb) {
    if (!w) return;
    QPalette p = w->palette();
    const QColor c = winRgbToQColor(winRgb);
    // The caption's colour only: buttons and the text typed into boxes inside a frame keep their
    // own colours (palettes pass on to child controls; a window's colours do not in the original).
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

}  // namespace vb
