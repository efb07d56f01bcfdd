#pragma once
// Opens a document or an address with the desktop's default program, answering with the codes of
// the Windows shell: above 32 on success; 0 when nothing could be started, 2 file not found,
// 3 path not found, 5 access denied, 31 no program is associated with the file's type.
// The file is passed to the opener as one argument, never through a shell command line.
#include <QString>
#include <QStringList>
#include <functional>

namespace vb {

int ShellExecute(const QString& file);

// How a program is started (program, arguments) -> started; tests replace it.
using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
void setLauncherForTesting(Launcher launcher);
// The default program for a file's type (desktop entry name), or "" when there is none; tests
// replace it.
using AssociationLookup = std::function<QString(const QString& file)>;
void setAssociationLookupForTesting(AssociationLookup lookup);
// Starts a program found on the search path; false when it cannot be started.
bool StartProgram(const QString& program, const QStringList& arguments = {});

}  // namespace vb
