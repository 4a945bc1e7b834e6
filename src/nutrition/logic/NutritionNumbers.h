#pragma once
// Numbers of the nutrition pages: the kilocalorie rule, the formats of the screen and of the
// totals, and reading a typed number the way atof does (the longest leading number, 0 when
// there is none), without regard to the locale.

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::nutrition {

class NutritionNumbers {
public:
    // (protein + carbohydrate) x 4 + fat x 9, in single precision.
    static float kcal(float fat, float carbohydrate, float protein);
    // "%0.1f" (lists) and "%0.2f" (totals, prints).
    static std::string oneDecimal(float v);
    static std::string twoDecimals(float v);
    // The leading number of a text as atof reads it: white space skipped, then an optional
    // sign, digits, a decimal point and an exponent; 0 when the text starts with none.
    static double leading(std::string_view text);
    // Whether the whole text (white space around it aside) is one number.
    static bool isNumber(std::string_view text);

    // Grams and values per 100 g that the pages and tavrin-cli take: 0 to kMaxAmount.
    static constexpr double kMaxAmount = 100000;
    static bool isAmount(double v);
    // A typed amount: the whole text one number within those limits, a decimal comma read as a
    // decimal point; nothing for any other text.
    static std::optional<float> typedAmount(std::string_view text);
    // Whether the text is the beginning of a number that typing has not finished: a sign, a
    // decimal separator or an exponent with no digits after it ("-", ",", "2e").
    static bool unfinished(std::string_view text);
};

} // namespace tavrin::nutrition
