#pragma once
// ADO's enumerations as the program uses them.
namespace db {

// Column and field types, with ADO's codes.
enum AdoType : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adGUID = 72,
    adWChar = 130,
    adNumeric = 131,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adLongVarBinary = 205,
};

enum CursorType { adOpenKeyset = 1 };
enum LockType { adLockReadOnly = 1, adLockOptimistic = 3, adLockBatchOptimistic = 4 };
enum EditModeEnum { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };

// AbsolutePosition when there is no current row.
enum PositionEnum : long long { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

}  // namespace db
