#pragma once
// Errors the translator raises: rt::Error with the database engine's numbers
// and descriptions. `detail` fills the description's placeholder (an
// expression, a table or field name) where it has one.
#include <string>

#include "runtime/Error.h"

namespace engine::sql {

namespace code {
inline constexpr int NotSupported = 3251;          // statement form not supported
inline constexpr int UndefinedFunction = 3085;     // "Undefined function '<name>' in expression."
inline constexpr int UnknownField = 3070;          // criteria: unknown field name
inline constexpr int UnknownObject = 3078;         // unknown table or query (also a cycle)
inline constexpr int AmbiguousField = 3079;        // field could refer to more than one table
inline constexpr int SyntaxExpression = 3075;      // "Syntax error in query expression '<expr>'."
inline constexpr int SyntaxFrom = 3131;            // "Syntax error in FROM clause."
inline constexpr int InvalidStatement = 3129;      // not DELETE / INSERT / PROCEDURE / SELECT / UPDATE
inline constexpr int SyntaxInsert = 3134;
inline constexpr int SyntaxUpdate = 3144;
inline constexpr int SyntaxDelete = 3145;
inline constexpr int SyntaxOrderBy = 3138;
inline constexpr int TrailingCharacters = 3142;
inline constexpr int UnknownInsertField = 3127;
inline constexpr int NotUpdatable = 3073;          // "Operation must use an updateable query."
inline constexpr int SyntaxConstraint = 3289;
inline constexpr int SyntaxCreateTable = 3290;
inline constexpr int SyntaxCreateIndex = 3291;
inline constexpr int SyntaxAlterTable = 3293;
inline constexpr int SyntaxDrop = 3295;
inline constexpr int TableMissing = 3376;          // "Table '<name>' doesn't exist."
inline constexpr int LinkedDdl = 3611;             // DDL on a linked table
inline constexpr int SyntaxSelect = 3141;          // SELECT (or PARAMETERS) statement malformed
inline constexpr int SyntaxJoin = 3135;            // "Syntax error in JOIN operation."
inline constexpr int ValueCount = 3346;            // INSERT: values and fields differ in number
inline constexpr int DeleteTarget = 3128;          // DELETE: which table to delete from
} // namespace code

rt::Error sqlError(int number, const std::string& detail = {});

} // namespace engine::sql
