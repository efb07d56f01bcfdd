#pragma once
// Mailing labels: the data document (a table of the chosen address parts' columns, first row the
// field names) and the merged label document, laid out as the label product's sheet. Both are
// OpenDocument text. Widget-free: the window FrmMailLbls gathers the choices and calls these.
#include "reports/ExportSpec.h"

#include <QString>
#include <QStringList>
#include <array>

namespace db {
class Connection;
}

namespace reports {

constexpr int kMailParts = 8;   // First Name, Last Name, Address1, Address2, City, State, Postal Code, Country

// A label sheet (US Letter), sizes in inches.
struct LabelProduct {
    QString number;
    int columns, rows;
    double width, height, left, top, pitchX, pitchY, padding;
    int perSheet() const { return columns * rows; }
};

// The product of a label size's text ("(30) 1 x 2 5/8" -> "8160"); any other text gives "5160".
QString productForSize(const QString& sizeText);
const LabelProduct& labelProduct(const QString& number);   // unknown numbers: 5160

// The address parts chosen, each by its field (empty: not chosen), with the fields' types.
struct MailSpec {
    std::array<QString, kMailParts> parts;
    std::array<QString, kMailParts> types;
    bool searchResult = false;   // only the rows of the latest search
    QStringList chosenNames() const;
    ExportSpec rows() const;     // the chosen columns in part order, rows unsorted
};

// The lines of one label from the parts' values (values of parts not chosen are ignored): first
// and last name on the first line (a line break always follows the last-name part), each address
// on a line of its own, then city ", " state "  " postal code " " country. A line whose fields all
// came out empty is left out.
QStringList labelLines(const MailSpec& spec, const std::array<QString, kMailParts>& values);

// Writes the data document at path (replacing an earlier one once the new one is complete);
// returns the number of records. Raises VbError.
qint64 WriteMailData(db::Connection& conn, const MailSpec& spec, const QString& path, const Progress& progress = {});

// Writes the labels into a new file in the export folder ("Labels <time>.odt") and returns its
// path; "" when cancelled (nothing is left behind). Raises VbError.
QString WriteLabels(db::Connection& conn, const MailSpec& spec, const QString& product, const Progress& progress = {});

}  // namespace reports
