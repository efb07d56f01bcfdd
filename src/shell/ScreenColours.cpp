// Screen Configuration > Change Screen Color / Change Text Color.
#include "platform/ini/IniFile.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

namespace {
// Shows the colour dialog and applies the chosen colour; every failure ends the command silently.
void chooseColour(frmMain& main, const QString& section, const QString& key, void (*store)(const QString&)) {
    try {
        main.ColorDialog.Flags = vb::cdlCCRGBInit;
        main.ColorDialog.CancelError = true;
        main.ColorDialog.ShowColor();
        const QString text = QString::number(main.ColorDialog.Color);
        // A settings file that could not be written keeps its old colour, and the command ends
        // silently without changing the views, as any failure of it does.
        if (!vb::WritePrivateProfileString(section, key, text, Module1::IniPath)) return;
        store(text);
        // Views that are not loaded take the colour from the shared state when they load.
        const auto update = [](View view) {
            if (Form& form = hostedView(view); form.IsLoaded()) form.UpdateColours();
        };
        update(View::Entry);
        if (main.SelectedTab() == 2) update(View::Search);
        else if (main.SelectedTab() == 3) update(View::Reports);
    } catch (const vb::VbError&) {
    } catch (const std::exception&) {
    }
}
}  // namespace

void frmMain::mnuScrConfig_Click() {
    chooseColour(*this, QStringLiteral("BCKCLR"), QStringLiteral("FrmColor"), &Module1::SetFrmColor);
}

void frmMain::mnuChgTxtClr_Click() {
    chooseColour(*this, QStringLiteral("TXTCLR"), QStringLiteral("TextColor"), &Module1::SetTextColor);
}
