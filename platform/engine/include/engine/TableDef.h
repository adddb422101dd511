#pragma once
// TableDef: the definition of a local or linked table.
#include <memory>
#include <string>
#include <vector>

#include "engine/Database.h"

namespace engine {

class TableDef : public rt::Object {
public:
    TableDef(std::string name, std::string connect, std::string sourceTable,
             std::vector<FieldDef> fields);
    std::string typeName() const override { return "TableDef"; }

    const std::string& name() const { return name_; }
    // "" for a local table; the link's connect string (ending in
    // ";DATABASE=<path>") for a linked table.
    const std::string& connect() const { return connect_; }
    const std::string& sourceTableName() const { return source_; }
    bool isLinked() const { return !connect_.empty(); }
    // Visible fields in their declared order (the internal row key excluded).
    const std::vector<FieldDef>& fields() const { return fields_; }
    // 3265 when missing; name compared ignoring case.
    const FieldDef& field(const std::string& name) const;

private:
    std::string name_, connect_, source_;
    std::vector<FieldDef> fields_;
};

} // namespace engine
