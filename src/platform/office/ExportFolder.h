#pragma once
// Where the spreadsheet and label documents go: the folder "Ravelstow Exports" in the user's
// Documents folder. Each export gets a new file there, named by the time of the export, so no
// earlier export is ever overwritten.
#include <QDateTime>
#include <QString>

namespace vb {

QString exportFolder();   // created when missing
// A path in the export folder that names no file yet: "<stem> YYYY-MM-DD HH-MM-SS.<ext>", with
// " (2)", " (3)", ... added when that name is taken.
QString uniqueExportPath(const QString& stem, const QString& ext, const QDateTime& when = QDateTime::currentDateTime());
// Moves the finished file `temp` to `planned` (a name uniqueExportPath gave when the export began,
// the one its messages name) and returns it; when another file took that name meanwhile, to the
// same name with " (2)", " (3)", ... added. An existing file is never replaced. Raises the file
// error (70, 75, ...) when the file cannot be placed.
QString placeExportFile(const QString& temp, const QString& planned);
// Tests point the folder elsewhere; empty: back to the Documents folder.
void setExportFolderForTesting(const QString& folder);

}  // namespace vb
