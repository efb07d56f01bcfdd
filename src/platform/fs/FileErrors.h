#pragma once
// The one map from the system's error for a file to the program's error number and a message that
// names the cause and what to do about it.
#include <QString>
#include <cstdint>

namespace vb {

enum class FileCause {
    DiskFull,         // 61: no room left (a full disk, a quota, a file-size limit)
    NoPermission,     // 70: the folder or the file may not be written
    ReadOnlyFile,     // 70: the file is marked read-only
    ReadOnlyMedium,   // 70: the disk holding the file is read-only
    Locked,           // 70: another program holds a lock on the file
    NameTooLong,      // 75: the name is longer than the system allows
    BadName,          // 52: the name holds a character no file name may hold
    NotFound,         // 76: the folder does not exist
    Other,            // 75: anything else, with the system's words
};

FileCause fileCauseOf(int errnoValue);
int32_t errorNumberOf(FileCause cause);
// The message for path failing with cause; detail is the system's words for Other.
QString fileCauseMessage(FileCause cause, const QString& path, const QString& detail = {});

[[noreturn]] void raiseFileCause(FileCause cause, const QString& path, const QString& detail = {});
// Raises for errnoValue failing on path.
[[noreturn]] void raiseFileError(int errnoValue, const QString& path);
// Raises for a library's failed write to path: the errno it left when that names a cause, a disk
// with next to no room left when the errno names none, else libraryWords.
[[noreturn]] void raiseWriteFailure(int errnoValue, const QString& path, const QString& libraryWords);

}  // namespace vb
