#include "storage/Scramble.h"

#include "storage/EntryRecord.h"

#include <algorithm>

namespace tavrin::scramble {

void bytes(std::uint8_t* p, std::size_t n, std::uint8_t key) {
    // Written without branches so that the compiler vectorises it: long texts pass through here.
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t b = p[i];
        std::uint8_t mask = std::uint8_t(-std::uint8_t(b != key));
        p[i] = b ^ (key & mask);
    }
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
