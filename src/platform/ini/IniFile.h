#pragma once
// Settings files in the INI form, read and written with the semantics of the Windows profile
// calls: a missing file, section or key gives the default; names compare without regard to case;
// the value read is cut to the buffer size less one; writing a key keeps every other line, byte
// for byte, and writes in the file's own encoding (IniText.h).
#include <QString>

namespace vb {

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                int bufferSize, const QString& iniPath);
// Returns false when the file cannot be written.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& iniPath);

}  // namespace vb
