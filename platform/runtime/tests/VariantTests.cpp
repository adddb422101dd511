// Variant kinds, accessors and errors.
#include <gtest/gtest.h>

#include "runtime/Error.h"
#include "runtime/Variant.h"

using namespace rt;

namespace {

struct Thing : Object {
    std::string typeName() const override { return "Thing"; }
};
struct Other : Object {
    std::string typeName() const override { return "Other"; }
};

TEST(Variant, KindsAndAccessors) {
    EXPECT_EQ(Variant().type(), VarType::Empty);
    EXPECT_TRUE(Variant().isEmpty());
    EXPECT_TRUE(Variant::null().isNull());
    EXPECT_EQ(Variant(std::int16_t{5}).integerValue(), 5);
    EXPECT_EQ(Variant(std::int32_t{70000}).longValue(), 70000);
    EXPECT_EQ(Variant(2.5).doubleValue(), 2.5);
    EXPECT_TRUE(Variant(true).boolValue());
    EXPECT_EQ(Variant("ä").stringValue(), "ä");
    EXPECT_EQ(Variant(std::string("x")).type(), VarType::String);
    EXPECT_EQ(Variant::date(3.5).dateValue(), 3.5);
    EXPECT_EQ(Variant::date(3.5).type(), VarType::Date);
    EXPECT_TRUE(Variant(std::int16_t{1}).isNumberKind());
    EXPECT_TRUE(Variant(false).isNumberKind());
    EXPECT_FALSE(Variant("1").isNumberKind());
    EXPECT_FALSE(Variant::date(1).isNumberKind());
    EXPECT_FALSE(Variant().isNumberKind());

    try {
        (void)Variant("1").longValue();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
    }
    EXPECT_THROW((void)Variant().stringValue(), Error);
    EXPECT_THROW((void)Variant(1.0).integerValue(), Error);
    EXPECT_THROW((void)Variant::null().objectValue(), Error);
}

TEST(Variant, ObjectsAndIdentity) {
    auto t = std::make_shared<Thing>();
    const Variant v{std::shared_ptr<Object>(t)};
    EXPECT_TRUE(v.isObject());
    EXPECT_EQ(v.objectValue()->typeName(), "Thing");
    EXPECT_EQ(v.objectAs<Thing>(), t);
    EXPECT_EQ(v.objectAs<Other>(), nullptr);
    EXPECT_EQ(Variant(1.0).objectAs<Thing>(), nullptr);
    const Variant copy = v;
    EXPECT_TRUE(copy.identical(v));
    EXPECT_FALSE(Variant(std::shared_ptr<Object>(std::make_shared<Thing>())).identical(v));

    EXPECT_TRUE(Variant(std::int16_t{1}).identical(Variant(std::int16_t{1})));
    EXPECT_FALSE(Variant(std::int16_t{1}).identical(Variant(std::int32_t{1})));
    EXPECT_TRUE(Variant::null().identical(Variant::null()));
    EXPECT_FALSE(Variant::null().identical(Variant()));
    EXPECT_FALSE(Variant(true).identical(Variant(false)));
    EXPECT_FALSE(Variant("a").identical(Variant("A")));
}

TEST(Variant, TypeNames) {
    EXPECT_STREQ(typeName(VarType::Empty), "Empty");
    EXPECT_STREQ(typeName(VarType::Null), "Null");
    EXPECT_STREQ(typeName(VarType::Integer), "Integer");
    EXPECT_STREQ(typeName(VarType::Long), "Long");
    EXPECT_STREQ(typeName(VarType::Double), "Double");
    EXPECT_STREQ(typeName(VarType::Boolean), "Boolean");
    EXPECT_STREQ(typeName(VarType::String), "String");
    EXPECT_STREQ(typeName(VarType::Date), "Date");
    EXPECT_STREQ(typeName(VarType::Object), "Object");
}

TEST(Error, NumbersAndDescriptions) {
    const struct {
        Error e;
        int number;
        const char* text;
    } cases[] = {
        {overflowError(), 6, "Overflow"},
        {typeMismatchError(), 13, "Type mismatch"},
        {invalidUseOfNullError(), 94, "Invalid use of Null"},
        {subscriptError(), 9, "Subscript out of range"},
        {invalidCallError(), 5, "Invalid procedure call or argument"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.e.number(), c.number);
        EXPECT_EQ(c.e.description(), c.text);
        EXPECT_STREQ(c.e.what(), c.text);
        EXPECT_EQ(c.e.source(), "");
    }
    const Error e(3021, "No current record.", "engine");
    EXPECT_EQ(e.source(), "engine");
    EXPECT_STREQ(e.what(), "No current record.");
    const std::runtime_error& base = e;
    EXPECT_STREQ(base.what(), "No current record.");
}

} // namespace
