#include "storage/NoCaseFinder.h"

#include "storage/Cp1252.h"
#include "storage/Scramble.h"

#include <cstring>

namespace tavrin {
namespace {

// How common a folded byte is in diary texts: lower is rarer.
int commonness(unsigned char c) {
    static const char order[] = "etaoinshrdlcumwfgypbvkjxqz"; // letters, most common first
    if (c == ' ') return 100;
    if (const char* p = std::strchr(order, c); p && c) return 90 - int(p - order);
    if (c >= '0' && c <= '9') return 40;
    if (c == '\\' || c == '{' || c == '}') return 80; // rich-text markup is everywhere
    return 30;
}

// First position in [p, end) whose byte is a or b; end when there is none.
std::size_t scan(const unsigned char* h, std::size_t p, std::size_t end, unsigned char a,
                 unsigned char b) {
#if defined(__GNUC__) || defined(__clang__)
    typedef unsigned char V16 __attribute__((vector_size(16)));
    const V16 va = {a, a, a, a, a, a, a, a, a, a, a, a, a, a, a, a};
    const V16 vb = {b, b, b, b, b, b, b, b, b, b, b, b, b, b, b, b};
    while (p + 32 <= end) {
        V16 x, y;
        std::memcpy(&x, h + p, 16);
        std::memcpy(&y, h + p + 16, 16);
        auto mx = (x == va) | (x == vb);
        auto my = (y == va) | (y == vb);
        std::uint64_t w[4];
        std::memcpy(w, &mx, 16);
        std::memcpy(w + 2, &my, 16);
        if (w[0] | w[1] | w[2] | w[3]) {
            for (int k = 0; k < 4; ++k)
                if (w[k]) return p + std::size_t(8 * k) + std::size_t(__builtin_ctzll(w[k]) / 8);
        }
        p += 32;
    }
#endif
    for (; p < end; ++p)
        if (h[p] == a || h[p] == b) return p;
    return end;
}

} // namespace

NoCaseFinder::NoCaseFinder(std::string_view needle) {
    needle_.reserve(needle.size());
    for (unsigned char c : needle)
        needle_ += char(cp1252::fold(c));
    for (std::size_t i = 1; i < needle_.size(); ++i)
        if (commonness(static_cast<unsigned char>(needle_[i])) <
            commonness(static_cast<unsigned char>(needle_[rare_])))
            rare_ = i;
    build(plain_, -1);
}

void NoCaseFinder::build(Table& t, int key) const {
    for (int b = 0; b < 256; ++b) {
        std::uint8_t plain =
            key < 0 ? std::uint8_t(b) : scramble::apply(std::uint8_t(b), std::uint8_t(key));
        t.fold[std::size_t(b)] = cp1252::fold(plain);
    }
    if (needle_.empty()) return;
    // At most two bytes fold to one letter (its two cases).
    const auto target = static_cast<unsigned char>(needle_[rare_]);
    bool first = true;
    for (int b = 0; b < 256; ++b) {
        // A stored 0 would unscramble like the key itself, but texts never hold it.
        if (t.fold[std::size_t(b)] != target || (b == 0 && key > 0)) continue;
        if (first)
            t.anchor1 = t.anchor2 = std::uint8_t(b);
        else
            t.anchor2 = std::uint8_t(b);
        first = false;
    }
}

bool NoCaseFinder::find(std::string_view hay, const Table& t) const {
    const std::size_t m = needle_.size(), n = hay.size();
    if (m == 0) return true;
    if (n < m) return false;
    const auto* h = reinterpret_cast<const unsigned char*>(hay.data());
    const auto* p = reinterpret_cast<const unsigned char*>(needle_.data());
    const std::size_t end = n - (m - 1 - rare_); // anchor positions lie in [rare_, end)
    for (std::size_t at = rare_; at < end; ++at) {
        at = scan(h, at, end, t.anchor1, t.anchor2);
        if (at >= end) return false;
        const unsigned char* s = h + (at - rare_);
        std::size_t i = 0;
        while (i < m && t.fold[s[i]] == p[i])
            ++i;
        if (i == m) return true;
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
