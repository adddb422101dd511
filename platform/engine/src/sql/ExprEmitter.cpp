#include "sql/ExprEmitter.h"

#include <cstring>

#include "runtime/Text.h"
#include "sql/Lexer.h"
#include "sql/SqlError.h"

namespace engine::sql {

using ast::Expr;

void ParameterSet::addKnown(const ParameterDecl& p) {
    if (!find(p.name)) known_.push_back(p);
}

const ParameterDecl* ParameterSet::find(const std::string& name) const {
    for (const auto& p : known_)
        if (rt::text::equalsNoCase(p.name, name)) return &p;
    return nullptr;
}

std::string ParameterSet::use(const std::string& name) {
    const ParameterDecl* p = find(name);
    const std::string& canonical = p ? p->name : name;
    for (std::size_t i = 0; i < order_.size(); ++i)
        if (rt::text::equalsNoCase(order_[i], canonical)) return "?" + std::to_string(i + 1);
    order_.push_back(canonical);
    return "?" + std::to_string(order_.size());
}

Emitted asValue(Emitted e) {
    if (e.logical) {
        e.sql = "(-" + e.sql + ")";
        e.logical = false;
        e.type = FieldType::Boolean;
    }
    return e;
}

std::string writtenName(const Expr& e) {
    std::string r;
    for (char c : e.text)
        if (c != '[' && c != ']') r += c;
    return r;
}

namespace {

bool isTextType(FieldType t) { return t == FieldType::Text || t == FieldType::Memo; }

// A comparison needs the case-insensitive collation only when both sides
// may be texts with letters: a number, truth value or date on either side
// makes it a comparison of numbers or of digits, where the collation
// changes nothing but would keep SQLite from using an index.
bool needsCollation(const Emitted& a, const Emitted& b) {
    auto letters = [](const Emitted& e) { return isTextType(e.type); };
    return letters(a) && letters(b);
}

std::string upperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

Emitted make(std::string sql, FieldType t, bool logical = false, int size = 0) {
    Emitted e;
    e.sql = std::move(sql);
    e.type = t;
    e.logical = logical;
    e.size = size;
    return e;
}

[[noreturn]] void badExpression(const Expr& e) {
    // The message names the expression as the emitter sees it; the source
    // range is not kept past parsing, so the function name stands in.
    throw sqlError(code::SyntaxExpression, e.text);
}

} // namespace

Emitted ExprEmitter::value(const Expr& e) { return asValue(emit(e)); }

std::string ExprEmitter::condition(const Expr& e) { return emit(e).sql; }

Emitted ExprEmitter::emit(const Expr& e) {
    switch (e.kind) {
    case Expr::Kind::Number: {
        bool real = e.text.find_first_of(".eE") != std::string::npos || e.text.size() > 9;
        return make(e.text, real ? FieldType::Double : FieldType::Long);
    }
    case Expr::Kind::Text: return make(quoteText(e.text), FieldType::Text, false, 255);
    case Expr::Kind::Date: return make(quoteText(e.text), FieldType::Date);
    case Expr::Kind::Null: return make("NULL", FieldType::Text);
    case Expr::Kind::Bool: return make(e.text, FieldType::Boolean);
    case Expr::Kind::Name: return name(e);
    case Expr::Kind::Star: throw sqlError(code::SyntaxExpression, "*");
    case Expr::Kind::Unary: {
        if (e.text == "not") {
            Emitted a = emit(*e.args[0]);
            if (a.logical) return make("(NOT " + a.sql + ")", FieldType::Boolean, true);
            return make("(~" + a.sql + ")", a.type == FieldType::Boolean ? FieldType::Boolean : FieldType::Long);
        }
        Emitted a = value(*e.args[0]);
        if (e.text == "+") return a;
        FieldType t = a.type == FieldType::Boolean || isTextType(a.type) ? FieldType::Double : a.type;
        return make("(-" + a.sql + ")", t);
    }
    case Expr::Kind::Binary: return binary(e);
    case Expr::Kind::Between: {
        Emitted v = value(*e.args[0]), lo = value(*e.args[1]), hi = value(*e.args[2]);
        const bool coll = needsCollation(v, lo) || needsCollation(v, hi);
        return make("(" + v.sql + (coll ? " COLLATE JETNOCASE" : "") + (e.negated ? " NOT" : "") + " BETWEEN " + lo.sql +
                        " AND " + hi.sql + ")",
                    FieldType::Boolean, true);
    }
    case Expr::Kind::InList: {
        Emitted v = value(*e.args[0]);
        std::string list;
        bool coll = false;
        for (std::size_t i = 1; i < e.args.size(); ++i) {
            if (i > 1) list += ", ";
            Emitted item = value(*e.args[i]);
            coll = coll || needsCollation(v, item);
            list += item.sql;
        }
        return make("(" + v.sql + (coll ? " COLLATE JETNOCASE" : "") + (e.negated ? " NOT" : "") + " IN (" + list + "))",
                    FieldType::Boolean, true);
    }
    case Expr::Kind::InSelect: {
        Emitted v = value(*e.args[0]);
        return make("(" + v.sql + " COLLATE JETNOCASE" + (e.negated ? " NOT" : "") + " IN (" + subquery(*e.sub) +
                        "))",
                    FieldType::Boolean, true);
    }
    case Expr::Kind::Like: {
        Emitted v = value(*e.args[0]), p = value(*e.args[1]);
        std::string s = "jet_like(" + v.sql + ", " + p.sql + ")";
        return make(e.negated ? "(NOT " + s + ")" : s, FieldType::Boolean, true);
    }
    case Expr::Kind::IsNull: {
        Emitted v = value(*e.args[0]);
        return make("(" + v.sql + (e.negated ? " IS NOT NULL)" : " IS NULL)"), FieldType::Boolean, true);
    }
    case Expr::Kind::Exists: return make("(EXISTS (" + subquery(*e.sub) + "))", FieldType::Boolean, true);
    case Expr::Kind::Subquery: return make("(" + subquery(*e.sub) + ")", FieldType::Text);
    case Expr::Kind::Call: return call(e);
    }
    badExpression(e);
}

Emitted ExprEmitter::binary(const Expr& e) {
    const std::string& op = e.text;
    if (op == "and" || op == "or" || op == "xor" || op == "eqv" || op == "imp") {
        Emitted a = emit(*e.args[0]), b = emit(*e.args[1]);
        if (a.logical && b.logical) {
            if (op == "and") return make("(" + a.sql + " AND " + b.sql + ")", FieldType::Boolean, true);
            if (op == "or") return make("(" + a.sql + " OR " + b.sql + ")", FieldType::Boolean, true);
            if (op == "xor") return make("(" + a.sql + " <> " + b.sql + ")", FieldType::Boolean, true);
            if (op == "eqv") return make("(" + a.sql + " = " + b.sql + ")", FieldType::Boolean, true);
            return make("((NOT " + a.sql + ") OR " + b.sql + ")", FieldType::Boolean, true);
        }
        // Bitwise on values, as the dialect does for numbers (-1 / 0 included).
        std::string x = asValue(a).sql, y = asValue(b).sql;
        FieldType t = FieldType::Long;
        if (op == "and") return make("(" + x + " & " + y + ")", t);
        if (op == "or") return make("(" + x + " | " + y + ")", t);
        std::string xr = "((" + x + " | " + y + ") & ~(" + x + " & " + y + "))";
        if (op == "xor") return make(xr, t);
        if (op == "eqv") return make("(~" + xr + ")", t);
        return make("((~" + x + ") | " + y + ")", t);
    }
    Emitted a = value(*e.args[0]), b = value(*e.args[1]);
    if (op == "=" || op == "<>" || op == "<" || op == "<=" || op == ">" || op == ">=")
        return make("(" + a.sql + " " + op + " " + b.sql + (needsCollation(a, b) ? " COLLATE JETNOCASE)" : ")"),
                    FieldType::Boolean, true);
    if (op == "&") return make("jet_concat(" + a.sql + ", " + b.sql + ")", FieldType::Memo);
    auto numType = [&](FieldType x, FieldType y) {
        if (x == FieldType::Double || y == FieldType::Double || x == FieldType::Single || y == FieldType::Single ||
            isTextType(x) || isTextType(y))
            return FieldType::Double;
        if (x == FieldType::Date || y == FieldType::Date) return FieldType::Date;
        if (x == FieldType::Currency || y == FieldType::Currency) return FieldType::Currency;
        return FieldType::Long;
    };
    if (op == "+") {
        if (isTextType(a.type) || isTextType(b.type))
            return make("jet_add(" + a.sql + ", " + b.sql + ")", isTextType(a.type) && isTextType(b.type)
                                                                     ? FieldType::Memo : FieldType::Double);
        return make("(" + a.sql + " + " + b.sql + ")", numType(a.type, b.type));
    }
    if (op == "-") return make("(" + a.sql + " - " + b.sql + ")", numType(a.type, b.type));
    if (op == "*") return make("(" + a.sql + " * " + b.sql + ")", numType(a.type, b.type));
    if (op == "/") return make("(CAST(" + a.sql + " AS REAL) / " + b.sql + ")", FieldType::Double);
    if (op == "\\") return make("jet_idiv(" + a.sql + ", " + b.sql + ")", FieldType::Long);
    if (op == "mod") return make("jet_mod(" + a.sql + ", " + b.sql + ")", FieldType::Long);
    if (op == "^") return make("jet_pow(" + a.sql + ", " + b.sql + ")", FieldType::Double);
    badExpression(e);
}

Emitted ExprEmitter::call(const Expr& e) {
    const std::string f = upperAscii(e.text);
    const std::size_t n = e.args.size();
    auto argCount = [&](std::size_t lo, std::size_t hi) {
        if (n < lo || n > hi) throw sqlError(code::SyntaxExpression, e.text + "(...)");
        for (const auto& a : e.args)
            if (a->kind == Expr::Kind::Star && f != "COUNT") throw sqlError(code::SyntaxExpression, e.text + "(*)");
    };
    auto args = [&](std::size_t from = 0) {
        std::string s;
        for (std::size_t i = from; i < n; ++i) {
            if (i > from) s += ", ";
            s += value(*e.args[i]).sql;
        }
        return s;
    };
    struct Simple { const char* name; const char* sqlName; std::size_t lo, hi; FieldType type; };
    static const Simple simple[] = {
        {"LEN", "jet_len", 1, 1, FieldType::Long},
        {"LEFT", "jet_left", 2, 2, FieldType::Text},
        {"RIGHT", "jet_right", 2, 2, FieldType::Text},
        {"MID", "jet_mid", 2, 3, FieldType::Text},
        {"UCASE", "jet_ucase", 1, 1, FieldType::Text},
        {"LCASE", "jet_lcase", 1, 1, FieldType::Text},
        {"TRIM", "jet_trim", 1, 1, FieldType::Text},
        {"LTRIM", "jet_ltrim", 1, 1, FieldType::Text},
        {"RTRIM", "jet_rtrim", 1, 1, FieldType::Text},
        {"INSTR", "jet_instr", 2, 3, FieldType::Long},
        {"VAL", "jet_val", 1, 1, FieldType::Double},
        {"CSTR", "jet_cstr", 1, 1, FieldType::Text},
        {"CLNG", "jet_clng", 1, 1, FieldType::Long},
        {"CINT", "jet_cint", 1, 1, FieldType::Integer},
        {"CDBL", "jet_cdbl", 1, 1, FieldType::Double},
        {"INT", "jet_int", 1, 1, FieldType::Double},
        {"FIX", "jet_fix", 1, 1, FieldType::Double},
        {"ROUND", "jet_round", 1, 2, FieldType::Double},
        {"ABS", "abs", 1, 1, FieldType::Double},
        {"NOW", "jet_now", 0, 0, FieldType::Date},
        {"DATE", "jet_date", 0, 0, FieldType::Date},
    };
    for (const Simple& s : simple) {
        if (f != s.name) continue;
        argCount(s.lo, s.hi);
        Emitted r = make(std::string(s.sqlName) + "(" + args() + ")", s.type);
        if (f == "ABS" || f == "INT" || f == "FIX") r.type = value(*e.args[0]).type;
        if (r.type == FieldType::Text) r.size = 255;
        return r;
    }
    if (f == "YEAR" || f == "MONTH" || f == "DAY") {
        argCount(1, 1);
        const char* fmt = f == "YEAR" ? "%Y" : f == "MONTH" ? "%m" : "%d";
        return make(std::string("CAST(strftime('") + fmt + "', " + args() + ") AS INTEGER)", FieldType::Integer);
    }
    if (f == "NZ") {
        argCount(1, 2);
        Emitted a = value(*e.args[0]);
        std::string alt = n == 2 ? value(*e.args[1]).sql : "''";
        return make("ifnull(" + a.sql + ", " + alt + ")", a.type, false, a.size);
    }
    if (f == "IIF") {
        argCount(3, 3);
        std::string c = condition(*e.args[0]);
        Emitted a = value(*e.args[1]), b = value(*e.args[2]);
        return make("(CASE WHEN " + c + " THEN " + a.sql + " ELSE " + b.sql + " END)", a.type, false, a.size);
    }
    if (f == "ISNULL") {
        argCount(1, 1);
        return make("(" + value(*e.args[0]).sql + " IS NULL)", FieldType::Boolean, true);
    }
    if (f == "COUNT" || f == "SUM" || f == "AVG" || f == "MIN" || f == "MAX" || f == "FIRST" || f == "LAST") {
        argCount(1, 1);
        sawAggregate_ = true;
        if (e.args[0]->kind == Expr::Kind::Star) {
            if (f != "COUNT") throw sqlError(code::SyntaxExpression, e.text + "(*)");
            return make("count(*)", FieldType::Long);
        }
        Emitted a = value(*e.args[0]);
        if (f == "COUNT") return make("count(" + a.sql + ")", FieldType::Long);
        if (f == "SUM") return make("sum(" + a.sql + ")", a.type == FieldType::Long || a.type == FieldType::Integer ||
                                                             a.type == FieldType::Byte ? FieldType::Long
                                                                                       : FieldType::Double);
        if (f == "AVG") return make("avg(" + a.sql + ")", FieldType::Double);
        std::string fn = f == "MIN" ? "min" : f == "MAX" ? "max" : f == "FIRST" ? "jet_first" : "jet_last";
        return make(fn + "(" + a.sql + ")", a.type, false, a.size);
    }
    throw sqlError(code::UndefinedFunction, e.text);
}

} // namespace engine::sql
