#pragma once
// The values the health report and the correlations read from an entry, each as a named
// measure, and their days: a day's value is the mean of that day's entries that hold one.

#include "health/logic/HealthData.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::health {

struct Measure {
    std::string name;   // as the diary names it ("Outdoor humidity", "Mood", "Fatigue" ...)
    std::string phrase; // lower-case words for sentences ("outdoor humidity")
    std::function<std::optional<double>(const HealthEntry&)> value;
    std::string high = "high "; // before the phrase for a high value ("" for a yes/no mark)
    std::string up = "higher", down = "lower"; // an outcome's change in words
    // What the measure is about ("fatigue", "sleep"): a factor and an outcome about the same
    // thing are never compared, one would only find the other.
    std::string subject{};
    // A category (the weather): the value is an index into these names, never an order.
    std::vector<std::string> kinds{};
};

using DaySeries = std::map<int, double>; // day number -> value

class DayValues {
public:
    static DaySeries series(const std::vector<HealthEntry>& entries, const Measure& m);

    // The factors that may come before a flare: temperatures and humidities, weather, sleep,
    // the check marks, the day's kilocalories and each scale of the diary in use.
    static std::vector<Measure> factors(const DiaryConfig& config);
    // The outcomes: morning pain, fatigue and sleep, each a 1-10 rating.
    static std::vector<Measure> outcomes();
    // A fibromyalgia rating as a measure.
    static Measure rating(Fibro f, const std::string& name, const std::string& phrase);
};

} // namespace tavrin::health
