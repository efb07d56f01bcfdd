#pragma once
// The UI seam shown on screen: Qt message boxes (plain text only), input box, file, colour and
// font dialogs, modal windows run with exec(), and help through a viewer the shell installs.
#include "platform/core/UiServices.h"

#include <functional>
#include <memory>

class QMessageBox;

class QWidget;

class QInputDialog;

namespace vb {

class QtUiServices final : public UiServices {
public:
    // Parent of the boxes and dialogs (the main window), looked up when each is shown.
    void setParentProvider(std::function<QWidget*()> provider) { parent_ = std::move(provider); }
    // Shows the help book; installed by the shell's help window.
    void setHelpViewer(std::function<void(const CommonDialog&)> viewer) { help_ = std::move(viewer); }

    // The message box MsgBox shows, not yet shown: buttons, icon and default button of the VB
    // style, and wide enough for its title.
    static std::unique_ptr<QMessageBox> NewMessageBox(const QString& prompt, int style, const QString& title,
                                                      QWidget* parent = nullptr);
    // The input box InputBox shows, not yet shown: wide enough for its title.
    static std::unique_ptr<QInputDialog> NewInputBox(const QString& prompt, const QString& title, const QString& defaultText,
                                                     QWidget* parent = nullptr);
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    bool ShowOpen(CommonDialog& dlg) override;
    bool ShowSave(CommonDialog& dlg) override;
    bool ShowColor(CommonDialog& dlg) override;
    bool ShowFont(CommonDialog& dlg) override;
    void ShowHelp(const CommonDialog& dlg) override;
    int RunModal(QDialog& dialog) override;

private:
    QWidget* parent() const { return parent_ ? parent_() : nullptr; }
    bool fileDialog(CommonDialog& dlg, bool save);
    std::function<QWidget*()> parent_;
    std::function<void(const CommonDialog&)> help_;
};

}  // namespace vb
