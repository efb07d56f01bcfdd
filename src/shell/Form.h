#pragma once
// The life cycle every window of the program shares: one long-lived form object whose members
// outlive its window. Load builds the widgets and runs the load step; Unload runs the unload step
// and destroys the widgets (unloading a form that is not loaded does nothing); SetFocus loads,
// shows and activates. Child views live in the main window's document area (the ViewHost); the
// activate step runs when another child view becomes the active one.
#include <QPointer>
#include <QString>
#include <QWidget>

class QDialog;
class QListWidget;
class Form;

// The main window's document area, as the forms see it.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void AddChild(Form& form) = 0;        // place the form's widget as a child view
    virtual void RemoveChild(Form& form) = 0;     // it is being unloaded
    virtual void ActivateChild(Form& form) = 0;   // make it the active child view
    virtual QWidget* DialogParent() = 0;          // parent for dialogs and boxes
};
ViewHost* viewHost();
void setViewHost(ViewHost* host);

// The child views the shell drives without knowing their classes: the form of each, defined
// beside the main window's commands, which open them.
enum class View { Entry, Search, Reports, NewDatabase };
Form& hostedView(View view);

class Form {
public:
    explicit Form(QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& Name() const { return name_; }
    // A window destroyed with its parent (the main window) counts as unloaded.
    bool IsLoaded() const { return loaded_ && !widget_.isNull(); }
    QWidget* Widget() const { return widget_; }

    void Load();
    void Unload();
    void Show();
    void Hide();
    void SetFocus();            // load, show and make active (the activate step runs if it was not)
    bool Visible() const;

    // Handlers, public so that the host and tests can run them.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    // Asked before the user's close of the window unloads it; false keeps the window.
    virtual bool QueryUnload() { return true; }
    // What the shell asks of a loaded view: apply the shared colours again; its keyword list.
    virtual void UpdateColours() {}
    virtual QListWidget* KeywordListBox() { return nullptr; }

    // Runs the activate step when this form was not the active child view; trapped.
    void Activated();

    // The form that is the active child view, or nullptr.
    static Form* ActiveForm();

protected:
    virtual QWidget* CreateWidget() = 0;   // builds the window and its controls
    virtual bool IsChildView() const { return true; }

private:
    QString name_;
    QPointer<QWidget> widget_;
    bool loaded_ = false;
};

// A form that is a dialog window, shown modally through the UI seam.
class DialogForm : public Form {
public:
    using Form::Form;
    QDialog* Dialog() const;
    int ShowModal();            // loads, then runs the window modally until it hides

protected:
    bool IsChildView() const override { return false; }
};
