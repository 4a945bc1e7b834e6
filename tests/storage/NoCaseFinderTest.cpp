// Finding a text without regard to letter case, in plain and in scrambled texts.

#include "storage/NoCaseFinder.h"
#include "storage/Cp1252.h"
#include "storage/Scramble.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrin::test {
namespace {

bool slowFind(const std::string& hay, const std::string& needle) {
    for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && cp1252::fold(static_cast<unsigned char>(hay[i + k])) ==
                                        cp1252::fold(static_cast<unsigned char>(needle[k])))
            ++k;
        if (k == needle.size()) return true;
    }
    return needle.empty();
}

} // namespace

TEST(NoCaseFinder, FindsAcrossCaseAndAccentedLetters) {
    NoCaseFinder f("kilimanjaro");
    EXPECT_TRUE(f.in("We climbed KILIMANJARO in May"));
    EXPECT_TRUE(f.in("kilimanjaro"));
    EXPECT_FALSE(f.in("kilimanjar"));
    EXPECT_FALSE(f.in(""));
    EXPECT_TRUE(NoCaseFinder("CAF\xC9").in("un caf\xE9 noir")); // É and é
    EXPECT_TRUE(NoCaseFinder("\x8A").in("\x9A"));               // Š and š
    EXPECT_TRUE(NoCaseFinder("").in("anything"));
    EXPECT_FALSE(NoCaseFinder("a").in("b"));
    // A needle longer than the scan's block, found at the very end.
    std::string hay(100, 'x');
    hay += "Needle-In-The-Haystack";
    EXPECT_TRUE(NoCaseFinder("needle-in-the-haystack").in(hay));
}

// Against a plain byte-by-byte search over many random texts, plain and scrambled with every
// kind of key, including keys equal to a letter of the needle (those bytes are stored as is).
TEST(NoCaseFinder, AgreesWithASlowSearchEverywhere) {
    std::mt19937 rng(7);
    const char alphabet[] = "abcKIJ\xE9\xC9 xyzAB;";
    int mismatches = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string hay, needle;
        int hl = int(rng() % 120), nl = 1 + int(rng() % 5);
        for (int i = 0; i < hl; ++i)
            hay += alphabet[rng() % (sizeof alphabet - 1)];
        for (int i = 0; i < nl; ++i)
            needle += alphabet[rng() % (sizeof alphabet - 1)];
        NoCaseFinder f(needle);
        const bool expected = slowFind(hay, needle);
        mismatches += f.in(hay) != expected;
        std::uint8_t key = round % 3 == 0 ? std::uint8_t(needle[0]) : std::uint8_t(rng() % 256);
        std::string stored = hay;
        scramble::text(stored, key);
        mismatches += f.inScrambled(stored, key) != expected;
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace tavrin::test
