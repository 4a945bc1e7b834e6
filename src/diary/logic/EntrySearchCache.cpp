#include "diary/logic/EntrySearchCache.h"

#include "rtf/RtfSearchText.h"
#include "storage/Scramble.h"

#include <cstring>

namespace tavrin::diary {
namespace {

// A 64-bit hash of the stored bytes, eight at a time in two independent lanes so that the
// multiplications overlap. Not for an adversary: it tells a changed text from the one read.
std::uint64_t hashOf(std::string_view s, std::uint8_t key) {
    constexpr std::uint64_t k1 = 0x9E3779B97F4A7C15ull, k2 = 0xC2B2AE3D27D4EB4Full;
    std::uint64_t a = k1 ^ s.size(), b = k2 + key;
    const char* p = s.data();
    std::size_t n = s.size();
    for (; n >= 16; p += 16, n -= 16) {
        std::uint64_t x, y;
        std::memcpy(&x, p, 8);
        std::memcpy(&y, p + 8, 8);
        a = (a ^ x) * k1;
        a ^= a >> 31;
        b = (b ^ y) * k2;
        b ^= b >> 29;
    }
    if (n >= 8) {
        std::uint64_t x;
        std::memcpy(&x, p, 8);
        a = (a ^ x) * k1;
        a ^= a >> 31;
        p += 8;
        n -= 8;
    }
    // At most seven bytes are left; an empty text may have no storage at all.
    std::uint64_t tail = 0;
    if (n > 0) std::memcpy(&tail, p, n);
    a = (a ^ tail) * k1;
    std::uint64_t h = a ^ (b * k2) ^ (b >> 33);
    h ^= h >> 32;
    return h * k1;
}

} // namespace

std::string_view EntrySearchCache::bodyText(int index, std::string_view scrambled,
                                            std::uint8_t key) {
    if (index < 0) return {};
    if (std::size_t(index) >= slots_.size()) slots_.resize(std::size_t(index) + 1);
    Slot& slot = slots_[std::size_t(index)];
    const std::uint64_t hash = hashOf(scrambled, key);
    if (!(slot.filled && slot.hash == hash && slot.length == scrambled.size())) {
        // The scratch buffers only grow, so that they are not cleared for every body.
        if (plain_.size() < scrambled.size()) plain_.resize(scrambled.size());
        scramble::copy(reinterpret_cast<const std::uint8_t*>(scrambled.data()),
                       reinterpret_cast<std::uint8_t*>(plain_.data()), scrambled.size(), key);
        const std::size_t room = RtfSearchText::room(scrambled.size());
        if (folded_.size() < room) folded_.resize(room);
        const std::size_t n =
            RtfSearchText::write(std::string_view(plain_.data(), scrambled.size()), folded_.data());
        if (slot.filled) unused_ += slot.size;
        slot = Slot{hash, scrambled.size(), true, texts_.size(), n};
        texts_.append(folded_.data(), n);
        if (unused_ > texts_.size() / 2 && unused_ > 4096) compact();
    }
    return std::string_view(texts_).substr(slots_[std::size_t(index)].at,
                                           slots_[std::size_t(index)].size);
}

void EntrySearchCache::expect(std::size_t entries, std::size_t storedSize) {
    if (slots_.capacity() < entries) slots_.reserve(entries);
    // The text is rarely longer than its RTF; a plain-text body can grow by its accents.
    const std::size_t text = entries * (storedSize + storedSize / 8);
    if (texts_.capacity() < text && text < (std::size_t(1) << 30)) texts_.reserve(text);
}

// Drops the texts of bodies that have changed since.
void EntrySearchCache::compact() {
    std::string kept;
    kept.reserve(texts_.size() - unused_);
    for (Slot& s : slots_) {
        if (!s.filled) continue;
        const std::size_t at = kept.size();
        kept.append(texts_, s.at, s.size);
        s.at = at;
    }
    texts_ = std::move(kept);
    unused_ = 0;
}

} // namespace tavrin::diary
