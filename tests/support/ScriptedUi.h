#pragma once
// The test double for the UI seam: every message box, input box, dialog and modal window is
// recorded, and answered from a queue the test fills beforehand. A request with no scripted
// answer (or the wrong kind of answer) fails the running test and is answered as a cancel.
#include "platform/core/UiServices.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class ScriptedUi final : public vb::UiServices {
public:
    enum class Kind { MsgBox, InputBox, Open, Save, Color, Font, Help, Modal };

    struct Request {
        Kind kind;
        QString text;       // prompt of a box; dialog title of a common dialog; class name of a modal window
        QString title;      // title of a box
        int style = 0;      // style of a message box
        vb::CommonDialog dialog;  // the common dialog's properties as the program set them
    };

    ScriptedUi();   // installs itself as the program's UI services
    ~ScriptedUi() override;

    // Scripting the answers, in the order the requests will come.
    ScriptedUi& answerMsgBox(int answer);
    ScriptedUi& answerInput(const QString& text);            // "" answers as Cancel does
    ScriptedUi& answerOpen(const QString& path);             // empty path: the user cancels
    ScriptedUi& answerSave(const QString& path);             // empty path: the user cancels
    ScriptedUi& answerColor(uint32_t winRgb);
    ScriptedUi& cancelColor();
    ScriptedUi& answerFont(const QString& family, double size, bool bold = false, bool italic = false);
    ScriptedUi& expectHelp();
    // A modal window: the function gets the window (after its load steps) and plays the user;
    // its return value is the window's result code.
    ScriptedUi& answerModal(std::function<int(QDialog&)> user);

    // Plays each message box and common dialog as a real one behaves while it is open: the focus
    // leaves the window for the box, queued events run (its own event loop), and the window gives
    // the focus back when it closes. Boxes asked for while another is open, or in the middle of a
    // mouse click (a press not yet released), are recorded below.
    bool emulateModal = false;
    QStringList overlapping;   // prompts or titles of boxes opened over another one
    QStringList duringClick;   // prompts or titles of boxes opened while a mouse button was down

    // What was asked, in order.
    QList<Request> requests;
    QStringList messages() const;                 // prompts of the message boxes
    QStringList titles() const;                   // titles of the message boxes
    int pending() const { return int(answers_.size()); }
    void clear();

    int MsgBox(const QString& prompt, int style, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    bool ShowOpen(vb::CommonDialog& dlg) override;
    bool ShowSave(vb::CommonDialog& dlg) override;
    bool ShowColor(vb::CommonDialog& dlg) override;
    bool ShowFont(vb::CommonDialog& dlg) override;
    void ShowHelp(const vb::CommonDialog& dlg) override;
    int RunModal(QDialog& dialog) override;

    struct Answer {
        Kind kind;
        int number = 0;
        QString text;
        double size = 0;
        bool bold = false, italic = false;
        std::function<int(QDialog&)> user;
    };
private:
    QList<Answer> answers_;
    int open_ = 0;
    void opening(const Request& request);
    void closing();
    QList<QPointer<QObject>> focusBefore_;   // the widgets that had the focus when a box opened
    bool take(Kind kind, const Request& request, Answer& out);
    bool fileAnswer(Kind kind, vb::CommonDialog& dlg);
};
