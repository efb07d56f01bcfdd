#pragma once
// Yes/no values, read one way by the whole program: what a True/False column holds (1/0 as this
// program writes it, -1 or text as other programs may), what a user types into a True/False box
// and a True/False word in a criterion. True: "True", "Yes", "T" and any number but zero; false:
// "False", "No", "F" and zero. Case and blanks around the text do not count.
#include <QStringView>
#include <QVariant>
#include <optional>

namespace db {

// Nothing for a null, and for a value that is no yes/no.
std::optional<bool> readYesNo(const QVariant& value);
std::optional<bool> readYesNo(QStringView text);

}  // namespace db
