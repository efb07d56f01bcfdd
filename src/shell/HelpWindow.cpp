#include "shell/HelpWindow.h"

#include "platform/ui/WindowLook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

HelpWindow& HelpWindow::instance() {
    static HelpWindow window;
    return window;
}

void HelpWindow::ensureWindow() {
    if (window_) return;
    window_ = new QWidget(nullptr, Qt::Window);
    window_->setObjectName(QStringLiteral("HelpWindow"));
    window_->setWindowTitle(QStringLiteral("Ravelstow Help"));
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->resize(760, 640);
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(window_);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
}

namespace {
// The page of the help book that holds the anchor named after the context number.
QString pageForContext(const QString& contents, int context) {
    const QDir dir = QFileInfo(contents).absoluteDir();
    const QByteArray anchor = "name=\"" + QByteArray::number(context) + "\"";
    QStringList pages = dir.entryList({QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
    pages.prepend(QFileInfo(contents).fileName());
    for (const QString& page : pages) {
        QFile f(dir.filePath(page));
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains(anchor)) return dir.filePath(page);
    }
    return contents;
}
}  // namespace

void HelpWindow::ShowHelp(const vb::CommonDialog& dlg) {
    ensureWindow();
    QUrl url = QUrl::fromLocalFile(QFileInfo(dlg.HelpFile).absoluteFilePath());
    if (dlg.HelpCommand == vb::cdlHelpContext && dlg.HelpContext != 0) {
        url = QUrl::fromLocalFile(pageForContext(dlg.HelpFile, dlg.HelpContext));
        url.setFragment(QString::number(dlg.HelpContext));
    }
    if (!QFileInfo::exists(dlg.HelpFile)) {
        browser_->setHtml(QStringLiteral("<p>The help pages could not be found:<br>%1</p>").arg(dlg.HelpFile.toHtmlEscaped()));
    } else {
        browser_->setSource(url);
        if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
    }
    // It opens over the main window, wholly on that window's screen.
    if (!window_->isVisible()) vb::KeepOnScreen(window_);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

QUrl HelpWindow::Source() const { return browser_ ? browser_->source() : QUrl(); }

void HelpWindow::Close() {
    delete window_.data();
}
