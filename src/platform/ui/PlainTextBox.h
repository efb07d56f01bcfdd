#pragma once
// A multi-line plain-text box that pastes only text. Qt's own box dies when it is handed clipboard
// data that holds nothing (no owner of the X selection, the usual state right after logging in);
// this one passes over data with no formats or no text, whatever the gesture: Ctrl+V,
// Shift+Insert, the middle button, a drop, or the context menu's Paste.
#include <QPlainTextEdit>

namespace vb {

class PlainTextBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    // True when the data holds text to insert.
    static bool HoldsText(const QMimeData* source);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace vb
