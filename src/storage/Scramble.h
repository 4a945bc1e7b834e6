#pragma once
// The diary's scrambling: every rule is an XOR with a constant in which a byte equal to the
// constant passes unchanged, so each operation is its own inverse.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

class EntryRecord;

namespace scramble {

constexpr std::uint8_t kPasswordKey = 0x3B;
constexpr std::uint8_t kQuestionKey = 0xA6;
constexpr std::uint8_t kAnswerKey = 0x51;
constexpr std::uint8_t kVoiceKey = 0x3B; // voice notes: every byte, none exempt

inline std::uint8_t apply(std::uint8_t b, std::uint8_t key) {
    return b == key ? b : b ^ key;
}

void bytes(std::uint8_t* p, std::size_t n, std::uint8_t key);
// The same from `from` into `to` (n bytes each; the same buffer is allowed), in one pass.
void copy(const std::uint8_t* from, std::uint8_t* to, std::size_t n, std::uint8_t key);
inline void text(std::string& s, std::uint8_t key) {
    bytes(reinterpret_cast<std::uint8_t*>(s.data()), s.size(), key);
}

// Password (its stored length, at most 30 bytes) and the three security pairs.
void indexRecord(EntryRecord& r);

// The entry texts' key: the sum of the plain password's bytes modulo 256.
std::uint8_t textKey(std::string_view plainPassword);

// Voice notes: XOR every byte with 0x3B.
void voice(std::uint8_t* p, std::size_t n);

} // namespace scramble
} // namespace tavrin
