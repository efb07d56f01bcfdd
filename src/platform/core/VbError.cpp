#include "platform/core/VbError.h"

namespace vb {

const char* VbError::what() const noexcept {
    what_ = (QString::number(number) + ": " + description).toUtf8();
    return what_.constData();
}

void raise(int32_t number, const QString& description) {
    throw VbError(number, description.isEmpty() ? describe(number) : description);
}

QString describe(int32_t number) {
    switch (number) {
    case err::InvalidProcCall: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::SubscriptRange: return "Subscript out of range";
    case err::TypeMismatch: return "Type mismatch";
    case err::FileNotFound: return "File not found";
    case err::FileAlreadyExists: return "File already exists";
    case err::DiskFull: return "Disk full";
    case err::PermissionDenied: return "Permission denied";
    case err::PathFileAccess: return "Path/File access error";
    case err::PathNotFound: return "Path not found";
    case err::ObjectVariableNotSet: return "Object variable or With block variable not set";
    case err::InvalidUseOfNull: return "Invalid use of Null";
    case err::ComponentMissing: return "Data value named not found";
    case err::ControlArrayElement: return "Control array element doesn't exist";
    case err::InvalidPropertyValue: return "Invalid property value";
    case err::ObjectRequired: return "Object required";
    case err::CantCreateObject: return "ActiveX component can't create object";
    case err::InvalidArgument:
        return "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.";
    case err::NoCurrentRecord:
        return "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a current record.";
    case err::IllegalOperation: return "Operation is not allowed in this context.";
    case err::ItemNotFound: return "Item cannot be found in the collection corresponding to the requested name or ordinal.";
    case err::CancelError: return "Cancel was selected.";
    case err::E_FAIL_: return "Unspecified error";
    case err::DB_E_NOTABLE: return "The table does not exist.";
    case err::DB_E_ERRORSINCOMMAND: return "Syntax error in the SQL statement.";
    case err::DB_E_ERRORSOCCURRED: return "Multiple-step operation generated errors. Check each status value.";
    case err::DB_E_CONCURRENCYVIOLATION:
        return "Row cannot be located for updating. Some values may have been changed since it was last read.";
    default: return "Application-defined or object-defined error";
    }
}

}  // namespace vb
