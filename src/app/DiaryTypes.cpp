#include "app/DiaryTypes.h"

#include "storage/DiaryConfig.h"

namespace tavrin::app {

QString DiaryTypes::name(int type) {
    switch (type) {
    case Minimal:
        return "Minimal";
    case Advanced:
        return "Advanced";
    case Training:
        return "Training";
    }
    return {};
}

QString DiaryTypes::description(int type) {
    switch (type) {
    case Minimal:
        return "Monitor your mood, shape, temperature, weight and weather.";
    case Advanced:
        return "Monitor your mood, shape, dream, fatigue, menstruus, copulation, temperature, "
               "weight "
               "and weather.";
    case Training:
        return "Monitor 'standard' parameters plus those specific to running athletes.";
    }
    return {};
}

void DiaryTypes::apply(DiaryConfig& c, int type) {
    using Scale = DiaryConfig::Scale;
    using Measure = DiaryConfig::Measure;
    if (type == Minimal) {
        c.setScaleEnabled(Scale::Dream, false);
        c.setScaleEnabled(Scale::Fatigue, false);
        c.setCheckEnabled(0, false);
        c.setCheckEnabled(1, false);
        return;
    }
    if (type != Training) return;

    c.setScaleEnabled(Scale::Dream, true);
    c.setScaleName(Scale::Dream, "Stress level");
    const char* const stress[] = {"Extreme", "High", "Neutral", "Low", "Very low"};
    for (int i = 0; i < 5; ++i)
        c.setScaleLevel(Scale::Dream, i, stress[i]);
    c.setScaleName(Scale::Shape, "Health");
    c.setCheckEnabled(0, false);
    c.setMeasureEnabled(Measure::Real1, true);
    c.setMeasureName(Measure::Real1, "Distance");
    c.setMeasureEnabled(Measure::Real2, true);
    c.setMeasureName(Measure::Real2, "Time");

    // The rows past those in use keep their names, except on the third box, which empties them.
    auto combo = [&](int k, const char* name, std::initializer_list<const char*> rows,
                     bool emptyRest) {
        c.setComboEnabled(k, true);
        c.setComboName(k, name);
        c.setComboRows(k, int(rows.size()));
        int i = 0;
        for (const char* r : rows)
            c.setComboRow(k, i++, r);
        for (; emptyRest && i < DiaryConfig::kComboRows; ++i)
            c.setComboRow(k, i, "");
    };
    combo(0, "n-Time/Day",
          {"Day off", "Dawn", "E-Morn.", "L-Morn.", "Mid-day", "E-A/noon", "L-A/noon", "Night"},
          false);
    combo(
        1, "Run type",
        {"Day off", "Junk", "Long Miles", "Mountains", "Sprints", "Marath. Train", "Race", "Walk"},
        false);
    combo(2, "Other exercise", {"Day off", "Walk", "Hike", "Gym", "Other"}, true);

    c.setSpinEnabled(0, true);
    c.setSpinName(0, "Performance");
    c.setSpinRange(0, -3, 3);
    const char* const perf[] = {"Very poor", "Poor",      "Slugish",  "Day off",
                                "Good",      "Very good", "Excellent"};
    for (int i = 0; i < 7; ++i)
        c.setSpinValue(0, i, perf[i]);
}

} // namespace tavrin::app
