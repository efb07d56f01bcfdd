#pragma once
// The messages of the spreadsheet, output database and mailing-label exports.
#include <QString>

namespace reports::texts {

// Spreadsheet.
inline const QString kExcelNoField =
    QStringLiteral("At Least One Report Field Must Be Checked For Before An Excel Report Can Be Produced");
inline const QString kNoSpreadsheetProgram =
    QStringLiteral("A Spreadsheet Program Needs To Be Installed Before Exporting A Report To A Spreadsheet");
inline const QString kExportObject = QStringLiteral("Export Object");
inline const QString kWorkbookSavedAs = QStringLiteral("The workbook was saved as:");
inline const QString kWorkbookNotOpened = QStringLiteral("No program could open it.");
inline const QString kExcelTitle = QStringLiteral("Export To Excel Spreadsheet");
inline QString cutNote(int cells) {
    return QStringLiteral("%1 text value(s) longer than a spreadsheet cell holds (32,767 characters) were cut to that length.")
        .arg(cells);
}

// Output database.
inline const QString kDbNoFieldBuild =
    QStringLiteral("At Least One Report Field Must Be checked To Create An Association Database");
inline const QString kDbNoFieldTransfer =
    QStringLiteral("At Least One Report Field Must Be checked To Create A Transfer Database");
inline const QString kCannotOverwriteCurrent = QStringLiteral("Cannot Overwrite Current Database, Choose Another Name");
inline const QString kOverwrite = QStringLiteral("Overwrite Database?");
inline const QString kOverwriteTitle = QStringLiteral("Database already Exists.");
inline const QString kHasRecords = QStringLiteral("Database Contains Records, Overwrite?");
inline const QString kHasRecordsTitle = QStringLiteral("Database Contains Records.");
inline const QString kCreatedTitle = QStringLiteral("Database Created!");
inline const QString kRecordFailureTitle = QStringLiteral("Record Failure");
inline QString created(const QString& path) { return QStringLiteral("DATABASE: ") + path + QStringLiteral("\r\nHas Been Created."); }
inline QString recordFailure(const QString& path) {
    return QStringLiteral("Record Failure from DATABASE: ") + path +
           QStringLiteral("\r\nDatabase contains reserved words, refer to reserve word section in manual.");
}
inline QString permissionDenied(const QString& path) {
    return QStringLiteral("Database: ") + path + QStringLiteral("\r\nPermission Was Denied, Database Already Open.");
}

// Mailing labels.
inline const QString kChooseField = QStringLiteral("Please choose a field to create a label.");
inline const QString kLabelError = QStringLiteral("An error occurred with the label process.");
inline const QString kLabelsTitle = QStringLiteral("Mailing Labels");
inline const QString kNoWordProcessor = QStringLiteral("Mailing labels require a word processor program.");
inline const QString kLabelsSavedAs = QStringLiteral("The labels were saved as:");
inline const QString kLabelsNotOpened = QStringLiteral("No program could open them.");

// The box for a document that was written but that no program opened: where it was saved first,
// then why it is not open.
inline QString savedNotOpened(const QString& savedAs, const QString& path, const QString& notOpened, const QString& reason) {
    return savedAs + QStringLiteral("\r\n") + path + QStringLiteral("\r\n\r\n") + notOpened + QLatin1Char(' ') + reason;
}

}  // namespace reports::texts
