// pgsql: a command-line tool for database files of the engine layer.
//
//   pgsql [--password P] [--create] FILE [SQL]
//   pgsql [--password P] FILE --query NAME [--param name=value ...]
//   pgsql [--password P] FILE --create-query NAME SQL
//   pgsql [--password P] FILE --link NAME CONNECT SOURCE
//   pgsql [--password P] FILE --tables | --queries | --describe TABLE
//
// Results are printed tab-separated (a line of field names, then one line
// per row, Null as empty); action statements print "RecordsAffected: n".
// Failures print "Error <number>: <description>" to stderr and exit 1;
// wrong usage exits 2.
#include <iostream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"
#include "engine/TableDef.h"
#include "runtime/Convert.h"

namespace {

const char* kUsage =
    "usage: pgsql [--password P] [--create] FILE [SQL]\n"
    "       pgsql [--password P] FILE --query NAME [--param name=value ...]\n"
    "       pgsql [--password P] FILE --create-query NAME SQL\n"
    "       pgsql [--password P] FILE --link NAME CONNECT SOURCE\n"
    "       pgsql [--password P] FILE --tables | --queries | --describe TABLE\n";

struct Args {
    std::string password, file, sql;
    bool create = false, tables = false, queries = false;
    std::string query, describe, createQuery, linkName, linkConnect, linkSource;
    std::vector<std::pair<std::string, std::string>> params;
};

int usage(const std::string& why) {
    if (!why.empty()) std::cerr << "pgsql: " << why << "\n";
    std::cerr << kUsage;
    return 2;
}

void printRecordset(engine::Recordset& rs, const rt::Regional& r) {
    auto& fields = rs.fields();
    for (int i = 0; i < fields.count(); ++i) std::cout << (i ? "\t" : "") << fields[i].name();
    std::cout << "\n";
    while (!rs.eof()) {
        for (int i = 0; i < fields.count(); ++i) {
            rt::Variant v = fields[i].value();
            std::cout << (i ? "\t" : "") << (v.isNull() ? std::string() : rt::textOf(v, r));
        }
        std::cout << "\n";
        rs.moveNext();
    }
}

bool isSelect(const std::string& sql) {
    std::size_t a = sql.find_first_not_of(" \t\r\n(");
    if (a == std::string::npos) return false;
    std::string word;
    for (std::size_t i = a; i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])); ++i)
        word += char(std::toupper(static_cast<unsigned char>(sql[i])));
    return word == "SELECT" || word == "PARAMETERS" || word == "TRANSFORM";
}

int run(const Args& a) {
    engine::Engine eng;
    auto& ws = eng.defaultWorkspace();
    std::shared_ptr<engine::Database> db;
    if (a.create) {
        db = ws.createDatabase(a.file, a.password);
    } else {
        engine::OpenOptions o;
        if (!a.password.empty()) o.connect = "MS Access;pwd=" + a.password;
        db = ws.openDatabase(a.file, o);
    }
    const rt::Regional& r = eng.regional();
    if (a.tables) {
        for (const auto& n : db->tableDefNames()) {
            auto td = db->tableDef(n);
            std::cout << n << (td->isLinked() ? "\t" + td->connect() + "\t" + td->sourceTableName() : "") << "\n";
        }
    } else if (a.queries) {
        for (const auto& n : db->queryDefNames()) std::cout << n << "\t" << db->queryDef(n)->sql() << "\n";
    } else if (!a.describe.empty()) {
        auto td = db->tableDef(a.describe);
        for (const auto& f : td->fields()) {
            std::cout << f.name << "\t" << engine::fieldTypeName(f.type);
            if (f.type == engine::FieldType::Text) std::cout << "(" << f.size << ")";
            if (f.autoIncrement) std::cout << "\tCOUNTER";
            if (f.required) std::cout << "\tNOT NULL";
            std::cout << "\n";
        }
    } else if (!a.createQuery.empty()) {
        db->createQueryDef(a.createQuery, a.sql);
    } else if (!a.linkName.empty()) {
        db->createLinkedTable(a.linkName, a.linkConnect, a.linkSource);
    } else if (!a.query.empty()) {
        auto qd = db->queryDef(a.query);
        for (const auto& [name, value] : a.params) qd->setParameter(name, rt::Variant(value));
        if (isSelect(qd->sql())) {
            auto rs = qd->openRecordset(engine::RecordsetType::Snapshot);
            printRecordset(*rs, r);
        } else {
            qd->execute();
            std::cout << "RecordsAffected: " << db->recordsAffected() << "\n";
        }
    } else if (!a.sql.empty()) {
        std::shared_ptr<engine::Recordset> rs;
        if (isSelect(a.sql)) {
            try {
                rs = db->openRecordset(a.sql, engine::RecordsetType::Snapshot);
            } catch (const rt::Error& e) {
                if (e.number() != 3219) throw;   // SELECT ... INTO runs as an action
            }
        }
        if (rs) {
            printRecordset(*rs, r);
        } else {
            db->execute(a.sql);
            std::cout << "RecordsAffected: " << db->recordsAffected() << "\n";
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Args a;
    std::vector<std::string> positional;
    int actions = 0;
    for (int i = 1; i < argc; ++i) {
        std::string s = argv[i];
        auto need = [&](int n) {
            if (i + n >= argc) return false;
            return true;
        };
        if (s == "--help" || s == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (s == "--password") {
            if (!need(1)) return usage("--password needs a value");
            a.password = argv[++i];
        } else if (s == "--create") {
            a.create = true;
        } else if (s == "--tables") {
            a.tables = true;
            ++actions;
        } else if (s == "--queries") {
            a.queries = true;
            ++actions;
        } else if (s == "--describe") {
            if (!need(1)) return usage("--describe needs a table");
            a.describe = argv[++i];
            ++actions;
        } else if (s == "--query") {
            if (!need(1)) return usage("--query needs a name");
            a.query = argv[++i];
            ++actions;
        } else if (s == "--param") {
            if (!need(1)) return usage("--param needs name=value");
            std::string p = argv[++i];
            auto eq = p.find('=');
            if (eq == std::string::npos || eq == 0) return usage("--param needs name=value");
            a.params.emplace_back(p.substr(0, eq), p.substr(eq + 1));
        } else if (s == "--create-query") {
            if (!need(2)) return usage("--create-query needs a name and an SQL text");
            a.createQuery = argv[++i];
            a.sql = argv[++i];
            ++actions;
        } else if (s == "--link") {
            if (!need(3)) return usage("--link needs a name, a connect string and a source table");
            a.linkName = argv[++i];
            a.linkConnect = argv[++i];
            a.linkSource = argv[++i];
            ++actions;
        } else if (s.size() > 1 && s[0] == '-' && s[1] == '-') {
            return usage("unknown option " + s);
        } else {
            positional.push_back(s);
        }
    }
    if (positional.empty()) return usage("no database file given");
    if (positional.size() > 2) return usage("too many arguments");
    a.file = positional[0];
    if (positional.size() == 2) {
        if (actions) return usage("an SQL text cannot be combined with another action");
        a.sql = positional[1];
        ++actions;
    }
    if (actions > 1) return usage("one action at a time");
    if (actions == 0 && !a.create) return usage("nothing to do");
    if (!a.params.empty() && a.query.empty()) return usage("--param belongs to --query");
    try {
        return run(a);
    } catch (const rt::Error& e) {
        std::cerr << "Error " << e.number() << ": " << e.description() << "\n";
        return 1;
    }
}
