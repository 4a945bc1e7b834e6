#include "NutritionNumbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
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

std::string printed(int decimals, float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, double(v));
    return buf;
}

} // namespace

float NutritionNumbers::kcal(float fat, float carbohydrate, float protein) {
    return (protein + carbohydrate) * 4.0f + fat * 9.0f;
}

std::string NutritionNumbers::oneDecimal(float v) {
    return printed(1, v);
}

std::string NutritionNumbers::twoDecimals(float v) {
    return printed(2, v);
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

bool NutritionNumbers::isAmount(double v) {
    return std::isfinite(v) && v >= 0 && v <= kMaxAmount;
}

std::optional<float> NutritionNumbers::typedAmount(std::string_view text) {
    std::string s(text);
    // Many keyboards put a comma where the decimal point goes; a text with both is no number.
    if (s.find(',') != std::string::npos) {
        if (s.find('.') != std::string::npos) return std::nullopt;
        s[s.find(',')] = '.';
    }
    if (!isNumber(s)) return std::nullopt;
    const double v = leading(s);
    if (!isAmount(v)) return std::nullopt;
    return float(v) + 0.0f; // "-0" is 0
}

bool NutritionNumbers::unfinished(std::string_view text) {
    const std::string_view t = skipSpace(text);
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i;
        return i > from;
    };
    const auto sign = [&] {
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    };
    if (t.empty()) return false;
    sign();
    bool whole = digits();
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        ++i;
        whole = digits() || whole;
        if (!whole) return i == t.size(); // "-." or ","
    }
    if (!whole) return i == t.size(); // a sign alone
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        sign();
        return i == t.size(); // an exponent with no digits yet
    }
    return false;
}

} // namespace tavrin::nutrition
