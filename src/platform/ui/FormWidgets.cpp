#include "platform/ui/FormWidgets.h"

#include "platform/core/Twips.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QStyleOptionComboBox>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>

namespace vb {

void PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

QFont BoldFont(const QString& family, double points) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

void TabOrder(const QList<QWidget*>& controls) {
    for (qsizetype k = 1; k < controls.size(); ++k) QWidget::setTabOrder(controls[k - 1], controls[k]);
}

QToolButton* PictureButton(QWidget* parent, const QString& name, const QString& tip, const QIcon& icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setIcon(icon);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

CommandDialog* FixedDialog(std::function<void()> onClose, const QString& title, int width, int height,
                           Qt::WindowType kind, QWidget* parent) {
    auto* dlg = new CommandDialog(std::move(onClose), parent);
    if (!title.isEmpty()) dlg->setWindowTitle(title);
    dlg->setWindowFlags(kind | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dlg->setFixedSize(twipsToPx(width), twipsToPx(height));
    return dlg;
}

namespace {
QRect iconRectOf(const QWidget* w) {
    const int side = qMin(w->height() / 2, 24);
    return QRect((w->width() - side) / 2, 4, side, side);
}
}  // namespace

// A name cut to fit shows whole in the tooltip; true when the event was a tooltip request answered.
static bool showCutNameTip(QWidget* w, QEvent* e, const QString& shown, const QString& whole) {
    if (e->type() != QEvent::ToolTip || !w->toolTip().isEmpty()) return false;
    if (shown != whole) QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), whole, w);
    else QToolTip::hideText();
    return true;
}

QRect GraphicalCheckBox::CaptionRect() const {
    const QRect iconRect = iconRectOf(this);
    return QRect(0, iconRect.bottom() + 2, width(), height() - iconRect.bottom() - 4);
}

void GraphicalCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionButton frame;
    frame.initFrom(this);
    frame.state |= (checkState() == Qt::Unchecked) ? QStyle::State_Raised : QStyle::State_Sunken;
    if (checkState() != Qt::Unchecked) frame.state |= QStyle::State_On;
    style()->drawControl(QStyle::CE_PushButtonBevel, &frame, &p, this);
    const QRect iconRect = iconRectOf(this);
    if (!icon().isNull()) icon().paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(CaptionRect(), CaptionFlags(), CaptionText());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

QFont FittingLabel::CaptionFont() const {
    QFont f = font();
    const int room = contentsRect().width();
    for (double points = f.pointSizeF(); points >= kLeastPoints; points -= 0.25) {
        f.setPointSizeF(points);
        if (QFontMetrics(f).horizontalAdvance(text()) <= room) return f;
    }
    f.setPointSizeF(kLeastPoints);
    return f;
}

QString FittingLabel::CaptionText() const {
    return QFontMetrics(CaptionFont()).elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void FittingLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFrame(&p);
    p.setFont(CaptionFont());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    p.drawText(CaptionRect(), CaptionFlags(), CaptionText());
}

bool FittingLabel::event(QEvent* e) { return showCutNameTip(this, e, CaptionText(), text()) || QLabel::event(e); }

QRect FittingCheckBox::CaptionRect() const {
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, this);
}

QString FittingCheckBox::CaptionText() const {
    return QFontMetrics(font()).elidedText(text(), Qt::ElideRight, CaptionRect().width());
}

void FittingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text = CaptionText();
    p.drawControl(QStyle::CE_CheckBox, opt);
}

bool FittingCheckBox::event(QEvent* e) { return showCutNameTip(this, e, CaptionText(), text()) || QCheckBox::event(e); }

QRect FittingComboBox::CaptionRect() const {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this).adjusted(1, 0, -1, 0);
}

QString FittingComboBox::CaptionText() const {
    return QFontMetrics(font()).elidedText(currentText(), Qt::ElideRight, CaptionRect().width());
}

void FittingComboBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    opt.currentText = CaptionText();
    p.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

void FittingComboBox::showPopup() {
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = qMax(widest, fontMetrics().horizontalAdvance(itemText(i)));
    view()->setMinimumWidth(widest + 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QComboBox::showPopup();
}

bool FittingComboBox::event(QEvent* e) { return showCutNameTip(this, e, CaptionText(), currentText()) || QComboBox::event(e); }

void WidenHeaderSections(QHeaderView* header) {
    for (int i = 0; i < header->count(); ++i)
        if (!header->isSectionHidden(i) && header->sectionSize(i) < header->sectionSizeHint(i))
            header->resizeSection(i, header->sectionSizeHint(i));
}

}  // namespace vb
