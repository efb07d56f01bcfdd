#pragma once
// A new workbook with one sheet, "Sheet1", written row by row with libxlsxwriter in its
// constant-memory mode: each row goes to disk once the next row starts, so memory does not grow
// with the number of rows. Rows must be written in order, and cells of a row left to right.
//
// Cells keep their type: text, numbers (general, currency, or a fixed number of decimals), dates
// as the spreadsheet's date numbers with a date, time or date-and-time format, and booleans.
// Text longer than a cell holds (32,767 characters) is cut to that length; cut() counts the cells.
// A text reads back as it is, even where it spells one of the file's escapes ("_x0041_").
// A day before 1 March 1900 is written as the text its cell would show ("12/31/1899 11:59:59 PM"):
// spreadsheet programs disagree on the day numbers before it, and some take none before 1900.
// Errors raise VbError: a failed write with its cause (FileErrors), a refused value 75 with
// libxlsxwriter's own description.
#include <QDateTime>
#include <QString>
#include <map>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace vb {
class ReplacingFile;
}

namespace office {

class XlsxWriter {
public:
    static constexpr int kMaxText = 32767;
    static constexpr int kMaxRows = 1048576;   // rows of a sheet, the header included

    enum class NumberStyle { General, Currency, Fixed };

    // Writes into file (the caller commits or places it once close() returns).
    explicit XlsxWriter(vb::ReplacingFile& file);
    ~XlsxWriter();   // a workbook that was not closed is abandoned: nothing is written
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    // row and column from 0.
    void writeText(int row, int col, const QString& text, bool bold = false);
    // The same for UTF-8 text (no copy when it is short enough for a cell).
    void writeText(int row, int col, const char* utf8, int bytes);
    void writeNumber(int row, int col, double value, NumberStyle style = NumberStyle::General, int places = 0);
    void writeBoolean(int row, int col, bool value);
    // A date and time; a value on 30 December 1899 is a time of day alone; a day before March 1900
    // is text.
    void writeDate(int row, int col, const QDateTime& value);
    // Width in the sheet's character units.
    void setColumnWidth(int col, double width);

    // Writes the file; raises on failure (the temporary file is then removed).
    void close();

    int cut() const { return cut_; }

    // The spreadsheet's day number of a date and time from 1 March 1900 on (the time as the
    // fraction), or of a time alone.
    static double serialOf(const QDateTime& value);

private:
    lxw_workbook* wb_ = nullptr;
    lxw_worksheet* ws_ = nullptr;
    vb::ReplacingFile& file_;
    int cut_ = 0;
    std::map<int, lxw_format*> formats_;
    lxw_format* format(int key, const char* numFormat, bool bold = false);
    void check(int rc);
};

}  // namespace office
