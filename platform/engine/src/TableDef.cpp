#include "engine/TableDef.h"

#include "engine/Errors.h"
#include "runtime/Text.h"

namespace engine {

TableDef::TableDef(std::string name, std::string connect, std::string sourceTable, std::vector<FieldDef> fields)
    : name_(std::move(name)), connect_(std::move(connect)), source_(std::move(sourceTable)),
      fields_(std::move(fields)) {}

const FieldDef& TableDef::field(const std::string& name) const {
    for (const auto& f : fields_)
        if (rt::text::equalsNoCase(f.name, name)) return f;
    throw err::make(err::ItemNotFound);
}

} // namespace engine
