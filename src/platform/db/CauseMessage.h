#pragma once
// What the user is told about a failure whose cause can be named: a database that is locked,
// read-only, on a full disk or damaged, and a file that cannot be written (FileErrors). Causes
// nobody can name keep the number and description pair.
#include "platform/db/ErrorMap.h"

#include <QString>

namespace vb {

struct VbError;

// The message for a database cause followed by outcome (what did not happen, as "the search was
// not run."). Empty for Cause::None and Cause::Missing, which the commands answer themselves.
QString DatabaseCauseMessage(db::Cause cause, const QString& outcome);
// The same for e's cause; a write refused by the database's folder names the folder.
QString DatabaseCauseMessage(const VbError& e, const QString& outcome);
// The message naming e's cause (a file's, or a database locked, read-only or on a full disk), or
// empty when it names none of these.
QString CauseMessage(const VbError& e, const QString& outcome);
// Shows CauseMessage(e, outcome) with an exclamation icon under title; false (nothing shown) when
// e names no cause.
bool ShowCause(const VbError& e, const QString& outcome, const QString& title);

}  // namespace vb
