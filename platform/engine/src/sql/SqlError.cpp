#include "sql/SqlError.h"

namespace engine::sql {

namespace {
std::string describe(int number, const std::string& d) {
    switch (number) {
    case code::NotSupported:
        return d.empty() ? "Operation is not supported for this type of object." : d;
    case code::UndefinedFunction: return "Undefined function '" + d + "' in expression.";
    case code::UnknownField:
        return "The database engine does not recognize '" + d + "' as a valid field name or expression.";
    case code::UnknownObject:
        return "The database engine cannot find the input table or query '" + d +
               "'. Make sure it exists and that its name is spelled correctly.";
    case code::AmbiguousField:
        return "The specified field '" + d +
               "' could refer to more than one table listed in the FROM clause of your SQL statement.";
    case code::SyntaxExpression: return "Syntax error in query expression '" + d + "'.";
    case code::SyntaxFrom: return "Syntax error in FROM clause.";
    case code::InvalidStatement:
        return "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";
    case code::SyntaxInsert: return "Syntax error in INSERT INTO statement.";
    case code::SyntaxUpdate: return "Syntax error in UPDATE statement.";
    case code::SyntaxDelete: return "Syntax error in DELETE statement.";
    case code::SyntaxOrderBy: return "Syntax error in ORDER BY clause.";
    case code::TrailingCharacters: return "Characters found after end of SQL statement.";
    case code::UnknownInsertField:
        return "The INSERT INTO statement contains the following unknown field name: '" + d +
               "'. Make sure you have typed the name correctly, and try the operation again.";
    case code::NotUpdatable: return "Operation must use an updateable query.";
    case code::SyntaxConstraint: return "Syntax error in CONSTRAINT clause.";
    case code::SyntaxCreateTable: return "Syntax error in CREATE TABLE statement.";
    case code::SyntaxCreateIndex: return "Syntax error in CREATE INDEX statement.";
    case code::SyntaxAlterTable: return "Syntax error in ALTER TABLE statement.";
    case code::SyntaxDrop: return "Syntax error in DROP TABLE or DROP INDEX.";
    case code::TableMissing: return "Table '" + d + "' doesn't exist.";
    case code::LinkedDdl: return "Cannot execute data definition statements on linked data sources.";
    case code::SyntaxSelect:
        return "The SELECT statement includes a reserved word or an argument name that is misspelled "
               "or missing, or the punctuation is incorrect.";
    case code::SyntaxJoin: return "Syntax error in JOIN operation.";
    case code::ValueCount: return "Number of query values and destination fields are not the same.";
    case code::DeleteTarget: return "Specify the table containing the records you want to delete.";
    default: return d.empty() ? "Syntax error." : d;
    }
}
} // namespace

rt::Error sqlError(int number, const std::string& detail) {
    return rt::Error(number, describe(number, detail), "engine");
}

} // namespace engine::sql
