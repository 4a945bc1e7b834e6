#include "NoCaseFinder.h"

#include "Cp1252.h"
#include "Scramble.h"

namespace tavrin {

NoCaseFinder::NoCaseFinder(std::string_view needle) {
    needle_.reserve(needle.size());
    for (unsigned char c : needle) needle_ += char(cp1252::fold(c));
    build(plain_, -1);
}

void NoCaseFinder::build(Table& t, int key) const {
    const std::size_t m = needle_.size();
    for (int b = 0; b < 256; ++b) {
        std::uint8_t plain = key < 0 ? std::uint8_t(b) : scramble::apply(std::uint8_t(b), std::uint8_t(key));
        t.fold[std::size_t(b)] = cp1252::fold(plain);
    }
    if (m == 0) return;
    // Horspool shifts, defined on folded bytes and spread to every stored byte that folds there.
    std::array<std::uint32_t, 256> byFolded;
    byFolded.fill(std::uint32_t(m));
    for (std::size_t i = 0; i + 1 < m; ++i)
        byFolded[static_cast<unsigned char>(needle_[i])] = std::uint32_t(m - 1 - i);
    for (int b = 0; b < 256; ++b) t.skip[std::size_t(b)] = byFolded[t.fold[std::size_t(b)]];
}

bool NoCaseFinder::find(std::string_view hay, const Table& t) const {
    const std::size_t m = needle_.size(), n = hay.size();
    if (m == 0) return true;
    if (n < m) return false;
    const auto* h = reinterpret_cast<const unsigned char*>(hay.data());
    const auto* p = reinterpret_cast<const unsigned char*>(needle_.data());
    const unsigned char last = p[m - 1];
    std::size_t pos = 0;
    while (pos + m <= n) {
        const unsigned char c = h[pos + m - 1];
        if (t.fold[c] == last) {
            std::size_t i = 0;
            while (i + 1 < m && t.fold[h[pos + i]] == p[i]) ++i;
            if (i + 1 >= m) return true;
        }
        pos += t.skip[c];
    }
    return false;
}

bool NoCaseFinder::inScrambled(std::string_view stored, std::uint8_t key) {
    if (scrambledKey_ != key) {
        build(scrambled_, key);
        scrambledKey_ = key;
    }
    return find(stored, scrambled_);
}

} // namespace tavrin
