// translateCriteria() on arbitrary text: a translation or an rt::Error.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/Error.h"
#include "sql/Translator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> fields = {"MessID", "LoopRS", "LoopIKRS", "fit min", "T.C", "Prüfspannung"};
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        engine::sql::CriteriaTranslation t = engine::sql::translateCriteria(text, fields);
        (void)t;
    } catch (const rt::Error&) {
    }
    return 0;
}
