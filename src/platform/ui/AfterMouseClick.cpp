#include "platform/ui/AfterMouseClick.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>

namespace vb {

namespace {

class ReleaseWatcher : public QObject {
public:
    ReleaseWatcher(QObject* context, std::function<void()> then) : context_(context), then_(std::move(then)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && !fired_) {
            fired_ = true;
            // Queued: the release reaches its widget (and ends the click) first.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (context_ && !MouseButtonDown()) then_();
                    else if (context_) {
                        fired_ = false;   // another button is still down: wait for it too
                        return;
                    }
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QPointer<QObject> context_;
    std::function<void()> then_;
    bool fired_ = false;
};

}  // namespace

bool MouseButtonDown() { return QGuiApplication::mouseButtons() != Qt::NoButton; }

void AfterMouseClick(QObject* context, std::function<void()> then) {
    if (!MouseButtonDown() || !QCoreApplication::instance()) {
        then();
        return;
    }
    new ReleaseWatcher(context, std::move(then));   // deletes itself once it has run
}

}  // namespace vb
