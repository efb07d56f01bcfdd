#pragma once
// File existence, deletion and replacement with the error numbers the program answers:
// 53 file not found, 70 permission denied, 75 path/file access error, 76 path not found.
#include <QString>

namespace vb {

bool FileExists(const QString& path);
void DeleteFile(const QString& path);
// Whether two paths name the same file: the same text without regard to case, or the same file
// once links, "." and ".." are resolved (the file itself need not exist yet).
bool SamePath(const QString& a, const QString& b);
// A new, unused file name in the folder of target, for writing a file that later replaces it.
QString TempPathBeside(const QString& target);
// Moves the finished file source over target in one step (replacing target).
void ReplaceFile(const QString& source, const QString& target);

}  // namespace vb
