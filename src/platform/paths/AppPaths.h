#pragma once
// Where the program keeps its files. The program folder holds the settings file, the DBFiles
// folder and the mail-merge data; it is RAVELSTOW_HOME when set, else the executable's folder when
// that is writable and not a build tree, else the per-user data folder. Help pages and pictures are
// read from beside the executable.
#include <QString>

namespace vb {

QString programFolder();
QString resourceFolder();          // help/ and res/ live here (beside the executable)
QString inProgramFolder(const QString& name);
void setProgramFolderForTesting(const QString& folder);   // empty: back to the rule above

}  // namespace vb
