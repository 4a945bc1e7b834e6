#include "platform/Clock.h"

#include <ctime>
#include <optional>

namespace tavrin::platform {
namespace {
std::optional<std::int64_t> g_fixed;
} // namespace

std::int64_t Clock::now() {
    return g_fixed ? *g_fixed : static_cast<std::int64_t>(std::time(nullptr));
}
void Clock::setFixed(std::int64_t secondsSince1970) {
    g_fixed = secondsSince1970;
}
void Clock::advance(std::int64_t seconds) {
    if (g_fixed) *g_fixed += seconds;
}
void Clock::clearFixed() {
    g_fixed.reset();
}
bool Clock::isFixed() {
    return g_fixed.has_value();
}

} // namespace tavrin::platform
