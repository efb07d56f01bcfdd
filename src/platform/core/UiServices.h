#pragma once
// The one seam through which the program shows message boxes, input boxes, the common dialog
// (open, save, colour, font, help) and modal windows. The application installs the Qt
// implementation; tests install a scripted one that answers from a queue and records every request.
#include <QString>
#include <cstdint>

class QDialog;

namespace vb {

// MsgBox style flags and answers, with VB's values.
enum MsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64, vbDefaultButton2 = 256,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Common dialog flags that the program sets (values as the Windows control has them).
enum CommonDialogFlags : int { cdlOFNHideReadOnly = 0x4, cdlOFNFileMustExist = 0x1000, cdlCCRGBInit = 0x1, cdlCFBoth = 0x3 };
// Help commands.
enum HelpCommand : int { cdlHelpContext = 1, cdlHelpContents = 3 };

// The common dialog control: the caller sets its properties, calls Show*, then reads the result
// properties. With CancelError set, Cancel raises error 32755 (vb::err::CancelError).
struct CommonDialog {
    QString DialogTitle;
    QString Filter;          // "text|pattern|text|pattern", patterns separated by ';'
    int FilterIndex = 1;
    QString InitDir;
    QString FileName;        // in: proposed name; out: the chosen full path
    QString FileTitle;       // out: the chosen file's name without its folder
    QString DefaultExt;
    int Flags = 0;
    bool CancelError = false;
    uint32_t Color = 0;      // Windows RGB (red in the low byte)
    QString FontName;
    double FontSize = 0;
    bool FontBold = false, FontItalic = false;
    QString HelpFile;
    int HelpCommand = 0;
    int HelpContext = 0;

    void ShowOpen();
    void ShowSave();
    void ShowColor();
    void ShowFont();
    void ShowHelp();
};

class UiServices {
public:
    virtual ~UiServices() = default;
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;
    // Returns the typed text, or "" when cancelled (as VB's InputBox).
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Each returns false when the user cancelled; on success the result properties are filled.
    virtual bool ShowOpen(CommonDialog& dlg) = 0;
    virtual bool ShowSave(CommonDialog& dlg) = 0;
    virtual bool ShowColor(CommonDialog& dlg) = 0;
    virtual bool ShowFont(CommonDialog& dlg) = 0;
    virtual void ShowHelp(const CommonDialog& dlg) = 0;
    // Runs a modal window to its end and returns its result code (QDialog::exec()).
    virtual int RunModal(QDialog& dialog) = 0;
};

// The installed services; the application and each test install theirs.
UiServices& ui();
void setUi(UiServices* services);

// Whether a message box, an input box or a common dialog is open: a focus change or a queued
// event handled meanwhile comes from that box, not from the user, and must open none of its own.
bool BoxShowing();

// VB's MsgBox and InputBox over the installed services. The default title is the product name.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QStringLiteral("Ravelstow"));
QString InputBox(const QString& prompt, const QString& title = QStringLiteral("Ravelstow"),
                 const QString& defaultText = {});

struct VbError;
// The two boxes an unexpected error gets: the number, then the description, both OK-only and
// titled "Ravelstow".
void ShowErrorPair(const VbError& e);
// The same for an error that is not a VbError (std::exception and anything else).
void ShowUnexpectedError(const std::exception& e);

// Runs a handler that has no trap of its own: any error is shown as the number/description pair
// instead of escaping into the event loop.
template <typename F>
void RunTrapped(F&& handler);

}  // namespace vb

#include "platform/core/VbError.h"

template <typename F>
void vb::RunTrapped(F&& handler) {
    try {
        handler();
    } catch (const VbError& e) {
        ShowErrorPair(e);
    } catch (const std::exception& e) {
        ShowUnexpectedError(e);
    }
}
