#pragma once
// Emits SQLite expressions for dialect expressions. What a name means is
// left to the subclass (a column of a FROM source, a parameter, a field of
// a recordset); everything else (operators, constants, functions) is common.
#include <string>
#include <vector>

#include "sql/Ast.h"

namespace engine::sql {

// An emitted expression. `logical` marks a truth value of SQLite's own
// (1 / 0 / NULL); used as a value it becomes the dialect's -1 / 0.
struct Emitted {
    std::string sql;
    bool logical = false;
    FieldType type = FieldType::Text;
    int size = 0;
};

// Parameters of one statement: names that stand for ?N, and the order in
// which they were first used.
class ParameterSet {
public:
    void addKnown(const ParameterDecl& p);              // ignored when the name exists
    const ParameterDecl* find(const std::string& name) const;
    // "?N" for a known parameter (numbering by first use).
    std::string use(const std::string& name);
    const std::vector<std::string>& order() const { return order_; }

private:
    std::vector<ParameterDecl> known_;
    std::vector<std::string> order_;
};

class ExprEmitter {
public:
    virtual ~ExprEmitter() = default;

    Emitted emit(const ast::Expr& e);
    // As a value (truth values become -1 / 0).
    Emitted value(const ast::Expr& e);
    // As a condition (anything non-zero is true).
    std::string condition(const ast::Expr& e);

    bool sawAggregate() const { return sawAggregate_; }

protected:
    virtual Emitted name(const ast::Expr& e) = 0;
    virtual std::string subquery(const ast::Select& s) = 0;

private:
    bool sawAggregate_ = false;
    Emitted call(const ast::Expr& e);
    Emitted binary(const ast::Expr& e);
};

Emitted asValue(Emitted e);
// The dialect name written in e (parts joined by their separators, no brackets).
std::string writtenName(const ast::Expr& e);

} // namespace engine::sql
