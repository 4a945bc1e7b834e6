#pragma once
// The summary table of a range: how many entries, then for each fibromyalgia rating rated at
// least once its rated days, mean and worst on the 1-10 scale, and the same for mood and the
// diary's other scales in use on their own levels (worst is the lowest level there).

#include "health/logic/HealthData.h"

#include <string>
#include <vector>

namespace tavrin::health {

struct SummaryRow {
    std::string name;
    int days = 0;          // days with a value
    double mean = 0;       // mean of the days' values (a day's value: mean of its entries)
    double worst = 0;      // highest rating, or lowest level of a scale
    std::string worstText; // a scale's level name of its worst; "" for ratings
    std::string meanText() const;
    std::string worstShown() const; // "8", or "-2 (Exhausted)"
};

struct RangeSummary {
    int entries = 0;
    int days = 0;                    // days with at least one entry
    std::vector<SummaryRow> ratings; // the 1-10 ratings, in the ratings' order
    std::vector<SummaryRow> scales;  // mood and the other scales in use

    static RangeSummary of(const std::vector<HealthEntry>& entries, const DiaryConfig& config);
    static std::string oneDecimal(double v);
};

} // namespace tavrin::health
