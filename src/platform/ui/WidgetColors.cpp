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
    // A check box or option button shows its colour behind its caption; Qt would fill it with
    // the button colour instead.
    if (w->inherits("QCheckBox") || w->inherits("QRadioButton")) w->setBackgroundRole(QPalette::Window);
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
