#include "storage/Scramble.h"

#include "storage/EntryRecord.h"

#include <algorithm>
#include <cstring>

namespace tavrin::scramble {

void copy(const std::uint8_t* from, std::uint8_t* to, std::size_t n, std::uint8_t key) {
    // Whole texts pass through here when a diary is searched, so sixteen bytes are done at a
    // time with the compiler's vector types (one SSE2 or NEON instruction per step); a byte
    // equal to the key keeps its value.
    using Block = std::uint8_t __attribute__((vector_size(16)));
    const Block keys = Block{} + key;
    std::size_t i = 0;
    for (; i + sizeof(Block) <= n; i += sizeof(Block)) {
        Block b;
        std::memcpy(&b, from + i, sizeof b);
        b ^= keys & Block(b != keys);
        std::memcpy(to + i, &b, sizeof b);
    }
    for (; i < n; ++i)
        to[i] = apply(from[i], key);
}

void bytes(std::uint8_t* p, std::size_t n, std::uint8_t key) {
    copy(p, p, n, key);
}

void indexRecord(EntryRecord& r) {
    std::uint8_t* d = r.data();
    std::size_t pwLen = std::min<std::size_t>(r.passwordLength(), EntryRecord::kSecretWidth);
    bytes(d + EntryRecord::kPassword, pwLen, kPasswordKey);
    for (int pair = 0; pair < EntryRecord::kPairs; ++pair) {
        std::size_t base = EntryRecord::kPairsStart + EntryRecord::kPairSize * std::size_t(pair);
        std::size_t qLen = std::min<std::size_t>(d[base], EntryRecord::kSecretWidth);
        bytes(d + base + 1, qLen, kQuestionKey);
        std::size_t aLen = std::min<std::size_t>(d[base + 31], EntryRecord::kSecretWidth);
        bytes(d + base + 32, aLen, kAnswerKey);
    }
}

std::uint8_t textKey(std::string_view plainPassword) {
    unsigned sum = 0;
    for (unsigned char c : plainPassword)
        sum += c;
    return std::uint8_t(sum & 0xFF);
}

void voice(std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        p[i] ^= kVoiceKey;
}

} // namespace tavrin::scramble
