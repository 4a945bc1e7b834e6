#include "storage/DiaryConfig.h"

#include <algorithm>
#include <string>

namespace tavrin {

int DiaryConfig::scaleLevels(Scale s) {
    switch (s) {
    case Scale::Fatigue:
        return 3;
    case Scale::Dream:
        return 5;
    case Scale::Shape:
        return 4;
    }
    return 0;
}

void DiaryConfig::applyDefaults() {
    static const char* const kMoodNames[kMoods] = {"Depressed", "Sad",       "Not Good", "Neutral",
                                                   "Good",      "Very Good", "Excellent"};
    static const char* const kFatigue[] = {"Exhausted", "Tired", "Normal"};
    static const char* const kDream[] = {"Nightmare", "Strange", "Neutral", "Amusing", "Fun"};
    static const char* const kShape[] = {"Very Sick", "Sick", "Not Well", "Healthy"};
    static const char* const kWeather[kWeathers] = {"Sunny", "Overcast", "Foggy", "Rainy", "Snowy"};
    static const char* const kTypeNames[kTypes] = {"Finance", "Drafts", "Journal", "E-mails",
                                                   "Poetry"};

    setMoodEnabled(true);
    for (int i = 0; i < kMoods; ++i)
        setMoodName(i, kMoodNames[i]);

    auto scale = [&](Scale s, const char* name, const char* const* levels) {
        setScaleEnabled(s, true);
        setScaleName(s, name);
        for (int i = 0; i < scaleLevels(s); ++i)
            setScaleLevel(s, i, levels[i]);
    };
    scale(Scale::Fatigue, "Fatigue", kFatigue);
    scale(Scale::Dream, "Dream", kDream);
    scale(Scale::Shape, "Shape", kShape);

    setCheckEnabled(0, true);
    setCheckName(0, "Menstruus");
    setCheckEnabled(1, true);
    setCheckName(1, "Copulation");

    setMeasureEnabled(Measure::Real1, true);
    setMeasureName(Measure::Real1, "Temperature");
    setMeasureEnabled(Measure::Real2, false);
    setMeasureName(Measure::Real2, "no name");
    setMeasureEnabled(Measure::Int1, true);
    setMeasureName(Measure::Int1, "Weight");
    setMeasureEnabled(Measure::Int2, false);
    setMeasureName(Measure::Int2, "no name");

    for (int k = 0; k < kSpins; ++k) {
        std::string n = std::to_string(k + 1);
        setSpinEnabled(k, false);
        setSpinName(k, "Spin " + n + " Name");
        setSpinRange(k, 2, 6);
        for (int i = 0; i < kSpinValues; ++i)
            setSpinValue(k, i, "spin " + n + " " + std::to_string(i + 1));
    }

    setWeatherEnabled(true);
    for (int i = 0; i < kWeathers; ++i)
        setWeatherName(i, kWeather[i]);

    for (int k = 0; k < kCombos; ++k) {
        std::string n = std::to_string(k + 1);
        setComboEnabled(k, false);
        setComboName(k, "Combo " + n);
        setComboRows(k, 2 + 2 * k);
        for (int i = 0; i < kComboRows; ++i)
            setComboRow(k, i, "combo " + n + " " + std::to_string(i + 1));
    }

    for (int i = 0; i < kShortcuts; ++i)
        setShortcut(i, "text for hotkey" + std::to_string(i + 1));
    for (int i = 0; i < kTypes; ++i)
        setTypeName(i, kTypeNames[i]);
}

void DiaryConfig::spinValues(int storedLow, int storedHigh, int& low, int& high) {
    if (storedLow >= 0) {
        storedLow -= 3;
        storedHigh -= 3;
    }
    low = std::clamp(std::min(storedLow, storedHigh), -3, 3);
    high = std::clamp(std::max(storedLow, storedHigh), -3, 3);
}

} // namespace tavrin
