// The control library as a host loads it: libmeasgrid.so through its entry point.
#include "Fixture.h"
#include "hosting/LibraryLoader.h"

namespace measgrid::test {
namespace {

TEST(Library, ExportsMessungenWithItsInterfaceInDeclaredOrder) {
    auto lib = hosting::LibraryLoader::load(PG_MEASGRID_PATH);
    EXPECT_EQ(lib->descriptor().typeLibrary().name, "trelvan13");
    EXPECT_EQ(lib->descriptor().typeLibrary().id, "D387C1C2-6900-48D8-9413-CB12CAE6FEB0");
    const hosting::ControlClass* cls = lib->findClass("{d78fe8b5-5a11-4d0f-996c-d6e70f2bece6}");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls, lib->findClass("Messungen"));
    EXPECT_EQ(cls->defaultInterface().name, "_Messungen");
    EXPECT_EQ(cls->defaultInterface().id, "11D8D4E1-1BBD-43EC-8489-E06A1169F87D");
    EXPECT_EQ(cls->eventInterface().name, "__Messungen");
    EXPECT_EQ(cls->eventInterface().id, "A0812AD1-2D1C-406A-9158-9779E913D687");

    std::vector<std::string> order;
    for (const auto& m : cls->members())
        if (order.empty() || order.back() != m.name) order.push_back(m.name);
    EXPECT_EQ(order, (std::vector<std::string>{"trelvanReplicaID", "trelvanDB", "StromkreisID", "Sprache", "Save",
                                               "AppPath", "TextMatrix", "ColWidth", "AllowEdits", "AllowAdditions",
                                               "AllowDeletions", "LimitSupport"}));
    const hosting::MemberInfo* tm = cls->findMember("TextMatrix", hosting::MemberKind::PropertyLet);
    ASSERT_NE(tm, nullptr);
    ASSERT_EQ(tm->params.size(), 3u);
    EXPECT_EQ(tm->params[2].name, "New_TextMatrix");
    EXPECT_NE(cls->findMember("trelvanDB", hosting::MemberKind::PropertySet), nullptr);
    EXPECT_EQ(cls->findMember("trelvanDB", hosting::MemberKind::PropertyLet), nullptr);
    ASSERT_EQ(cls->events().size(), 1u);
    EXPECT_EQ(cls->events()[0].name, "Grenzwert");
    EXPECT_EQ(cls->events()[0].params[0].name, "MessID");
    EXPECT_TRUE(cls->events()[0].params[0].byRef);
    EXPECT_EQ(cls->events()[0].params[1].type, hosting::ParamType::Long);
}

TEST(Library, AControlMadeByClassIdLoadsACircuit) {
    auto lib = hosting::LibraryLoader::load(PG_MEASGRID_PATH);
    Host host;
    DbPair db;
    const std::int32_t sk = db.circuitOfPlaces(3);
    auto c = lib->create("D78FE8B5-5A11-4D0F-996C-D6E70F2BECE6", host.site());
    hosting::setProperty(*c, "trelvanDB", object(db.frontend));
    hosting::letProperty(*c, "StromkreisID", rt::Variant(std::to_string(sk)));
    EXPECT_TRUE(host.ui.boxes().empty());
    EXPECT_EQ(hosting::getProperty(*c, "TextMatrix", {rt::Variant(6), rt::Variant(1)}).stringValue(), "003");
    EXPECT_EQ(hosting::getProperty(*c, "ColWidth", {rt::Variant(2)}).longValue(), 0);
    EXPECT_RT_ERROR(hosting::letProperty(*c, "Gibtsnicht", rt::Variant(1)), 438);
}

} // namespace
} // namespace measgrid::test
