#pragma once
// The six kinds of pain an area of the body pain map can hold; 0 is no pain.

#include <cstdint>
#include <string>

namespace tavrin {

class PainKinds {
public:
    static constexpr int kCount = 7; // 0 to 6
    static const char* name(int value) {
        static const char* const names[kCount] = {"N/A",      "Shooting", "Stabbing", "Burning",
                                                  "Numbness", "Aching",   "Pinning"};
        return value >= 0 && value < kCount ? names[value] : "?";
    }
};

} // namespace tavrin
