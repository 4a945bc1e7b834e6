#include "diary/EntrySearchCache.h"

#include "diary/RtfSearchText.h"
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
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, n);
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
    if (slot.filled && slot.hash == hash && slot.length == scrambled.size()) return slot.text;
    plain_.assign(scrambled);
    scramble::text(plain_, key);
    folded_.clear();
    RtfSearchText::append(plain_, folded_);
    slot.text.assign(folded_); // one allocation of the right size
    slot.hash = hash;
    slot.length = scrambled.size();
    slot.filled = true;
    return slot.text;
}

std::size_t EntrySearchCache::bytes() const {
    std::size_t n = slots_.capacity() * sizeof(Slot);
    for (const Slot& s : slots_)
        n += s.text.capacity();
    return n;
}

} // namespace tavrin::diary
