#include "platform/core/UiServices.h"

namespace vb {

namespace {
UiServices* g_services = nullptr;

// Stands in until the application or a test installs real services: answers like a user who
// cancels everything, so nothing is ever shown behind the program's back.
class NullUi final : public UiServices {
public:
    int MsgBox(const QString&, int style, const QString&) override {
        const int buttons = style & 7;
        return buttons == vbOKOnly ? vbOK : buttons == vbYesNo || buttons == vbYesNoCancel ? vbNo : vbCancel;
    }
    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
    bool ShowOpen(CommonDialog&) override { return false; }
    bool ShowSave(CommonDialog&) override { return false; }
    bool ShowColor(CommonDialog&) override { return false; }
    bool ShowFont(CommonDialog&) override { return false; }
    void ShowHelp(const CommonDialog&) override {}
    int RunModal(QDialog&) override { return 0; }
};
}  // namespace

UiServices& ui() {
    static NullUi fallback;
    return g_services ? *g_services : fallback;
}

void setUi(UiServices* services) { g_services = services; }

int MsgBox(const QString& prompt, int style, const QString& title) { return ui().MsgBox(prompt, style, title); }

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    return ui().InputBox(prompt, title, defaultText);
}

void ShowErrorPair(const VbError& e) {
    MsgBox(QString::number(e.number), vbOKOnly, QStringLiteral("Ravelstow"));
    MsgBox(e.description, vbOKOnly, QStringLiteral("Ravelstow"));
}

void ShowUnexpectedError(const std::exception& e) {
    ShowErrorPair(VbError(err::InvalidProcCall, QString::fromLocal8Bit(e.what())));
}

static void finish(bool accepted, const CommonDialog& dlg) {
    if (!accepted && dlg.CancelError) raise(err::CancelError);
}

void CommonDialog::ShowOpen() { finish(ui().ShowOpen(*this), *this); }
void CommonDialog::ShowSave() { finish(ui().ShowSave(*this), *this); }
void CommonDialog::ShowColor() { finish(ui().ShowColor(*this), *this); }
void CommonDialog::ShowFont() { finish(ui().ShowFont(*this), *this); }
void CommonDialog::ShowHelp() { ui().ShowHelp(*this); }

}  // namespace vb
