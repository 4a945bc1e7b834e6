#pragma once
// What comes before a flare: each factor of a day against each outcome the same day, the next
// day and the day after, over the days that hold both. An ordered factor is compared by
// Spearman's rank correlation; a category (the weather) one kind at a time, its days against
// the rest. Each pair gets a p-value, and only the pairs that hold under the Benjamini-Hochberg
// false discovery rate are reported, with the number tested beside them.

#include "health/logic/DayValues.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrin::health {

struct Correlation {
    std::string factor, outcome; // a category's factor reads "Weather: Rainy"
    int lag = 0;                 // days from the factor to the outcome
    double rho = 0;              // for a kind: its days (1) against the rest (0)
    int n = 0;                   // day pairs
    double p = 1;                // two-sided
    // For a kind of a category: the outcome's mean on its days and on the others, and how many.
    double meanKind = 0, meanRest = 0;
    int nKind = 0;
    std::string words; // the finding in plain words
};

struct Findings {
    std::vector<Correlation> found; // the pairs that hold, strongest first
    int tested = 0;                 // pairs compared (each at least kMinPairs days)
    bool lookedBack = false;        // whether any pair a day or two apart was compared
};

class Correlations {
public:
    static constexpr int kMinPairs = 14;
    static constexpr int kMinKindDays = 3; // days of a kind, and days of the rest
    static constexpr int kMaxLag = 2;
    static constexpr double kFalseDiscoveryRate = 0.05;
    static constexpr const char* kNotACause =
        "A correlation is not a cause: two things that move together may both follow a third, "
        "or meet by chance. Take these as questions to bring to your doctor, not as answers.";
    static constexpr const char* kTooFarApart =
        "Entries are too far apart to look one or two days back: only factors and outcomes of "
        "the same day were compared.";

    // Spearman's rho of paired values, ties given their mean rank; nothing when fewer than two
    // pairs or when either side never changes (no order to compare).
    static std::optional<double> spearman(const std::vector<double>& x,
                                          const std::vector<double>& y);
    // The two-sided p-value of rho over n pairs, from Student's t with n - 2 degrees of freedom
    // (the usual approximation for Spearman's rho).
    static double pValue(double rho, int n);
    // Which of the p-values hold at false discovery rate q (Benjamini-Hochberg, step-up).
    static std::vector<bool> holding(const std::vector<double>& p, double q);

    // Every factor-outcome pair at lags 0 to 2 with at least kMinPairs day pairs is tested; a
    // factor is never set against an outcome about the same thing.
    static Findings study(const std::vector<HealthEntry>& entries,
                          const std::vector<Measure>& factors,
                          const std::vector<Measure>& outcomes);
    // The pairs that hold, strongest first.
    static std::vector<Correlation> find(const std::vector<HealthEntry>& entries,
                                         const std::vector<Measure>& factors,
                                         const std::vector<Measure>& outcomes) {
        return study(entries, factors, outcomes).found;
    }
    static std::string sentence(const Measure& factor, const Measure& outcome, int lag, double rho,
                                int n, double p);
    // "p = 0.012", or "p < 0.001".
    static std::string pText(double p);
    // "N pairs ... tested; K hold ..." for the report and the window.
    static std::string testedText(const Findings& f);
    // "factor<TAB>outcome<TAB>lag<TAB>rho<TAB>n" with rho to two decimals.
    static std::string line(const Correlation& c);
    static std::string twoDecimals(double v);
};

} // namespace tavrin::health
