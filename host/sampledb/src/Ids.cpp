#include "sampledb/Ids.h"

#include <cstdint>

#include "engine/Recordset.h"
#include "runtime/Error.h"

namespace sampledb {

Replica sampleReplica()
{
    Replica r;
    r.id = "{6C0D3A1E-5B2F-4E7A-9C41-2D8E7F3B1A05}";
    r.description = "1 Büro Weber Elektrotechnik";
    r.offsetFactor = 1;
    return r;
}

void addReplicaRow(engine::Database& db, const Replica& replica)
{
    db.execute("INSERT INTO MSysReplicas (ReplicaID, Description) VALUES (" + replica.sqlLiteral() +
               ", '" + replica.description + "')");
}

IdCounter::IdCounter(engine::Database& db, std::int32_t offsetFactor)
    : db_(db), offsetFactor_(offsetFactor)
{
}

std::int32_t IdCounter::reserve(const std::string& table, int count)
{
    if (count < 1) throw rt::invalidCallError();
    const std::int64_t blockStart = std::int64_t(offsetFactor_) * 100000000 + 10000;
    auto rs = db_.openRecordset("SELECT * FROM IDIncrement WHERE OffsetFaktor = " +
                                    std::to_string(offsetFactor_) + " And TabelleName = '" + table + "'",
                                engine::RecordsetType::Dynaset);
    std::int64_t first = 0;
    if (rs->eof()) {
        first = blockStart;
        const std::int64_t last = first + count - 1;
        if (last > INT32_MAX || first < INT32_MIN) throw rt::overflowError();
        rs->addNew();
        rs->field("OffsetFaktor") = rt::Variant(offsetFactor_);
        rs->field("TabelleName") = rt::Variant(table);
        rs->field("LastID") = rt::Variant(static_cast<std::int32_t>(last));
    } else {
        rs->edit();
        first = std::int64_t(rs->value("LastID").longValue()) + 1;
        const std::int64_t last = first + count - 1;
        if (last > INT32_MAX) {
            rs->cancelUpdate();
            throw rt::overflowError();
        }
        rs->field("LastID") = rt::Variant(static_cast<std::int32_t>(last));
    }
    rs->update();
    rs->close();
    return static_cast<std::int32_t>(first);
}

} // namespace sampledb
