#pragma once
// The program's one error type: a VB/ADO error number with its description, as the handlers
// choose their reaction by the number.
#include <QString>
#include <cstdint>
#include <exception>

namespace vb {

struct VbError : std::exception {
    int32_t number = 0;
    QString description;
    QString source;
    int nativeError = 0;   // the database engine's own code, when the error came from it (0 otherwise)
    int fileCause = -1;    // the vb::FileCause of a failed file operation (-1 otherwise)
    QString file;          // the database file a refused write was meant for, when the engine names it

    VbError() = default;
    VbError(int32_t n, QString d, QString s = {}) : number(n), description(std::move(d)), source(std::move(s)) {}
    const char* what() const noexcept override;

private:
    mutable QByteArray what_;
};

// Error numbers the handlers answer. Decimal values of the HRESULTs are what the number box shows.
namespace err {
constexpr int32_t InvalidProcCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t SubscriptRange = 9;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t FileNotFound = 53;
constexpr int32_t FileAlreadyExists = 58;
constexpr int32_t DiskFull = 61;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t PathNotFound = 76;
constexpr int32_t CantCreateObject = 429;
constexpr int32_t ObjectRequired = 424;
constexpr int32_t InvalidPropertyValue = 380;
constexpr int32_t ControlArrayElement = 340;
constexpr int32_t ObjectVariableNotSet = 91;
constexpr int32_t InvalidUseOfNull = 94;
constexpr int32_t ComponentMissing = 327;
constexpr int32_t InvalidArgument = 3001;
constexpr int32_t NoCurrentRecord = 3021;
constexpr int32_t IllegalOperation = 3219;
constexpr int32_t ItemNotFound = 3265;
constexpr int32_t PrinterError = 5007;
constexpr int32_t GridError = 6160;
constexpr int32_t CancelError = 32755;

constexpr int32_t E_FAIL_ = int32_t(0x80004005);                    // -2147467259 provider general failure
constexpr int32_t DB_E_BADBOOKMARK = int32_t(0x80040E0E);           // -2147217906
constexpr int32_t DB_E_PARAMNOTOPTIONAL = int32_t(0x80040E10);      // -2147217904 unknown column
constexpr int32_t DB_E_ERRORSINCOMMAND = int32_t(0x80040E14);       // -2147217900 bad SQL text
constexpr int32_t DB_E_DUPLICATEDATASOURCE = int32_t(0x80040E17);   // -2147217897 file exists
constexpr int32_t DB_E_ERRORSOCCURRED = int32_t(0x80040E21);        // -2147217887 value refused
constexpr int32_t DB_E_NOTABLE = int32_t(0x80040E37);               // -2147217865 no such table
constexpr int32_t DB_E_CONCURRENCYVIOLATION = int32_t(0x80040E38);  // -2147217864 row changed/deleted
constexpr int32_t DB_SEC_E_AUTH_FAILED = int32_t(0x80040E4D);       // -2147217843
constexpr int32_t DB_E_CANCELED = int32_t(0x80040E4E);              // -2147217842
}  // namespace err

[[noreturn]] void raise(int32_t number, const QString& description = {});

// The standard description VB gives for a number, when the raiser has none of its own.
QString describe(int32_t number);

}  // namespace vb
