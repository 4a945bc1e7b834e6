// Windows-1252 texts: the conversion boundary to UTF-8 and the case-blind comparison.

#include "storage/Cp1252.h"

#include <gtest/gtest.h>

namespace tavrin::test {

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += char(c);
    const std::string utf8 = cp1252::toUtf8(all);
    EXPECT_EQ(cp1252::fromUtf8(utf8), all);
    EXPECT_EQ(cp1252::toUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(cp1252::toUtf8("\x9F"), "\xC5\xB8");     // Y with diaeresis
    EXPECT_EQ(cp1252::toUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(cp1252::fromUtf8("\xE2\x80\x93"), "\x96"); // en dash
}

TEST(Cp1252, CharactersItCannotHoldBecomeQuestionMarks) {
    EXPECT_EQ(cp1252::fromUtf8("a\xE6\x97\xA5z"), "a?z");   // CJK
    EXPECT_EQ(cp1252::fromUtf8("\xF0\x9F\x98\x80!"), "?!"); // emoji, four bytes
    EXPECT_EQ(cp1252::fromUtf8("\xC4\x80"), "?");           // A with macron
    EXPECT_EQ(cp1252::fromUtf8("x\xC3"), "x?");             // cut sequence
    EXPECT_EQ(cp1252::fromUtf8("\xFF\xBF"), "??");          // not UTF-8 at all
    EXPECT_EQ(cp1252::fromUtf8("a\xC0\x80"
                               "b"),
              "a?b")
        << "an overlong NUL must not slip in";
    EXPECT_EQ(cp1252::fromUtf8("\xE0\x81\x81"), "?") << "overlong 'A'";
    EXPECT_EQ(cp1252::fromUtf8("\xED\xA0\x80"), "?") << "a lone surrogate";
}

TEST(Cp1252, CompareNoCaseFoldsAsciiAndAccentedLetters) {
    EXPECT_EQ(cp1252::compareNoCase("ABC", "abc"), 0);
    EXPECT_EQ(cp1252::compareNoCase("\xC9"
                                    "COLE",
                                    "\xE9"
                                    "cole"),
              0);                                        // ECOLE
    EXPECT_EQ(cp1252::compareNoCase("\x8A", "\x9A"), 0); // S caron
    EXPECT_EQ(cp1252::compareNoCase("\x9F", "\xFF"), 0); // Y diaeresis
    EXPECT_LT(cp1252::compareNoCase("abc", "ABD"), 0);
    EXPECT_LT(cp1252::compareNoCase("ab", "AB c"), 0);
    EXPECT_GT(cp1252::compareNoCase("b", "A"), 0);
    EXPECT_NE(cp1252::compareNoCase("\xD7", "\xF7"), 0)
        << "multiplication and division signs differ";
    EXPECT_NE(cp1252::compareNoCase("\xDF", "ss"), 0);
}

TEST(Cp1252, FoldsEveryAccentedCapitalButTheMultiplicationSign) {
    for (int c = 0xC0; c <= 0xDE; ++c) {
        const auto upper = static_cast<unsigned char>(c),
                   lower = static_cast<unsigned char>(c + 0x20);
        if (c == 0xD7) {
            EXPECT_NE(cp1252::fold(upper), cp1252::fold(lower));
        } else {
            EXPECT_EQ(cp1252::fold(upper), cp1252::fold(lower)) << std::hex << c;
        }
    }
}

} // namespace tavrin::test
