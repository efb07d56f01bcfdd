#pragma once
// The output database: a new database file of the program's own layout holding chosen columns of
// the open database's records. CreateAssocDB builds the file and its table UserTable (record id,
// the chosen description fields, notes when chosen, every keyword column, the search marks);
// TransferRecords copies the rows into it with one INSERT ... SELECT over the attached file.
#include "reports/ExportSpec.h"

#include <QString>

namespace db {
class Connection;
}

namespace reports {

struct AssocSpec {
    ExportSpec rows;        // the exported columns (Memofld among them when the notes go too) and rows
    bool hasNotes = false;  // the open database has notes: the new table gets SrchMemo
    int keywords = 0;       // keyword columns KeyWord1..k, created and copied always
};

inline const QString kAssocIdDescription = QStringLiteral("ID to track Tolvane Records");

// Builds the file at path, which must not exist. Raises VbError on failure (the file may then
// exist without a table; the caller removes it).
void CreateAssocDB(const QString& path, const AssocSpec& spec);

// Copies the rows of the open database (source) into the file at path; returns the number copied.
// Raises VbError on failure (nothing is copied then).
qint64 TransferRecords(db::Connection& source, const QString& path, const AssocSpec& spec);

}  // namespace reports
