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
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

}  // namespace vb
