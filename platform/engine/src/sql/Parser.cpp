#include "sql/Parser.h"

#include <algorithm>
#include <cctype>

#include "sql/Lexer.h"
#include "sql/SqlError.h"

namespace engine::sql {

namespace {

using namespace ast;

// Thrown inside the parser; the enclosing clause turns it into its rt::Error.
struct SyntaxFail {};

std::string upperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

bool isReserved(const std::string& u) {
    static const char* const words[] = {
        "SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "XOR", "EQV", "IMP", "MOD", "LIKE", "IS",
        "IN", "BETWEEN", "ORDER", "GROUP", "BY", "HAVING", "UNION", "JOIN", "INNER", "LEFT", "RIGHT",
        "ON", "AS", "SET", "INTO", "VALUES", "INSERT", "UPDATE", "DELETE", "DISTINCT", "DISTINCTROW",
        "TOP", "ASC", "DESC", "EXISTS", "NULL", "PARAMETERS", "OUTER", "ALL", "PERCENT"};
    for (const char* w : words)
        if (u == w) return true;
    return false;
}

// Clause-ending words: used to cut the text of a faulty expression.
bool isClauseWord(const Token& t) {
    static const char* const words[] = {"FROM", "WHERE", "GROUP", "HAVING", "ORDER", "UNION",
                                        "INTO", "SET", "VALUES", "INNER", "LEFT", "RIGHT", "ON"};
    if (t.type != TokenType::Word) return false;
    for (const char* w : words)
        if (t.isWord(w)) return true;
    return false;
}

class Parser {
public:
    explicit Parser(std::string_view src) : src_(src), t_(tokenize(src)) {}

    Statement statement();
    ExprPtr wholeExpression();

private:
    std::string_view src_;
    std::vector<Token> t_;
    std::size_t i_ = 0;
    int depth_ = 0;

    struct DepthGuard {
        int& d;
        explicit DepthGuard(int& depth) : d(depth) {
            if (++d > kMaxDepth) { --d; throw SyntaxFail{}; }
        }
        ~DepthGuard() { --d; }
    };

    const Token& cur() const { return t_[i_]; }
    const Token& peek(std::size_t k = 1) const { return t_[std::min(i_ + k, t_.size() - 1)]; }
    void next() { if (i_ + 1 < t_.size()) ++i_; }
    bool acceptWord(std::string_view kw) {
        if (cur().isWord(kw)) { next(); return true; }
        return false;
    }
    bool acceptOp(std::string_view op) {
        if (cur().isOp(op)) { next(); return true; }
        return false;
    }
    void expectWord(std::string_view kw) { if (!acceptWord(kw)) throw SyntaxFail{}; }
    void expectOp(std::string_view op) { if (!acceptOp(op)) throw SyntaxFail{}; }
    bool atNameToken() const {
        return cur().type == TokenType::Bracketed ||
               (cur().type == TokenType::Word && !isReserved(upperAscii(cur().text)));
    }
    std::string name() {
        if (!atNameToken()) throw SyntaxFail{};
        std::string n = cur().text;
        next();
        return n;
    }
    // Any word or bracketed name (after a ".", keywords are names too).
    std::string anyName() {
        if (cur().type != TokenType::Word && cur().type != TokenType::Bracketed) throw SyntaxFail{};
        std::string n = cur().text;
        next();
        return n;
    }

    std::string exprText(std::size_t startIdx) const;
    ExprPtr expression();   // clause-level: SyntaxFail -> 3075
    // A WHERE / HAVING / ON condition: also 3075 when something other than a
    // keyword, ")" or the end follows it ("Faktor = 0,5 AND ...").
    ExprPtr condition();
    ExprPtr parseExpr(int minPrec);
    ExprPtr parseUnary();
    ExprPtr parsePrimary();
    ExprPtr makeNode(Expr::Kind k, std::size_t startIdx) const {
        auto e = std::make_unique<Expr>();
        e->kind = k;
        e->pos = t_[startIdx].pos;
        return e;
    }
    void finish(Expr& e) const { e.end = t_[i_ > 0 ? i_ - 1 : 0].end; }

    std::unique_ptr<Select> select();
    std::unique_ptr<Select> selectCore();
    std::vector<std::unique_ptr<FromItem>> fromList();
    std::unique_ptr<FromItem> fromItem();
    std::unique_ptr<FromItem> fromPrimary();
    std::vector<OrderItem> orderBy();
    std::vector<ParameterDecl> parametersClause();

    void insertStatement(Statement& s);
    void updateStatement(Statement& s);
    void deleteStatement(Statement& s);
    void createTable(Statement& s);
    void createIndex(Statement& s);
    void alterTable(Statement& s);
    void dropStatement(Statement& s);
    ColumnDef columnDef(bool allowConstraints);
    std::vector<std::string> nameList();
};

std::string Parser::exprText(std::size_t startIdx) const {
    std::size_t start = t_[startIdx].pos;
    int depthHere = 0;
    std::size_t j = startIdx;
    std::size_t end = start;
    for (; j < t_.size() && t_[j].type != TokenType::End; ++j) {
        const Token& t = t_[j];
        if (t.isOp("(")) ++depthHere;
        if (t.isOp(")")) { if (depthHere == 0) break; --depthHere; }
        if (depthHere == 0 && j > startIdx && (isClauseWord(t) || t.isOp(";"))) break;
        end = t.end;
    }
    std::string s(src_.substr(start, end > start ? end - start : 0));
    return s;
}

ExprPtr Parser::expression() {
    std::size_t start = i_;
    try {
        return parseExpr(0);
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxExpression, exprText(start));
    }
}

ExprPtr Parser::condition() {
    std::size_t start = i_;
    ExprPtr e = expression();
    const Token& t = cur();
    bool ok = t.type == TokenType::End || t.isOp(")") || t.isOp(";") ||
              (t.type == TokenType::Word && isReserved(upperAscii(t.text)));
    if (!ok) throw sqlError(code::SyntaxExpression, exprText(start));
    return e;
}

// Binary operator precedence (0 when the token is none); higher binds tighter.
int binaryPrec(const Token& t) {
    if (t.type == TokenType::Op) {
        const std::string& o = t.text;
        if (o == "^") return 14;
        if (o == "*" || o == "/") return 12;
        if (o == "\\") return 11;
        if (o == "+" || o == "-") return 9;
        if (o == "&") return 8;
        if (o == "=" || o == "<>" || o == "<" || o == "<=" || o == ">" || o == ">=") return 7;
        return 0;
    }
    if (t.type != TokenType::Word) return 0;
    if (t.isWord("mod")) return 10;
    if (t.isWord("like") || t.isWord("is") || t.isWord("between") || t.isWord("in")) return 7;
    if (t.isWord("and")) return 5;
    if (t.isWord("or")) return 4;
    if (t.isWord("xor")) return 3;
    if (t.isWord("eqv")) return 2;
    if (t.isWord("imp")) return 1;
    return 0;
}

ExprPtr Parser::parseExpr(int minPrec) {
    DepthGuard g(depth_);
    std::size_t startIdx = i_;
    ExprPtr left = parseUnary();
    // Each operator in a row makes the tree one level deeper (a + b + c
    // nests to the left): counted against the same limit as parentheses.
    int chain = 0;
    for (;;) {
        const Token& op = cur();
        if (depth_ + chain > kMaxDepth) throw SyntaxFail{};
        ++chain;
        bool notPrefix = op.isWord("not") &&
                         (peek().isWord("like") || peek().isWord("between") || peek().isWord("in"));
        int prec = notPrefix ? 7 : binaryPrec(op);
        if (prec == 0 || prec < minPrec) break;
        bool negated = false;
        if (notPrefix) { negated = true; next(); }
        const Token& o = cur();
        if (o.isWord("is")) {
            next();
            auto e = makeNode(Expr::Kind::IsNull, startIdx);
            e->negated = acceptWord("not");
            expectWord("null");
            e->args.push_back(std::move(left));
            finish(*e);
            left = std::move(e);
            continue;
        }
        if (o.isWord("between")) {
            next();
            auto e = makeNode(Expr::Kind::Between, startIdx);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(parseExpr(8));
            expectWord("and");
            e->args.push_back(parseExpr(8));
            finish(*e);
            left = std::move(e);
            continue;
        }
        if (o.isWord("in")) {
            next();
            expectOp("(");
            if (cur().isWord("select")) {
                auto e = makeNode(Expr::Kind::InSelect, startIdx);
                e->negated = negated;
                e->args.push_back(std::move(left));
                e->sub = select();
                expectOp(")");
                finish(*e);
                left = std::move(e);
                continue;
            }
            auto e = makeNode(Expr::Kind::InList, startIdx);
            e->negated = negated;
            e->args.push_back(std::move(left));
            do {
                e->args.push_back(parseExpr(0));
            } while (acceptOp(","));
            expectOp(")");
            finish(*e);
            left = std::move(e);
            continue;
        }
        if (o.isWord("like")) {
            next();
            auto e = makeNode(Expr::Kind::Like, startIdx);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(parseExpr(8));
            finish(*e);
            left = std::move(e);
            continue;
        }
        std::string text = o.type == TokenType::Word ? upperAscii(o.text) : o.text;
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        next();
        auto e = makeNode(Expr::Kind::Binary, startIdx);
        e->text = text;
        e->args.push_back(std::move(left));
        e->args.push_back(parseExpr(prec + 1));
        finish(*e);
        left = std::move(e);
    }
    return left;
}

ExprPtr Parser::parseUnary() {
    DepthGuard g(depth_);
    std::size_t startIdx = i_;
    if (cur().isWord("not")) {
        next();
        auto e = makeNode(Expr::Kind::Unary, startIdx);
        e->text = "not";
        e->args.push_back(parseExpr(6));
        finish(*e);
        return e;
    }
    if (cur().isOp("-") || cur().isOp("+")) {
        std::string op = cur().text;
        next();
        auto e = makeNode(Expr::Kind::Unary, startIdx);
        e->text = op;
        e->args.push_back(parseExpr(13));
        finish(*e);
        return e;
    }
    return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
    std::size_t startIdx = i_;
    const Token& t = cur();
    switch (t.type) {
    case TokenType::Number: {
        auto e = makeNode(Expr::Kind::Number, startIdx);
        e->text = t.text;
        next();
        finish(*e);
        return e;
    }
    case TokenType::Text: {
        auto e = makeNode(Expr::Kind::Text, startIdx);
        e->text = t.text;
        next();
        finish(*e);
        return e;
    }
    case TokenType::Date: {
        auto e = makeNode(Expr::Kind::Date, startIdx);
        e->text = t.text;
        next();
        finish(*e);
        return e;
    }
    case TokenType::Op:
        if (t.isOp("(")) {
            next();
            if (cur().isWord("select")) {
                auto e = makeNode(Expr::Kind::Subquery, startIdx);
                e->sub = select();
                expectOp(")");
                finish(*e);
                return e;
            }
            ExprPtr inner = parseExpr(0);
            expectOp(")");
            return inner;
        }
        throw SyntaxFail{};
    case TokenType::Word:
    case TokenType::Bracketed: {
        if (t.type == TokenType::Word) {
            std::string u = upperAscii(t.text);
            if (u == "NULL") {
                next();
                auto e = makeNode(Expr::Kind::Null, startIdx);
                finish(*e);
                return e;
            }
            if (u == "TRUE" || u == "YES" || u == "ON" || u == "FALSE" || u == "NO" || u == "OFF") {
                next();
                auto e = makeNode(Expr::Kind::Bool, startIdx);
                e->text = (u == "TRUE" || u == "YES" || u == "ON") ? "-1" : "0";
                finish(*e);
                return e;
            }
            if (u == "EXISTS") {
                next();
                expectOp("(");
                if (!cur().isWord("select")) throw SyntaxFail{};
                auto e = makeNode(Expr::Kind::Exists, startIdx);
                e->sub = select();
                expectOp(")");
                finish(*e);
                return e;
            }
            bool callable = peek().isOp("(") && (u == "LEFT" || u == "RIGHT");
            if (isReserved(u) && !callable) throw SyntaxFail{};
            if (peek().isOp("(")) {
                auto e = makeNode(Expr::Kind::Call, startIdx);
                e->text = t.text;
                next();
                next();
                if (acceptOp("*")) {
                    auto star = makeNode(Expr::Kind::Star, i_ - 1);
                    e->args.push_back(std::move(star));
                } else if (!cur().isOp(")")) {
                    do {
                        e->args.push_back(parseExpr(0));
                    } while (acceptOp(","));
                }
                expectOp(")");
                finish(*e);
                return e;
            }
        }
        auto e = makeNode(Expr::Kind::Name, startIdx);
        e->parts.push_back(t.text);
        e->text = t.type == TokenType::Bracketed ? "[" + t.text + "]" : t.text;
        next();
        while ((cur().isOp(".") || cur().isOp("!")) &&
               (peek().type == TokenType::Word || peek().type == TokenType::Bracketed)) {
            e->text += cur().text;
            next();
            e->parts.push_back(cur().text);
            e->text += cur().type == TokenType::Bracketed ? "[" + cur().text + "]" : cur().text;
            next();
        }
        finish(*e);
        return e;
    }
    default:
        throw SyntaxFail{};
    }
}

// ---- SELECT --------------------------------------------------------------

std::unique_ptr<Select> Parser::select() {
    DepthGuard g(depth_);
    auto head = selectCore();
    Select* last = head.get();
    int parts = 0;
    while (cur().isWord("union")) {
        if (depth_ + ++parts > kMaxDepth) throw sqlError(code::SyntaxSelect);
        next();
        last->unionAll = acceptWord("all");
        if (!cur().isWord("select")) throw sqlError(code::SyntaxSelect);
        last->unionNext = selectCore();
        last = last->unionNext.get();
    }
    if (cur().isWord("order")) head->orderBy = orderBy();
    return head;
}

std::unique_ptr<Select> Parser::selectCore() {
    auto s = std::make_unique<Select>();
    try {
        expectWord("select");
        for (;;) {
            if (acceptWord("distinct")) { s->distinct = true; continue; }
            if (acceptWord("distinctrow")) { s->distinctRow = true; continue; }
            if (acceptWord("all")) continue;
            if (acceptWord("top")) {
                if (cur().type != TokenType::Number || cur().text.find_first_not_of("0123456789") != std::string::npos ||
                    cur().text.size() > 12)
                    throw SyntaxFail{};
                s->top = std::stoll(cur().text);
                next();
                s->topPercent = acceptWord("percent");
                continue;
            }
            break;
        }
        do {
            SelectItem item;
            if (acceptOp("*")) {
                item.star = true;
            } else if ((cur().type == TokenType::Word || cur().type == TokenType::Bracketed) &&
                       peek().isOp(".") && peek(2).isOp("*")) {
                item.star = true;
                item.starQualifier = cur().text;
                next();
                next();
                next();
            } else {
                item.expr = expression();
                if (acceptWord("as")) item.alias = anyName();
            }
            s->items.push_back(std::move(item));
        } while (acceptOp(","));
        if (acceptWord("into")) {
            s->hasInto = true;
            s->intoTable = name();
        }
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxSelect);
    }
    if (acceptWord("from")) {
        try {
            s->from = fromList();
        } catch (const SyntaxFail&) {
            throw sqlError(code::SyntaxFrom);
        }
    }
    if (acceptWord("where")) s->where = condition();
    if (cur().isWord("group")) {
        next();
        if (!acceptWord("by")) throw sqlError(code::SyntaxSelect);
        do {
            s->groupBy.push_back(expression());
        } while (acceptOp(","));
    }
    if (acceptWord("having")) s->having = condition();
    return s;
}

std::vector<OrderItem> Parser::orderBy() {
    std::vector<OrderItem> out;
    next();
    if (!acceptWord("by")) throw sqlError(code::SyntaxOrderBy);
    do {
        OrderItem o;
        o.expr = expression();
        if (acceptWord("desc")) o.desc = true;
        else acceptWord("asc");
        out.push_back(std::move(o));
    } while (acceptOp(","));
    return out;
}

std::vector<std::unique_ptr<FromItem>> Parser::fromList() {
    std::vector<std::unique_ptr<FromItem>> out;
    do {
        out.push_back(fromItem());
    } while (acceptOp(","));
    return out;
}

std::unique_ptr<FromItem> Parser::fromItem() {
    DepthGuard g(depth_);
    auto left = fromPrimary();
    for (int joins = 1;; ++joins) {
        if (depth_ + joins > kMaxDepth) throw SyntaxFail{};
        std::string type;
        if (cur().isWord("inner")) type = "INNER";
        else if (cur().isWord("left")) type = "LEFT";
        else if (cur().isWord("right")) type = "RIGHT";
        else break;
        next();
        if (type != "INNER") acceptWord("outer");
        expectWord("join");
        auto j = std::make_unique<FromItem>();
        j->kind = FromItem::Kind::Join;
        j->joinType = type;
        j->left = std::move(left);
        j->right = fromPrimary();
        expectWord("on");
        j->on = condition();
        left = std::move(j);
    }
    return left;
}

std::unique_ptr<FromItem> Parser::fromPrimary() {
    DepthGuard g(depth_);
    if (acceptOp("(")) {
        if (cur().isWord("select")) {
            auto d = std::make_unique<FromItem>();
            d->kind = FromItem::Kind::Derived;
            d->sub = select();
            expectOp(")");
            acceptWord("as");
            if (atNameToken()) d->alias = name();
            return d;
        }
        auto inner = fromItem();
        expectOp(")");
        return inner;
    }
    auto n = std::make_unique<FromItem>();
    n->kind = FromItem::Kind::Named;
    n->name = name();
    if (acceptWord("as")) n->alias = name();
    else if (atNameToken()) n->alias = name();
    return n;
}

// ---- PARAMETERS ----------------------------------------------------------

bool parameterTypeOf(const std::string& u, FieldType& type) {
    struct Map { const char* word; FieldType type; };
    static const Map maps[] = {
        {"TEXT", FieldType::Text}, {"CHAR", FieldType::Text}, {"VARCHAR", FieldType::Text},
        {"STRING", FieldType::Text}, {"VALUE", FieldType::Text}, {"GUID", FieldType::Text},
        {"MEMO", FieldType::Memo}, {"LONGTEXT", FieldType::Memo},
        {"BYTE", FieldType::Byte}, {"SHORT", FieldType::Integer}, {"SMALLINT", FieldType::Integer},
        {"INTEGER2", FieldType::Integer},
        {"LONG", FieldType::Long}, {"INTEGER", FieldType::Long}, {"INT", FieldType::Long},
        {"INTEGER4", FieldType::Long}, {"COUNTER", FieldType::Long}, {"AUTOINCREMENT", FieldType::Long},
        {"SINGLE", FieldType::Single}, {"REAL", FieldType::Single}, {"IEEESINGLE", FieldType::Single},
        {"FLOAT4", FieldType::Single},
        {"DOUBLE", FieldType::Double}, {"FLOAT", FieldType::Double}, {"IEEEDOUBLE", FieldType::Double},
        {"FLOAT8", FieldType::Double}, {"NUMBER", FieldType::Double}, {"NUMERIC", FieldType::Double},
        {"CURRENCY", FieldType::Currency}, {"MONEY", FieldType::Currency},
        {"YESNO", FieldType::Boolean}, {"BIT", FieldType::Boolean}, {"LOGICAL", FieldType::Boolean},
        {"LOGICAL1", FieldType::Boolean}, {"BOOLEAN", FieldType::Boolean},
        {"DATETIME", FieldType::Date}, {"DATE", FieldType::Date}, {"TIME", FieldType::Date},
        {"TIMESTAMP", FieldType::Date},
        {"BINARY", FieldType::Binary}, {"LONGBINARY", FieldType::Binary}, {"OLEOBJECT", FieldType::Binary},
    };
    for (const Map& m : maps)
        if (u == m.word) { type = m.type; return true; }
    return false;
}

std::vector<ParameterDecl> Parser::parametersClause() {
    std::vector<ParameterDecl> out;
    try {
        do {
            ParameterDecl d;
            if (cur().type != TokenType::Word && cur().type != TokenType::Bracketed) throw SyntaxFail{};
            d.name = cur().text;
            next();
            // Names such as [Forms]![F]![X]
            while ((cur().isOp("!") || cur().isOp(".")) &&
                   (peek().type == TokenType::Word || peek().type == TokenType::Bracketed)) {
                d.name += cur().text;
                next();
                d.name += cur().text;
                next();
            }
            if (cur().type != TokenType::Word) throw SyntaxFail{};
            if (!parameterTypeOf(upperAscii(cur().text), d.type)) throw SyntaxFail{};
            next();
            if (acceptOp("(")) {
                if (cur().type != TokenType::Number) throw SyntaxFail{};
                next();
                expectOp(")");
            }
            out.push_back(std::move(d));
        } while (acceptOp(","));
        acceptOp(";");
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxSelect);
    }
    return out;
}

// ---- INSERT / UPDATE / DELETE ---------------------------------------------

std::vector<std::string> Parser::nameList() {
    std::vector<std::string> out;
    expectOp("(");
    do {
        std::string n = anyName();
        // T.C in a column list: the column is C
        if (cur().isOp(".")) { next(); n = anyName(); }
        out.push_back(n);
    } while (acceptOp(","));
    expectOp(")");
    return out;
}

void Parser::insertStatement(Statement& s) {
    s.kind = StatementKind::Insert;
    try {
        expectWord("insert");
        expectWord("into");
        s.table = name();
        if (cur().isOp("(")) {
            s.insertColumns = nameList();
            s.hasColumnList = true;
        }
        if (acceptWord("values")) {
            expectOp("(");
            do {
                s.values.push_back(expression());
            } while (acceptOp(","));
            expectOp(")");
            return;
        }
        if (!cur().isWord("select")) throw SyntaxFail{};
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxInsert);
    }
    s.select = select();
}

void Parser::updateStatement(Statement& s) {
    s.kind = StatementKind::Update;
    try {
        expectWord("update");
        try {
            s.target = fromItem();
        } catch (const SyntaxFail&) {
            throw sqlError(code::SyntaxUpdate);
        }
        expectWord("set");
        do {
            Assignment a;
            std::size_t start = i_;
            a.target = parsePrimary();
            if (a.target->kind != Expr::Kind::Name) { i_ = start; throw SyntaxFail{}; }
            expectOp("=");
            a.value = expression();
            s.assignments.push_back(std::move(a));
        } while (acceptOp(","));
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxUpdate);
    }
    if (acceptWord("where")) s.where = condition();
}

void Parser::deleteStatement(Statement& s) {
    s.kind = StatementKind::Delete;
    try {
        expectWord("delete");
        // DELETE [*] | [T.*] | [field list] FROM
        if (!cur().isWord("from")) {
            do {
                if (acceptOp("*")) continue;
                std::string q = anyName();
                if (acceptOp(".")) {
                    if (!acceptOp("*")) anyName();
                    if (s.deleteQualifier.empty()) s.deleteQualifier = q;
                }
            } while (acceptOp(","));
        }
        expectWord("from");
        try {
            s.deleteFrom = fromList();
        } catch (const SyntaxFail&) {
            throw sqlError(code::SyntaxFrom);
        }
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxDelete);
    }
    if (acceptWord("where")) s.where = condition();
}

// ---- DDL -----------------------------------------------------------------

ColumnDef Parser::columnDef(bool allowConstraints) {
    ColumnDef c;
    c.name = anyName();
    if (cur().type != TokenType::Word) throw SyntaxFail{};
    c.typeWord = upperAscii(cur().text);
    next();
    if (acceptOp("(")) {
        if (cur().type != TokenType::Number || cur().text.find_first_not_of("0123456789") != std::string::npos ||
            cur().text.size() > 6)
            throw SyntaxFail{};
        c.size = std::stoi(cur().text);
        next();
        if (acceptOp(",")) {   // NUMERIC(p, s)
            if (cur().type != TokenType::Number) throw SyntaxFail{};
            next();
        }
        expectOp(")");
    }
    for (;;) {
        if (cur().isWord("not")) {
            next();
            expectWord("null");
            c.notNull = true;
            continue;
        }
        if (acceptWord("null")) continue;
        if (!allowConstraints) break;
        if (cur().isWord("primary")) {
            next();
            expectWord("key");
            c.primaryKey = true;
            continue;
        }
        if (acceptWord("unique")) { c.unique = true; continue; }
        if (cur().isWord("constraint")) {
            // CONSTRAINT name PRIMARY KEY | UNIQUE | NOT NULL on the column
            next();
            anyName();
            continue;
        }
        break;
    }
    return c;
}

void Parser::createTable(Statement& s) {
    s.kind = StatementKind::CreateTable;
    try {
        s.table = anyName();
        expectOp("(");
        do {
            if (cur().isWord("constraint") || cur().isWord("primary") || cur().isWord("unique")) {
                TableConstraint tc;
                if (acceptWord("constraint")) tc.name = anyName();
                if (cur().isWord("primary")) {
                    next();
                    expectWord("key");
                    tc.primaryKey = true;
                } else if (!acceptWord("unique")) {
                    throw sqlError(code::SyntaxConstraint);
                }
                tc.columns = nameList();
                s.constraints.push_back(std::move(tc));
                continue;
            }
            s.columns.push_back(columnDef(true));
        } while (acceptOp(","));
        expectOp(")");
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxCreateTable);
    }
}

void Parser::createIndex(Statement& s) {
    s.kind = StatementKind::CreateIndex;
    try {
        s.indexName = anyName();
        expectWord("on");
        s.table = anyName();
        expectOp("(");
        do {
            IndexColumn c;
            c.name = anyName();
            if (acceptWord("desc")) c.desc = true;
            else acceptWord("asc");
            s.indexColumns.push_back(std::move(c));
        } while (acceptOp(","));
        expectOp(")");
        if (acceptWord("with")) {
            if (acceptWord("primary")) s.primaryIndex = true;
            else if (acceptWord("disallow") || acceptWord("ignore")) expectWord("null");
            else throw SyntaxFail{};
        }
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxCreateIndex);
    }
}

void Parser::alterTable(Statement& s) {
    s.kind = StatementKind::AlterTable;
    try {
        expectWord("table");
        s.table = anyName();
        if (acceptWord("add")) {
            s.alterAdd = true;
            acceptWord("column");
            if (cur().isWord("constraint") || cur().isWord("primary")) throw sqlError(code::NotSupported,
                "ALTER TABLE ... ADD CONSTRAINT is not supported; use CREATE INDEX.");
            s.columns.push_back(columnDef(true));
        } else if (acceptWord("drop")) {
            acceptWord("column");
            if (cur().isWord("constraint")) throw sqlError(code::NotSupported,
                "ALTER TABLE ... DROP CONSTRAINT is not supported; use DROP INDEX.");
            ColumnDef c;
            c.name = anyName();
            s.columns.push_back(std::move(c));
        } else {
            throw SyntaxFail{};
        }
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxAlterTable);
    }
}

void Parser::dropStatement(Statement& s) {
    try {
        if (acceptWord("table")) {
            s.kind = StatementKind::DropTable;
            s.table = anyName();
        } else if (acceptWord("index")) {
            s.kind = StatementKind::DropIndex;
            s.indexName = anyName();
            expectWord("on");
            s.table = anyName();
        } else {
            throw SyntaxFail{};
        }
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxDrop);
    }
}

Statement Parser::statement() {
    Statement s;
    if (acceptWord("parameters")) s.params = parametersClause();
    const Token& first = cur();
    if (first.isWord("select")) {
        s.select = select();
        s.kind = s.select->hasInto ? StatementKind::SelectInto : StatementKind::Select;
    } else if (first.isWord("insert")) {
        insertStatement(s);
    } else if (first.isWord("update")) {
        updateStatement(s);
    } else if (first.isWord("delete")) {
        deleteStatement(s);
    } else if (first.isWord("create")) {
        next();
        if (acceptWord("table")) {
            createTable(s);
        } else {
            bool unique = acceptWord("unique");
            if (!acceptWord("index")) throw sqlError(unique ? code::SyntaxCreateIndex : code::SyntaxCreateTable);
            s.uniqueIndex = unique;
            createIndex(s);
        }
    } else if (first.isWord("alter")) {
        next();
        alterTable(s);
    } else if (first.isWord("drop")) {
        next();
        dropStatement(s);
    } else if (first.isWord("transform")) {
        throw sqlError(code::NotSupported, "Crosstab queries (TRANSFORM) are not supported.");
    } else {
        throw sqlError(code::InvalidStatement);
    }
    acceptOp(";");
    if (cur().type != TokenType::End) throw sqlError(code::TrailingCharacters);
    return s;
}

ExprPtr Parser::wholeExpression() {
    ExprPtr e = expression();
    if (cur().type != TokenType::End)
        throw sqlError(code::SyntaxExpression, std::string(src_));
    return e;
}

} // namespace

ast::Statement parseStatement(std::string_view sql) {
    Parser p(sql);
    try {
        return p.statement();
    } catch (const SyntaxFail&) {
        // A failure outside any clause that maps its own errors.
        throw sqlError(code::InvalidStatement);
    }
}

ast::ExprPtr parseExpression(std::string_view text) {
    Parser p(text);
    try {
        return p.wholeExpression();
    } catch (const SyntaxFail&) {
        throw sqlError(code::SyntaxExpression, std::string(text));
    }
}

} // namespace engine::sql
