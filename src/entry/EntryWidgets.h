#pragma once
// Widgets of the entry view that behave as its platform controls did: the keyword list, whose
// drags carry the entry's text; the keyword box, which takes a dropped keyword in place of its
// text; and a small hook that forwards chosen events of a control to the view's handlers.
#include <QLineEdit>
#include <QListWidget>
#include <functional>

class QMimeData;

// The keyword list: a drag carries the selected entry as plain text.
class KeywordList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};

// A keyword box: text dropped on it replaces its text (one keyword per box). A disabled or
// read-only box refuses the drop.
class KeywordBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    // Takes the text of a drop; false when the box refuses it.
    bool DropText(const QMimeData* data);
    bool CanTake(const QMimeData* data) const;

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

// Forwards the events of the controls it is installed on to a function; the function returns
// true to swallow the event.
class EventHook : public QObject {
public:
    using Handler = std::function<bool(QObject*, QEvent*)>;
    EventHook(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_ && handler_(watched, event); }

private:
    Handler handler_;
};
