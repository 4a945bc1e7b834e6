#pragma once
// What comes before a flare: Spearman's rank correlation between each factor of a day and each
// outcome the same day, the next day and the day after, over the days that hold both.

#include "health/logic/DayValues.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin::health {

struct Correlation {
    std::string factor, outcome;
    int lag = 0; // days from the factor to the outcome
    double rho = 0;
    int n = 0;         // day pairs
    std::string words; // the finding in plain words
};

class Correlations {
public:
    static constexpr int kMinPairs = 14;
    static constexpr int kMaxLag = 2;
    static constexpr const char* kNotACause =
        "A correlation is not a cause: two things that move together may both follow a third, "
        "or meet by chance. Take these as questions to bring to your doctor, not as answers.";

    // Spearman's rho of paired values, ties given their mean rank; nothing when fewer than two
    // pairs or when either side never changes (no order to compare).
    static std::optional<double> spearman(const std::vector<double>& x,
                                          const std::vector<double>& y);

    // Every factor-outcome pair at lags 0 to 2 with at least kMinPairs day pairs, strongest first
    // (a factor is never set against itself).
    static std::vector<Correlation> find(const std::vector<HealthEntry>& entries,
                                         const std::vector<Measure>& factors,
                                         const std::vector<Measure>& outcomes);
    static std::string sentence(const Measure& factor, const Measure& outcome, int lag, double rho,
                                int n);
    // "factor<TAB>outcome<TAB>lag<TAB>rho<TAB>n" with rho to two decimals.
    static std::string line(const Correlation& c);
    static std::string twoDecimals(double v);
};

} // namespace tavrin::health
