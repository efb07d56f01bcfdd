#pragma once
// Small pieces every window uses: placing a control at a position given in twips, and a dialog
// whose title-bar close (and Esc) runs the window's own Cancel or Close command.
#include <QCheckBox>
#include <QDialog>
#include <functional>

namespace vb {

void PlaceTwips(QWidget* control, int left, int top, int width, int height);

class CommandDialog : public QDialog {
public:
    // The command that closing the window runs; it decides whether and how the window goes.
    explicit CommandDialog(std::function<void()> onClose, QWidget* parent = nullptr)
        : QDialog(parent), onClose_(std::move(onClose)) {}
    void reject() override { onClose_(); }

private:
    std::function<void()> onClose_;
};

// A check box drawn as a button with its picture above its caption, pressed in while ticked.
class GraphicalCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace vb
