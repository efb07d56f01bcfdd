#include "platform/ui/RefusedBox.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

namespace vb {

void FocusRefused(QWidget* box) {
    if (!box) return;
    box->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(box)) e->selectAll();
    else if (auto* s = qobject_cast<QAbstractSpinBox*>(box)) s->selectAll();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(box)) p->selectAll();
    else if (auto* t = qobject_cast<QTextEdit*>(box)) t->selectAll();
    else if (auto* c = qobject_cast<QComboBox*>(box); c && c->lineEdit()) c->lineEdit()->selectAll();
}

void FocusRefusedLater(QWidget* box) {
    QPointer<QWidget> guard(box);
    QTimer::singleShot(0, box, [guard] {
        if (guard && guard->isVisible() && guard->isEnabled()) FocusRefused(guard);
    });
}

}  // namespace vb
