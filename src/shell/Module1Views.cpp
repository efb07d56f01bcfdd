#include "shell/Module1Views.h"

#include "platform/core/UiServices.h"
#include "shell/Form.h"
#include "shell/frmMain.h"

#include <QListWidget>

namespace Module1 {

void UnloadSearchAndReports() {
    hostedView(View::Reports).Unload();
    hostedView(View::Search).Unload();
    SrchFlg = false;
    SrchSQL.clear();
}

void UnloadFileViews() {
    SetCurRecID(0);
    hostedView(View::Entry).Unload();
    UnloadSearchAndReports();
}

bool ConfirmClose() {
    const QString prompt = "Do you want to close current database: " + CurrentDBPath + "?" + "\r\n" + "\r\n" +
                           "Make sure current changes have been saved. ";
    if (vb::MsgBox(prompt, vb::vbOKCancel | vb::vbQuestion, QStringLiteral("Close Database")) == vb::vbCancel) {
        CloseConfirmed = false;
        return false;
    }
    return true;
}

void CloseSteps() {
    frmMain* main = frmMain::existing();
    CurrentDBPath.clear();
    if (main) {
        main->SetTabCaption(4, QString());
        main->SetMenuVisible(frmMain::Menu::ScrConfig, false);
        main->SetMenuVisible(frmMain::Menu::UserMaint, false);
    }
    UnloadFileViews();
    hostedView(View::NewDatabase).Unload();
    DBOpen = false;
    CreatingDB = false;
    CloseConfirmed = true;
    SetCurrentUser(QString());
    SetCurrentUserLevel(QString());
}

void CloseDatabase() {
    if (!DBOpen) {
        hostedView(View::NewDatabase).SetFocus();
        return;
    }
    if (!SilentClose && !ConfirmClose()) return;
    CloseSteps();
}

int FillKeyList(QStringList& keywords, const QString& window) {
    const int d = PackKeywords(keywords);
    const int n = int(keywords.size()) - 1 - d;
    // The views fill their own lists while they load; a view that is not loaded is not loaded for this.
    QListWidget* list = nullptr;
    if (window == QLatin1String("DataInput") || window == QLatin1String("Search")) {
        Form& view = hostedView(window == QLatin1String("Search") ? View::Search : View::Entry);
        if (view.IsLoaded()) list = view.KeywordListBox();
    }
    if (list) {
        list->clear();
        for (int i = 0; i <= n; ++i)
            if (!keywords[i].isEmpty()) list->addItem(keywords[i]);
    }
    return d;
}

}  // namespace Module1
