#include "shell/Form.h"

#include "platform/core/UiServices.h"

#include <QCoreApplication>
#include <QDialog>

namespace {
ViewHost* g_host = nullptr;
Form* g_active = nullptr;
}  // namespace

ViewHost* viewHost() { return g_host; }
void setViewHost(ViewHost* host) { g_host = host; }

Form::Form(QString name) : name_(std::move(name)) {}

Form::~Form() {
    if (g_active == this) g_active = nullptr;
    if (QCoreApplication::instance()) delete widget_.data();
}

void Form::Load() {
    if (IsLoaded()) return;
    widget_ = CreateWidget();
    widget_->setObjectName(name_);
    loaded_ = true;
    if (IsChildView() && g_host) g_host->AddChild(*this);
    Form_Load();
}

void Form::Unload() {
    if (!loaded_) return;
    if (widget_.isNull()) {
        loaded_ = false;
        return;
    }
    try {
        Form_Unload();
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
    loaded_ = false;
    if (g_active == this) g_active = nullptr;
    if (IsChildView() && g_host) g_host->RemoveChild(*this);
    // The unload may come from a handler of one of the window's own controls: the widgets go
    // once control is back in the event loop.
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();
    }
    widget_ = nullptr;
}

void Form::Show() {
    Load();
    if (widget_) widget_->show();
}

void Form::Hide() {
    if (widget_) widget_->hide();
}

bool Form::Visible() const { return widget_ && widget_->isVisible(); }

void Form::SetFocus() {
    Show();
    if (!IsChildView()) {
        widget_->raise();
        widget_->activateWindow();
        return;
    }
    if (g_host) g_host->ActivateChild(*this);
    Activated();
}

void Form::Activated() {
    if (g_active == this || !loaded_) return;
    g_active = this;
    vb::RunTrapped([this] { Form_Activate(); });
}

Form* Form::ActiveForm() { return g_active; }

QDialog* DialogForm::Dialog() const { return qobject_cast<QDialog*>(Widget()); }

int DialogForm::ShowModal() {
    Load();
    QDialog* dlg = Dialog();
    if (!dlg) return 0;
    if (g_host && !dlg->parentWidget()) {
        dlg->setParent(g_host->DialogParent(), dlg->windowFlags() | Qt::Dialog);
    }
    dlg->setWindowModality(Qt::ApplicationModal);
    // A dialog's activate step runs each time it is shown; it does not count as a child view
    // becoming active, so the view behind it is not activated again when the dialog closes.
    vb::RunTrapped([this] { Form_Activate(); });
    const int result = vb::ui().RunModal(*dlg);
    return result;
}
