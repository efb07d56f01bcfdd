#include "platform/ui/FocusFrameStyle.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTabBar>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>
#include <cmath>

namespace vb {

namespace {

bool hasFocus(const QStyleOption* option) { return option && (option->state & QStyle::State_HasFocus); }

// Relative luminance (WCAG): black stands out more than white from a colour above 0.179.
double luminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

// The colour a focus frame is drawn on: the face of a button or a list, the field of a box, else the
// colour of the control itself (a check box's caption on its form, a tab, a picture).
QColor behind(const QStyleOption* option, const QWidget* widget) {
    if (qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QCheckBox*>(widget) &&
        !qobject_cast<const QRadioButton*>(widget))
        return option->palette.color(QPalette::Button);
    if (qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QLineEdit*>(widget))
        return option->palette.color(QPalette::Base);
    return widget ? widget->palette().color(widget->backgroundRole()) : option->palette.color(QPalette::Window);
}

// The control whose focus a widget shows over what it paints: a list's or a text area's viewport
// shows its area's, a picture that takes the focus its own; nullptr for every other widget.
QWidget* focusShownOver(QObject* o) {
    if (auto* area = o ? qobject_cast<QAbstractScrollArea*>(o->parent()) : nullptr; area && area->viewport() == o) return area;
    if (auto* label = qobject_cast<QLabel*>(o); label && label->focusPolicy() != Qt::NoFocus) return label;
    return nullptr;
}

}  // namespace

FocusFrameStyle::FocusFrameStyle() = default;

namespace {
// Labels are watched whatever their focus policy when polished: it may be set afterwards.
bool mayShowFocus(QWidget* w) { return qobject_cast<QLabel*>(w) || focusShownOver(w); }
}  // namespace

void FocusFrameStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (mayShowFocus(widget)) widget->installEventFilter(this);
}

void FocusFrameStyle::unpolish(QWidget* widget) {
    if (mayShowFocus(widget)) widget->removeEventFilter(this);
    QProxyStyle::unpolish(widget);
}

bool FocusFrameStyle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || repainting_) return QProxyStyle::eventFilter(watched, event);
    QWidget* control = focusShownOver(watched);
    if (!control || !control->hasFocus()) return QProxyStyle::eventFilter(watched, event);
    // The widget paints first; the frame goes over its edges.
    auto* widget = static_cast<QWidget*>(watched);
    repainting_ = true;
    QCoreApplication::sendEvent(widget, event);
    repainting_ = false;
    QPainter painter(widget);
    // A picture's colours are not known: it gets a frame that stands out on any of them.
    DrawFocusFrame(&painter, widget->rect(), control == widget ? QColor() : control->palette().color(QPalette::Base));
    return true;
}

void FocusFrameStyle::DrawFocusFrame(QPainter* painter, const QRect& rect, const QColor& behind) {
    if (rect.width() < 4 || rect.height() < 4) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    // Black on a light colour, white on a dark one: 4.5:1 at least on any.
    const bool light = behind.isValid() && luminance(behind) > 0.179;
    painter->setPen(QPen(light || !behind.isValid() ? Qt::black : Qt::white, 1));
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    if (!behind.isValid()) painter->setPen(QPen(Qt::white, 1));
    painter->drawRect(rect.adjusted(1, 1, -2, -2));
    painter->restore();
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    switch (element) {
    case PE_FrameFocusRect: {
        // The desktop style draws it faintly, and only once the keyboard has been used. A tab shows
        // it round the whole tab rather than its caption alone.
        QRect r = option->rect;
        if (auto* bar = qobject_cast<const QTabBar*>(widget); bar && bar->tabAt(r.center()) >= 0)
            r = bar->tabRect(bar->tabAt(r.center())).adjusted(2, 2, -2, -2);
        DrawFocusFrame(painter, r, behind(option, widget));
        return;
    }
    case PE_PanelLineEdit: {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        // A box without a frame of its own (inside a list or a picker) shows the focus of what holds it.
        auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (hasFocus(option) && frame && frame->lineWidth > 0)
            DrawFocusFrame(painter, option->rect, option->palette.color(QPalette::Base));
        return;
    }
    default: QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // The desktop style only tints a push button's outline.
    if (element == CE_PushButton && hasFocus(option)) DrawFocusFrame(painter, option->rect.adjusted(2, 2, -2, -2), option->palette.color(QPalette::Button));
}

void FocusFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                         const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (!hasFocus(option) || (control != CC_ComboBox && control != CC_SpinBox)) return;
    auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    DrawFocusFrame(painter, option->rect, option->palette.color(combo && !combo->editable ? QPalette::Button : QPalette::Base));
}

}  // namespace vb
