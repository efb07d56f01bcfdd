#pragma once
// File existence and replacement; writing and moving a file raise the cause as FileErrors names it.
#include <QString>

namespace vb {

bool FileExists(const QString& path);
// Whether the system finds nothing at all at path: no file, folder or link (a link that leads
// nowhere, a name too long or a folder that cannot be read are something there).
bool NothingAt(const QString& path);
// path with "." and extension added when its file name has no extension of its own ("contacts"
// becomes "contacts.mdb"); an empty path stays empty.
QString WithExtension(const QString& path, const QString& extension);
// Whether two paths name the same file once links, "." and ".." are resolved (the file itself
// need not exist yet).
bool SameFile(const QString& a, const QString& b);
// SameFile, or the same text without regard to case.
bool SamePath(const QString& a, const QString& b);
// Raises 70 for an existing file that nobody may write to (read-only, whoever runs the program),
// as deleting it to replace it would.
void RequireReplaceable(const QString& path);
// A new, unused file name in the folder of target, for writing a file that later replaces it.
// The name marks the file as this program's and names the process writing it; temporary files
// of the program that a process no longer running left in that folder (a crash, a kill) are
// removed first, and the folder is listed for the next start (TempFolders).
QString TempPathBeside(const QString& target);
// Removes from folder the program's temporary files (and their journals) whose writer no longer
// runs on this machine; files of running processes and of other machines stay. Returns how many
// of this machine's stay (their writers still run).
int RemoveStaleTempFiles(const QString& folder);
// Moves the finished file source over target in one step (replacing target), and makes the
// folder's new entry durable.
void ReplaceFile(const QString& source, const QString& target);
// Writes data to a temporary file beside path, checking every write, the flush to the disk and
// the close, and only then moves it over path (which keeps its permissions). Any failure removes
// the temporary file, leaves the old file as it was and raises (61 disk full, 70 permission
// denied, 76 path not found, 75 otherwise), as ReplacingFile does.
void WriteFileReplacing(const QString& path, const QByteArray& data);

}  // namespace vb
