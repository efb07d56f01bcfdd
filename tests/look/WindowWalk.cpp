#include "look/WindowWalk.h"

#include "platform/ui/FormWidgets.h"
#include "platform/ui/WindowLook.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QMdiArea>
#include <QSignalBlocker>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <cmath>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

namespace look {

namespace {

// The child view's frame a control stands in, below `root`; nullptr when there is none.
const QMdiSubWindow* frameBelow(const QWidget* w, const QWidget* root) {
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (auto* frame = qobject_cast<const QMdiSubWindow*>(p)) return frame;
    return nullptr;
}

// "window/control", the window being the child view when the control stands in one.
QString nameOf(const QWidget* w) {
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    const QMdiSubWindow* frame = frameBelow(w, nullptr);
    const QWidget* win = frame && frame->widget() ? frame->widget() : w->window();
    return (win && win != w ? win->objectName() + "/" : QString()) + name;
}

// The text as shown: "&&" shows "&", a single "&" marks the mnemonic and is not drawn.
QString shownText(QString t) {
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(QLatin1Char('&'));
    t.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return t;
}

QString tooBig(const QWidget* w, const QString& what, const QString& text, QSize need, QSize room) {
    return QStringLiteral("%1 %2 \"%3\" needs %4x%5 px, has %6x%7")
        .arg(what, nameOf(w), text)
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

bool fits(QSize need, QSize room) { return need.width() <= room.width() && need.height() <= room.height(); }

QString labelProblem(const QLabel* l) {
    if (l->text().isEmpty() || !l->pixmap().isNull()) return {};
    const int m = l->margin();
    QRect room = l->contentsRect().adjusted(m, m, -m, -m);
    const QFontMetrics fm(l->font());
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0) indent = fm.horizontalAdvance(QLatin1Char('x')) / 2;
    if (indent > 0) {
        if (l->alignment() & Qt::AlignLeft) room.setLeft(room.left() + indent);
        if (l->alignment() & Qt::AlignRight) room.setRight(room.right() - indent);
    }
    const bool rich = l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    QSize need;
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        if (l->wordWrap()) doc.setTextWidth(room.width());
        need = QSize(int(std::ceil(doc.idealWidth())), int(std::ceil(doc.size().height())));
    } else {
        const QString text = l->buddy() ? shownText(l->text()) : l->text();
        const int flags = Qt::TextExpandTabs | (l->wordWrap() ? Qt::TextWordWrap : 0);
        need = fm.boundingRect(QRect(0, 0, room.width(), 100000), flags, text).size();
    }
    return fits(need, room.size()) ? QString() : tooBig(l, QStringLiteral("label"), l->text(), need, room.size());
}

// A control that draws its own caption, measured where and as it draws it.
QString ownCaptionProblem(const QWidget* w, const vb::CaptionLayout* own) {
    const QRect room = own->CaptionRect();
    const QSize need = QFontMetrics(own->CaptionFont())
                           .boundingRect(QRect(0, 0, room.width(), 100000), own->CaptionFlags(), own->CaptionText())
                           .size();
    if (!fits(need, room.size())) return tooBig(w, QStringLiteral("caption of"), own->CaptionText(), need, room.size());
    // A label that cuts its text to fit shows less than its whole text.
    if (auto* l = qobject_cast<const QLabel*>(w); l && own->CaptionText() != l->text())
        return QStringLiteral("label %1 \"%2\" is cut to \"%3\"").arg(nameOf(w), l->text(), own->CaptionText());
    return {};
}

QString buttonProblem(const QAbstractButton* b) {
    if (b->text().isEmpty()) return {};
    const QFontMetrics fm(b->font());
    const QString text = shownText(b->text());
    QSize need(fm.horizontalAdvance(text), fm.height());
    if (!b->icon().isNull()) need.rwidth() += b->iconSize().width() + 4;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    QRect room;
    if (qobject_cast<const QCheckBox*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
    } else if (qobject_cast<const QRadioButton*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
    } else if (auto* push = qobject_cast<const QPushButton*>(b)) {
        if (push->isDefault()) opt.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault()) opt.features |= QStyleOptionButton::AutoDefaultButton;
        // A little air on each side of the caption inside the button's bevel.
        room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).adjusted(2, 0, -2, 0);
    } else {
        room = b->rect().adjusted(3, 3, -3, -3);
    }
    return fits(need, room.size()) ? QString() : tooBig(b, QStringLiteral("button"), b->text(), need, room.size());
}

QStringList headerProblems(const QHeaderView* h) {
    QStringList out;
    if (!h->model() || h->orientation() != Qt::Horizontal) return out;
    for (int i = 0; i < h->count(); ++i) {
        if (h->isSectionHidden(i)) continue;
        const QString text = h->model()->headerData(i, Qt::Horizontal).toString();
        if (text.isEmpty()) continue;
        const int need = h->sectionSizeHint(i), room = h->sectionSize(i);
        if (need > room) out << tooBig(h, QStringLiteral("header section"), text, QSize(need, 0), QSize(room, 0));
    }
    return out;
}

QString groupBoxProblem(const QGroupBox* g) {
    if (g->title().isEmpty()) return {};
    const QFontMetrics fm(g->font());
    const QSize need(fm.horizontalAdvance(shownText(g->title())) + 12, fm.height());
    return fits(need, g->size()) ? QString() : tooBig(g, QStringLiteral("frame"), g->title(), need, g->size());
}

QString spinBoxProblem(const QAbstractSpinBox* s) {
    const QSize need(s->sizeHint().width(), QFontMetrics(s->font()).height());
    return fits(need, s->size()) ? QString() : tooBig(s, QStringLiteral("picker"), s->text(), need, s->size());
}

QString comboProblem(const QComboBox* c) {
    if (c->isEditable() || c->count() == 0) return {};
    const QFontMetrics fm(c->font());
    int widest = 0;
    QString widestText;
    for (int i = 0; i < c->count(); ++i) {
        const int w = fm.horizontalAdvance(c->itemText(i));
        if (w > widest) widest = w, widestText = c->itemText(i);
    }
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = false;
    opt.frame = c->hasFrame();
    const QSize need = c->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(widest, fm.height()), c);
    return need.width() <= c->width() ? QString() : tooBig(c, QStringLiteral("list"), widestText, need, c->size());
}

double luminance(const QColor& c) {
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double contrast(const QColor& x, const QColor& y) {
    const double a = luminance(x), b = luminance(y);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
}

// The colour most of an image shows: the background of a control.
QColor commonest(const QImage& img) {
    QHash<QRgb, int> count;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ++count[img.pixel(x, y) | 0xff000000u];
    QRgb back = 0;
    int most = -1;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > most) most = it.value(), back = it.key();
    return QColor(back);
}

// A caption drawn in a colour too close to what is behind it cannot be read (white on light
// grey); the background is the colour most of the control shows.
QString contrastProblem(QWidget* w, const QString& text) {
    if (!w->isEnabled() || text.trimmed().isEmpty() || w->width() <= 0 || w->height() <= 0) return {};
    const QColor fore = w->palette().color(QPalette::Active, w->foregroundRole());
    const QColor back = commonest(w->grab().toImage());
    if (contrast(fore, back) >= 2.5) return {};
    return QStringLiteral("caption of %1 \"%2\" is %3 on %4: too little contrast to read")
        .arg(nameOf(w), text, fore.name(), back.name());
}

// The text of a disabled box stays readable: at least 4.5:1 against the box.
QString disabledTextProblem(QWidget* w) {
    QString text;
    if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) text = t->toPlainText();
    else if (auto* c = qobject_cast<QComboBox*>(w)) text = c->currentText();
    else return {};
    if (w->isEnabled() || text.trimmed().isEmpty()) return {};
    const bool combo = qobject_cast<QComboBox*>(w) != nullptr;
    const QColor fore = w->palette().color(QPalette::Disabled, combo ? QPalette::ButtonText : QPalette::Text);
    const QColor back = w->palette().color(QPalette::Disabled, combo ? QPalette::Button : QPalette::Base);
    const double ratio = contrast(fore, back);
    return ratio >= 4.5 ? QString()
                        : QStringLiteral("disabled text of %1 \"%2\" is %3 on %4 (%5:1): too little contrast to read")
                              .arg(nameOf(w), text.left(40), fore.name(), back.name())
                              .arg(ratio, 0, 'f', 1);
}

// Every tab's caption reads at least 4.5:1 against its tab, enabled or not: the background is the
// colour most of the tab shows inside its border, the caption the colour farthest from it.
QStringList tabProblems(QTabBar* bar) {
    QStringList out;
    const QImage img = bar->grab().toImage();
    for (int i = 0; i < bar->count(); ++i) {
        const QRect r = bar->tabRect(i).adjusted(3, 3, -3, -3);
        const QImage tab = img.copy(QRect(r.topLeft() * img.devicePixelRatio(), r.size() * img.devicePixelRatio()));
        const QColor back = commonest(tab);
        QColor fore = back;   // the caption: the colour farthest from the background
        for (int y = 0; y < tab.height(); ++y)
            for (int x = 0; x < tab.width(); ++x)
                if (contrast(tab.pixelColor(x, y), back) > contrast(fore, back)) fore = tab.pixelColor(x, y);
        if (const double ratio = contrast(fore, back); ratio < 4.5 && !bar->tabText(i).trimmed().isEmpty())
            out << QStringLiteral("caption of tab \"%1\" of %2 (%3) is %4 on %5 (%6:1): too little contrast to read")
                       .arg(bar->tabText(i), nameOf(bar), bar->isEnabled() && bar->isTabEnabled(i) ? "enabled" : "disabled",
                            fore.name(), back.name())
                       .arg(ratio, 0, 'f', 2);
    }
    return out;
}

bool sameIcon(const QIcon& a, const QIcon& b) {
    if (a.isNull() || b.isNull()) return false;
    const QImage x = a.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    return x == y;
}

}  // namespace

QStringList ProblemsOfControls(QWidget* root) {
    QStringList out;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
        // Controls of another window (a dialog of this one) or of a child view are walked with
        // their own window or view.
        if (!w->isVisibleTo(root) || w->window() != root->window() || frameBelow(w, root)) continue;
        // A control that reaches past its holder's edge is cut there (scrolled contents aside).
        QWidget* parent = w->parentWidget();
        if (parent && !w->isWindow() && !parent->inherits("QAbstractScrollArea") && !parent->inherits("QMdiSubWindow") &&
            w->objectName() != QLatin1String("qt_scrollarea_viewport") && !parent->rect().contains(w->geometry()) &&
            (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w)))
            out << QStringLiteral("%1 reaches past the edge of %2").arg(nameOf(w), nameOf(parent));
        QString p;
        if (auto* own = dynamic_cast<const vb::CaptionLayout*>(w)) p = ownCaptionProblem(w, own);
        else if (auto* l = qobject_cast<QLabel*>(w)) p = labelProblem(l);
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) p = buttonProblem(b);
        else if (auto* g = qobject_cast<QGroupBox*>(w)) p = groupBoxProblem(g);
        else if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) p = spinBoxProblem(s);
        else if (auto* c = qobject_cast<QComboBox*>(w)) p = comboProblem(c);
        else if (auto* h = qobject_cast<QHeaderView*>(w)) out << headerProblems(h);
        else if (auto* t = qobject_cast<QTabBar*>(w)) out << tabProblems(t);
        if (!p.isEmpty()) out << p;
        // Push buttons draw their caption in the button colours of the style, not checked here.
        if (const QString d = disabledTextProblem(w); !d.isEmpty()) out << d;
        if (auto* l = qobject_cast<QLabel*>(w); l && l->pixmap().isNull()) p = contrastProblem(w, l->text());
        else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) p = contrastProblem(w, static_cast<QAbstractButton*>(w)->text());
        else p.clear();
        if (!p.isEmpty()) out << p;
    }
    return out;
}

namespace {
// Holds focus events from the program's handlers (a picker that opens on entry, a check on leaving).
struct FocusEventsHeld : QObject {
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut; }
};
}  // namespace

QStringList FocusProblems(QWidget* window) {
    QStringList out;
    FocusEventsHeld held;
    qApp->installEventFilter(&held);
    const QSignalBlocker quiet(qApp);
    const QPointer<QWidget> active = QApplication::activeWindow(), had = QApplication::focusWidget();
    if (active != window) QApplication::setActiveWindow(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QWidget* top = window->childAt(w->mapTo(window, w->rect().center()));   // one under another is not seen
        if (!w->isVisibleTo(window) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() ||
            w->window() != window || qobject_cast<QMdiSubWindow*>(w) || qobject_cast<QMdiArea*>(w) || (top != w && !w->isAncestorOf(top)))
            continue;
        if (QWidget* f = QApplication::focusWidget()) f->clearFocus();
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        const QImage a = window->grab(r).toImage();
        w->setFocus(Qt::TabFocusReason);
        if (!w->hasFocus()) continue;
        const QImage b = window->grab(r).toImage();
        w->clearFocus();
        // A frame: pixels standing out 3:1, enough to go round what they enclose, caption-tall or half the control.
        int n = 0;
        QRect box;
        for (int y = 0; y < qMin(a.height(), b.height()); ++y)
            for (int x = 0; x < qMin(a.width(), b.width()); ++x)
                if (contrast(a.pixelColor(x, y), b.pixelColor(x, y)) >= 3.0) ++n, box |= QRect(x, y, 1, 1);
        if (n == 0 || n * 4 < 6 * (box.width() + box.height()) || box.width() < 8 || box.height() < qMin(12, a.height() / 2))
            out << QStringLiteral("%1 (%2x%3) shows no focus frame (%4 px stand out, round %5x%6)")
                       .arg(nameOf(w)).arg(w->width()).arg(w->height()).arg(n).arg(box.width()).arg(box.height());
    }
    if (had) had->setFocus(Qt::OtherFocusReason);
    if (active && active != window) QApplication::setActiveWindow(active);
    qApp->removeEventFilter(&held);
    return out;
}

QStringList ProblemsOfWindow(QWidget* window) {
    QStringList out;
    if (!sameIcon(window->windowIcon(), vb::ProgramIcon()))
        out << QStringLiteral("window %1 does not show the program's icon").arg(nameOf(window));
    const QWidget* main = vb::LookMainWindow();
    if (main && window != main && main->screen()) {
        const QRect screen = main->screen()->availableGeometry();
        if (!screen.contains(window->frameGeometry()))
            out << QStringLiteral("window %1 at (%2,%3 %4x%5) is not wholly on the screen (%6x%7)")
                       .arg(nameOf(window))
                       .arg(window->frameGeometry().x())
                       .arg(window->frameGeometry().y())
                       .arg(window->frameGeometry().width())
                       .arg(window->frameGeometry().height())
                       .arg(screen.width())
                       .arg(screen.height());
    }
    // The title bar shows the whole title (the main window's is as wide as the screen allows).
    if (window != main && window->windowType() != Qt::Popup && !window->windowTitle().isEmpty() &&
        window->width() < vb::WidthForTitle(window->windowTitle()))
        out << QStringLiteral("window %1 is %2 px wide, its title \"%3\" needs %4")
                   .arg(nameOf(window), QString::number(window->width()), window->windowTitle(),
                        QString::number(vb::WidthForTitle(window->windowTitle())));
    out << ProblemsOfControls(window);
    return out;
}

QStringList ProblemsOfChildView(QMdiSubWindow* frame, const QColor& formColour) {
    QStringList out;
    QWidget* view = frame->widget();
    if (!view) return out;
    if (!sameIcon(frame->windowIcon(), vb::ProgramIcon()))
        out << QStringLiteral("child view %1 does not show the program's icon").arg(view->objectName());
    // The frame starts inside the document area (a frame larger than the area reaches past its
    // right or bottom edge, never past its left or top one, where its controls would be lost).
    if (!frame->isMaximized() && (frame->x() < 0 || frame->y() < 0))
        out << QStringLiteral("child view %1 starts at %2,%3, outside the document area")
                   .arg(view->objectName())
                   .arg(frame->x())
                   .arg(frame->y());
    // The view covers the whole inside of its frame...
    const QRect inside = frame->layout() ? frame->layout()->contentsRect() : frame->contentsRect();
    if (!view->geometry().contains(inside))
        out << QStringLiteral("child view %1 (%2,%3 %4x%5) leaves its frame's inside (%6,%7 %8x%9) bare")
                   .arg(view->objectName())
                   .arg(view->x())
                   .arg(view->y())
                   .arg(view->width())
                   .arg(view->height())
                   .arg(inside.x())
                   .arg(inside.y())
                   .arg(inside.width())
                   .arg(inside.height());
    // ... and shows the form colour along the inside's edges, where no control stands.
    const QImage shot = frame->grab().toImage();
    int wrong = 0, looked = 0;
    QPoint firstWrong;
    auto look = [&](QPoint p) {
        const QPoint inView = view->mapFrom(frame, p);
        QWidget* at = view->childAt(inView);
        if (at && at != view) return;
        ++looked;
        if (QColor(shot.pixel(p)).rgb() != formColour.rgb() && wrong++ == 0) firstWrong = p;
    };
    for (int x = inside.left() + 1; x < inside.right() - 1; x += 7) {
        look(QPoint(x, inside.top() + 1));
        look(QPoint(x, inside.bottom() - 1));
    }
    for (int y = inside.top() + 1; y < inside.bottom() - 1; y += 7) {
        look(QPoint(inside.left() + 1, y));
        look(QPoint(inside.right() - 1, y));
    }
    if (wrong > 0)
        out << QStringLiteral("child view %1: %2 of %3 points along its frame's edges are not the form colour (first at %4,%5: %6)")
                   .arg(view->objectName())
                   .arg(wrong)
                   .arg(looked)
                   .arg(firstWrong.x())
                   .arg(firstWrong.y())
                   .arg(QColor(shot.pixel(firstWrong)).name());
    out << ProblemsOfControls(view);
    return out;
}

}  // namespace look
