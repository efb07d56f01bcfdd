#pragma once
// A consistent copy of a database file, taken with SQLite's online backup, so the source may be
// open (and written) elsewhere meanwhile.
#include <QString>

namespace db {

// Writes the database in `source` (opened for reading) into the new file `target`, with the
// rollback journal the program's files keep. Raises as the data layer does; a partly written
// `target` is left for the caller to remove.
void BackupDatabase(const QString& source, const QString& target);

}  // namespace db
