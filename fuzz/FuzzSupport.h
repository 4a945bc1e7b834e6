#pragma once
// Small pieces every fuzz target shares.

#include "storage/Reporter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavrin::fuzz {

// Storage reports are expected for damaged input; they are not failures.
class QuietReporter : public Reporter {
public:
    void report(ReportKind, const std::string&) override {}
};

// A property that must hold for every input; breaking it is a finding like a crash.
inline void require(bool holds, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    if (holds) return;
    std::fprintf(stderr, "%s:%d: a required property does not hold\n", file, line);
    std::abort();
}

inline std::string bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace tavrin::fuzz
