#pragma once
// The structure of an Excel 97-2003 workbook (.xls): the names of its worksheets and, for each
// worksheet, its columns (XlsReader.h says how they are read and typed). No cell data is handed
// out otherwise.
//
// A damaged workbook can crash the library that reads it, so the workbook is read by a program
// of its own, the workbook reader (ravelstow-xlsreader, beside the program), which hands over the
// whole structure at once. Its crash, a hang past the time limit, running out of the memory it
// may use, or anything else than a complete answer refuses the workbook; the program and the
// open database go on.
#include "platform/xls/XlsContent.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace xls {

class Workbook {
public:
    // How long the reader may take before the workbook is refused.
    static constexpr int kReaderTimeLimitMs = 60000;

    // Opens the workbook at path (an open one is closed first). A file that is missing,
    // unreadable, not an .xls workbook, protected by a password or one that cannot be read
    // (FreeXL cannot read it even once mended, or it stops the reader) raises 0x80004005 with the
    // reason as the description.
    void Open(const QString& path);
    void Close();
    bool IsOpen() const { return open_; }
    QString Path() const { return path_; }

    // The worksheets' names in the workbook's order; empty when closed.
    QStringList SheetNames() const;

    // The columns of a worksheet, in its column order. A name that is no worksheet of the
    // workbook (compared exactly, then without regard to case), a closed workbook or a
    // worksheet that cannot be read raises 0x80040E14. An empty worksheet has no columns.
    QList<SheetColumn> Columns(const QString& sheet) const;

    // What putting the workbook into FreeXL's form did (tests read it).
    const MendReport& Mended() const { return content_.mend; }

    // The reader program and its time limit; by default the one beside the running program.
    void SetReader(const QString& program, int timeLimitMs);

private:
    bool open_ = false;
    QString path_;
    WorkbookContent content_;
    QString reader_;
    int timeLimitMs_ = kReaderTimeLimitMs;
};

// The reader program beside the running program.
QString DefaultReaderProgram();

}  // namespace xls
