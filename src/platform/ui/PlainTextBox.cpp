#include "platform/ui/PlainTextBox.h"

#include <QMimeData>

namespace vb {

bool PlainTextBox::HoldsText(const QMimeData* source) {
    return source && !source->formats().isEmpty() && source->hasText();
}

bool PlainTextBox::canInsertFromMimeData(const QMimeData* source) const {
    return HoldsText(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void PlainTextBox::insertFromMimeData(const QMimeData* source) {
    if (HoldsText(source)) QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace vb
