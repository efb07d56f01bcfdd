#pragma once
// The search run without windows: it checks the criteria the search view holds, marks the hits
// in the hidden columns of UserTable (SrchInt, SrchKey, SrchMemo, RptFlg) with one UPDATE per
// pass, all passes in one transaction, and builds the final SELECT text that the grid and the
// reports read. Every value the user typed is bound, never written into the SQL text; column
// names are bracketed.
#include "platform/core/VbError.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace db {
class Connection;
}

namespace search {

// One criteria row of the view, as it stands when the search button is pressed.
struct RowCriterion {
    bool checked = false;
    QString name;        // the column name (a file-path field keeps its "FP")
    QString type;        // the field's type name: "Text", "Integer", "Double", "Decimal/n", ...
    QString caption;     // the row's caption, named in the messages
    QString value;       // the value box's text
    QString op;          // the operator list's text ("" when no operator was chosen)
    QString trueFalse;   // the True/False list's text
    bool hasRange = false;   // a Date/Time row: the range confirmed when the row was ticked
    QDateTime from, to;
};

struct Criteria {
    std::vector<RowCriterion> rows;   // the rows the view set up, in order
    bool fieldAnd = true;             // AndOption selected (else OrOption)
    bool keyAnd = false;              // OptKeyAnd selected (else OptKeyOr)
    QStringList keywordBoxes;         // the ten keyword boxes
    bool hasNotes = false;            // the database has the notes column
    bool memoChecked = false;         // chkMemoSrch ticked
    QString memoText;                 // txtmemo's text
    bool notesFlag = false;           // the view's notes-criterion flag before the run
    QString sort;                     // "Sort Off" or a column name
    QString sortType;                 // that column's type name
    int keyWordCount = 0;             // keyword columns KeyWord1..KeyWordK
};

struct Outcome {
    enum Kind {
        Message,    // a criteria message; nothing was written
        Found,      // records found: marks and RptFlg written, sql is the result
        NotFound,   // the run went through and found nothing
        Failed      // the database refused (rolled back: the previous marks stand)
    };
    Kind kind = Message;
    // The message of Message and NotFound.
    QString prompt, title;
    int style = 0;
    int focusRow = -1;          // Message: the row whose box takes the focus back (-1 none)
    bool clearValue = false;    // Message: the row's value box is emptied
    // The logic the run used; the view selects the matching option buttons.
    bool fieldAnd = true, keyAnd = false;
    bool notesOn = false;
    QString sql;                // Found / NotFound: the final SELECT text
    qint64 count = 0;           // records found
    vb::VbError error;          // Failed
    bool readOnly = false;      // Failed: the database cannot be written
};

// Texts of the run.
inline const QString kBlankTitle = QStringLiteral("Data Search Value Is Blank");
inline const QString kResultsTitle = QStringLiteral("Search Results");
inline const QString kNotesPrompt = QStringLiteral("Search For Text in Notes");
QString notFoundText();
QString readOnlyText();
// The same for a refused write; one that the database's folder refused names the folder.
QString readOnlyText(const vb::VbError& e);

// The final SELECT text of a run: F field rows processed (nF > 0), K keywords (nK > 0), N notes;
// sortColumn empty when unsorted. Texts as the reports expect them; only the sort column is
// bracketed (and folded to one case when it is a text column).
QString FinalStatement(int nF, int nK, bool notes, bool fieldAnd, bool keyAnd, const QString& sortColumn,
                       bool sortIsText);

// Runs the search on an open connection. Criteria are checked before anything is written.
Outcome Run(db::Connection& conn, const Criteria& c);

// The clear button's reset of the marks: SrchInt, SrchKey and RptFlg back to 0 (SrchMemo is
// left for the next run), in one statement.
void ClearMarks(db::Connection& conn);

}  // namespace search
