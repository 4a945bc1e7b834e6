#pragma once
// Finds a text inside others without regard to letter case (Windows-1252 letters included).
// It can look straight into scrambled entry texts: with the text key given, each stored byte is
// unscrambled and folded through one table, so no copy of the text is ever made.
//
// The scan looks for the needle's rarest letter (both its cases) many bytes at a time and checks
// the whole needle only where that letter occurs.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

class NoCaseFinder {
public:
    explicit NoCaseFinder(std::string_view needle);

    // Whether the needle occurs in plain text.
    bool in(std::string_view text) const { return find(text, plain_); }
    // Whether the needle occurs in a text stored scrambled with the given text key.
    bool inScrambled(std::string_view stored, std::uint8_t key);

    bool empty() const { return needle_.empty(); }

private:
    struct Table {
        std::array<std::uint8_t, 256> fold{};  // stored byte -> folded plain byte
        std::uint8_t anchor1 = 0, anchor2 = 0; // stored bytes that fold to the rarest letter
    };
    void build(Table& t, int key) const; // key < 0: plain text
    bool find(std::string_view hay, const Table& t) const;

    std::string needle_;   // folded
    std::size_t rare_ = 0; // position of the rarest byte in the needle
    Table plain_;
    Table scrambled_;
    int scrambledKey_ = -1;
};

} // namespace tavrin
