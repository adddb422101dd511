#include <gtest/gtest.h>

#include "TestHost.h"
#include "hosting/PropertyBag.h"
#include "runtime/Error.h"

using hosting::PropertyBag;

namespace {
struct Thing : rt::Object {
    std::string typeName() const override { return "Thing"; }
};
} // namespace

TEST(PropertyBag, DefaultsAreNotStoredAndMissingEntriesReadAsDefault) {
    PropertyBag bag;
    bag.write("TextMatrix0", "", "");
    bag.write("ColWidth0", std::int32_t(0), std::int32_t(0));
    bag.write("trelvanDB", rt::Variant(), rt::Variant());
    bag.write("PrüfungID", std::int32_t(0), std::int16_t(0));   // Long 0 equals Integer 0
    bag.write("Flag", rt::Variant(), std::int32_t(0));          // Empty equals 0
    EXPECT_TRUE(bag.empty()) << bag.toText();

    bag.write("Caption", "x", "");
    bag.write("Null", rt::Variant::null(), rt::Variant());      // Null is not Empty
    bag.write("Zero", "0", std::int32_t(0));                     // a text is not a number
    EXPECT_EQ(bag.entries().size(), 3u);
    EXPECT_EQ(bag.read("caption", "d").stringValue(), "x");      // names ignore case
    EXPECT_EQ(bag.read("Missing", std::int16_t(7)).integerValue(), 7);

    bag.write("Caption", "", "");                                // back to default: removed
    EXPECT_FALSE(bag.contains("Caption"));
}

TEST(PropertyBag, TextFormRoundTripsInWriteOrder) {
    PropertyBag bag;
    bag.write("Zeta", "Mess \"stelle\"\nzwei", "");
    bag.write("Alpha", std::int32_t(1200), std::int32_t(0));
    bag.write("Date", rt::Variant::date(45322.25));
    bag.write("Db", rt::Variant(std::shared_ptr<rt::Object>()), std::int32_t(5));
    const std::string text = bag.toText();
    EXPECT_EQ(text,
              "Zeta = \"Mess \\\"stelle\\\"\\nzwei\"\nAlpha = 1200\nDate = #2024-01-31 06:00:00#\nDb = Nothing\n");
    const PropertyBag back = PropertyBag::fromText("' saved form\r\n\n" + text);
    ASSERT_EQ(back.entries().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.entries()[i].first, bag.entries()[i].first);
        EXPECT_TRUE(back.entries()[i].second.identical(bag.entries()[i].second) || i == 3);
    }
    EXPECT_TRUE(back.read("Db").isObject());
}

TEST(PropertyBag, RefusesObjectsAndBrokenText) {
    PropertyBag bag;
    EXPECT_RT_ERROR(bag.write("Db", rt::Variant(std::shared_ptr<rt::Object>(std::make_shared<Thing>()))), 330);
    EXPECT_TRUE(bag.empty());
    EXPECT_RT_ERROR(PropertyBag::fromText("A = 1\nno equals sign\n"), 13);
    EXPECT_RT_ERROR(PropertyBag::fromText("A = nonsense"), 13);
    EXPECT_RT_ERROR(PropertyBag::fromText("two words = 1"), 13);
}
