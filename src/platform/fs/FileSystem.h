#pragma once
// File existence, deletion and replacement with the error numbers the program answers:
// 53 file not found, 70 permission denied, 75 path/file access error, 76 path not found.
#include <QString>

namespace vb {

bool FileExists(const QString& path);
void DeleteFile(const QString& path);
// Whether two paths name the same file once links, "." and ".." are resolved (the file itself
// need not exist yet).
bool SameFile(const QString& a, const QString& b);
// SameFile, or the same text without regard to case.
bool SamePath(const QString& a, const QString& b);
// Raises 70 for an existing file that nobody may write to (read-only, whoever runs the program),
// as deleting it to replace it would.
void RequireReplaceable(const QString& path);
// A new, unused file name in the folder of target, for writing a file that later replaces it.
QString TempPathBeside(const QString& target);
// Moves the finished file source over target in one step (replacing target).
void ReplaceFile(const QString& source, const QString& target);

}  // namespace vb
