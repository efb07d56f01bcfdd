#pragma once
// Reads the structure of an Excel 97-2003 workbook (.xls) with FreeXL: the names of its
// worksheets and, for each worksheet, its columns. The first row of a worksheet holds the column
// names; each column gets the ADO type code a spreadsheet provider reports for it, guessed from
// the cells below the names. No cell data is handed out otherwise. The workbook is first put into
// the form FreeXL reads (XlsMend.h): formula cells then read as their stored results.
#include "platform/xls/XlsMend.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QTemporaryFile;

namespace xls {

// One column of a worksheet: its name from the first row and its ADO type code.
struct SheetColumn {
    QString Name;
    int16_t Type = 0;
    // A formula in its name or its sampled cells has a result that cannot be read (an error
    // value, or a workbook that could not be mended): the name or the type may miss it.
    bool UnreadFormula = false;
};

class Workbook {
public:
    // Rows below the names that decide a column's type.
    static constexpr unsigned kSampleRows = 8;

    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Opens the workbook at path (an open one is closed first). A file that is missing,
    // unreadable, not an .xls workbook, protected by a password or one FreeXL cannot read even
    // once mended raises 0x80004005 with the reason as the description.
    void Open(const QString& path);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    QString Path() const { return path_; }

    // The worksheets' names in the workbook's order; empty when closed.
    QStringList SheetNames() const { return sheets_; }

    // The columns of a worksheet, in its column order. A name that is no worksheet of the
    // workbook (compared exactly, then without regard to case), a closed workbook or a
    // worksheet that cannot be read raises 0x80040E14. An empty worksheet has no columns; a
    // column without a name in the first row is called "F" and its 1-based number. A column's
    // type is that of most of its sampled cells: numbers adDouble (5), dates and times adDate (7),
    // text adVarWChar (202), or adLongVarWChar (203) when a sampled text is longer than 255
    // characters; a tie, or no value at all, is text.
    QList<SheetColumn> Columns(const QString& sheet) const;

    // What putting the workbook into FreeXL's form did (tests read it).
    const MendReport& Mended() const { return mend_; }

private:
    const void* handle_ = nullptr;
    QString path_;
    QStringList sheets_;
    MendReport mend_;
    std::unique_ptr<QTemporaryFile> copy_;   // the mended copy FreeXL reads, while open
};

}  // namespace xls
