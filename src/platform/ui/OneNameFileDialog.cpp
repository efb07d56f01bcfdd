#include "platform/ui/OneNameFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace vb {

QString OneNameFileDialog::chosenFile() const { return typed_.isEmpty() ? selectedFiles().value(0) : typed_; }

void OneNameFileDialog::accept() {
    typed_.clear();
    auto* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    // A name without quotes, a dialog that must find an existing file, and the desktop's own
    // dialog (no name box of Qt's) are Qt's to read.
    if (!box || !box->isVisible() || fileMode() != AnyFile || !box->text().contains(QLatin1Char('"'))) {
        QFileDialog::accept();
        return;
    }
    const QFileInfo info(QDir(directory()).filePath(box->text()));   // an absolute name stays as typed
    if (info.isDir()) {
        setDirectory(info.absoluteFilePath());
        box->clear();
        return;
    }
    typed_ = info.absoluteFilePath();
    if (!defaultSuffix().isEmpty() && !info.fileName().contains(QLatin1Char('.')))
        typed_ += QLatin1Char('.') + defaultSuffix();
    QDialog::accept();
}

}  // namespace vb
