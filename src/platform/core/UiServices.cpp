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

namespace {
// Message boxes, input boxes and common dialogs open now (a modal window of the program's own,
// such as the login, is not counted: its boxes are shown over it by design).
int g_showing = 0;
struct Showing {
    Showing() { ++g_showing; }
    ~Showing() { --g_showing; }
    Showing(const Showing&) = delete;
    Showing& operator=(const Showing&) = delete;
};
}  // namespace

bool BoxShowing() { return g_showing > 0; }

UiServices& ui() {
    static NullUi fallback;
    return g_services ? *g_services : fallback;
}

void setUi(UiServices* services) { g_services = services; }

int MsgBox(const QString& prompt, int style, const QString& title) {
    const Showing showing;
    return ui().MsgBox(prompt, style, title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    const Showing showing;
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

template <typename F>
static bool shown(F&& show) {
    const Showing showing;
    return show();
}

void CommonDialog::ShowOpen() { finish(shown([this] { return ui().ShowOpen(*this); }), *this); }
void CommonDialog::ShowSave() { finish(shown([this] { return ui().ShowSave(*this); }), *this); }
void CommonDialog::ShowColor() { finish(shown([this] { return ui().ShowColor(*this); }), *this); }
void CommonDialog::ShowFont() { finish(shown([this] { return ui().ShowFont(*this); }), *this); }
void CommonDialog::ShowHelp() { ui().ShowHelp(*this); }

}  // namespace vb
