#pragma once
// The program's style: the desktop's own, with a focus frame that can be seen on every control that
// holds the focus (buttons, picture buttons, lists, check boxes, boxes, tabs), whatever colours the
// user gave the windows. The frame is two pixels wide inside the control's edge (or round a
// caption), black on a light control and white on a dark one.
#include <QProxyStyle>

namespace vb {

class FocusFrameStyle : public QProxyStyle {
public:
    FocusFrameStyle();

    // Lists, grids and text areas show the frame inside their viewport, over what it draws.
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

    // Draws the frame inside `rect`, on a control whose colour is `behind` (invalid when unknown, as
    // on a picture: a black line outside a white one, so that one of them stands out).
    static void DrawFocusFrame(QPainter* painter, const QRect& rect, const QColor& behind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool repainting_ = false;
};

}  // namespace vb
