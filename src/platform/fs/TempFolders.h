#pragma once
// Where the program has written temporary files. Every folder that gets one (beside a database,
// an export's folder, the program folder's DBFiles) is listed in ".TempFolders" in the program
// folder before the temporary file is made, so that the next start finds what a killed run left
// anywhere without looking through the disk.
#include <QString>

namespace vb {

// Adds folder to the list unless it is listed already (or is the program folder, which every
// start cleans). A list that cannot be written is left as it is.
void NoteTempFolder(const QString& folder);
// At start: removes the temporary files (and their journals) of finished runs from the program
// folder, its DBFiles and every listed folder; folders left without a temporary file of a running
// process leave the list.
void RemoveStaleTempFilesEverywhere();

}  // namespace vb
