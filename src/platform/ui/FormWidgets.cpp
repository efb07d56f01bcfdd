#include "platform/ui/FormWidgets.h"

#include "platform/core/Twips.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace vb {

void PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

void GraphicalCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionButton frame;
    frame.initFrom(this);
    frame.state |= (checkState() == Qt::Unchecked) ? QStyle::State_Raised : QStyle::State_Sunken;
    if (checkState() != Qt::Unchecked) frame.state |= QStyle::State_On;
    style()->drawControl(QStyle::CE_PushButtonBevel, &frame, &p, this);
    const int iconSide = qMin(height() / 2, 24);
    const QRect iconRect((width() - iconSide) / 2, 4, iconSide, iconSide);
    if (!icon().isNull()) icon().paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(QRect(0, iconRect.bottom() + 2, width(), height() - iconRect.bottom() - 4), Qt::AlignHCenter | Qt::AlignTop,
               text().trimmed());
}

}  // namespace vb
