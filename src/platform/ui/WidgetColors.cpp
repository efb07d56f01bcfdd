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
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetForeColor(QWidget* w, uint32_t winRgb) {
    if (!w) return;
    QPalette p = w->palette();
    const QColor c = winRgbToQColor(winRgb);
    // The caption's colour only: the text typed into boxes inside a frame keeps its own colour
    // (palettes pass on to child controls, a frame's fore colour does not).
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

}  // namespace vb
