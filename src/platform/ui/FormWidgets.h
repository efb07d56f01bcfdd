#pragma once
// Small pieces every window uses: placing a control at a position given in twips, and a dialog
// whose title-bar close (and Esc) runs the window's own Cancel or Close command.
#include "platform/core/UiServices.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <functional>

class QHeaderView;
class QToolButton;

namespace vb {

void PlaceTwips(QWidget* control, int left, int top, int width, int height);

// Names a new control and places it (twips); returns it.
template <typename W>
W* Placed(W* control, QAnyStringView name, int left, int top, int width, int height) {
    control->setObjectName(name);
    PlaceTwips(control, left, top, width, height);
    return control;
}

// A click of the button runs the handler trapped: an error is shown, not thrown into the event loop.
template <typename F>
void OnClicked(QAbstractButton* button, QObject* context, F handler) {
    QObject::connect(button, &QAbstractButton::clicked, context, [handler] { RunTrapped(handler); });
}

QFont BoldFont(const QString& family, double points);

// Tab goes from each control to the next, in the order given.
void TabOrder(const QList<QWidget*>& controls);

// A picture button with its tooltip; a click on it leaves the focus where it is (Tab still reaches it).
QToolButton* PictureButton(QWidget* parent, const QString& name, const QString& tip, const QIcon& icon);

// A control that draws its own caption tells where and how, so that a check of the window can
// measure the caption against its room.
class CaptionLayout {
public:
    virtual ~CaptionLayout() = default;
    virtual QRect CaptionRect() const = 0;   // where the caption is drawn, in the control's coordinates
    virtual int CaptionFlags() const = 0;    // the alignment and wrapping flags it is drawn with
    virtual QString CaptionText() const = 0;
    virtual QFont CaptionFont() const = 0;
};

// A label whose text is a name the user chose: when the name is wider than the label, the label
// draws it a little smaller (down to kLeastPoints); a name that does not fit even then is cut
// with "..." and shown whole in the label's tooltip. text() is always the whole name.
class FittingLabel : public QLabel, public CaptionLayout {
public:
    using QLabel::QLabel;
    static constexpr double kLeastPoints = 6.5;
    QRect CaptionRect() const override { return contentsRect(); }
    int CaptionFlags() const override { return int(alignment()); }
    QString CaptionText() const override;
    QFont CaptionFont() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* e) override;
};

// A check box whose caption is a name the user chose: a name wider than its room shows its end
// elided ("...") and the whole name in the tooltip. text() is always the whole name.
class FittingCheckBox : public QCheckBox, public CaptionLayout {
public:
    using QCheckBox::QCheckBox;
    QRect CaptionRect() const override;
    int CaptionFlags() const override { return int(Qt::AlignLeft | Qt::AlignVCenter); }
    QString CaptionText() const override;
    QFont CaptionFont() const override { return font(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* e) override;
};

// A list of the user's field names: the name shown in the closed box is elided ("...") when it is
// wider than the box, and the open list is wide enough for the longest name.
class FittingComboBox : public QComboBox, public CaptionLayout {
public:
    using QComboBox::QComboBox;
    QRect CaptionRect() const override;
    int CaptionFlags() const override { return int(Qt::AlignLeft | Qt::AlignVCenter); }
    QString CaptionText() const override;
    QFont CaptionFont() const override { return font(); }
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* e) override;
};

// Widens each section of a grid's header that is narrower than its caption needs.
void WidenHeaderSections(QHeaderView* header);

class CommandDialog : public QDialog {
public:
    // The command that closing the window runs; it decides whether and how the window goes.
    explicit CommandDialog(std::function<void()> onClose, QWidget* parent = nullptr)
        : QDialog(parent), onClose_(std::move(onClose)) {}
    void reject() override { onClose_(); }

private:
    std::function<void()> onClose_;
};

// A dialog of a fixed size (twips) with a title bar and its close box, which runs onClose. kind:
// Qt::Dialog, or Qt::Tool for a small title bar.
CommandDialog* FixedDialog(std::function<void()> onClose, const QString& title, int width, int height,
                           Qt::WindowType kind = Qt::Dialog, QWidget* parent = nullptr);

// A check box drawn as a button with its picture above its caption, pressed in while ticked.
class GraphicalCheckBox : public QCheckBox, public CaptionLayout {
public:
    using QCheckBox::QCheckBox;
    QRect CaptionRect() const override;
    int CaptionFlags() const override { return Qt::AlignHCenter | Qt::AlignTop; }
    QString CaptionText() const override { return text().trimmed(); }
    QFont CaptionFont() const override { return font(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace vb
