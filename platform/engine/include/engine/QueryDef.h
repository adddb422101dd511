#pragma once
// QueryDef: a stored query and its parameters. Parameter values live in the
// QueryDef object (not in the file); each openRecordset / execute binds them.
#include <memory>
#include <string>
#include <vector>

#include "engine/Database.h"

namespace engine {

struct Parameter {
    std::string name;
    FieldType type = FieldType::Text;
    rt::Variant value;   // Empty until set: an unset parameter binds as Null
};

class QueryDef : public rt::Object {
public:
    QueryDef(std::shared_ptr<Database> db, std::string name, std::string sql,
             std::vector<Parameter> params);
    std::string typeName() const override { return "QueryDef"; }

    const std::string& name() const { return name_; }
    const std::string& sql() const { return sql_; }   // as stored, PARAMETERS clause included

    const std::vector<Parameter>& parameters() const { return params_; }
    // Parameters(name) = value, ignoring case; 3265 for an unknown name.
    void setParameter(const std::string& name, const rt::Variant& value);
    const rt::Variant& parameter(const std::string& name) const;

    // Default type: Dynaset.
    std::shared_ptr<Recordset> openRecordset(RecordsetType type = RecordsetType::Default, int options = 0);
    // Runs an action query; records affected in Database::recordsAffected().
    void execute(int options = 0);

private:
    std::shared_ptr<Database> db_;
    std::string name_, sql_;
    std::vector<Parameter> params_;
};

} // namespace engine
