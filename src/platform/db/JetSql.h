#pragma once
// Jet-style SQL forms in SQLite's dialect.
#include <QDateTime>
#include <QString>

namespace db {

// Rewrites the Jet forms that SQLite does not read, outside quoted text and bracketed names:
//  - date literals #3/5/2024#, #2024-03-05 14:07# become the stored text form
//    '2024-03-05 00:00:00' (dates are kept as sortable ISO text);
//  - with likeWildcards, the pattern literal after LIKE has Jet's * and ? turned into % and _
//    (a literal % or _ in it is escaped, and an ESCAPE clause is added);
//  - with doubleQuotedText, "text" becomes 'text' (Jet reads double quotes as text, SQLite as a name).
// The record set and Connection::Execute apply the date literals on their own; the other two are
// for callers that hold Jet-style text.
QString translateJetSql(const QString& sql, bool likeWildcards = false, bool doubleQuotedText = false);

// Text in single quotes for SQL, with quotes doubled: the one way a value goes into SQL text.
QString quoteText(const QString& value);

// The SQL literal of a date: '2024-03-05 14:07:00'.
QString dateLiteral(const QDateTime& dt);

}  // namespace db
