#pragma once
// Error numbers of the database engine layer. Callers test these numbers
// (3021 in particular), so they are part of the layer's contract. Every
// failure of the layer is an rt::Error with one of these numbers and a
// description; SQLite result codes never reach a caller unmapped.
#include <string>
#include "runtime/Error.h"

namespace engine::err {

inline constexpr int NoCurrentRecord = 3021;       // "No current record."
inline constexpr int UpdateWithoutEdit = 3020;     // "Update or CancelUpdate without AddNew or Edit."
inline constexpr int DuplicateKey = 3022;          // changes would create duplicate values in the index
inline constexpr int FileNotFound = 3024;          // "Could not find file '<path>'."
inline constexpr int NotADatabase = 3343;          // "Unrecognized database format '<path>'."
inline constexpr int InvalidPassword = 3031;       // "Not a valid password."
inline constexpr int FileInUse = 3045;             // opened exclusively by another user
inline constexpr int ExclusiveLocked = 3356;       // "You attempted to open a database that is already opened exclusively by ..."
inline constexpr int ReadOnly = 3027;              // "Cannot update. Database or object is read-only."
inline constexpr int FieldNotUpdatable = 3164;     // "Field cannot be updated."
inline constexpr int TooFewParameters = 3061;      // "Too few parameters. Expected <n>."
inline constexpr int SyntaxError = 3075;           // "Syntax error ... in query expression '<expr>'."
inline constexpr int SyntaxErrorStatement = 3000 + 131; // 3131 "Syntax error in FROM clause."
inline constexpr int InvalidSqlStatement = 3129;   // "Invalid SQL statement; expected 'DELETE', 'INSERT', ..."
inline constexpr int SyntaxErrorGeneric = 3134;    // "Syntax error in INSERT INTO statement." (and other statements)
inline constexpr int UnknownObject = 3078;         // "The database engine cannot find the input table or query '<name>'."
inline constexpr int ItemNotFound = 3265;          // "Item not found in this collection."
inline constexpr int TextTooLong = 3163;           // "The field is too small to accept the amount of data you attempted to add."
inline constexpr int DataTypeConversion = 3421;    // "Data type conversion error."
inline constexpr int NumericOverflow = 3349;       // "Numeric field overflow."
inline constexpr int ValidationRule = 3317;        // a value breaks a validation rule of its table
inline constexpr int TypeMismatchInExpression = 3464; // "Data type mismatch in criteria expression."
inline constexpr int RecordDeleted = 3167;         // "Record is deleted."
inline constexpr int NotBookmarkable = 3159;       // "Not a valid bookmark."
inline constexpr int CouldNotUpdateLocked = 3218;  // "Could not update; currently locked."
inline constexpr int CouldNotLock = 3260;          // "Could not update; currently locked by another user on this machine."
inline constexpr int CommitWithoutBegin = 3034;    // "You tried to commit or rollback a transaction without first beginning a transaction."
inline constexpr int ObjectInvalid = 3420;         // "Object invalid or no longer set."
inline constexpr int OperationNotSupported = 3251; // "Operation is not supported for this type of object."
inline constexpr int TableExists = 3010;           // "Table '<name>' already exists."
inline constexpr int ObjectExists = 3012;          // "Object '<name>' already exists."
inline constexpr int NullInRequired = 3314;        // "The field '<name>' cannot contain a Null value ..."
inline constexpr int DiskIo = 3043;                // "Disk or network error."
inline constexpr int NotEnoughSpace = 3035;        // out of memory / disk full
inline constexpr int InvalidArgument = 3001;       // "Invalid argument."
inline constexpr int InvalidName = 3125;           // "'<name>' isn't a valid name. ..."
inline constexpr int CannotOpenAnyMore = 3048;     // too many databases attached

// An rt::Error with the engine's standard description for the number;
// detail replaces the placeholder (file name, expression, count) where the
// description has one.
rt::Error make(int number, const std::string& detail = {});

} // namespace engine::err
