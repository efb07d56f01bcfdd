#pragma once
// The help book's window: the contents page, or the topic of a help context number (the page
// holding an anchor of that number).
#include "platform/core/UiServices.h"

#include <QPointer>
#include <QUrl>

class QTextBrowser;
class QWidget;

class HelpWindow {
public:
    static HelpWindow& instance();
    // Shows the contents (help command 3) or the topic of HelpContext (help command 1) of HelpFile.
    void ShowHelp(const vb::CommonDialog& dlg);
    QUrl Source() const;
    QWidget* Window() const { return window_; }
    void Close();

private:
    void ensureWindow();
    QPointer<QWidget> window_;
    QPointer<QTextBrowser> browser_;
};
