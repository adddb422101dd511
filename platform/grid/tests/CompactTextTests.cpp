#include "grid/CompactText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using grid::CompactText;

TEST(CompactText, KeepsTextsAcrossTheInlineLimit) {
    for (std::size_t n : {0u, 1u, 6u, 14u, 15u, 16u, 17u, 100u}) {
        const std::string s(n, 'x');
        CompactText t(s);
        EXPECT_EQ(t.view(), s) << n;
        EXPECT_EQ(t.size(), n);
        EXPECT_EQ(t.onHeap(), n > CompactText::kInlineCapacity) << n;
    }
}

TEST(CompactText, ReassignBetweenInlineAndHeap) {
    CompactText t("short");
    t.assign(std::string(40, 'L'));
    EXPECT_EQ(t.view(), std::string(40, 'L'));
    t.assign("äöü");   // 6 bytes of UTF-8
    EXPECT_EQ(t.view(), "äöü");
    EXPECT_FALSE(t.onHeap());
    t.clear();
    EXPECT_TRUE(t.empty());
}

TEST(CompactText, AssignFromItsOwnText) {
    CompactText inl("inline text");
    inl.assign(inl.view().substr(7));
    EXPECT_EQ(inl.view(), "text");
    CompactText heap(std::string("a long text that lives on the heap"));
    heap.assign(heap.view().substr(2));
    EXPECT_EQ(heap.view(), "long text that lives on the heap");
    heap.assign(heap.view().substr(0, 4));
    EXPECT_EQ(heap.view(), "long");
}

TEST(CompactText, CopyAndMove) {
    const std::string longText(30, 'q');
    CompactText a(longText);
    CompactText b(a);
    EXPECT_EQ(b.view(), longText);
    CompactText c(std::move(a));
    EXPECT_EQ(c.view(), longText);
    EXPECT_TRUE(a.empty());   // NOLINT: moved-from state is specified
    b = CompactText("x");
    EXPECT_EQ(b.view(), "x");
    const CompactText& alias = c;
    c = alias;   // self-assignment keeps the text
    EXPECT_EQ(c.view(), longText);
    b = std::move(c);
    EXPECT_EQ(b.view(), longText);
}
