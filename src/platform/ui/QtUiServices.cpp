#include "platform/ui/QtUiServices.h"

#include "platform/core/Colors.h"
#include "platform/core/DialogFilter.h"

#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vb {

int QtUiServices::MsgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(parent());
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(title);
    QString text = prompt;
    box.setText(text.replace("\r\n", "\n"));
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B { QMessageBox::StandardButton button; int answer; };
    QList<B> buttons;
    switch (style & 7) {
    case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore:
        buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: buttons = {{QMessageBox::Ok, vbOK}}; break;
    }
    for (const B& b : buttons) box.addButton(b.button);
    const int defaultIndex = qMin(int(buttons.size()) - 1, (style & 0x300) >> 8);
    box.setDefaultButton(buttons[defaultIndex].button);
    const auto clicked = QMessageBox::StandardButton(box.exec());
    for (const B& b : buttons)
        if (b.button == clicked) return b.answer;
    // Closed from the title bar: Cancel where there is one, else the only button's answer.
    for (const B& b : buttons)
        if (b.answer == vbCancel || b.answer == vbNo) return b.answer;
    return buttons.first().answer;
}

QString QtUiServices::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

bool QtUiServices::fileDialog(CommonDialog& dlg, bool save) {
    QFileDialog fd(parent(), dlg.DialogTitle);
    fd.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fd.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    fd.setOption(QFileDialog::DontConfirmOverwrite, true);   // the program asks its own question
    const QStringList filters = qtNameFilters(dlg.Filter);
    if (!filters.isEmpty()) {
        fd.setNameFilters(filters);
        fd.selectNameFilter(filters.value(qBound(1, dlg.FilterIndex, int(filters.size())) - 1));
    }
    if (!dlg.DefaultExt.isEmpty()) fd.setDefaultSuffix(dlg.DefaultExt);
    QString dir = dlg.InitDir;
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QFileInfo(dlg.FileName).absolutePath();
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) fd.setDirectory(dir);
    if (!dlg.FileName.isEmpty()) fd.selectFile(QFileInfo(dlg.FileName).fileName());
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
    dlg.FileName = QDir::toNativeSeparators(fd.selectedFiles().first());
    dlg.FileTitle = QFileInfo(dlg.FileName).fileName();
    const int index = filters.indexOf(fd.selectedNameFilter());
    if (index >= 0) dlg.FilterIndex = index + 1;
    return true;
}

bool QtUiServices::ShowOpen(CommonDialog& dlg) { return fileDialog(dlg, false); }
bool QtUiServices::ShowSave(CommonDialog& dlg) { return fileDialog(dlg, true); }

bool QtUiServices::ShowColor(CommonDialog& dlg) {
    const QColor chosen = QColorDialog::getColor(winRgbToQColor(dlg.Color), parent(), dlg.DialogTitle);
    if (!chosen.isValid()) return false;
    dlg.Color = qColorToWinRgb(chosen);
    return true;
}

bool QtUiServices::ShowFont(CommonDialog& dlg) {
    QFont initial(dlg.FontName.isEmpty() ? QStringLiteral("Liberation Sans") : dlg.FontName);
    if (dlg.FontSize > 0) initial.setPointSizeF(dlg.FontSize);
    initial.setBold(dlg.FontBold);
    initial.setItalic(dlg.FontItalic);
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent(), dlg.DialogTitle);
    if (!ok) return false;
    dlg.FontName = f.family();
    dlg.FontSize = f.pointSizeF();
    dlg.FontBold = f.bold();
    dlg.FontItalic = f.italic();
    dlg.FontUnderline = f.underline();
    dlg.FontStrikethru = f.strikeOut();
    return true;
}

void QtUiServices::ShowHelp(const CommonDialog& dlg) {
    if (help_) help_(dlg);
}

int QtUiServices::RunModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace vb
