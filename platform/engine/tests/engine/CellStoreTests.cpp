// The row cache's value store.
#include <gtest/gtest.h>

#include "RecordsetData.h"

namespace {

using engine::detail::CellStore;

TEST(CellStore, RereadTextsReuseTheirBytes) {
    CellStore cells;
    cells.push(rt::Variant("0100_Betriebsmittel"));
    cells.push(rt::Variant(std::int32_t(100010000)));
    const std::size_t blocks = cells.storeBlocks();
    // A cursor kept open and re-read many times (the identifier counter).
    for (int i = 0; i < 200000; ++i) {
        cells.set(0, rt::Variant(i % 2 ? "0100_Betriebsmittel" : "0100_Messung"));
        cells.set(1, rt::Variant(std::int32_t(100010000 + i)));
    }
    EXPECT_EQ(cells.storeBlocks(), blocks);
    EXPECT_EQ(cells.get(0).stringValue(), "0100_Betriebsmittel");
    // A longer text takes new room and reads back whole.
    cells.set(0, rt::Variant("0100_BetriebsmittelStandard"));
    EXPECT_EQ(cells.get(0).stringValue(), "0100_BetriebsmittelStandard");
    cells.set(0, rt::Variant(""));
    EXPECT_EQ(cells.get(0).stringValue(), "");
}

} // namespace
