// Text functions by characters: umlauts, case, invalid UTF-8.
#include <gtest/gtest.h>

#include "runtime/Error.h"
#include "runtime/Text.h"

using namespace rt;
using namespace rt::text;

namespace {

int errorOf(void (*f)()) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

TEST(Text, LenLeftRightMidCountCharacters) {
    const std::string s = "Prüfgerät€𝄞";  // ü, ä 2 bytes; € 3 bytes; 𝄞 4 bytes
    EXPECT_EQ(len(s), 11u);
    EXPECT_EQ(len(""), 0u);
    EXPECT_EQ(left(s, 3), "Prü");
    EXPECT_EQ(left(s, 0), "");
    EXPECT_EQ(left(s, 99), s);
    EXPECT_EQ(right(s, 2), "€𝄞");
    EXPECT_EQ(right(s, 0), "");
    EXPECT_EQ(right(s, 99), s);
    EXPECT_EQ(mid(s, 3, 1), "ü");
    EXPECT_EQ(mid(s, 8), "ät€𝄞");
    EXPECT_EQ(mid(s, 8, 2), "ät");
    EXPECT_EQ(mid(s, 12), "");
    EXPECT_EQ(mid(s, 50, 3), "");
    EXPECT_EQ(mid(s, 1, 0), "");
    EXPECT_EQ(errorOf([] { mid("abc", 0); }), err::InvalidProcedureCall);
    EXPECT_EQ(errorOf([] { mid("abc", 0, 1); }), err::InvalidProcedureCall);
}

TEST(Text, UpperLower) {
    EXPECT_EQ(upper("ärger über öl, café"), "ÄRGER ÜBER ÖL, CAFÉ");
    EXPECT_EQ(lower("ÄRGER ÜBER ÖL, CAFÉ"), "ärger über öl, café");
    EXPECT_EQ(upper("straße"), "STRAßE");
    EXPECT_EQ(lower("STRAßE"), "straße");
    EXPECT_EQ(upper("ÿ"), "Ÿ");
    EXPECT_EQ(lower("Ÿ"), "ÿ");
    EXPECT_EQ(upper("łódź"), "ŁÓDŹ");
    EXPECT_EQ(lower("ŁÓDŹ"), "łódź");
    EXPECT_EQ(upper("αβγ ς"), "ΑΒΓ Σ");
    EXPECT_EQ(lower("ΑΒΓ"), "αβγ");
    EXPECT_EQ(upper("привет ё"), "ПРИВЕТ Ё");
    EXPECT_EQ(lower("ПРИВЕТ Ё"), "привет ё");
    EXPECT_EQ(upper("x1/2 s"), "X1/2 S");
    EXPECT_EQ(upper("÷×"), "÷×");
    // Every mapped character maps back.
    for (std::uint32_t c = 0; c < 0x530; ++c) {
        const std::uint32_t u = upperChar(c);
        if (u != c && c != 0x131 && c != 0x3C2) {
            EXPECT_EQ(lowerChar(u), c) << std::hex << c;
        }
    }
}

TEST(Text, Trim) {
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(ltrim("  a "), "a ");
    EXPECT_EQ(rtrim("  a "), "  a");
    EXPECT_EQ(trim("\ta\t"), "\ta\t");  // blanks only
    EXPECT_EQ(trim("    "), "");
    EXPECT_EQ(trim(""), "");
}

TEST(Text, InStr) {
    EXPECT_EQ(instr(1, "Größe über", "über"), 7u);
    EXPECT_EQ(instr(1, "abcabc", "c"), 3u);
    EXPECT_EQ(instr(4, "abcabc", "c"), 6u);
    EXPECT_EQ(instr(7, "abcabc", "c"), 0u);
    EXPECT_EQ(instr(1, "abc", "C"), 0u);
    EXPECT_EQ(instr(1, "abc", ""), 1u);
    EXPECT_EQ(instr(4, "abc", ""), 4u);
    EXPECT_EQ(instr(5, "abc", ""), 0u);
    EXPECT_EQ(instr(1, "", "a"), 0u);
    EXPECT_EQ(instr(1, "ab", "abc"), 0u);
    EXPECT_EQ(instrNoCase(1, "x5 S", "s"), 4u);
    EXPECT_EQ(instrNoCase(1, "GRÖSSE Äpfel", "äPFEL"), 8u);
    EXPECT_EQ(instrNoCase(1, "abc", "d"), 0u);
    EXPECT_EQ(errorOf([] { instr(0, "abc", "a"); }), err::InvalidProcedureCall);
    EXPECT_EQ(errorOf([] { instrNoCase(0, "abc", "a"); }), err::InvalidProcedureCall);
}

TEST(Text, CompareNoCase) {
    EXPECT_TRUE(equalsNoCase("ÄRGER", "ärger"));
    EXPECT_TRUE(equalsNoCase("FIT Max", "fit max"));
    EXPECT_FALSE(equalsNoCase("ärger", "ärgern"));
    EXPECT_FALSE(equalsNoCase("a", "b"));
    EXPECT_EQ(compareNoCase("a", "B"), -1);
    EXPECT_EQ(compareNoCase("b", "A"), 1);
    EXPECT_EQ(compareNoCase("ab", "AB"), 0);
    EXPECT_EQ(compareNoCase("ab", "A"), 1);
    EXPECT_EQ(compareNoCase("", "a"), -1);
    EXPECT_EQ(compareNoCase("", ""), 0);
}

TEST(Text, AscChrCodePoints) {
    EXPECT_EQ(ascW("A"), 65u);
    EXPECT_EQ(ascW("ä"), 0xE4u);
    EXPECT_EQ(ascW("€uro"), 0x20ACu);
    EXPECT_EQ(errorOf([] { ascW(""); }), err::InvalidProcedureCall);
    EXPECT_EQ(chrW(0xE4), "ä");
    EXPECT_EQ(chrW(0x20AC), "€");
    EXPECT_EQ(chrW(0x1D11E), "𝄞");
    EXPECT_EQ(chrW(0xD800), "\xEF\xBF\xBD");  // lone surrogate -> U+FFFD
    EXPECT_EQ(chrW(0x110000), "\xEF\xBF\xBD");
    const std::vector<std::uint32_t> cps = {'a', 0xFC, 0x20AC, 0x1D11E};
    EXPECT_EQ(toCodePoints("aü€𝄞"), cps);
    EXPECT_EQ(fromCodePoints(cps), "aü€𝄞");
    EXPECT_TRUE(startsWith("Gen_ID", "Gen_"));
    EXPECT_FALSE(startsWith("Ge", "Gen_"));
    EXPECT_TRUE(startsWith("x", ""));
}

TEST(Text, InvalidUtf8NeverBreaks) {
    // Latin-1 "Prüf" (0xFC alone), a cut 3-byte sequence, an overlong "/",
    // an encoded surrogate and a stray continuation byte.
    const std::string latin1 = "Pr\xFC" "f";
    EXPECT_EQ(len(latin1), 4u);
    EXPECT_EQ(mid(latin1, 3, 1), "\xFC");
    EXPECT_EQ(upper(latin1), "PR\xFC" "F");
    EXPECT_EQ(lower("A\xFC"), "a\xFC");
    EXPECT_EQ(ascW(mid(latin1, 3)), 0xDCFCu);
    EXPECT_EQ(fromCodePoints(toCodePoints(latin1)), latin1);

    const std::string cut = "a\xE2\x82";  // "€" without its last byte
    EXPECT_EQ(len(cut), 3u);
    EXPECT_EQ(right(cut, 1), "\x82");
    EXPECT_EQ(fromCodePoints(toCodePoints(cut)), cut);

    const std::string odd = "\xC0\xAF|\xED\xA0\x80|\x80|\xF5\x80";
    EXPECT_EQ(len(odd), 11u);
    EXPECT_EQ(fromCodePoints(toCodePoints(odd)), odd);
    EXPECT_EQ(instr(1, odd, "|"), 3u);
    EXPECT_EQ(instr(1, odd, "\x80"), 6u);  // a byte, not the tail of another char
    EXPECT_EQ(instr(1, "\xE2\x82\xAC", "\xAC"), 0u);
    EXPECT_EQ(trim(" \xFF "), "\xFF");
    EXPECT_FALSE(equalsNoCase("\xFC", "\xDC"));
    EXPECT_TRUE(equalsNoCase("a\xFC", "A\xFC"));

    // Every string of up to two bytes: nothing throws, lengths add up.
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const std::string s{static_cast<char>(a), static_cast<char>(b)};
            const std::size_t n = len(s);
            ASSERT_TRUE(n == 1 || n == 2);
            EXPECT_EQ(left(s, 1) + mid(s, 2), s);
            EXPECT_EQ(fromCodePoints(toCodePoints(s)), s);
            EXPECT_EQ(len(upper(s)), len(s) + (s == "\xC3\x9F" ? 0 : 0));
        }
}

} // namespace
