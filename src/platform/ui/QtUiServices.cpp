#include "platform/ui/QtUiServices.h"

#include "platform/core/Colors.h"
#include "platform/core/DialogFilter.h"
#include "platform/ui/OneNameFileDialog.h"
#include "platform/ui/WindowLook.h"

#include <QAbstractItemView>
#include <QAction>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

namespace vb {

namespace {

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

QList<BoxButton> boxButtons(int style) {
    switch (style & 7) {
    case vbOKCancel: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case vbAbortRetryIgnore:
        return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case vbYesNoCancel: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case vbYesNo: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case vbRetryCancel: return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default: return {{QMessageBox::Ok, vbOK}};
    }
}

// The program's file windows pick names; they never delete, rename or move the user's files (not
// even the open database). Qt's own window offers that on the Delete key, in its context menu,
// on F2 and by dragging; all are taken away. A save window may still make a folder (it names the
// new folder in place); an open window shows its folder read-only.
void keepUserFiles(QFileDialog& fd, bool save) {
    if (!save) fd.setOption(QFileDialog::ReadOnly, true);
    for (QShortcut* key : fd.findChildren<QShortcut*>())
        if (key->key() == QKeySequence(QKeySequence::Delete) || key->key() == QKeySequence(Qt::Key_Delete)) key->setEnabled(false);
    for (const char* name : {"qt_delete_action", "qt_rename_action"})
        if (auto* action = fd.findChild<QAction*>(QLatin1String(name))) action->setVisible(false);
    for (QAbstractItemView* view : fd.findChildren<QAbstractItemView*>()) {
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragDropMode(QAbstractItemView::NoDragDrop);
    }
}

// The detail list of a file window shows its sizes, types and dates whole: each time a folder has
// been read, those columns take the width their texts need, and the window widens (within the
// screen) so that the names keep the room they had.
void fitFileColumns(QFileDialog& fd) {
    auto* tree = fd.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = fd.findChild<QFileSystemModel*>();
    if (!tree || !model) return;
    auto fit = [&fd, tree] {
        int grown = 0;
        for (int c = 1; c < tree->header()->count(); ++c) {
            if (tree->isColumnHidden(c)) continue;
            const int before = tree->columnWidth(c);
            tree->resizeColumnToContents(c);
            grown += qMax(0, tree->columnWidth(c) - before);
        }
        const QScreen* screen = fd.screen();
        const int most = screen ? screen->availableGeometry().width() - 16 : fd.width() + grown;
        if (grown <= 0 || !fd.isVisible()) return;
        const int before = fd.width();
        fd.resize(qMin(before + grown, qMax(before, most)), fd.height());
        fd.move(fd.x() - (fd.width() - before) / 2, fd.y());   // still centred where it was
        KeepOnScreen(&fd);
    };
    QObject::connect(model, &QFileSystemModel::directoryLoaded, tree, [tree, fit] { QTimer::singleShot(0, tree, fit); });
    QTimer::singleShot(0, tree, fit);
}

}  // namespace

std::unique_ptr<QMessageBox> QtUiServices::NewMessageBox(const QString& prompt, int style, const QString& title,
                                                         QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(title);
    QString text = prompt;
    box->setText(text.replace("\r\n", "\n"));
    switch (style & 0x70) {
    case vbCritical: box->setIcon(QMessageBox::Critical); break;
    case vbQuestion: box->setIcon(QMessageBox::Question); break;
    case vbExclamation: box->setIcon(QMessageBox::Warning); break;
    case vbInformation: box->setIcon(QMessageBox::Information); break;
    default: break;
    }
    const QList<BoxButton> buttons = boxButtons(style);
    for (const BoxButton& b : buttons) box->addButton(b.button);
    const int defaultIndex = qMin(int(buttons.size()) - 1, (style & 0x300) >> 8);
    box->setDefaultButton(buttons[defaultIndex].button);
    // The box is at least as wide as its title needs, so that the title bar shows it whole (a box
    // whose only text is an error number would otherwise be too narrow for any title).
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(WidthForTitle(title), 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
    return box;
}

int QtUiServices::MsgBox(const QString& prompt, int style, const QString& title) {
    const std::unique_ptr<QMessageBox> box = NewMessageBox(prompt, style, title, parent());
    const QList<BoxButton> buttons = boxButtons(style);
    const auto clicked = QMessageBox::StandardButton(box->exec());
    for (const BoxButton& b : buttons)
        if (b.button == clicked) return b.answer;
    // Closed from the title bar: Cancel where there is one, else the only button's answer.
    for (const BoxButton& b : buttons)
        if (b.answer == vbCancel || b.answer == vbNo) return b.answer;
    return buttons.first().answer;
}

std::unique_ptr<QInputDialog> QtUiServices::NewInputBox(const QString& prompt, const QString& title,
                                                        const QString& defaultText, QWidget* parent) {
    auto box = std::make_unique<QInputDialog>(parent);
    box->setWindowTitle(title);
    box->setLabelText(prompt);
    box->setTextValue(defaultText);
    // The title bar shows the whole title. The box's layout sets its size from its controls, so
    // the room is asked of the text box (less the layout's margins).
    if (auto* edit = box->findChild<QLineEdit*>()) {
        const QMargins m = box->layout() ? box->layout()->contentsMargins() : QMargins(11, 11, 11, 11);
        edit->setMinimumWidth(WidthForTitle(title) - m.left() - m.right());
    }
    return box;
}

QString QtUiServices::InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    const std::unique_ptr<QInputDialog> box = NewInputBox(prompt, title, defaultText, parent());
    return box->exec() == QDialog::Accepted ? box->textValue() : QString();
}

bool QtUiServices::fileDialog(CommonDialog& dlg, bool save) {
    OneNameFileDialog fd(parent(), dlg.DialogTitle);
    // Always the program's own window, whatever the desktop offers, so that it keeps the user's files.
    fd.setOption(QFileDialog::DontUseNativeDialog, true);
    fd.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // An open dialog takes a name that does not exist unless the caller asks for an existing file:
    // the program answers such a name with its own message.
    fd.setFileMode(save || !(dlg.Flags & cdlOFNFileMustExist) ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    fd.setOption(QFileDialog::DontConfirmOverwrite, true);   // the program asks its own question
    keepUserFiles(fd, save);
    fitFileColumns(fd);
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
    if (fd.exec() != QDialog::Accepted || fd.chosenFile().isEmpty()) return false;
    dlg.FileName = QDir::toNativeSeparators(fd.chosenFile());
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
    return true;
}

void QtUiServices::ShowHelp(const CommonDialog& dlg) {
    if (help_) help_(dlg);
}

int QtUiServices::RunModal(QDialog& dialog) { return dialog.exec(); }

}  // namespace vb
