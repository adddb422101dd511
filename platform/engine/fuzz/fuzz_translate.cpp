// translate() on arbitrary text with a small fixed catalog: every input must
// end in a translation or an rt::Error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/Error.h"
#include "sql/Translator.h"

namespace {

class FixedSchema : public engine::sql::SchemaResolver {
public:
    std::optional<engine::sql::SourceInfo> resolve(std::string_view name) override {
        using engine::FieldType;
        using engine::sql::ColumnInfo;
        engine::sql::SourceInfo s;
        if (name == "Q" || name == "R") {
            s.kind = engine::sql::SourceInfo::Kind::Query;
            s.querySql = name == "Q" ? "PARAMETERS p Long; SELECT * FROM T WHERE A = p" : "SELECT * FROM R";
            return s;
        }
        if (name == "T" || name == "U") {
            s.sqlRef = std::string("\"main\".\"") + std::string(name) + "\"";
            s.keyColumn = engine::sql::kRowKeyColumn;
            s.columns = {ColumnInfo{"A", FieldType::Long}, ColumnInfo{"B", FieldType::Text, 10},
                         ColumnInfo{"Prüfung ID", FieldType::Date}};
            return s;
        }
        if (name == "L") {
            s.sqlRef = "\"link1\".\"L\"";
            s.keyColumn = "ID";
            s.columns = {ColumnInfo{"ID", FieldType::Long, 0, true}, ColumnInfo{"B", FieldType::Memo}};
            return s;
        }
        return std::nullopt;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FixedSchema schema;
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        engine::sql::Translation t = engine::sql::translate(text, schema, {{"x", engine::FieldType::Text}});
        (void)t;
    } catch (const rt::Error&) {
    }
    return 0;
}
