#include "NutritionNumbers.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace tavrin::nutrition {
namespace {

std::string_view skipSpace(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return s.substr(i);
}

// The number at the start of `s` and where it ends; `end` is s.data() when there is none.
double parse(std::string_view s, const char*& end) {
    s = skipSpace(s);
    end = s.data();
    std::string_view body = s;
    // from_chars takes a minus but no plus; atof takes both.
    if (!body.empty() && body.front() == '+') body.remove_prefix(1);
    if (!body.empty() && body.front() == '+') return 0;
    double v = 0;
    const auto r = std::from_chars(body.data(), body.data() + body.size(), v);
    if (r.ec == std::errc::invalid_argument) return 0;
    end = r.ptr;
    if (r.ec == std::errc::result_out_of_range) return 0;
    return v;
}

std::string printed(const char* format, float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, double(v));
    return buf;
}

} // namespace

float NutritionNumbers::kcal(float fat, float carbohydrate, float protein) {
    return (protein + carbohydrate) * 4.0f + fat * 9.0f;
}

std::string NutritionNumbers::oneDecimal(float v) {
    return printed("%0.1f", v);
}

std::string NutritionNumbers::twoDecimals(float v) {
    return printed("%0.2f", v);
}

double NutritionNumbers::leading(std::string_view text) {
    const char* end;
    return parse(text, end);
}

bool NutritionNumbers::isNumber(std::string_view text) {
    const char* end;
    parse(text, end);
    const std::string_view trimmed = skipSpace(text);
    if (trimmed.empty() || end == trimmed.data()) return false;
    return skipSpace(text.substr(std::size_t(end - text.data()))).empty();
}

} // namespace tavrin::nutrition
