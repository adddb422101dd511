#include "sampledb/Rows.h"

#include "engine/Recordset.h"

namespace sampledb {

long addRows(engine::Database& db, const std::string& table, const std::vector<Row>& rows)
{
    if (rows.empty()) return 0;
    auto rs = db.openRecordset(table, engine::RecordsetType::Dynaset, engine::opt::AppendOnly);
    long stored = 0;
    for (const Row& row : rows) {
        rs->addNew();
        for (const auto& [name, value] : row) rs->field(name).setValue(value);
        rs->update();
        ++stored;
    }
    rs->close();
    return stored;
}

long countRows(engine::Database& db, const std::string& table)
{
    auto rs = db.openRecordset("SELECT Count(*) AS N FROM [" + table + "]", engine::RecordsetType::Snapshot);
    const long n = rs->value(0).longValue();
    rs->close();
    return n;
}

} // namespace sampledb
